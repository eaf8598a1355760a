// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The JPEG half of Picture::load: decodes the bytes of a JPEG file with libjpeg. The program reaches
// it through the JPEG module (platform/PictureJpegModule.h), never by linking it.
namespace PictureJpeg {

// Decodes the top-left `visible` part of the JPEG picture in `bytes` (a width or height of 0 or
// less: the whole picture in that direction). Only the rows that are needed are decoded, and of
// them only the columns that are needed (plus one block column, so that the colour smoothing at
// the right edge of the result matches a full decode pixel for pixel).
// `fileName` only names the file in error messages. Throws PictureError.
QImage decode(const QByteArray &bytes, const QString &fileName, QSize visible);

// For a box of `box` pixels: a picture that fits is decoded as decode() does; a larger one is
// decoded whole, at 1/2, 1/4 or 1/8 of its size with libjpeg's DCT scaling (the smallest that is
// still no smaller than the picture fitted into the box), for the caller to scale down smoothly.
QImage decodeToFit(const QByteArray &bytes, const QString &fileName, QSize box);

// decode() at 1/scaleDenominator of the picture's size (1, 2, 4 or 8); `visible` is then a part
// of the scaled picture. A denominator of 0 chooses as decodeToFit() does.
QImage decodeScaled(const QByteArray &bytes, const QString &fileName, QSize visible, int scaleDenominator);

}  // namespace PictureJpeg
