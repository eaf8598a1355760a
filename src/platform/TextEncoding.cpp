// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextEncoding.h"

#include "platform/AnsiCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace TextCodec {

namespace {

// A mark right after the first one is text (U+FEFF), not a second mark to drop.
QString fromUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(bytes);
}

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}  // namespace

Decoded decode(const QByteArray &bytes) {
    if (!bytes.startsWith(Utf8Mark)) {
        if (!isAscii(bytes) && bytes.isValidUtf8())
            return {fromUtf8(bytes), TextEncoding::Utf8, -1};
        return {AnsiCodec::decode(bytes), TextEncoding::Windows1250, -1};
    }
    const QByteArrayView body = QByteArrayView(bytes).sliced(Utf8Mark.size());
    Decoded result{fromUtf8(body), TextEncoding::Utf8WithMark, -1};
    // Valid UTF-8 comes back unchanged when encoded again; an invalid sequence does not, and the
    // first byte where they part is where it starts.
    const QByteArray again = result.text.toUtf8();
    if (QByteArrayView(again) != body) {
        qsizetype at = 0;
        while (at < again.size() && at < body.size() && again[at] == body[at])
            ++at;
        result.firstInvalidByte = Utf8Mark.size() + at;
    }
    return result;
}

QByteArray encode(const QString &text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Windows1250: return AnsiCodec::encode(text);
    case TextEncoding::Utf8: return text.toUtf8();
    case TextEncoding::Utf8WithMark: break;
    }
    return Utf8Mark + text.toUtf8();
}

bool canHold(const QString &text, TextEncoding encoding) {
    if (encoding == TextEncoding::Windows1250)
        return AnsiCodec::canEncode(text);
    QStringEncoder encoder(QStringEncoder::Utf8);
    (void)encoder.encode(text);  // only a lone surrogate half fails
    return !encoder.hasError();
}

}  // namespace TextCodec
