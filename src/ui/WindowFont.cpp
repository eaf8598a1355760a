// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowFont.h"

#include <QFontDatabase>
#include <QStringList>

QString windowFamily() {
    const QStringList installed = QFontDatabase::families();
    for (QLatin1StringView family : {QLatin1StringView("Tahoma"), QLatin1StringView("MS Sans Serif")})
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    return QStringLiteral("DejaVu Sans");
}

QFont windowFont(int pixelSize, bool bold) {
    QFont font(windowFamily());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}
