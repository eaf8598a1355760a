// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/TLang.h"

#include "lang/LangView.h"
#include "platform/FileIo.h"
#include "platform/Prompter.h"
#include "store/TComm.h"

TLang::TLang(TComm &comm, Prompter &prompter, LangView &view)
    : comm_(comm), prompter_(prompter), view_(view) {}

void TLang::Init() {
    Texts.clear();
    LangFiles.clear();
    if (comm_.GetValue(QStringLiteral("LangFileName")).isEmpty())
        comm_.SetValue(QStringLiteral("LangFileName"), DefaultFileName);
    const QString fileName = comm_.GetValue(QStringLiteral("LangFileName"));
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
