// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Locale.h"

#include <QLocale>

Locale Locale::system() {
    const QLocale sys = QLocale::system();
    Locale locale;
    const QString decimal = sys.decimalPoint();
    if (decimal.size() == 1)
        locale.decimalSeparator = decimal.front();
    // The date separator is the first character of the short date format that is not a field letter.
    const QString format = sys.dateFormat(QLocale::ShortFormat);
    for (QChar c : format) {
        if (!c.isLetter() && !c.isSpace() && c != u'\'') {
            locale.dateSeparator = c;
            break;
        }
    }
    return locale;
}
