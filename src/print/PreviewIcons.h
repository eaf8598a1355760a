// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QSet>
#include <QString>
#include <QStringList>

class QPrintPreviewDialog;

// The icons of the print preview's tool bar. The toolkit asks the desktop's icon theme for each of
// its fifteen icons and falls back to pictures of its own; without a theme that has them (the
// usual case outside a full desktop) that asking tests every size folder of the theme and of
// hicolor for every name and file type: tens of thousands of failed file look-ups, which cost more
// than the rest of the preview. Here the theme folders are listed once instead, and a name is
// asked of the theme only when a file of that name is there, so the tool bar shows what the
// toolkit would show.
namespace PreviewIcons {

// The theme names of the tool bar's icons.
QStringList toolBarIconNames();

// Those of `names` for which a folder of the current icon theme, a theme it inherits, hicolor or
// a fallback folder holds a file of that name (PNG, SVG or XPM).
QSet<QString> namesInIconTheme(const QStringList &names);

// While one exists, the icon theme has no folder to look in, so that a dialog built meanwhile
// asks it nothing; the folders come back when it is destroyed. Icons made meanwhile must be
// replaced (setToolBarIcons), or they would look their names up when first painted.
class ThemeLookUpPaused {
public:
    ThemeLookUpPaused();
    ~ThemeLookUpPaused();
    ThemeLookUpPaused(const ThemeLookUpPaused &) = delete;
    ThemeLookUpPaused &operator=(const ThemeLookUpPaused &) = delete;

private:
    QStringList searchPaths_;
    QStringList fallbackPaths_;
};

// Sets the icon of each of the dialog's tool-bar actions: for a name in `themed` the theme's icon
// with the toolkit's own pictures added, as the toolkit does; its pictures alone otherwise.
void setToolBarIcons(QPrintPreviewDialog &dialog, const QSet<QString> &themed);

}  // namespace PreviewIcons
