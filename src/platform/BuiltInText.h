// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLocale>
#include <QString>

// The few texts the program must show before, or without, a language file: in Polish, German or
// English after the language of the given locale (the system's by default), English otherwise.
enum class BuiltInText {
    CannotStart,   // %1: the reason; the program ends after this message
    OutOfMemory,   // the reason when memory ran out
    CannotPrepareFolder,  // %1: the working folder the launcher could not make or fill
};

QString builtInText(BuiltInText which, const QLocale &locale = QLocale::system());
