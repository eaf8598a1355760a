// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Picture.h"

#include "platform/ModuleLoader.h"
#include "platform/PictureJpegModule.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace {

// The JPEG decoder, loaded the first time a JPEG picture is decoded. Throws FileError (NotLoadable)
// when the module is missing or damaged.
const PictureJpeg::Decoder &jpegModule() { return ModuleLoader::plugin<PictureJpeg::Decoder>(QStringLiteral("jpeg")); }

// The toolkit's formats that the program accepts, by extension (lower case) and Qt format name.
bool isToolkitFormat(const QString &extension) {
    return extension == u"bmp" || extension == u"png" || extension == u"gif" || extension == u"ico";
}

QSize clippedSize(QSize picture, QSize visible) {
    return {visible.width() > 0 ? std::min(picture.width(), visible.width()) : picture.width(),
            visible.height() > 0 ? std::min(picture.height(), visible.height()) : picture.height()};
}

QImage loadWithToolkit(const QByteArray &bytes, const QString &fileName, const QString &extension, QSize visible) {
    const QByteArray format = extension.toLatin1();
    if (!QImageReader::supportedImageFormats().contains(format))
        throw PictureError(FileError::Kind::NoReader, fileName, extension);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);  // the extension decides, as for JPEG pictures
    const QSize size = reader.size();
    if (size.isValid() && std::int64_t(size.width()) * size.height() > Picture::MaxPixels)
        throw PictureError(FileError::Kind::TooManyPixels, fileName,
                           QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()), Picture::MaxPixels);
    QImage image;
    if (!reader.read(&image))
        throw PictureError(FileError::Kind::NotAPicture, fileName, reader.errorString());
    const QSize shown = clippedSize(image.size(), visible);
    return shown == image.size() ? image : image.copy(QRect(QPoint(0, 0), shown));
}

}  // namespace

namespace Picture {

void loadJpegDecoder() {
    try {
        jpegModule();
    } catch (const FileError &) {
    }
}

bool exists(const QString &fileName) { return !fileName.isEmpty() && FileIo::exists(fileName); }

QImage load(const QString &fileName, QSize visible) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    const bool jpeg = extension == u"jpg" || extension == u"jpeg";
    if (!jpeg && !isToolkitFormat(extension)) {
        if (extension.isEmpty())
            throw PictureError(FileError::Kind::NoExtension, fileName);
        throw PictureError(FileError::Kind::UnknownExtension, fileName, QFileInfo(fileName).suffix());
    }
    const QByteArray bytes = FileIo::readAll(fileName, FileKind::Picture);
    return jpeg ? jpegModule().decode(bytes, fileName, visible)
                : loadWithToolkit(bytes, fileName, extension, visible);
}

QImage loadToFit(const QString &fileName, QSize box, qreal pixelRatio) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    const qreal ratio = std::max<qreal>(pixelRatio, 1);
    const QSize deviceBox = (QSizeF(box) * ratio).toSize();
    QImage image;
    if (extension == u"jpg" || extension == u"jpeg")
        image = jpegModule().decodeToFit(FileIo::readAll(fileName, FileKind::Picture), fileName, deviceBox);
    else
        image = load(fileName);
    return fitToBox(image, box, pixelRatio);
}

QImage fitToBox(const QImage &image, QSize box, qreal pixelRatio) {
    if (image.width() <= box.width() && image.height() <= box.height())
        return image;
    // The part of the box it covers, as at a ratio of 1, in as many device pixels as there are.
    const qreal ratio = std::max<qreal>(pixelRatio, 1);
    // At least a pixel across: a strip far narrower than the box's proportions would round to none.
    const QSize shown = image.size().scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    // Exactly that many: the pixels already keep the proportions to a pixel, and fitting them in
    // again could round a pixel off one side, which the painter would then stretch over the box.
    const QSize pixels = (QSizeF(shown) * ratio).toSize().boundedTo(image.size()).expandedTo(shown);
    QImage scaled = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(qreal(scaled.width()) / shown.width());
    return scaled;
}

QImage FittedCache::load(const QString &fileName, QSize box, qreal pixelRatio) {
    const QFileInfo file(fileName);
    const QString key = QStringLiteral("%1|%2|%3|%4x%5|%6")
                            .arg(file.absoluteFilePath())
                            .arg(file.size())
                            .arg(file.lastModified().toMSecsSinceEpoch())
                            .arg(box.width())
                            .arg(box.height())
                            .arg(pixelRatio);
    for (qsizetype i = 0; i < entries_.size(); ++i)
        if (entries_[i].key == key) {
            entries_.move(i, 0);
            return entries_.front().image;
        }
    QImage image = loadToFit(fileName, box, pixelRatio);
    ++decodes_;
    entries_.prepend({key, image});
    if (entries_.size() > capacity_)
        entries_.removeLast();
    return image;
}

}  // namespace Picture
