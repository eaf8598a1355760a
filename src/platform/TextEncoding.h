// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

// How a text file of the program is stored. Windows-1250 is the default and is written back byte
// for byte as it was read. A file that begins with the UTF-8 byte-order mark is UTF-8 and may hold
// any script; it is written back with the mark, which is never added to a file that lacked it.
enum class TextEncoding { Windows1250, Utf8WithMark };

namespace TextCodec {

inline const QByteArray Utf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

struct Decoded {
    QString text;
    TextEncoding encoding = TextEncoding::Windows1250;
    // Byte offset (the mark included) of the first UTF-8 sequence that cannot come back unchanged
    // when the text is written again (it was decoded as U+FFFD), or -1.
    qsizetype firstInvalidByte = -1;
};

// The encoding follows the first bytes: the mark means UTF-8 (the mark itself is not part of the text).
Decoded decode(const QByteArray &bytes);

// The text as bytes, the mark in front for UTF-8. Characters Windows-1250 cannot hold become '?'.
QByteArray encode(const QString &text, TextEncoding encoding);

// Whether every character of the text survives being written in the encoding.
bool canHold(const QString &text, TextEncoding encoding);

}  // namespace TextCodec
