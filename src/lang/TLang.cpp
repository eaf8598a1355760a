// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/TLang.h"

#include "lang/LangView.h"
#include "lang/FileErrorText.h"
#include "platform/BuiltInText.h"
#include "platform/FileIo.h"
#include "platform/Prompter.h"
#include "store/TComm.h"

namespace {

const QString LangFileNameKey = QStringLiteral("LangFileName");
const QString DisplayNameKey = QStringLiteral("Language");

// The first MaxTextLength characters, never ending in half a character outside the 16-bit range.
QString cut(const QString &text) {
    if (text.size() <= TLang::MaxTextLength)
        return text;
    const bool splitsPair = text.at(TLang::MaxTextLength - 1).isHighSurrogate();
    return text.left(TLang::MaxTextLength - (splitsPair ? 1 : 0));
}

}  // namespace

QString TLang::LanguageFileName(int number) {
    return QStringLiteral("Gnomo_Language_") + QString::number(number) + QStringLiteral(".ini");
}

TLang::TLang(TComm &comm, Prompter &prompter, LangView &view)
    : comm_(comm), prompter_(prompter), view_(view) {}

bool TLang::IsLanguageFileName(const QString &name) {
    for (int n = 0; n < LanguageFileCount; ++n)
        if (name == LanguageFileName(n))
            return true;
    return false;
}

void TLang::Init() {
    Texts.clear();
    LangFiles.clear();
    const QString configured = comm_.GetValue(LangFileNameKey);
    if (!configured.isEmpty() && !IsLanguageFileName(configured))
        prompter_.showMessage(builtInText(BuiltInText::LanguageFileNameRefused).arg(configured, DefaultFileName));
    if (!IsLanguageFileName(configured))
        comm_.SetValue(LangFileNameKey, DefaultFileName);
    const QString fileName = comm_.GetValue(LangFileNameKey);
    try {
        Texts.load(fileName, FileKind::Language);
    } catch (const FileError &e) {
        // No language to word it in: the system's language, where the program knows it.
        Texts.clear();
        prompter_.showMessage(builtInText(BuiltInText::LanguageFileNotLoaded).arg(fileName, builtInReason(e)));
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
        return cut(text);
    if (Texts.indexOfExactKey(key) >= 0)
        return QString();
    Texts.setValue(key, QStringLiteral("."));
    Changed = true;
    return QString();
}

QString TLang::GetText(const QString &key, const QStringList &values) {
    return FillPlaceholders(GetText(key), values);
}

QString FillPlaceholders(const QString &text, const QStringList &values) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto digitAt = [&](qsizetype at) { return at < text.size() ? text[at].digitValue() : -1; };
        const int first = text[i] == u'%' ? digitAt(i + 1) : -1;
        if (first < 1) {
            result += text[i];
            continue;
        }
        // Two digits when they name a value (%10 with ten values), else one.
        const int second = digitAt(i + 2);
        const bool twoDigits = second >= 0 && first * 10 + second <= values.size();
        const int number = twoDigits ? first * 10 + second : first;
        if (number > values.size()) {
            result += text[i];
            continue;
        }
        result += values[number - 1];
        i += twoDigits ? 2 : 1;
    }
    return result;
}

QString TLang::GetLines(const QString &key, int count) {
    QString result = GetText(key + QStringLiteral("_00"));
    for (int i = 1; i < count; ++i) {
        const QString lineKey = key + (i <= 9 ? QStringLiteral("_0") : QStringLiteral("_")) + QString::number(i);
        const QString line = GetText(lineKey);
        if (!line.isEmpty())
            result += QStringLiteral("\r\n") + line;
    }
    return cut(result);
}

void TLang::FillLangList() {
    const int chosen = view_.languageListIndex();
    LangFiles.clear();
    QStringList items;
    for (int n = 0; n < LanguageFileCount; ++n) {
        const QString name = LanguageFileName(n);
        if (!FileIo::exists(name))
            continue;
        NameValueList file;
        try {
            file.load(name, FileKind::Language);
        } catch (const FileError &e) {
            if (!reportedSkips_.contains(name)) {
                reportedSkips_.insert(name);
                // Without texts (the language in use could not be read) the program's own words say it.
                const QString text = GetText(QStringLiteral("msgLangFileSkipped"));
                prompter_.showMessage(text.isEmpty() || text == QStringLiteral(".")
                                          ? builtInText(BuiltInText::LanguageFileSkipped).arg(name, builtInReason(e))
                                          : FillPlaceholders(text, {name, fileErrorReason(e, *this)}));
            }
            continue;
        }
        items.append(cut(file.value(DisplayNameKey)));
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
    const QString name = comm_.GetValue(LangFileNameKey);  // a language file's name since Init
    load(name);
    RefreshTexts();
    saveIfChanged(name);
}

void TLang::RefreshTexts() { view_.refreshTexts(); }

void TLang::load(const QString &fileName) {
    NameValueList file;
    file.load(fileName, FileKind::Language);
    Texts = std::move(file);
    Changed = false;
}

void TLang::saveIfChanged(const QString &fileName) const {
    if (Changed)
        Texts.save(fileName);
}
