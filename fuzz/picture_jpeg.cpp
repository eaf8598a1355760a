// SPDX-License-Identifier: GPL-3.0-or-later
// The JPEG loader on arbitrary bytes, with and without a visible size.
//
// Input: two bytes giving the visible width and height (0: the whole picture in that direction),
// then the file's bytes.
// Invariants:
//  - a failure is a PictureError, never a crash, a hang or undefined behaviour;
//  - a picture comes back grey (Grayscale8) or in colour (RGB32), no larger than the visible size;
//  - the visible part decoded alone equals the top-left corner of the whole picture decoded
//    (checked on pictures of up to a million pixels when both decode).
#include "FuzzSupport.h"
#include "platform/Picture.h"
#include "platform/PictureJpeg.h"

#include <QImage>
#include <cstdint>

namespace {

QImage decodeOrNull(const QByteArray &bytes, QSize visible) {
    try {
        return PictureJpeg::decode(bytes, QStringLiteral("fuzz.jpg"), visible);
    } catch (const PictureError &) {
        return {};
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2)
        return 0;
    const QSize visible(data[0], data[1]);
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data) + 2, qsizetype(size - 2));

    const QImage part = decodeOrNull(bytes, visible);
    if (part.isNull())
        return 0;
    FUZZ_CHECK(part.format() == QImage::Format_Grayscale8 || part.format() == QImage::Format_RGB32,
               "format %d", int(part.format()));
    FUZZ_CHECK(visible.width() == 0 || part.width() <= visible.width());
    FUZZ_CHECK(visible.height() == 0 || part.height() <= visible.height());
    if (visible.width() == 0 && visible.height() == 0)
        return 0;
    if (std::int64_t(part.width()) * part.height() > 1'000'000)
        return 0;

    const QImage whole = decodeOrNull(bytes, QSize());
    if (whole.isNull())
        return 0;  // damage below or beside the visible part is not looked at
    FUZZ_CHECK(whole.format() == part.format());
    FUZZ_CHECK(visible.width() == 0 || part.width() == std::min(visible.width(), whole.width()));
    FUZZ_CHECK(visible.height() == 0 || part.height() == std::min(visible.height(), whole.height()));
    FUZZ_CHECK(whole.copy(0, 0, part.width(), part.height()) == part,
               "%dx%d part of a %dx%d picture differs", part.width(), part.height(), whole.width(), whole.height());
    return 0;
}
