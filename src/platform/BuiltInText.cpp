// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BuiltInText.h"

namespace {

struct Wording {
    const char *polish;
    const char *german;
    const char *english;
};

Wording wording(BuiltInText which) {
    switch (which) {
    case BuiltInText::CannotStart:
        return {"Gnomora nie może działać: %1.\nProgram zostanie zamknięty.",
                "Gnomora kann nicht laufen: %1.\nDas Programm wird beendet.",
                "Gnomora cannot run: %1.\nThe program will end."};
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
    const Wording w = wording(which);
    switch (locale.language()) {
    case QLocale::Polish: return QString::fromUtf8(w.polish);
    case QLocale::German: return QString::fromUtf8(w.german);
    default: return QString::fromUtf8(w.english);
    }
}
