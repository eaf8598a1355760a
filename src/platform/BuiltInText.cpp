// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BuiltInText.h"

#include "platform/FileIo.h"

namespace {

struct Wording {
    const char *inPolish;
    const char *inGerman;
    const char *english;
};

Wording wordingOf(BuiltInText which) {
    switch (which) {
    case BuiltInText::CannotStart:
        return {"Gnomora nie może działać: %1.\nProgram zostanie zamknięty.",
                "Gnomora kann nicht laufen: %1.\nDas Programm wird beendet.",
                "Gnomora cannot run: %1.\nThe program will end."};
    case BuiltInText::CannotContinue:
        return {"Tego nie udało się zrobić: %1.", "Das ging nicht: %1.", "This could not be done: %1."};
    case BuiltInText::LanguageFileNotLoaded:
        return {"Nie można wczytać pliku języka %1 (%2). Program działa bez tekstów; wybierzcie język na "
                "panelu technicznym (ostatni przycisk po prawej).",
                "Die Sprachdatei %1 kann nicht geladen werden (%2). Das Programm läuft ohne Texte; wählt eine "
                "Sprache auf der Technikseite (die letzte Schaltfläche rechts).",
                "The language file %1 cannot be loaded (%2). The program runs without texts; choose a language "
                "on the technical panel (the last button on the right)."};
    case BuiltInText::ReasonMissing:
        return {"nie ma takiego pliku", "diese Datei gibt es nicht", "there is no such file"};
    case BuiltInText::ReasonFolder:
        return {"to folder, nie plik", "das ist ein Ordner, keine Datei", "this is a folder, not a file"};
    case BuiltInText::ReasonNotRegularFile:
        return {"to nie jest zwykły plik", "das ist keine gewöhnliche Datei", "this is not an ordinary file"};
    case BuiltInText::ReasonTooLarge:
        return {"plik jest większy niż %1 MB", "die Datei ist größer als %1 MB", "the file is larger than %1 MB"};
    case BuiltInText::ReasonNulByte:
        return {"wiersz %1 zawiera bajt NUL, więc to nie jest plik tekstowy",
                "Zeile %1 enthält ein NUL-Byte, das ist also keine Textdatei",
                "line %1 holds a NUL byte, so this is not a text file"};
    case BuiltInText::ReasonUtf16:
        return {"wiersz %1 zaczyna się znacznikiem UTF-16 („Unicode”); zapiszcie plik jako UTF-8",
                "Zeile %1 beginnt mit der UTF-16-Markierung („Unicode“); speichert die Datei als UTF-8",
                "line %1 begins with the UTF-16 mark (\"Unicode\"); save the file as UTF-8"};
    case BuiltInText::LanguageFileNameRefused:
        return {"Konfiguracja wskazuje plik języka %1, ale plikami języka są tylko pliki od Gnomo_Language_0.ini "
                "do Gnomo_Language_99.ini w folderze roboczym; użyto pliku %2.",
                "Die Konfiguration nennt die Sprachdatei %1, Sprachdateien sind aber nur Gnomo_Language_0.ini bis "
                "Gnomo_Language_99.ini im Arbeitsordner; %2 wird verwendet.",
                "The configuration names the language file %1, but only Gnomo_Language_0.ini to "
                "Gnomo_Language_99.ini in the working folder are language files; %2 is used."};
    case BuiltInText::LanguageFileSkipped:
        return {"Pominięto plik języka %1: %2.", "Die Sprachdatei %1 wurde übersprungen: %2.",
                "The language file %1 was skipped: %2."};
    case BuiltInText::OutOfMemory:
        return {"zabrakło pamięci", "der Arbeitsspeicher reicht nicht aus", "there is not enough memory"};
    case BuiltInText::CannotPrepareFolder:
        return {"Gnomora nie może przygotować swojego folderu roboczego:\n%1\nSprawdźcie, czy na dysku jest "
                "miejsce i czy wolno w nim zapisywać.",
                "Gnomora kann ihren Arbeitsordner nicht anlegen:\n%1\nPrüft, ob auf dem Datenträger Platz ist und "
                "ob dort geschrieben werden darf.",
                "Gnomora cannot prepare its working folder:\n%1\nCheck that the disk has room and that the "
                "folder may be written."};
    }
    return {"", "", ""};
}

}  // namespace

QString builtInText(BuiltInText which, const QLocale &locale) {
    const Wording w = wordingOf(which);
    switch (locale.language()) {
    case QLocale::Polish: return QString::fromUtf8(w.inPolish);
    case QLocale::German: return QString::fromUtf8(w.inGerman);
    default: return QString::fromUtf8(w.english);
    }
}

QString builtInReason(const FileError &error, const QLocale &locale) {
    switch (error.kind) {
    case FileError::Kind::Missing: return builtInText(BuiltInText::ReasonMissing, locale);
    case FileError::Kind::Folder: return builtInText(BuiltInText::ReasonFolder, locale);
    case FileError::Kind::NotRegularFile: return builtInText(BuiltInText::ReasonNotRegularFile, locale);
    case FileError::Kind::TooLarge:
        return builtInText(BuiltInText::ReasonTooLarge, locale)
            .arg(QString::number(double(error.limit) / (1024 * 1024), 'g', 3));
    case FileError::Kind::NulByte: return builtInText(BuiltInText::ReasonNulByte, locale).arg(error.limit);
    case FileError::Kind::Utf16: return builtInText(BuiltInText::ReasonUtf16, locale).arg(error.limit);
    default: return error.reason;
    }
}
