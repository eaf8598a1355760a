// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

// How a text file of the program is stored. Windows-1250 is the default and is written back byte
// for byte as it was read. A file that begins with the UTF-8 byte-order mark is UTF-8 and may hold
// any script; it is written back with the mark, which is never added to a file that lacked it.
// A file without the mark whose bytes are valid UTF-8 and go beyond ASCII (as Notepad saves
// "UTF-8" today) is UTF-8 too, and is written back as UTF-8 without the mark.
enum class TextEncoding { Windows1250, Utf8WithMark, Utf8 };

namespace TextCodec {

inline const QByteArray Utf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

struct Decoded {
    QString text;
    TextEncoding encoding = TextEncoding::Windows1250;
    // Byte offset (the mark included) of the first UTF-8 sequence that cannot come back unchanged
    // when the text is written again (it was decoded as U+FFFD), or -1.
    qsizetype firstInvalidByte = -1;
};

// The encoding follows the bytes: the mark means UTF-8 (the mark itself is not part of the text);
// without it, valid UTF-8 beyond ASCII is UTF-8 and anything else Windows-1250. Only text after a
// mark can hold invalid UTF-8 (firstInvalidByte).
//
// The guess cannot mistake Polish Windows-1250 text for UTF-8 in practice: every byte above 0x7F
// would have to fall into a valid UTF-8 sequence, a lead byte 0xC2-0xF4 (capitals such as Ó, Ć, Ę,
// Ń) followed directly by one to three bytes 0x80-0xBF (ą, ł, ś, ż, ź, the degree sign ...).
// A single lower-case letter such as ó, ę or ń (0xE0-0xFF) before a plain letter, or any ą, ł, ś
// after one, already breaks it; a whole file of nothing but such capital pairs is not a real file.
Decoded decode(const QByteArray &bytes);

// The text as bytes, the mark in front for UTF-8 with the mark. Characters Windows-1250 cannot hold
// become '?'.
QByteArray encode(const QString &text, TextEncoding encoding);

// Whether every character of the text survives being written in the encoding.
bool canHold(const QString &text, TextEncoding encoding);

}  // namespace TextCodec
