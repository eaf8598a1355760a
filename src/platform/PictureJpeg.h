// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The JPEG half of Picture::load: decodes the bytes of a JPEG file with libjpeg.
namespace PictureJpeg {

// Decodes the top-left `visible` part of the JPEG picture in `bytes` (a width or height of 0 or
// less: the whole picture in that direction). Only the rows that are needed are decoded, and of
// them only the columns that are needed (plus one block column, so that the colour smoothing at
// the right edge of the result matches a full decode pixel for pixel).
// `fileName` only names the file in error messages. Throws PictureError.
QImage decode(const QByteArray &bytes, const QString &fileName, QSize visible);

}  // namespace PictureJpeg
