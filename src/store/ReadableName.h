// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// A name as a person reads it: a place's name from a file may carry characters nobody sees, which
// would make two names that look the same differ, or make a name look like another ("SP nr 4"
// followed by a right-to-left override shows the rest backwards). Such a name is taken without:
// the bidirectional controls (U+200E/F, U+061C, U+202A-202E, U+2066-2069) and the invisible
// characters (zero-width space, joiners and non-joiner, word joiner and the invisible operators,
// U+FEFF, the soft hyphen, the Mongolian vowel separator, the combining grapheme joiner); any run
// of blanks (a no-break space too) counts as one space and none at either end; and the letters in
// their composed form (Unicode NFC: "o" + combining acute is "ó"). Letter case counts as everywhere
// else place names are compared.
namespace ReadableName {

QString of(const QString &name);

// Whether two names read the same.
bool same(const QString &a, const QString &b);

}  // namespace ReadableName
