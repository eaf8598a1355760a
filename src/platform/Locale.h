// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QChar>

// The user's number and date conventions that the program honours: the decimal separator of typed
// and stored decimal numbers and the separator of the short date printed on the result sheet.
struct Locale {
    QChar decimalSeparator = u'.';
    QChar dateSeparator = u'/';

    // The conventions of the system's locale (QLocale::system()).
    static Locale system();
};
