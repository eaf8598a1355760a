// SPDX-License-Identifier: GPL-3.0-or-later
// Picture loading. Every test picture is made here at run time: JPEG files with libjpeg's encoder
// (so that the colour sampling, progressive mode and CMYK can be chosen), the others with Qt.
#include "platform/Picture.h"
#include "support/PipeGuard.h"
#include "support/SpecialFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

#include <jpeglib.h>

namespace {

// How a test JPEG is stored: 1 or 3 components, the luminance sampling factors (2 x 2 is the usual
// 4:2:0, 2 x 1 is 4:2:2, 1 x 1 keeps the colour at full resolution) and sequential or progressive.
struct Encoding {
    const char *name;
    int components;
    int hSamp;
    int vSamp;
    bool progressive;
};

// Parameters are named in test output by their name alone (their pointers change from build to build).
void PrintTo(const Encoding &e, std::ostream *os) { *os << e.name; }

// Encodes `rows` (height rows of width * components bytes each) with libjpeg.
// `tune` may change the encoder's settings last (a scan script, say).
QByteArray encodeJpeg(int width, int height, J_COLOR_SPACE space, int components,
                      const std::function<QByteArray(int)> &row, const Encoding &e, bool adobeMarker = true,
                      const std::function<void(jpeg_compress_struct &)> &tune = {}) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    if (components == 3) {
        info.comp_info[0].h_samp_factor = e.hSamp;
        info.comp_info[0].v_samp_factor = e.vSamp;
    }
    if (space == JCS_CMYK)
        info.write_Adobe_marker = adobeMarker;
    if (e.progressive)
        jpeg_simple_progression(&info);
    if (tune)
        tune(info);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < height; ++y) {
        QByteArray bytes = row(y);
        JSAMPROW line = reinterpret_cast<JSAMPROW>(bytes.data());
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray file(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return file;
}

QByteArray encodeJpeg(const QImage &picture, const Encoding &e = {"4:2:0", 3, 2, 2, false}) {
    if (e.components == 1) {
        const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
        return encodeJpeg(grey.width(), grey.height(), JCS_GRAYSCALE, 1, [&](int y) {
            return QByteArray(reinterpret_cast<const char *>(grey.constScanLine(y)), grey.width());
        }, e);
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    return encodeJpeg(rgb.width(), rgb.height(), JCS_RGB, 3, [&](int y) {
        return QByteArray(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
    }, e);
}

// Gradients, noise and sharp lines: every block of the picture differs, so an error in the
// cropping or in the colour smoothing at an edge shows up in the pixels.
QImage detailedPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    quint32 seed = 20240611;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 26);  // 0..63
            const bool stripe = x % 37 == 0 || y % 29 == 0;
            line[x] = stripe ? qRgb(255, 255, 0)
                             : qRgb((x * 255 / width + noise) & 255, (y * 255 / height + noise / 2) & 255,
                                    ((x + y) & 255) ^ noise);
        }
    }
    return picture;
}

