// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowFont.h"

#include <QFontDatabase>
#include <QStringList>
#include <cstring>

QString windowFamily() {
    const QStringList installed = QFontDatabase::families();
    for (QLatin1StringView family : {QLatin1StringView("Tahoma"), QLatin1StringView("MS Sans Serif")})
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    return QStringLiteral("DejaVu Sans");
}

QFont windowFont(int pixelSize, bool bold) {
    QFont font(windowFamily());
    // Should the face vanish (a font removed while the program runs), a sans-serif one stands in.
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

void chooseWholeGlyphFontEngine([[maybe_unused]] int argc, [[maybe_unused]] char **argv) {
#ifdef Q_OS_WIN
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return;
    qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
}
