// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

// JPEG decoding as Picture uses it: a module (libgnomora-jpeg.so, built from platform/jpeg/) that
// is loaded the first time a JPEG picture is decoded, so that starting the program neither loads
// nor binds libjpeg. The module's root object implements this interface; platform/jpeg/PictureJpeg.h
// says what the functions do. They throw PictureError as that code does.
namespace PictureJpeg {

class Decoder {
public:
    virtual ~Decoder() = default;
    virtual QImage decode(const QByteArray &bytes, const QString &fileName, QSize visible) const = 0;
    virtual QImage decodeToFit(const QByteArray &bytes, const QString &fileName, QSize box) const = 0;
};

}  // namespace PictureJpeg

// The interface's id names its version: a change of its functions takes the next one.
#define GnomoraPictureJpegDecoder_iid "org.gnomora.PictureJpeg.Decoder/1"
Q_DECLARE_INTERFACE(PictureJpeg::Decoder, GnomoraPictureJpegDecoder_iid)
