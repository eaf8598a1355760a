// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/FileIo.h"
#include "platform/TextEncoding.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// The program's one storage form: a list of text lines, each meaningful line being key "=" value.
// The key is everything before the first "=" and the value everything after it; nothing is trimmed.
// Lookups ignore letter case and take the first matching line; an absent key reads as "".
// Setting a non-empty value rewrites the first matching line (with the key as given) or appends a
// line; setting "" deletes the first matching line. Lines without "=" are carried along unchanged.
//
// As bytes: read with CR LF, lone CR or lone LF as line end, a NUL byte ending the text (load()
// refuses a file holding one); written
// with CR LF after every line, the last one included. The list keeps the encoding it was read in
// (Windows-1250, or UTF-8 when the bytes begin with the byte-order mark) and is written in it.
class NameValueList {
public:
    NameValueList() = default;
    explicit NameValueList(QStringList lines);

    // Invalid UTF-8 after the mark is read as U+FFFD; load() refuses such a file instead.
    static NameValueList fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;

    // Replace the whole content from a file of the given kind (which bounds its size), or write
    // it whole (atomically). Throw FileError. Only a file that can be read whole is taken, because
    // written back, the bytes that could not be read would be lost: a file holding a NUL byte
    // (NulByte, naming its line), one that begins with a UTF-16 mark (Utf16, as an editor's
    // "Unicode" saves it) and one that begins with the UTF-8 mark but is not UTF-8 (NotUtf8,
    // naming the line) are refused.
    void load(const QString &fileName, FileKind kind);
    void save(const QString &fileName) const;

    TextEncoding encoding() const { return encoding_; }
    void setEncoding(TextEncoding encoding) { encoding_ = encoding; }
    // The lines holding a character that the encoding cannot hold (written as '?').
    QStringList linesItCannotHold() const;

    QString value(const QString &key) const;
    void setValue(const QString &key, const QString &value);

    // Index of the first line whose key matches ignoring letter case, or -1.
    qsizetype indexOfKey(const QString &key) const;
    // Index of the first line whose key matches exactly (letter case counts), or -1.
    qsizetype indexOfExactKey(const QString &key) const;

    // The key of a line: the text before its first "="; a line without "=" has none.
    static bool hasKey(const QString &line) { return line.contains(u'='); }
    static QString keyOf(const QString &line);
    static QString valueOf(const QString &line);

    const QStringList &lines() const { return lines_; }
    qsizetype size() const { return lines_.size(); }
    // No lines, and the default encoding again.
    void clear();

private:
    static NameValueList fromDecoded(const TextCodec::Decoded &decoded);
    void rebuildIndex() const;

    QStringList lines_;
    TextEncoding encoding_ = TextEncoding::Windows1250;
    // Case-folded key -> index of its first line. Rebuilt lazily after a deletion.
    mutable QHash<QString, qsizetype> firstLineOf_;
    mutable bool indexValid_ = false;
};
