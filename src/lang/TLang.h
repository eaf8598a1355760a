// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "store/NameValueList.h"

#include <QString>
#include <QStringList>

class TComm;
class Prompter;
class LangView;

// The language file in use (Gnomo_Language_<n>.ini in the working folder, named by the
// configuration key LangFileName) and the lookup of every visible text by key.
//
// A lookup completes the file: a key the program asks for and the file lacks is added to the
// loaded list with the placeholder "." (the list is written back only when switching or reloading
// a language), so a translator finds every key the program uses.
class TLang {
public:
    static inline const QString DefaultFileName = QStringLiteral("Gnomo_Language_0.ini");

    TLang(TComm &comm, Prompter &prompter, LangView &view);

    // Loads the file the configuration names (the default one when none is named). A file that
    // cannot be loaded is reported and the run goes on with no texts.
    void Init();
    void Done();

    // The text of key. A key present with an empty text gives "" and changes nothing; a missing
    // key gives "" and is added with the text "." (so the next lookup gives ".").
    QString GetText(const QString &key);

    // Lines key_00, key_01 ... key_<count-1>, joined by CR LF. Empty lines after the first are left
    // out; an empty first line still starts the text with CR LF if a later line follows.
    QString GetLines(const QString &key, int count);

    NameValueList Texts;
    QStringList LangFiles;
    bool Changed = false;

private:
    TComm &comm_;
    Prompter &prompter_;
    LangView &view_;
};
