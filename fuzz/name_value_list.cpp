// SPDX-License-Identifier: GPL-3.0-or-later
// The name=value reader and writer on arbitrary file bytes, followed by edits.
//
// Input: the file's bytes (up to the first lone backslash, FuzzedDataProvider's string), then
// edits: an operation byte, a key and a value each.
// Invariants:
//  - writing gives the file's bytes with every line end turned into CR LF, a CR LF after the last
//    line and nothing after a NUL (checked on the bytes, without decoding), the UTF-8 mark kept in
//    front when the file began with it; unless the text after the mark is not UTF-8 (loading
//    refuses such a file);
//  - reading what was written gives the same lines, and writing them again the same bytes;
//  - lookups agree with a plain scan of the lines (first line whose key matches ignoring case),
//    before and after each edit, and every edit changes the lines as the rules say (a line break
//    or NUL in a value is written as a blank, so that the value keeps to its line);
//  - after the edits, writing and reading gives the same lines.
#include "FuzzSupport.h"
#include "platform/AnsiCodec.h"
#include "platform/TextEncoding.h"
#include "store/NameValueList.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QStringList>
#include <cstdint>
#include <string>

namespace {

QByteArray bytesOf(const std::string &s) { return QByteArray(s.data(), qsizetype(s.size())); }

QByteArray beforeNul(QByteArray in) {
    const qsizetype nul = in.indexOf('\0');
    if (nul >= 0)
        in.truncate(nul);
    return in;
}

// The expected file: line ends normalised to CR LF, the last line ended, nothing after a NUL, the
// UTF-8 mark (not a line of its own) kept in front.
QByteArray expectedBytes(QByteArray in) {
    in = beforeNul(in);
    const bool marked = in.startsWith(TextCodec::Utf8Mark);
    if (marked)
        in.remove(0, TextCodec::Utf8Mark.size());
    QByteArray out;
    qsizetype i = 0;
    while (i < in.size()) {
        const char c = in[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            i += (c == '\r' && i + 1 < in.size() && in[i + 1] == '\n') ? 2 : 1;
        } else {
            out += c;
            ++i;
        }
    }
    if (!out.isEmpty() && !out.endsWith("\r\n"))
        out += "\r\n";
    return marked ? TextCodec::Utf8Mark + out : out;
}

qsizetype referenceIndex(const QStringList &lines, const QString &key, Qt::CaseSensitivity cs) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype eq = lines[i].indexOf(u'=');
        if (eq >= 0 && QStringView(lines[i]).left(eq).compare(key, cs) == 0)
            return i;
    }
    return -1;
}

void checkLookup(const NameValueList &list, const QString &key) {
    const qsizetype i = referenceIndex(list.lines(), key, Qt::CaseInsensitive);
    FUZZ_CHECK(list.indexOfKey(key) == i, "key \"%s\"", qPrintable(key));
    FUZZ_CHECK(list.value(key) == (i < 0 ? QString() : NameValueList::valueOf(list.lines()[i])));
    FUZZ_CHECK(list.indexOfExactKey(key) == referenceIndex(list.lines(), key, Qt::CaseSensitive));
}

QString textFrom(FuzzedDataProvider &in) { return AnsiCodec::decode(bytesOf(in.ConsumeRandomLengthString(24))); }

// What a line holds of a value: a line break or NUL would split the line or end the file when it
// is read back, so they are written as blanks.
QString oneLine(QString value) {
    for (QChar &c : value)
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            c = u' ';
    return value;
}

// A key as the program builds them: never holding "=", a line break or NUL.
QString keyFrom(FuzzedDataProvider &in) {
    return textFrom(in).remove(u'=').remove(u'\r').remove(u'\n').remove(QChar(0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const QByteArray file = bytesOf(in.ConsumeRandomLengthString(size));

    NameValueList list = NameValueList::fromBytes(file);
    const QByteArray written = list.toBytes();
    if (TextCodec::decode(beforeNul(file)).firstInvalidByte < 0)
        FUZZ_CHECK(written == expectedBytes(file));
    const NameValueList again = NameValueList::fromBytes(written);
    FUZZ_CHECK(again.lines() == list.lines());
    FUZZ_CHECK(again.toBytes() == written);
    for (const QString &line : list.lines()) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(0)));
        const QString key = NameValueList::keyOf(line);
        checkLookup(list, key);
        checkLookup(list, key.toUpper());
        checkLookup(list, key.toLower());
    }

    // Edits against a plain list of lines.
    QStringList expected = list.lines();
    while (in.remaining_bytes() > 0) {
        const std::uint8_t op = in.ConsumeIntegral<std::uint8_t>();
        const QString key = keyFrom(in);
        if (op % 4 == 3) {  // a lookup only, which may build the index
            checkLookup(list, key);
            continue;
        }
        QString value = textFrom(in);
        if (op % 4 == 2)
            value.clear();  // deletion
        const qsizetype at = referenceIndex(expected, key, Qt::CaseInsensitive);
        if (value.isEmpty()) {
            if (at >= 0)
                expected.removeAt(at);
        } else if (at >= 0) {
            expected[at] = key + u'=' + oneLine(value);
        } else {
            expected.append(key + u'=' + oneLine(value));
        }
        list.setValue(key, value);
        FUZZ_CHECK(list.lines() == expected, "after setting \"%s\"", qPrintable(key));
        checkLookup(list, key);
        if (!value.isEmpty())  // after a deletion a later line with the same key may show through
            FUZZ_CHECK(list.value(key) == oneLine(value));
    }
    // A Windows-1250 list whose first line begins with the letters of the mark's bytes ("ď»ż")
    // reads back as UTF-8; the program's keys are ASCII, so its files never begin so.
    // Windows-1250 bytes that happen to form valid UTF-8 beyond ASCII read back as UTF-8, as a file
    // that Notepad saved without the mark does; real Polish text never forms such bytes.
    const QByteArray final = list.toBytes();
    const bool readsAsUtf8 =
        list.encoding() == TextEncoding::Windows1250 && TextCodec::decode(final).encoding != TextEncoding::Windows1250;
    if ((list.encoding() == TextEncoding::Utf8WithMark || !final.startsWith(TextCodec::Utf8Mark)) && !readsAsUtf8)
        FUZZ_CHECK(NameValueList::fromBytes(final).lines() == list.lines());
    return 0;
}