// Four solid quarters: red, green / blue, white.
QImage quarters(int size) {
    QImage picture(size, size, QImage::Format_RGB32);
    const int half = size / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            picture.setPixel(x, y, y < half ? (x < half ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                            : (x < half ? qRgb(0, 0, 255) : qRgb(255, 255, 255)));
    return picture;
}

QByteArray encodedByQt(const QImage &picture, const char *format = "PNG") {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

// The position of the marker 0xFF `code` in a JPEG file (its 0xFF byte), or -1.
qsizetype markerAt(const QByteArray &jpeg, uchar code) {
    return jpeg.indexOf(QByteArray("\xff") + char(code));
}

bool near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

class PictureTest : public ::testing::Test {
protected:
    QString write(const QString &name, const QByteArray &bytes) const {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

// ---------------------------------------------------------------------------------------------
// Decoding only the visible part gives exactly the pixels of a full decode.

class CroppedDecode : public PictureTest, public ::testing::WithParamInterface<Encoding> {};

TEST_P(CroppedDecode, EqualsTheTopLeftOfAFullDecode) {
    const QString file = write(QStringLiteral("photo.jpg"), encodeJpeg(detailedPicture(1001, 777), GetParam()));
    const QImage full = Picture::load(file);
    ASSERT_EQ(full.size(), QSize(1001, 777));

    // Sizes of the program's image controls, sizes on and off the block grid, one pixel, and sizes
    // reaching or passing the picture's edges.
    const QSize visibleSizes[] = {{321, 193}, {321, 185}, {80, 100}, {320, 192}, {336, 208}, {1, 1},
                                  {17, 9},    {999, 5},   {1000, 776}, {1001, 777}, {5000, 3}, {3, 5000},
                                  {0, 50},    {50, 0}};
    for (const QSize visible : visibleSizes) {
        SCOPED_TRACE(testing::Message() << visible.width() << " x " << visible.height());
        const QImage cropped = Picture::load(file, visible);
        const QSize expected(visible.width() > 0 ? std::min(visible.width(), 1001) : 1001,
                             visible.height() > 0 ? std::min(visible.height(), 777) : 777);
        ASSERT_EQ(cropped.size(), expected);
        EXPECT_EQ(cropped.format(), full.format());
        EXPECT_TRUE(cropped == full.copy(QRect(QPoint(0, 0), expected)));
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, CroppedDecode,
                         ::testing::Values(Encoding{"colour_420", 3, 2, 2, false}, Encoding{"colour_422", 3, 2, 1, false},
                                           Encoding{"colour_444", 3, 1, 1, false}, Encoding{"grey", 1, 1, 1, false},
                                           Encoding{"progressive_420", 3, 2, 2, true}),
                         [](const auto &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Colours and colour models.

TEST_F(PictureTest, ColourJpegKeepsItsColours) {
    // A colour picture comes back as RGB32 with red, green and blue in their places.
    const QImage picture = Picture::load(write(QStringLiteral("quarters.jpg"), encodeJpeg(quarters(64))));
    ASSERT_EQ(picture.format(), QImage::Format_RGB32);
    EXPECT_PRED3(near, picture.pixel(8, 8), qRgb(255, 0, 0), 6);
    EXPECT_PRED3(near, picture.pixel(56, 8), qRgb(0, 255, 0), 6);
    EXPECT_PRED3(near, picture.pixel(8, 56), qRgb(0, 0, 255), 6);
    EXPECT_PRED3(near, picture.pixel(56, 56), qRgb(255, 255, 255), 6);
    EXPECT_EQ(qAlpha(picture.pixel(8, 8)), 255);
}

TEST_F(PictureTest, GreyJpegComesBackGrey) {
    QImage ramp(256, 16, QImage::Format_Grayscale8);
    for (int y = 0; y < ramp.height(); ++y)
        for (int x = 0; x < ramp.width(); ++x)
            ramp.scanLine(y)[x] = uchar(x);
    const QByteArray jpeg = encodeJpeg(ramp, {"grey", 1, 1, 1, false});
    ASSERT_EQ(jpeg[markerAt(jpeg, 0xC0) + 9], 1) << "the test file should hold one component";

    const QImage picture = Picture::load(write(QStringLiteral("ramp.jpg"), jpeg));
    ASSERT_EQ(picture.format(), QImage::Format_Grayscale8);
    for (int x : {0, 64, 128, 200, 255})
        EXPECT_NEAR(picture.constScanLine(8)[x], x, 3) << "at x = " << x;
}

struct CmykRow {
    const char *name;
    bool adobeMarker;  // Adobe applications store 255 minus the ink; others store the ink
};

void PrintTo(const CmykRow &row, std::ostream *os) { *os << row.name; }

class CmykJpeg : public PictureTest, public ::testing::WithParamInterface<CmykRow> {};

TEST_P(CmykJpeg, IsShownInItsColours) {
    // Quarters of pure cyan, magenta, yellow and black ink.
    const bool inverted = GetParam().adobeMarker;
    const auto ink = [inverted](int c, int m, int y, int k) {
        QByteArray pixel;
        for (int v : {c, m, y, k})
            pixel.append(char(inverted ? 255 - v : v));
        return pixel;
    };
    const QByteArray jpeg = encodeJpeg(32, 32, JCS_CMYK, 4, [&](int y) {
        QByteArray row;
        for (int x = 0; x < 32; ++x)
            row += y < 16 ? (x < 16 ? ink(255, 0, 0, 0) : ink(0, 255, 0, 0))
                          : (x < 16 ? ink(0, 0, 255, 0) : ink(0, 0, 0, 255));
        return row;
    }, {"cmyk", 4, 1, 1, false}, inverted);

    const QImage picture = Picture::load(write(QStringLiteral("cmyk.jpg"), jpeg));
    ASSERT_EQ(picture.size(), QSize(32, 32));
    EXPECT_PRED3(near, picture.pixel(4, 4), qRgb(0, 255, 255), 6);
    EXPECT_PRED3(near, picture.pixel(28, 4), qRgb(255, 0, 255), 6);
    EXPECT_PRED3(near, picture.pixel(4, 28), qRgb(255, 255, 0), 6);
    EXPECT_PRED3(near, picture.pixel(28, 28), qRgb(0, 0, 0), 6);
}

INSTANTIATE_TEST_SUITE_P(Markers, CmykJpeg,
                         ::testing::Values(CmykRow{"adobe", true}, CmykRow{"plain", false}),
                         [](const auto &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// The extension chooses the format, letter case ignored.

struct ExtensionRow {
    const char *fileName;
    const char *qtFormat;  // nullptr: a JPEG file from libjpeg's encoder
};

void PrintTo(const ExtensionRow &row, std::ostream *os) { *os << row.fileName; }

class Extension : public PictureTest, public ::testing::WithParamInterface<ExtensionRow> {};

TEST_P(Extension, ChoosesTheReader) {
    const QImage source = quarters(32);
    const ExtensionRow row = GetParam();
    const QString file =
        write(QString::fromLatin1(row.fileName), row.qtFormat ? encodedByQt(source, row.qtFormat) : encodeJpeg(source));
    const QImage picture = Picture::load(file, QSize(20, 24));
    ASSERT_EQ(picture.size(), QSize(20, 24));
    EXPECT_PRED3(near, picture.pixel(2, 2), qRgb(255, 0, 0), 6);
    EXPECT_PRED3(near, picture.pixel(19, 2), qRgb(0, 255, 0), 6);
    EXPECT_PRED3(near, picture.pixel(2, 20), qRgb(0, 0, 255), 6);
}

INSTANTIATE_TEST_SUITE_P(Names, Extension,
                         ::testing::Values(ExtensionRow{"a.jpg", nullptr}, ExtensionRow{"b.JPG", nullptr},
                                           ExtensionRow{"c.JpEg", nullptr}, ExtensionRow{"d.jpeg", nullptr},
                                           ExtensionRow{"e.x.Jpg", nullptr}, ExtensionRow{"f.png", "PNG"},
                                           ExtensionRow{"g.PNG", "PNG"}, ExtensionRow{"h.Bmp", "BMP"},
                                           ExtensionRow{"i.ico", "ICO"}),
                         [](const auto &info) {
                             std::string name = info.param.fileName;
                             for (char &c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// ---------------------------------------------------------------------------------------------
// Files that cannot be shown: an exception that names the file and says why.

// A valid 4:2:0 JPEG of 200 x 150 pixels with detail in every block.
QByteArray goodJpeg() { return encodeJpeg(detailedPicture(200, 150)); }

// The same picture (or `jpeg`) with its frame header claiming other dimensions.
QByteArray claimingSize(int width, int height, QByteArray jpeg = goodJpeg()) {
    const qsizetype sof = markerAt(jpeg, 0xC0);  // FF C0, length (2), precision, height (2), width (2)
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

// A small CMYK JPEG of plain ink.
QByteArray cmykJpeg() {
    return encodeJpeg(32, 32, JCS_CMYK, 4, [](int) { return QByteArray(32 * 4, '\x80'); }, {"cmyk", 4, 1, 1, false});
}

QByteArray cutInImageData() {
    const QByteArray jpeg = goodJpeg();
    const qsizetype scan = markerAt(jpeg, 0xDA);
    return jpeg.left(scan + (jpeg.size() - scan) / 2);
}

// A marker in the middle of the picture data, where only stuffed 0xFF 0x00 pairs may stand.
QByteArray markerInImageData() {
    QByteArray jpeg = goodJpeg();
    const qsizetype middle = markerAt(jpeg, 0xDA) + (jpeg.size() - markerAt(jpeg, 0xDA)) / 2;
    jpeg.replace(middle, 8, QByteArray("\xff\xd9\xff\xd9\xff\xd9\xff\xd9", 8));
    return jpeg;
}

QByteArray badStart() {
    QByteArray jpeg = goodJpeg();
    jpeg[1] = '\x00';
    return jpeg;
}

// The frame asks for quantisation table 3, which the file does not define.
QByteArray undefinedQuantTable() {
    QByteArray jpeg = goodJpeg();
    const qsizetype sof = markerAt(jpeg, 0xC0);
    jpeg[sof + 10 + 2] = 3;  // first component: id, sampling, table
    return jpeg;
}

struct BadFileRow {
    const char *name;
    const char *fileName;
    std::function<QByteArray()> content;
    const char *reason;      // a part of the message
    FileError::Kind kind;    // a picture's kind comes as a PictureError
};

void PrintTo(const BadFileRow &row, std::ostream *os) { *os << row.name; }

class BadFile : public PictureTest, public ::testing::WithParamInterface<BadFileRow> {};

TEST_P(BadFile, IsRefusedWithAReason) {
    const BadFileRow &row = GetParam();
    const QString file = dir.filePath(QString::fromLatin1(row.fileName));
    if (row.content)
        write(QString::fromLatin1(row.fileName), row.content());
    for (const QSize visible : {QSize(), QSize(321, 193)}) {
        SCOPED_TRACE(testing::Message() << "visible " << visible.width() << " x " << visible.height());
        try {
            Picture::load(file, visible);
            ADD_FAILURE() << "no exception";
        } catch (const FileError &error) {
            EXPECT_EQ(error.kind, row.kind);
            EXPECT_EQ(dynamic_cast<const PictureError *>(&error) != nullptr, row.kind != FileError::Kind::Missing);
            EXPECT_EQ(error.fileName, file);
            EXPECT_TRUE(error.reason.contains(QLatin1String(row.reason))) << error.what();
            EXPECT_TRUE(QString::fromStdString(error.what()).contains(file)) << error.what();
        }
    }
}

using K = FileError::Kind;

INSTANTIATE_TEST_SUITE_P(
    Rows, BadFile,
    ::testing::Values(
        BadFileRow{"cut_in_image_data", "cut.jpg", cutInImageData, "Premature end of JPEG file", K::Damaged},
        BadFileRow{"marker_in_image_data", "marker.jpg", markerInImageData, "damaged or cut short", K::Damaged},
        BadFileRow{"bad_start", "start.jpg", badStart, "Not a JPEG file", K::NotAPicture},
        BadFileRow{"undefined_quant_table", "quant.jpg", undefinedQuantTable, "Quantization table 0x03",
                   K::NotAPicture},
        BadFileRow{"header_only", "header.jpg", [] { return goodJpeg().left(20); }, "cut short", K::Damaged},
        BadFileRow{"empty_jpeg", "empty.jpg", [] { return QByteArray(); }, "Empty input file", K::NotAPicture},
        BadFileRow{"png_named_jpg", "png.jpg", [] { return encodedByQt(quarters(8)); }, "Not a JPEG file",
                   K::NotAPicture},
        BadFileRow{"jpeg_named_png", "jpeg.png", goodJpeg, "cannot be read as a PNG picture", K::NotAPicture},
        BadFileRow{"empty_png", "empty.png", [] { return QByteArray(); }, "cannot be read as a PNG picture",
                   K::NotAPicture},
        BadFileRow{"largest_header", "huge.jpg", [] { return claimingSize(65535, 65535); }, "65500", K::NotAPicture},
        BadFileRow{"over_50_megapixels", "big.jpg", [] { return claimingSize(10000, 5001); },
                   "10000 x 5001 pixels", K::TooManyPixels},
        BadFileRow{"cmyk_over_37_megapixels", "cmyk.jpg", [] { return claimingSize(7500, 5001, cmykJpeg()); },
                   "more than 37 megapixels", K::TooManyPixels},
        BadFileRow{"unknown_extension", "notes.TXT", [] { return goodJpeg(); }, "\".TXT\" names no picture format",
                   K::UnknownExtension},
        BadFileRow{"metafile", "drawing.wmf", [] { return goodJpeg(); }, "names no picture format",
                   K::UnknownExtension},
        BadFileRow{"no_extension", "photo", [] { return goodJpeg(); }, "no extension", K::NoExtension},
        BadFileRow{"missing", "missing.jpg", nullptr, "does not exist", K::Missing}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PictureTest, PicturesAtTheSizeLimitArePassedOnToTheDecoder) {
    // 10000 x 5000 is exactly the limit, and 7500 x 5000 for four colour components (one more row is
    // refused, see above): the size is accepted, and the file then fails only on its missing
    // picture data.
    const QString atLimit = write(QStringLiteral("limit.jpg"), claimingSize(10000, 5000));
    const QString cmykAtLimit = write(QStringLiteral("cmyk.jpg"), claimingSize(7500, 5000, cmykJpeg()));
    for (const QString &file : {atLimit, cmykAtLimit}) {
        try {
            Picture::load(file, QSize(321, 193));
            ADD_FAILURE() << "no exception";
        } catch (const PictureError &error) {
            EXPECT_EQ(error.kind, FileError::Kind::Damaged) << error.what();
        }
    }
}

// A progressive grey picture whose last scan (every AC coefficient at full precision) stands
// `scans` - 1 times in the file. libjpeg decodes it without a warning, each copy storing the same
// coefficients again, but every copy costs a pass over the whole picture.
QByteArray repeatedScans(int scans) {
    static const jpeg_scan_info script[] = {{1, {0}, 0, 0, 0, 0}, {1, {0}, 1, 63, 0, 0}};
    const QImage picture = detailedPicture(64, 48).convertToFormat(QImage::Format_Grayscale8);
    QByteArray jpeg = encodeJpeg(
        picture.width(), picture.height(), JCS_GRAYSCALE, 1,
        [&](int y) { return QByteArray(reinterpret_cast<const char *>(picture.constScanLine(y)), picture.width()); },
        {"grey", 1, 1, 1, true}, true, [](jpeg_compress_struct &info) {
            info.scan_info = script;
            info.num_scans = 2;
        });
    const qsizetype lastScan = jpeg.lastIndexOf(QByteArray("\xff\xda"));  // never inside coded data
    const qsizetype end = jpeg.size() - 2;                                  // the end marker FF D9
    const QByteArray scan = jpeg.mid(lastScan, end - lastScan);
    return jpeg.left(end) + scan.repeated(scans - 2) + jpeg.mid(end);
}

TEST_F(PictureTest, AJpegOfMoreScansThanAnyEncoderWritesIsRefused) {
    const QImage twoScans = Picture::load(write(QStringLiteral("two.jpg"), repeatedScans(2)));
    ASSERT_EQ(twoScans.size(), QSize(64, 48));
    const QImage atLimit = Picture::load(write(QStringLiteral("limit.jpg"), repeatedScans(Picture::MaxScans)));
    EXPECT_TRUE(atLimit == twoScans);

    const QString tooMany = write(QStringLiteral("many.jpg"), repeatedScans(Picture::MaxScans + 1));
    for (const QSize visible : {QSize(), QSize(10, 10)}) {
        try {
            Picture::load(tooMany, visible);
            ADD_FAILURE() << "no exception";
        } catch (const PictureError &error) {
            EXPECT_EQ(error.kind, FileError::Kind::TooManyScans);
            EXPECT_EQ(error.limit, Picture::MaxScans);
            EXPECT_TRUE(error.reason.contains(QLatin1String("more than 100 scans"))) << error.what();
        }
    }
}

TEST_F(PictureTest, PictureFilesThatAreNoOrdinaryFilesAreRefusedAtOnce) {
    if (!SpecialFiles::available)
        GTEST_SKIP() << SpecialFiles::whyNot;
    const QString fifo = dir.filePath(QStringLiteral("place.jpg"));
    ASSERT_TRUE(SpecialFiles::makePipe(fifo));
    const QString zero = dir.filePath(QStringLiteral("zero.jpg"));
    ASSERT_TRUE(SpecialFiles::linkToEndlessDevice(zero));
    const QString huge = dir.filePath(QStringLiteral("huge.bmp"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(FileIo::maxBytes(FileKind::Picture) + 1));  // takes no room on the disk
    }
    const auto kindOfFailure = [](const QString &file) {
        try {
            Picture::load(file, QSize(321, 193));
        } catch (const FileError &error) {
            return error.kind;
        }
        ADD_FAILURE() << "no exception for " << file.toStdString();
        return FileError::Kind::Missing;
    };
    EXPECT_EQ(withoutHangingOn(fifo, [&] { return kindOfFailure(fifo); }), FileError::Kind::NotRegularFile);
    EXPECT_EQ(kindOfFailure(zero), FileError::Kind::NotRegularFile);
    EXPECT_EQ(kindOfFailure(huge), FileError::Kind::TooLarge);
}

TEST_F(PictureTest, OnlyFilesExistAndAFolderNamedLikeAPictureIsAFileError) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("x.jpg")));
    const QString folder = dir.filePath(QStringLiteral("x.jpg"));
    EXPECT_FALSE(Picture::exists(QString()));
    EXPECT_FALSE(Picture::exists(dir.filePath(QStringLiteral("none.jpg"))));
    EXPECT_FALSE(Picture::exists(folder));
    EXPECT_TRUE(Picture::exists(write(QStringLiteral("p.jpg"), goodJpeg())));
    try {
        Picture::load(folder);
        ADD_FAILURE() << "no exception";
    } catch (const FileError &error) {
        EXPECT_EQ(error.kind, FileError::Kind::Folder) << error.what();
    }
}

TEST_F(PictureTest, DamageBelowTheVisibleRowsIsNotDecoded) {
    // A tall photograph cut near its end: the top rows are all there, so its visible part can be
    // shown, while the whole picture is refused.
    const QByteArray jpeg = encodeJpeg(detailedPicture(400, 2000));
    const QString file = write(QStringLiteral("tall.jpg"), jpeg.left(jpeg.size() * 9 / 10));
    EXPECT_EQ(Picture::load(file, QSize(321, 193)).size(), QSize(321, 193));
    EXPECT_THROW(Picture::load(file), PictureError);
}

TEST(ShippedPictures, LoadAtTheSizesOfTheirImages) {
    // The sample places' pictures fill a 321 x 193 place image, the pupils' an 80 x 100 person image,
    // and the introduction's illustration is a grey-scale 225 x 314 picture.
    const QDir source(QStringLiteral(GNOMORA_SOURCE_DIR));
    for (int place = 1; place <= 5; ++place) {
        SCOPED_TRACE(testing::Message() << "place " << place);
        const QImage picture = Picture::load(source.filePath(QStringLiteral("data/pictures/place%1.jpg").arg(place)));
        EXPECT_EQ(picture.size(), QSize(321, 193));
        for (int person = 1; person <= 2; ++person) {
            const QString name = QStringLiteral("data/pictures/person%1%2.jpg").arg(place).arg(person);
            EXPECT_EQ(Picture::load(source.filePath(name)).size(), QSize(80, 100)) << name.toStdString();
        }
    }
    const QImage intro = Picture::load(source.filePath(QStringLiteral("src/ui/resources/intro.jpg")));
    EXPECT_EQ(intro.size(), QSize(225, 314));
    EXPECT_EQ(intro.format(), QImage::Format_Grayscale8);
}

// ---------------------------------------------------------------------------------------------
// Photographs larger than their image: shown whole, scaled down.

namespace {

// A phone-size photograph: four coloured quarters, the way a box shows whether all of it is there.
QImage phonePhoto(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.fillRect(0, 0, width / 2, height / 2, QColor(255, 0, 0));
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, QColor(0, 160, 0));
    painter.fillRect(0, height / 2, width / 2, height - height / 2, QColor(0, 0, 255));
    painter.setPen(QPen(Qt::black, 9));
    painter.drawLine(0, 0, width, height);  // detail the scaling must keep
    return picture;
}

// Mean absolute difference per colour channel of two pictures of one size.
double meanDifference(const QImage &a, const QImage &b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

}  // namespace

TEST_F(PictureTest, APhonePhotoIsShownWholeScaledToItsBox) {
    const QString file = write(QStringLiteral("phone.jpg"), encodeJpeg(phonePhoto(4000, 3000)));
    const QSize box(321, 193);
    const QImage shown = Picture::loadToFit(file, box);
    ASSERT_EQ(shown.size(), QSize(257, 193));  // 4:3 kept, as high as the box
    EXPECT_PRED3(near, shown.pixel(20, 20), qRgb(255, 0, 0), 24);
    EXPECT_PRED3(near, shown.pixel(236, 20), qRgb(0, 160, 0), 24);
    EXPECT_PRED3(near, shown.pixel(20, 172), qRgb(0, 0, 255), 24);
    EXPECT_PRED3(near, shown.pixel(236, 172), qRgb(255, 255, 255), 24);
    // The same as decoding the whole photograph and scaling it, up to the DCT scaling's rounding.
    const QImage slow = Picture::load(file).scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ASSERT_EQ(slow.size(), shown.size());
    EXPECT_LT(meanDifference(shown, slow), 3.0);
}

TEST_F(PictureTest, OnAScreenOfMorePixelsAPhotoCoversTheSamePartOfItsBoxMoreSharply) {
    const QSize box(321, 193);
    const QString phone = write(QStringLiteral("phone.jpg"), encodeJpeg(phonePhoto(4000, 3000)));
    const QImage atOne = Picture::loadToFit(phone, box);
    const QImage atTwo = Picture::loadToFit(phone, box, 2);
    EXPECT_EQ(atTwo.size(), QSize(514, 386));
    EXPECT_EQ(atTwo.devicePixelRatio(), 2.0);
    EXPECT_EQ(atTwo.deviceIndependentSize(), QSizeF(atOne.size()));
    EXPECT_PRED3(near, atTwo.pixel(40, 40), qRgb(255, 0, 0), 24);
    EXPECT_PRED3(near, atTwo.pixel(472, 344), qRgb(255, 255, 255), 24);

    // A picture with fewer pixels than that keeps all of its own, over the same part of the box.
    const QString medium = dir.filePath(QStringLiteral("medium.png"));
    phonePhoto(400, 250).save(medium);
    const QImage mediumAtOne = Picture::loadToFit(medium, box);
    const QImage mediumAtTwo = Picture::loadToFit(medium, box, 2);
    EXPECT_EQ(mediumAtTwo.size(), QSize(400, 250));
    EXPECT_NEAR(mediumAtTwo.deviceIndependentSize().width(), mediumAtOne.width(), 0.5);
    EXPECT_NEAR(mediumAtTwo.deviceIndependentSize().height(), mediumAtOne.height(), 0.5);

    // One that fits the box is as it was; the cache keeps each ratio's picture apart.
    const QString small = write(QStringLiteral("small.jpg"), encodeJpeg(quarters(96)));
    EXPECT_EQ(Picture::loadToFit(small, box, 2), Picture::load(small));
    Picture::FittedCache cache;
    cache.load(phone, box);
    EXPECT_EQ(cache.load(phone, box, 2).devicePixelRatio(), 2.0);
    EXPECT_EQ(cache.decodes(), 2);

    // Rounding never leaves a picture a pixel short of its part of the box, for the painter to
    // stretch: a 20 x 12 picture covers 16 x 9 of a 16 x 16 box at every ratio.
    const QString odd = dir.filePath(QStringLiteral("odd.png"));
    phonePhoto(20, 12).save(odd);
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        const QImage fitted = Picture::loadToFit(odd, QSize(16, 16), ratio);
        EXPECT_GE(fitted.devicePixelRatio(), 1.0) << ratio;
        EXPECT_EQ(fitted.deviceIndependentSize().width(), 16.0) << ratio;
        EXPECT_NEAR(fitted.deviceIndependentSize().height(), 9, 0.99) << ratio;
    }
    // A strip far narrower than the box is shown a pixel wide, not left out.
    const QString strip = dir.filePath(QStringLiteral("strip.png"));
    phonePhoto(2, 400).save(strip);
    const QImage fitted = Picture::loadToFit(strip, QSize(16, 16));
    EXPECT_EQ(fitted.deviceIndependentSize(), QSizeF(1, 16));
}

TEST_F(PictureTest, APictureThatFitsIsShownAsItIs) {
    for (const char *name : {"small.jpg", "small.png"}) {
        SCOPED_TRACE(name);
        const QImage picture = quarters(96);
        const QString file = write(QString::fromLatin1(name), QByteArray());
        if (QString::fromLatin1(name).endsWith(u"jpg"))
            write(QString::fromLatin1(name), encodeJpeg(picture));
        else
            picture.save(file);
        EXPECT_EQ(Picture::loadToFit(file, QSize(321, 193)), Picture::load(file, QSize(321, 193)));
    }
    // A PNG larger than its box is scaled as well.
    const QString big = dir.filePath(QStringLiteral("big.png"));
    phonePhoto(800, 600).save(big);
    EXPECT_EQ(Picture::loadToFit(big, QSize(321, 193)).size(), QSize(257, 193));
}

TEST_F(PictureTest, APictureChosenAgainIsNotDecodedAgainUntilItsFileChanges) {
    const QString file = write(QStringLiteral("school.jpg"), encodeJpeg(phonePhoto(1600, 1200)));
    Picture::FittedCache cache;
    const QImage first = cache.load(file, QSize(321, 193));
    EXPECT_EQ(cache.load(file, QSize(321, 193)), first);
    EXPECT_EQ(cache.decodes(), 1);
    cache.load(file, QSize(100, 100));  // another box: another picture
    EXPECT_EQ(cache.decodes(), 2);
    write(QStringLiteral("school.jpg"), encodeJpeg(phonePhoto(1200, 1600)));  // a new photograph
    EXPECT_EQ(cache.load(file, QSize(321, 193)).size(), QSize(144, 193));
    EXPECT_EQ(cache.decodes(), 3);
}

TEST_F(PictureTest, ADamagedPhonePhotoIsStillAnError) {
    const QByteArray whole = encodeJpeg(phonePhoto(4000, 3000));
    const QString file = write(QStringLiteral("cut.jpg"), whole.left(whole.size() / 2));
    try {
        Picture::loadToFit(file, QSize(321, 193));
        ADD_FAILURE() << "a photograph cut in half was shown";
    } catch (const PictureError &e) {
        EXPECT_EQ(e.kind, FileError::Kind::Damaged) << e.what();
    }
}

}  // namespace
