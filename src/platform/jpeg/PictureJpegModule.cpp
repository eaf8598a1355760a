// SPDX-License-Identifier: GPL-3.0-or-later
// The JPEG module's root object (see platform/PictureJpegModule.h).
#include "platform/PictureJpegModule.h"

#include "platform/jpeg/PictureJpeg.h"

#include <QObject>
#include <QtPlugin>

class PictureJpegModule : public QObject, public PictureJpeg::Decoder {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID GnomoraPictureJpegDecoder_iid)
    Q_INTERFACES(PictureJpeg::Decoder)
public:
    QImage decode(const QByteArray &bytes, const QString &fileName, QSize visible) const override {
        return PictureJpeg::decode(bytes, fileName, visible);
    }
    QImage decodeToFit(const QByteArray &bytes, const QString &fileName, QSize box) const override {
        return PictureJpeg::decodeToFit(bytes, fileName, box);
    }
};

#include "PictureJpegModule.moc"
