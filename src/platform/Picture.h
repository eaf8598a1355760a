// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/FileIo.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <cstdint>

// A picture file that exists but cannot be shown: an extension that names no picture format, content
// that does not match the extension, a damaged or cut-short file, or a picture too large to hold or
// too slow to decode. Its kind is one of FileError's picture kinds; what() reads "File <name>: <reason>"
// and the general error report shows it.
class PictureError : public FileError {
public:
    using FileError::FileError;
};

// Loading the photographs of places and persons.
//
// The format follows the file name's extension, letter case ignored:
//   "jpg", "jpeg"               JPEG, decoded with libjpeg (grey-scale, colour and CMYK pictures)
//                               in the JPEG module, which the first JPEG picture loads
//   "bmp", "png", "gif", "ico"  the toolkit's own readers (only those this Qt installation has)
// The content must match the extension: a PNG file named ".jpg" is refused, not sniffed.
//
// The program shows a picture at its own size from the top-left corner of its image control,
// clipped and never stretched. The caller therefore passes the control's size as `visible`, and
// only that top-left part is decoded and returned: a large camera photograph shown in a
// 321 x 193 place image costs only the rows and columns that can be seen.
namespace Picture {

// Pictures with more pixels than this are refused before anything is allocated for them
// (about an 8000 x 6000 camera photograph; far more than any image control can show).
inline constexpr std::int64_t MaxPixels = 50'000'000;

// A progressive JPEG file is decoded whole into the decoder's memory, two bytes per sample: the
// samples of a JPEG picture (width x height x colour components) are bounded as well, to those of
// a 50-megapixel colour photograph (300 MB). A CMYK picture may thus have 37.5 megapixels.
inline constexpr std::int64_t MaxSamples = 150'000'000;

// A progressive JPEG picture arrives in scans that each go over the whole picture again. Encoders
// write about ten (libjpeg 6 to 18, depending on the colour components; optimisers a few dozen),
// but a file may repeat its scans until it takes minutes to show: more than this are refused.
inline constexpr int MaxScans = 100;

// True for the name of an existing file (not a folder); false for an empty name. The program
// hides an image whose picture file does not exist, without a message, and loads it otherwise.
// Loads the JPEG module now, so that the first JPEG picture does not wait for it; a module that
// cannot be loaded is reported when a picture needs it, not here.
void loadJpegDecoder();

bool exists(const QString &fileName);

// Loads the picture file `fileName` (relative names against the current folder).
//
// visible: the largest part that can be shown, in pixels, measured from the top-left corner.
//          The result is the picture's top-left min(width) x min(height) part; a width or height
//          of 0 or less (as in the default QSize()) means the whole picture in that direction.
//
// Returns QImage::Format_Grayscale8 for grey-scale JPEG pictures and Format_RGB32 for the other
// JPEG pictures; the toolkit's formats come back in the format its reader gives.
//
// Throws FileError when the file is missing, is a folder, is no regular file, is larger than
// FileIo::maxBytes(FileKind::Picture) or cannot be read, FileError (NotLoadable) for a JPEG picture
// when the JPEG module cannot be loaded, and PictureError for the cases listed
// above and for a picture beyond the limits above. A JPEG file cut short or damaged within the
// part that is decoded is an error, never a half-grey picture; damage in the rows below the
// visible part is not looked at.
QImage load(const QString &fileName, QSize visible = {});

// Loads a picture for a box of `box` pixels: a picture that fits the box comes back as load()
// gives it; a larger one (a camera photograph) comes back whole, scaled down to fit the box with
// its proportions kept (a JPEG picture is decoded near that size with libjpeg's DCT scaling first,
// so a 4000 x 3000 photograph costs a fraction of a full decode). On a screen of `pixelRatio`
// device pixels per pixel the scaled picture keeps up to that many device pixels per pixel
// (never more than the picture has), and says so in its device pixel ratio: it covers the same
// part of the box as at 1, only sharper. Throws as load() does.
QImage loadToFit(const QString &fileName, QSize box, qreal pixelRatio = 1);

// The scaling step of loadToFit(): `image` as it is when it fits the box, otherwise scaled down
// smoothly to fit it, its proportions kept, with up to `pixelRatio` device pixels per pixel.
QImage fitToBox(const QImage &image, QSize box, qreal pixelRatio = 1);

// The pictures last shown, so that choosing a place again does not decode its photographs again:
// an entry counts while its file keeps its path, size and modification time.
class FittedCache {
public:
    explicit FittedCache(int capacity = 16) : capacity_(capacity) {}
    QImage load(const QString &fileName, QSize box, qreal pixelRatio = 1);
    int decodes() const { return decodes_; }  // the pictures decoded so far, not taken from here

private:
    struct Entry {
        QString key;
        QImage image;
    };
    int capacity_;
    int decodes_ = 0;
    QList<Entry> entries_;  // the most recent first
};

}  // namespace Picture
