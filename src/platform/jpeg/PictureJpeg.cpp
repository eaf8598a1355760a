// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/jpeg/PictureJpeg.h"

#include "platform/Picture.h"

#include <QSysInfo>
#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// How a decoded row is turned into a row of the result image.
using RowConverter = void (*)(const JSAMPLE *from, uchar *to, JDIMENSION pixels);

// Everything the libjpeg calls touch, in one plain struct. libjpeg reports a failure by calling
// error_exit, which here longjmps back to `escape`; a longjmp must not skip a C++ destructor, so
// the functions between the setjmp and libjpeg (runGuarded and the steps) use plain data only.
struct JpegDecoder {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];  // why decoding stopped
    bool damaged;                   // stopped by a warning about missing or corrupt picture data
    bool scanLimitReached;              // stopped by the scan limit
    int warnings;                   // all warnings, harmless ones included

    const uchar *data;
    unsigned long dataSize;

    JDIMENSION cropWidth;  // columns to decode from the left edge; 0: all
    JDIMENSION rows;       // rows to decode from the top
    JDIMENSION pixels;     // pixels to keep of each row
    JSAMPLE *rowBuffer;    // one decoded row when it cannot go straight into the image
    uchar *bits;           // the result image's first row
    qsizetype bytesPerLine;
    RowConverter convert;
};

// Warnings about data that does not affect the pixels.
bool isHarmless(int warning) {
    return warning == JWRN_ADOBE_XFORM || warning == JWRN_JFIF_MAJOR || warning == JWRN_BOGUS_ICC
           || warning == JWRN_EXTRANEOUS_DATA;
}

JpegDecoder *decoderOf(j_common_ptr info) { return static_cast<JpegDecoder *>(info->client_data); }

[[noreturn]] void leaveOnError(j_common_ptr info) {
    JpegDecoder *d = decoderOf(info);
    (*info->err->format_message)(info, d->message);
    std::longjmp(d->escape, 1);
}

// libjpeg reports a file cut short inside its picture data ("Premature end of JPEG file") and
// corrupt data only as warnings and would go on with grey or garbled rows: such a picture is
// refused as well.
void onMessage(j_common_ptr info, int level) {
    if (level >= 0)
        return;  // trace output
    JpegDecoder *d = decoderOf(info);
    ++d->warnings;
    if (isHarmless(info->err->msg_code))
        return;
    d->damaged = true;
    leaveOnError(info);
}

void silent(j_common_ptr) {}

// libjpeg calls this before each step of its work, so a file that repeats its scans is stopped
// at the first scan past the limit, as libjpeg-turbo's own tools do.
void limitScans(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= Picture::MaxScans)
        return;
    JpegDecoder *d = decoderOf(info);
    d->scanLimitReached = true;
    std::longjmp(d->escape, 1);
}

using Step = void (*)(JpegDecoder *);

// Runs one step; false when libjpeg reported a failure (d->message says which).
bool runGuarded(JpegDecoder *d, Step step) {
    if (setjmp(d->escape) != 0)
        return false;
    step(d);
    return true;
}

void readHeader(JpegDecoder *d) {
    jpeg_create_decompress(&d->info);  // keeps err and client_data, clears the rest
    d->info.progress = &d->progress;
    jpeg_mem_src(&d->info, d->data, d->dataSize);
    jpeg_read_header(&d->info, TRUE);
}

void start(JpegDecoder *d) {
    jpeg_start_decompress(&d->info);
    if (d->cropWidth > 0 && d->cropWidth < d->info.output_width) {
        JDIMENSION left = 0;
        JDIMENSION width = d->cropWidth;
        jpeg_crop_scanline(&d->info, &left, &width);
    }
}

void readRows(JpegDecoder *d) {
    for (JDIMENSION row = 0; row < d->rows; ++row) {
        uchar *line = d->bits + row * d->bytesPerLine;
        JSAMPLE *target = d->rowBuffer ? d->rowBuffer : line;
        jpeg_read_scanlines(&d->info, &target, 1);
        if (d->rowBuffer)
            d->convert(d->rowBuffer, line, d->pixels);
    }
}

void copyGrey(const JSAMPLE *from, uchar *to, JDIMENSION pixels) { std::memcpy(to, from, pixels); }

void copyRgb32(const JSAMPLE *from, uchar *to, JDIMENSION pixels) {
    std::memcpy(to, from, std::size_t(pixels) * 4);
}

// CMYK as Adobe applications write it: each byte holds 255 minus the ink.
void invertedCmykToRgb32(const JSAMPLE *from, uchar *to, JDIMENSION pixels) {
    auto *out = reinterpret_cast<QRgb *>(to);
    for (JDIMENSION i = 0; i < pixels; ++i, from += 4) {
        const unsigned k = from[3];
        out[i] = qRgb((from[0] * k + 127) / 255, (from[1] * k + 127) / 255, (from[2] * k + 127) / 255);
    }
}

// CMYK with each byte holding the ink itself.
void cmykToRgb32(const JSAMPLE *from, uchar *to, JDIMENSION pixels) {
    auto *out = reinterpret_cast<QRgb *>(to);
    for (JDIMENSION i = 0; i < pixels; ++i, from += 4) {
        const unsigned k = 255u - from[3];
        out[i] = qRgb(((255u - from[0]) * k + 127) / 255, ((255u - from[1]) * k + 127) / 255,
                      ((255u - from[2]) * k + 127) / 255);
    }
}

