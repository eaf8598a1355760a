// SPDX-License-Identifier: GPL-3.0-or-later
// The JPEG loader on arbitrary bytes, with and without a visible size.
//
// Input: two bytes giving the visible width and height (0: the whole picture in that direction),
// then the file's bytes.
// Invariants:
//  - a failure is a PictureError, never a crash, a hang or undefined behaviour;
//  - a picture comes back grey (Grayscale8) or in colour (RGB32), no larger than the visible size;
//  - the visible part decoded alone equals the top-left corner of the whole picture decoded
//    (checked on pictures of up to a million pixels when both decode; larger ones would spend the
//    run's time on decoding rows the program never decodes).
#include "FuzzSupport.h"
#include "platform/Picture.h"
#include "platform/jpeg/PictureJpeg.h"

#include <QImage>
#include <csetjmp>
#include <cstdint>
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>

namespace {

struct HeaderReader {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    std::jmp_buf escape;
};

[[noreturn]] void escape(j_common_ptr info) {
    std::longjmp(static_cast<HeaderReader *>(info->client_data)->escape, 1);
}

void silent(j_common_ptr) {}

// The pixels the frame header claims, read as the loader reads it; 0 when there is no header.
// Tells the harness whether decoding the whole picture is cheap enough to compare with.
std::int64_t claimedPixels(const QByteArray &bytes) {
    HeaderReader r{};
    r.info.err = jpeg_std_error(&r.errors);
    r.errors.error_exit = escape;
    r.errors.output_message = silent;
    r.info.client_data = &r;
    if (setjmp(r.escape) != 0) {
        jpeg_destroy_decompress(&r.info);
        return 0;
    }
    jpeg_create_decompress(&r.info);
    jpeg_mem_src(&r.info, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&r.info, TRUE);
    const std::int64_t pixels = std::int64_t(r.info.image_width) * r.info.image_height;
    jpeg_destroy_decompress(&r.info);
    return pixels;
}

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
    if (claimedPixels(bytes) > 1'000'000)
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
