// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Locale.h"

#include <QLocale>

Locale Locale::of(const QLocale &from) {
    Locale locale;
    const QString decimal = from.decimalPoint();
    if (decimal.size() == 1)
        locale.decimalSeparator = decimal.front();
    const QString format = from.dateFormat(QLocale::ShortFormat);
    for (QChar c : format) {
        if (!c.isLetter() && !c.isSpace() && c != u'\'') {
            locale.dateSeparator = c;
            break;
        }
    }
    return locale;
}

Locale Locale::system() { return of(QLocale::system()); }