// Owns the decoder and releases libjpeg's memory however decoding ends.
struct DecoderHolder {
    std::unique_ptr<JpegDecoder> decoder = std::make_unique<JpegDecoder>();  // zero-initialised
    ~DecoderHolder() { jpeg_destroy_decompress(&decoder->info); }  // harmless before creation
};

[[noreturn]] void fail(const JpegDecoder &d, const QString &fileName) {
    if (d.scanLimitReached)
        throw PictureError(FileError::Kind::TooManyScans, fileName, {}, Picture::MaxScans);
    const QString why = QString::fromLocal8Bit(d.message);
    throw PictureError(d.damaged ? FileError::Kind::Damaged : FileError::Kind::NotAPicture, fileName, why);
}

}  // namespace

namespace PictureJpeg {

QImage decode(const QByteArray &bytes, const QString &fileName, QSize visible) {
    return decodeScaled(bytes, fileName, visible, 1);
}

QImage decodeToFit(const QByteArray &bytes, const QString &fileName, QSize box) {
    return decodeScaled(bytes, fileName, box, 0);
}

QImage decodeScaled(const QByteArray &bytes, const QString &fileName, QSize visible, int scaleDenominator) {
    DecoderHolder holder;
    JpegDecoder &d = *holder.decoder;
    d.info.err = jpeg_std_error(&d.errors);
    d.errors.error_exit = leaveOnError;
    d.errors.emit_message = onMessage;
    d.errors.output_message = silent;
    d.info.client_data = &d;
    d.progress.progress_monitor = limitScans;
    d.data = reinterpret_cast<const uchar *>(bytes.constData());
    d.dataSize = static_cast<unsigned long>(bytes.size());

    if (!runGuarded(&d, readHeader))
        fail(d, fileName);

    std::int64_t width = d.info.image_width;
    std::int64_t height = d.info.image_height;
    const std::int64_t pixelLimit =
        std::min(Picture::MaxPixels, Picture::MaxSamples / std::max(1, d.info.num_components));
    if (width * height > pixelLimit)
        throw PictureError(FileError::Kind::TooManyPixels, fileName,
                           QStringLiteral("%1 x %2").arg(width).arg(height), pixelLimit);

    if (scaleDenominator == 0) {
        // To fit a box: a picture that fits is decoded as it is; a larger one whole, at the
        // smallest of 1/2, 1/4, 1/8 of its size that is still no smaller than its fitted size.
        const QSize fitted = QSize(int(width), int(height)).scaled(visible, Qt::KeepAspectRatio);
        scaleDenominator = 1;
        if (width > visible.width() || height > visible.height()) {
            for (int denominator : {8, 4, 2})
                if ((width + denominator - 1) / denominator >= fitted.width() &&
                    (height + denominator - 1) / denominator >= fitted.height()) {
                    scaleDenominator = denominator;
                    break;
                }
            visible = QSize();  // all of it
        }
    }
    if (scaleDenominator > 1) {
        d.info.scale_num = 1;
        d.info.scale_denom = unsigned(scaleDenominator);
        width = (width + scaleDenominator - 1) / scaleDenominator;  // as libjpeg rounds its output
        height = (height + scaleDenominator - 1) / scaleDenominator;
    }

    QImage::Format format = QImage::Format_RGB32;
    switch (d.info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        d.info.out_color_space = JCS_GRAYSCALE;
        format = QImage::Format_Grayscale8;
        d.convert = copyGrey;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        d.info.out_color_space = JCS_CMYK;
        d.convert = d.info.saw_Adobe_marker ? invertedCmykToRgb32 : cmykToRgb32;
        break;
    default:
        // QImage::Format_RGB32 holds 0xffRRGGBB words: bytes B, G, R, 0xff on a little-endian machine.
        d.info.out_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
        d.convert = copyRgb32;
        break;
    }

    const auto visibleWidth = visible.width() > 0 ? JDIMENSION(visible.width()) : JDIMENSION(width);
    const auto visibleHeight = visible.height() > 0 ? JDIMENSION(visible.height()) : JDIMENSION(height);
    d.pixels = std::min(visibleWidth, JDIMENSION(width));
    d.rows = std::min(visibleHeight, JDIMENSION(height));
    // The colour planes are usually stored at half resolution and smoothed back to full size from
    // their neighbours; one more block column on the right keeps the last visible column exact.
    const JDIMENSION blockColumn = JDIMENSION(DCTSIZE) * JDIMENSION(std::max(1, d.info.max_h_samp_factor)) /
                                   JDIMENSION(scaleDenominator);
    if (d.pixels < JDIMENSION(width))
        d.cropWidth = std::min(JDIMENSION(width), d.pixels + blockColumn);

    if (!runGuarded(&d, start))
        fail(d, fileName);

    QImage image(int(d.pixels), int(d.rows), format);
    if (image.isNull())
        throw PictureError(FileError::Kind::OutOfMemory, fileName,
                           QStringLiteral("%1 x %2").arg(d.pixels).arg(d.rows));
    d.bits = image.bits();
    d.bytesPerLine = image.bytesPerLine();

    // Decoded rows go straight into the image when they have its width and layout.
    std::vector<JSAMPLE> rowBuffer;
    const bool direct = d.info.output_width == d.pixels && d.info.out_color_space != JCS_CMYK;
    if (!direct) {
        rowBuffer.resize(std::size_t(d.info.output_width) * std::size_t(d.info.output_components));
        d.rowBuffer = rowBuffer.data();
    }

    if (!runGuarded(&d, readRows))
        fail(d, fileName);
    // Stops without reading the rest of the file: rows below the visible part are never decoded.
    jpeg_abort_decompress(&d.info);
    return image;
}

}  // namespace PictureJpeg
