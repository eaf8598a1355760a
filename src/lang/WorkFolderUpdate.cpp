// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/WorkFolderUpdate.h"

#include "lang/TLang.h"
#include "store/NameValueList.h"
#include "store/TComm.h"

#include <QFileInfo>

namespace {

const QString Placeholder = QStringLiteral(".");

int addMissingTexts(const QString &shipped, const QString &own) {
    if (!TLang::IsLanguageFileName(QFileInfo(own).fileName()))
        return 0;
    NameValueList newTexts;
    newTexts.load(shipped, FileKind::Language);
    NameValueList texts;
    texts.load(own, FileKind::Language);
    int added = 0;
    for (const QString &line : newTexts.lines()) {
        if (!NameValueList::hasKey(line))
            continue;
        const QString key = NameValueList::keyOf(line);
        const QString text = NameValueList::valueOf(line);
        const qsizetype present = texts.indexOfKey(key);
        const bool missing = present < 0 || NameValueList::valueOf(texts.lines().at(present)) == Placeholder;
        if (missing && !text.isEmpty() && text != Placeholder) {
            texts.setValue(key, text);
            ++added;
        }
    }
    if (added > 0)
        texts.save(own);
    return added;
}

}  // namespace

WorkFolder::Rules shippedFileRules() { return {{TComm::CfgFileName}, addMissingTexts}; }

QString folderUpdateText(const WorkFolder::Update &update, TLang &lang) {
    QStringList parts;
    const auto say = [&](const char *key, const QStringList &files) {
        if (files.isEmpty())
            return;
        const QString names = files.join(QStringLiteral(", "));
        // A teacher's own language lacks the text: the names alone still tell what changed.
        const QString text = lang.GetText(QString::fromLatin1(key));
        parts << (text.contains(QStringLiteral("%1")) ? text.arg(names) : names);
    };
    say("msgFilesReplaced", update.replaced);
    say("msgLangTextsAdded", update.completed);
    say("msgFilesNotUpdated", update.notUpdated);
    return parts.join(QStringLiteral("\n\n"));
}
