// SPDX-License-Identifier: GPL-3.0-or-later
// Text lookup on an arbitrary language file.
//
// Input (FuzzedDataProvider): the file's bytes (up to a lone backslash), then lookups: a key (up
// to a lone backslash) and, read from the end, a byte choosing GetText or GetLines and its count.
// Invariants, checked against the file's lines as they were before each lookup:
//  - a key with a non-empty text gives that text and changes nothing;
//  - a key present with an empty text (letter case as asked) gives "" and changes nothing;
//  - any other key gives "", is added with the text "." (or its line differing only in letter
//    case is rewritten) and gives "." on the next lookup; Changed is set;
//  - GetLines joins the non-empty texts of key_00, key_01 ... by CR LF, keeping an empty first line.
#include "FuzzSupport.h"
#include "lang/TLang.h"
#include "platform/AnsiCodec.h"
#include "store/TComm.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

namespace {

QByteArray bytesOf(const std::string &s) { return QByteArray(s.data(), qsizetype(s.size())); }

bool hasExactKey(const QStringList &lines, const QString &key) {
    for (const QString &line : lines)
        if (NameValueList::hasKey(line) && NameValueList::keyOf(line) == key)
            return true;
    return false;
}

void checkGetText(TLang &lang, const QString &key) {
    const QStringList before = lang.Texts.lines();
    const QString stored = lang.Texts.value(key);
    const bool changedBefore = lang.Changed;
    const QString text = lang.GetText(key);
    if (!stored.isEmpty()) {
        FUZZ_CHECK(text == stored && lang.Texts.lines() == before && lang.Changed == changedBefore);
    } else if (hasExactKey(before, key)) {
        FUZZ_CHECK(text.isEmpty() && lang.Texts.lines() == before && lang.Changed == changedBefore);
    } else {
        FUZZ_CHECK(text.isEmpty() && lang.Changed);
        const qsizetype grown = lang.Texts.size() - before.size();
        FUZZ_CHECK(grown == 0 || grown == 1, "%lld lines more", (long long)grown);
        FUZZ_CHECK(lang.Texts.lines().contains(key + QStringLiteral("=.")), "key \"%s\"", qPrintable(key));
        FUZZ_CHECK(lang.GetText(key) == QStringLiteral("."), "key \"%s\"", qPrintable(key));
    }
}

void checkGetLines(TLang &lang, const QString &key, int count) {
    TLang reference = lang;  // the same lookups done one by one on a copy
    QString expected = reference.GetText(key + QStringLiteral("_00"));
    for (int i = 1; i < count; ++i) {
        const QString line = reference.GetText(key + QString::asprintf("_%02d", i));
        if (!line.isEmpty())
            expected += QStringLiteral("\r\n") + line;
    }
    const QString text = lang.GetLines(key, count);
    FUZZ_CHECK(text == expected, "GetLines(\"%s\", %d)", qPrintable(key), count);
    FUZZ_CHECK(lang.Texts.lines() == reference.Texts.lines());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    FuzzPrompter prompter;
    TComm comm(prompter);
    NullLangView view;
    TLang lang(comm, prompter, view);
    lang.Texts = NameValueList::fromBytes(bytesOf(in.ConsumeRandomLengthString(size)));

    while (in.remaining_bytes() > 0) {
        const std::uint8_t op = in.ConsumeIntegral<std::uint8_t>();
        // The program's keys are control names and their line keys: no "=" and no line end.
        QString key = AnsiCodec::decode(bytesOf(in.ConsumeRandomLengthString(40)));
        key.remove(u'=').remove(u'\r').remove(u'\n').remove(QChar(0));
        if (op & 1)
            checkGetLines(lang, key, int(op >> 1) - 8);  // counts -8 .. 119
        else
            checkGetText(lang, key);
    }
    return 0;
}
