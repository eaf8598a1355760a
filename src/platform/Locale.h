// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QChar>

class QLocale;

// The user's number and date conventions that the program honours: the decimal separator of typed
// and stored decimal numbers and the separator of the short date printed on the result sheet.
struct Locale {
    QChar decimalSeparator = u'.';
    QChar dateSeparator = u'/';

    // The conventions of a locale: its decimal point, and the first character of its short date
    // format that is neither a field letter, a blank nor a quote (Polish "d.MM.yyyy" gives ".",
    // Hungarian "yyyy. MM. dd." gives "."). A decimal point of more than one character, or a
    // format without a separator, leaves the default.
    static Locale of(const QLocale &locale);
    // The conventions of the system's locale (QLocale::system(), which follows the user's
    // settings, LC_ALL, LC_NUMERIC and LANG, when the program starts).
    static Locale system();
};
