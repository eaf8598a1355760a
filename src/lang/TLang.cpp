// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/TLang.h"

#include "lang/LangView.h"
#include "platform/FileIo.h"
#include "platform/Prompter.h"
#include "store/TComm.h"

#include <QFileInfo>

namespace {

const QString LangFileNameKey = QStringLiteral("LangFileName");
const QString DisplayNameKey = QStringLiteral("Language");

}  // namespace

QString TLang::LanguageFileName(int number) {
    return QStringLiteral("Gnomo_Language_") + QString::number(number) + QStringLiteral(".ini");
}

TLang::TLang(TComm &comm, Prompter &prompter, LangView &view)
    : comm_(comm), prompter_(prompter), view_(view) {}

void TLang::Init() {
    Texts.clear();
    LangFiles.clear();
    if (comm_.GetValue(LangFileNameKey).isEmpty())
        comm_.SetValue(LangFileNameKey, DefaultFileName);
    const QString fileName = comm_.GetValue(LangFileNameKey);
    try {
        Texts.load(fileName);
    } catch (const FileError &) {
        Texts.clear();
        prompter_.showMessage(QStringLiteral("File ") + fileName + QStringLiteral(" cannot be loaded"));
        return;
    }
    view_.setLanguageFileCaption(fileName);
    Changed = false;
}

void TLang::Done() {
    Texts.clear();
    LangFiles.clear();
}

QString TLang::GetText(const QString &key) {
    const QString text = Texts.value(key);
    if (!text.isEmpty())
        return text;
    if (Texts.indexOfExactKey(key) >= 0)
        return QString();
    Texts.setValue(key, QStringLiteral("."));
    Changed = true;
    return QString();
}

QString TLang::GetLines(const QString &key, int count) {
    QString result = GetText(key + QStringLiteral("_00"));
    for (int i = 1; i < count; ++i) {
        const QString lineKey = key + (i <= 9 ? QStringLiteral("_0") : QStringLiteral("_")) + QString::number(i);
        const QString line = GetText(lineKey);
        if (!line.isEmpty())
            result += QStringLiteral("\r\n") + line;
    }
    return result;
}

void TLang::FillLangList() {
    const int chosen = view_.languageListIndex();
    LangFiles.clear();
    QStringList items;
    for (int n = 0; n < LanguageFileCount; ++n) {
        const QString name = LanguageFileName(n);
        if (!QFileInfo::exists(name))  // a folder of that name counts too: it is reported below
            continue;
        NameValueList file;
        try {
            file.load(name);
        } catch (const FileError &) {
            prompter_.showMessage(QStringLiteral("File ") + name + QStringLiteral(" skipped - improper value list"));
            continue;
        }
        items.append(file.value(DisplayNameKey));
        LangFiles.append(name);
    }
    view_.setLanguageList(items, chosen);
}

void TLang::SelectLang(int index) {
    if (index < 0 || index >= LangFiles.size())
        return;
    // A copy: the refresh reopens the technical panel, which fills LangFiles anew.
    const QString name = LangFiles.at(index);
    // Read before naming it anywhere: a file that cannot be read leaves the language in use, its
    // name in the configuration and on the panel as they were.
    load(name);
    comm_.SetValue(LangFileNameKey, name);
    view_.setLanguageFileCaption(name);
    RefreshTexts();
    saveIfChanged(name);
}

void TLang::ReloadLang() {
    const QString name = comm_.GetValue(LangFileNameKey);
    load(name);
    RefreshTexts();
    saveIfChanged(name);
}

void TLang::RefreshTexts() { view_.refreshTexts(); }

void TLang::load(const QString &fileName) {
    NameValueList file;
    file.load(fileName);
    Texts = std::move(file);
    Changed = false;
}

void TLang::saveIfChanged(const QString &fileName) const {
    if (Changed)
        Texts.save(fileName);
}
