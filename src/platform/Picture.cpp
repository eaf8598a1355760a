// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Picture.h"

#include "platform/PictureJpeg.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace {

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
        throw PictureError(fileName, QStringLiteral("pictures of the kind \".%1\" cannot be read on this "
                                                    "computer (the toolkit's reader for them is missing)")
                                         .arg(extension));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);  // the extension decides, as for JPEG pictures
    const QSize size = reader.size();
    if (size.isValid() && std::int64_t(size.width()) * size.height() > Picture::MaxPixels)
        throw PictureError(fileName, QStringLiteral("the picture claims to be %1 x %2 pixels; pictures of more "
                                                    "than %3 megapixels are refused")
                                         .arg(size.width())
                                         .arg(size.height())
                                         .arg(Picture::MaxPixels / 1'000'000));
    QImage image;
    if (!reader.read(&image))
        throw PictureError(fileName, QStringLiteral("cannot be read as a %1 picture (%2)")
                                         .arg(extension.toUpper(), reader.errorString()));
    const QSize shown = clippedSize(image.size(), visible);
    return shown == image.size() ? image : image.copy(QRect(QPoint(0, 0), shown));
}

}  // namespace

namespace Picture {

bool exists(const QString &fileName) { return !fileName.isEmpty() && FileIo::exists(fileName); }

QImage load(const QString &fileName, QSize visible) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    const bool jpeg = extension == u"jpg" || extension == u"jpeg";
    if (!jpeg && !isToolkitFormat(extension)) {
        if (extension.isEmpty())
            throw PictureError(fileName, QStringLiteral("the name has no extension, so the picture's format is "
                                                        "unknown (use .jpg, .jpeg, .bmp, .png, .gif or .ico)"));
        throw PictureError(fileName, QStringLiteral("the extension \".%1\" names no picture format this program "
                                                    "reads (use .jpg, .jpeg, .bmp, .png, .gif or .ico)")
                                         .arg(QFileInfo(fileName).suffix()));
    }
    const QByteArray bytes = FileIo::readAll(fileName);
    return jpeg ? PictureJpeg::decode(bytes, fileName, visible)
                : loadWithToolkit(bytes, fileName, extension, visible);
}

}  // namespace Picture
