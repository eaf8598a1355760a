// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/NameValueList.h"

#include "platform/FileIo.h"

NameValueList::NameValueList(QStringList lines) : lines_(std::move(lines)) {}

namespace {

// The bytes up to the first NUL, which ends the text.
QByteArray beforeNul(const QByteArray &bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}

// Line number (from 1) of a byte offset, for a reader looking for the place in an editor.
qsizetype lineOf(const QByteArray &bytes, qsizetype offset) {
    qsizetype line = 1;
    for (qsizetype i = 0; i < offset; ++i)
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++line;
    return line;
}

// The key as lookups compare it. Keys are nearly always ASCII, whose case folding is A-Z to a-z:
// folded here, they skip the Unicode tables (a language file's index is built at every start).
QString foldedKey(QStringView key) {
    QString folded = key.toString();
    for (QChar &c : folded) {
        const char16_t code = c.unicode();
        if (code >= 0x80)
            return folded.toCaseFolded();
        if (code >= u'A' && code <= u'Z')
            c = QChar(char16_t(code + (u'a' - u'A')));
    }
    return folded;
}

}  // namespace

NameValueList NameValueList::fromBytes(const QByteArray &bytes) {
    return fromDecoded(TextCodec::decode(beforeNul(bytes)));
}

NameValueList NameValueList::fromDecoded(const TextCodec::Decoded &decoded) {
    const QString &text = decoded.text;
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    NameValueList list(std::move(lines));
    list.encoding_ = decoded.encoding;
    return list;
}

QByteArray NameValueList::toBytes() const {
    QString text;
    qsizetype total = 0;
    for (const QString &line : lines_)
        total += line.size() + 2;
    text.reserve(total);
    for (const QString &line : lines_) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return TextCodec::encode(text, encoding_);
}

void NameValueList::load(const QString &fileName, FileKind kind) {
    const QByteArray bytes = FileIo::readAll(fileName, kind);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        throw FileError(FileError::Kind::Utf16, fileName, QString(), 1);
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        throw FileError(FileError::Kind::NulByte, fileName, QString(), lineOf(bytes, nul));
    const TextCodec::Decoded decoded = TextCodec::decode(bytes);
    if (decoded.firstInvalidByte >= 0)
        throw FileError(FileError::Kind::NotUtf8, fileName, QString(), lineOf(bytes, decoded.firstInvalidByte));
    *this = fromDecoded(decoded);
}

void NameValueList::save(const QString &fileName) const {
    FileIo::writeAtomically(fileName, toBytes());
}

QString NameValueList::keyOf(const QString &line) {
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq);
}

QString NameValueList::valueOf(const QString &line) {
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.mid(eq + 1);
}

QStringList NameValueList::linesItCannotHold() const {
    QStringList lines;
    for (const QString &line : lines_)
        if (!TextCodec::canHold(line, encoding_))
            lines.append(line);
    return lines;
}

void NameValueList::clear() {
    lines_.clear();
    encoding_ = TextEncoding::Windows1250;
    firstLineOf_.clear();
    indexValid_ = false;
}

void NameValueList::rebuildIndex() const {
    firstLineOf_.clear();
    firstLineOf_.reserve(lines_.size());
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QString &line = lines_[i];
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString folded = foldedKey(QStringView(line).left(eq));
        if (!firstLineOf_.contains(folded))  // the first line with a key wins
            firstLineOf_.insert(folded, i);
    }
    indexValid_ = true;
}

qsizetype NameValueList::indexOfKey(const QString &key) const {
    if (!indexValid_)
        rebuildIndex();
    return firstLineOf_.value(foldedKey(key), -1);
}

qsizetype NameValueList::indexOfExactKey(const QString &key) const {
    // An exact match is also a case-insensitive one, so start at the first of those.
    // A key never contains "=", since it ends at the first one.
    const qsizetype first = key.contains(u'=') ? -1 : indexOfKey(key);
    if (first < 0)
        return -1;
    for (qsizetype i = first; i < lines_.size(); ++i) {
        const QString &line = lines_[i];
        if (line.size() > key.size() && line[key.size()] == u'=' &&
            line.startsWith(key, Qt::CaseSensitive))
            return i;
    }
    return -1;
}

QString NameValueList::value(const QString &key) const {
    const qsizetype i = indexOfKey(key);
    return i < 0 ? QString() : valueOf(lines_[i]);
}

void NameValueList::setValue(const QString &key, const QString &value) {
    const qsizetype i = indexOfKey(key);
    if (value.isEmpty()) {
        if (i >= 0) {
            lines_.removeAt(i);
            indexValid_ = false;
        }
        return;
    }
    // A line break or NUL inside a value would split the line, or end the text, when the list is
    // read back: such characters become blanks.
    QString oneLine = value;
    for (QChar &c : oneLine)
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            c = u' ';
    const QString line = key + u'=' + oneLine;
    if (i >= 0) {
        lines_[i] = line;  // same key ignoring case: the index stays valid
        return;
    }
    lines_.append(line);
    if (indexValid_)
        firstLineOf_.insert(foldedKey(key), lines_.size() - 1);
}
