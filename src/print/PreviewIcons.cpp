// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PreviewIcons.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>
#include <QPrintPreviewDialog>
#include <QSettings>

namespace PreviewIcons {

namespace {

// Each tool-bar action by its untranslated text, with its icon's name.
struct ToolBarIcon {
    const char *text;
    const char *name;
};

constexpr ToolBarIcon ToolBarIcons[] = {
    {"Next page", "go-next"},
    {"Previous page", "go-previous"},
    {"First page", "go-first"},
    {"Last page", "go-last"},
    {"Fit width", "zoom-fit-width"},
    {"Fit page", "zoom-fit-page"},
    {"Zoom in", "zoom-in"},
    {"Zoom out", "zoom-out"},
    {"Portrait", "layout-portrait"},
    {"Landscape", "layout-landscape"},
    {"Show single page", "view-pages-single"},
    {"Show facing pages", "view-pages-facing"},
    {"Show overview of all pages", "view-pages-overview"},
    {"Print", "printer"},
    {"Page setup", "page-setup"},
};

// Where the toolkit keeps its own pictures of the preview's icons, at 24 and 32 pixels.
const QString ToolkitPictures = QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/");

bool isIconFile(const QFileInfo &file) {
    const QString suffix = file.suffix();
    return suffix == u"png" || suffix == u"svg" || suffix == u"xpm";
}

// The themes a look-up goes through: the current one, those it inherits (as its index.theme
// in any search folder names them), the fallback theme and hicolor.
QStringList themeChain(const QStringList &searchPaths) {
    QStringList chain;
    QStringList pending{QIcon::themeName(), QIcon::fallbackThemeName(), QStringLiteral("hicolor")};
    while (!pending.isEmpty()) {
        const QString theme = pending.takeFirst().trimmed();
        if (theme.isEmpty() || chain.contains(theme))
            continue;
        chain << theme;
        for (const QString &base : searchPaths) {
            const QString index = base + QLatin1Char('/') + theme + QStringLiteral("/index.theme");
            if (QFileInfo::exists(index))
                pending << QSettings(index, QSettings::IniFormat).value(QStringLiteral("Icon Theme/Inherits")).toStringList();
        }
    }
    return chain;
}

}  // namespace

QStringList toolBarIconNames() {
    QStringList names;
    for (const ToolBarIcon &icon : ToolBarIcons)
        names << QLatin1String(icon.name);
    return names;
}

QSet<QString> namesInIconTheme(const QStringList &names) {
    QSet<QString> found;
    const QSet<QString> wanted(names.begin(), names.end());
    const QStringList searchPaths = QIcon::themeSearchPaths();
    for (const QString &theme : themeChain(searchPaths))
        for (const QString &base : searchPaths) {
            QDirIterator files(base + QLatin1Char('/') + theme, QDir::Files, QDirIterator::Subdirectories);
            while (files.hasNext() && found.size() < wanted.size()) {
                const QFileInfo file(files.next());
                if (isIconFile(file) && wanted.contains(file.completeBaseName()))
                    found.insert(file.completeBaseName());
            }
        }
    for (const QString &folder : QIcon::fallbackSearchPaths())
        for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files))
            if (isIconFile(file) && wanted.contains(file.completeBaseName()))
                found.insert(file.completeBaseName());
    return found;
}

ThemeLookUpPaused::ThemeLookUpPaused()
    : searchPaths_(QIcon::themeSearchPaths()), fallbackPaths_(QIcon::fallbackSearchPaths()) {
    // An empty list would mean the desktop's folders again: one resource folder that does not exist.
    QIcon::setThemeSearchPaths({QStringLiteral(":/gnomora/no-icon-theme")});
    QIcon::setFallbackSearchPaths({});
}

ThemeLookUpPaused::~ThemeLookUpPaused() {
    QIcon::setThemeSearchPaths(searchPaths_);
    QIcon::setFallbackSearchPaths(fallbackPaths_);
}

void setToolBarIcons(QPrintPreviewDialog &dialog, const QSet<QString> &themed) {
    for (QAction *action : dialog.findChildren<QAction *>())
        for (const ToolBarIcon &entry : ToolBarIcons) {
            if (action->text() != QCoreApplication::translate("QPrintPreviewDialog", entry.text))
                continue;
            const QString name = QLatin1String(entry.name);
            QIcon icon = themed.contains(name) ? QIcon::fromTheme(name) : QIcon();
            icon.addFile(ToolkitPictures + name + QStringLiteral("-24.png"), QSize(24, 24));
            icon.addFile(ToolkitPictures + name + QStringLiteral("-32.png"), QSize(32, 32));
            action->setIcon(icon);
            break;
        }
}

}  // namespace PreviewIcons
