// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLocale>
#include <QString>

// The few texts the program must show before, or without, a language file: in Polish, German or
// English after the language of the given locale (the system's by default), English otherwise.
enum class BuiltInText {
    CannotStart,   // %1: the reason; the program ends after this message
    OutOfMemory,   // the reason when memory ran out
    CannotContinue,  // %1: the reason; the step was not done, the program runs on
    LanguageFileNotLoaded,  // %1: the file, %2: the reason; the run goes on without texts
    ReasonMissing,          // reasons for a file that cannot be read, before any language is
    ReasonFolder,           // loaded
    ReasonNotRegularFile,
    ReasonTooLarge,         // %1: the limit in MB
    ReasonNulByte,          // %1: the line
    ReasonUtf16,            // %1: the line
    LanguageFileNameRefused,  // %1: the name the configuration gives, %2: the file used instead
    LanguageFileSkipped,      // %1: the file, %2: the reason; the language list leaves it out
    CannotPrepareFolder,  // %1: the working folder the launcher could not make or fill
};

QString builtInText(BuiltInText which, const QLocale &locale = QLocale::system());

class FileError;
// Why a file could not be read, in the same language; the English reason for the rarer kinds.
QString builtInReason(const FileError &error, const QLocale &locale = QLocale::system());
