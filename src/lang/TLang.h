// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "store/NameValueList.h"

#include <QSet>
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
//
// Switching: the technical panel lists the numbered files Gnomo_Language_0.ini ... _99.ini found
// in the working folder (FillLangList), switches to one of them (SelectLang) or loads the file in
// use again after it was edited outside the program (ReloadLang). Both make the windows fetch all
// their texts again and then write the file back if that refresh added keys.
class TLang {
public:
    static inline const QString DefaultFileName = QStringLiteral("Gnomo_Language_0.ini");
    static constexpr int LanguageFileCount = 100;  // numbers 0 to 99
    // A text taken from a language file is cut to this many characters, as an edit box cuts what is
    // typed into it: no window can show more, and laying out a line of megabytes freezes a window.
    static constexpr int MaxTextLength = 32767;

    // "Gnomo_Language_" + number + ".ini", the number without leading zeros.
    static QString LanguageFileName(int number);
    // Whether `name` is LanguageFileName(n) of a number n from 0 to 99: a file of the working
    // folder that the language list can offer, never a path.
    static bool IsLanguageFileName(const QString &name);

    TLang(TComm &comm, Prompter &prompter, LangView &view);

    // Loads the file the configuration names (the default one when none is named). Only a
    // language file's name is taken (IsLanguageFileName): any other name, such as a path to a file
    // elsewhere, is reported and replaced by the default, since the file in use is written back.
    // A file that cannot be loaded is reported and the run goes on with no texts.
    void Init();
    void Done();

    // The text of key. A key present with an empty text gives "" and changes nothing; a missing
    // key gives "" and is added with the text "." (so the next lookup gives "."). The text is cut
    // at MaxTextLength characters (the file keeps it whole).
    QString GetText(const QString &key);
    // The text of key with its placeholders %1, %2 ... filled in by number (FillPlaceholders).
    QString GetText(const QString &key, const QStringList &values);

    // Lines key_00, key_01 ... key_<count-1>, joined by CR LF. Empty lines after the first are left
    // out; an empty first line still starts the text with CR LF if a later line follows. The whole
    // text is cut at MaxTextLength characters.
    QString GetLines(const QString &key, int count);

    // Fills the language list and LangFiles with the numbered files found, in number order, each
    // listed under its text of "Language" (empty when it has none; cut as GetText cuts). A folder
    // of such a name is no file and is passed over silently; a file that cannot be read (no
    // permission, not a regular file, too large for a language file) is left out, and reported
    // the first time only: the list is filled at every opening of the technical panel.
    // The list keeps its chosen position, which may now name another file.
    void FillLangList();

    // Switches to LangFiles entry index (nothing for an index outside the list): loads the file,
    // and only once it has been read names it in the configuration (LangFileName) and on the
    // technical panel; then RefreshTexts, and writes the file back if the refresh added keys.
    // Errors of reading or writing the file propagate; a file that cannot be read changes nothing.
    void SelectLang(int index);

    // Loads the file named by LangFileName again, then as SelectLang: refresh, write-back.
    void ReloadLang();

    // Both windows fetch all their texts again.
    void RefreshTexts();

    NameValueList Texts;
    QStringList LangFiles;
    bool Changed = false;

private:
    // Texts := the content of fileName, Changed cleared; throws FileError leaving both untouched.
    void load(const QString &fileName);
    // After a refresh: the keys it added go into the file.
    void saveIfChanged(const QString &fileName) const;

    TComm &comm_;
    Prompter &prompter_;
    LangView &view_;
    QSet<QString> reportedSkips_;  // language files reported as left out of the list
};

// A language text with %1 ... %99 replaced by values[0] ... values[98], each by its own number
// and in one pass, so a value that holds "%1" stays as it is. A translator may leave out a
// placeholder or reorder them: what the text lacks is simply not shown, and a placeholder
// without a value stays as written; nothing is logged (QString::arg would warn, and a chain of
// arg calls would put the first value into the lowest placeholder the text kept).
QString FillPlaceholders(const QString &text, const QStringList &values);
