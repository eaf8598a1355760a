// SPDX-License-Identifier: GPL-3.0-or-later
// The path every photograph of a school or pupil takes: the JPEG file decoded to fit its box
// (PictureJpeg::decodeToFit, with libjpeg's DCT scaling for large pictures), then scaled down
// smoothly into the box (Picture::fitToBox) for a screen of 1, 1.5 or 2 device pixels per pixel.
//
// Input: two bytes giving the box's width and height (1..256 pixels), a byte choosing the pixel
// ratio, then the file's bytes.
// Invariants:
//  - a failure is a PictureError, never a crash, a hang or undefined behaviour;
//  - the decoded picture is grey (Grayscale8) or in colour (RGB32); a picture that fits the box
//    comes back whole at its size, a larger one whole at 1/1, 1/2, 1/4 or 1/8 of its size, no
//    smaller than the picture fitted into the box;
//  - what is shown covers at most the box, in no more device pixels than the ratio allows (to the
//    rounding of a pixel), and is never empty.
// Pictures whose header claims more than 4 million pixels are only decoded (the loader is fuzzed
// on large pictures by picture_jpeg); comparing them would spend the run's time on whole decodes.
#include "FuzzSupport.h"
#include "platform/Picture.h"
#include "platform/jpeg/PictureJpeg.h"

#include <QImage>
#include <cmath>
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

// The size that the frame header claims, read as the loader reads it; empty without a header.
QSize claimedSize(const QByteArray &bytes) {
    HeaderReader r{};
    r.info.err = jpeg_std_error(&r.errors);
    r.errors.error_exit = escape;
    r.errors.output_message = silent;
    r.info.client_data = &r;
    if (setjmp(r.escape) != 0) {
        jpeg_destroy_decompress(&r.info);
        return {};
    }
    jpeg_create_decompress(&r.info);
    jpeg_mem_src(&r.info, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&r.info, TRUE);
    const QSize size(int(r.info.image_width), int(r.info.image_height));
    jpeg_destroy_decompress(&r.info);
    return size;
}

QSize scaledBy(QSize size, int denominator) {
    return {(size.width() + denominator - 1) / denominator, (size.height() + denominator - 1) / denominator};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 3)
        return 0;
    const QSize box(data[0] + 1, data[1] + 1);
    const qreal ratio = 1 + (data[2] % 3) * 0.5;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data) + 3, qsizetype(size - 3));
    // The box in device pixels, as Picture::loadToFit asks the decoder for it.
    const QSize deviceBox = (QSizeF(box) * ratio).toSize();

    QImage decoded;
    try {
        decoded = PictureJpeg::decodeToFit(bytes, QStringLiteral("fuzz.jpg"), deviceBox);
    } catch (const PictureError &) {
        return 0;
    }
    FUZZ_CHECK(decoded.format() == QImage::Format_Grayscale8 || decoded.format() == QImage::Format_RGB32,
               "format %d", int(decoded.format()));
    const QSize picture = claimedSize(bytes);
    if (std::int64_t(picture.width()) * picture.height() > 4'000'000)
        return 0;

    if (picture.width() <= deviceBox.width() && picture.height() <= deviceBox.height()) {
        FUZZ_CHECK(decoded.size() == picture, "%dx%d picture decoded as %dx%d", picture.width(), picture.height(),
                   decoded.width(), decoded.height());
    } else {
        const QSize fitted = picture.scaled(deviceBox, Qt::KeepAspectRatio);
        bool scaledWhole = false;
        for (int denominator : {1, 2, 4, 8})
            scaledWhole = scaledWhole || decoded.size() == scaledBy(picture, denominator);
        FUZZ_CHECK(scaledWhole, "%dx%d picture decoded as %dx%d", picture.width(), picture.height(), decoded.width(),
                   decoded.height());
        FUZZ_CHECK(decoded.width() >= fitted.width() && decoded.height() >= fitted.height(),
                   "%dx%d decoded below its fitted %dx%d", decoded.width(), decoded.height(), fitted.width(),
                   fitted.height());
    }

    const QImage shown = Picture::fitToBox(decoded, box, ratio);
    FUZZ_CHECK(!shown.isNull() && shown.width() > 0 && shown.height() > 0, "%dx%d decoded as %dx%d, shown as %dx%d in %dx%d",
               picture.width(), picture.height(), decoded.width(), decoded.height(), shown.width(), shown.height(),
               box.width(), box.height());
    // Up to the ratio asked for, give or take the rounding of a whole number of device pixels.
    const qreal pixelRatio = shown.devicePixelRatio();
    const QSizeF covered = QSizeF(shown.size()) / pixelRatio;
    FUZZ_CHECK(std::isfinite(pixelRatio) && pixelRatio >= 1 && pixelRatio <= ratio + 0.5 / covered.width() + 1e-9,
               "ratio %g of %g, %dx%d", pixelRatio, ratio, shown.width(), shown.height());
    FUZZ_CHECK(covered.width() <= box.width() + 1 && covered.height() <= box.height() + 1,
               "%dx%d at %g covers more than the %dx%d box", shown.width(), shown.height(), pixelRatio, box.width(),
               box.height());
    return 0;
}
