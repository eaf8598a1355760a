// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

// The program's 8-bit code page, Windows-1250 (Central European), in which every file is read and
// written unless it begins with the UTF-8 mark (TextEncoding.h). Bytes 0x00-0x7F are ASCII; 0x80-0xFF follow a fixed table. The five bytes that
// Windows-1250 leaves undefined map to the C1 control characters of the same number, so every
// byte survives a decode and encode unchanged.
namespace AnsiCodec {

QString decode(const QByteArray &bytes);

// Characters the code page cannot hold are written as '?'.
QByteArray encode(const QString &text);

// Whether the code page holds every character of the text.
bool canEncode(const QString &text);

}  // namespace AnsiCodec
