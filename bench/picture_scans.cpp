// SPDX-License-Identifier: GPL-3.0-or-later
// What the scan limit leaves of a JPEG picture whose scans repeat. Each scan of a progressive file
// goes over the whole picture however little data it holds, so a small file of large dimensions
// and many scans takes long to show. The file here is the worst the program still shows: an
// 8000 x 6000 colour picture (48 megapixels, just under the pixel limit) of even colour, stored in
// four scans (the DC coefficients, then all AC coefficients of each colour plane at once, which
// libjpeg accepts again and again without a warning), the last of them repeated up to the limit of
// 100 scans; shown in the 321 x 193 place image.
//   BM_FourScans       the picture as written (4 scans)
//   BM_ScanLimit       100 scans: shown
//   BM_PastTheLimit    101 scans: refused at the 101st
// Medians of five runs:  bench_picture_scans --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "platform/Picture.h"
#include "support/BenchMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <jpeglib.h>

namespace {

constexpr int Width = 8000;
constexpr int Height = 6000;

QString fourScans, scanLimit, pastTheLimit;

QByteArray evenPicture() {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = Width;
    info.image_height = Height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    static const jpeg_scan_info script[] = {
        {3, {0, 1, 2}, 0, 0, 0, 0}, {1, {1}, 1, 63, 0, 0}, {1, {2}, 1, 63, 0, 0}, {1, {0}, 1, 63, 0, 0}};
    info.scan_info = script;
    info.num_scans = 4;
    jpeg_start_compress(&info, TRUE);
    QByteArray row(Width * 3, '\x60');
    JSAMPROW line = reinterpret_cast<JSAMPROW>(row.data());
    for (int y = 0; y < Height; ++y)
        jpeg_write_scanlines(&info, &line, 1);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray file(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return file;
}

// The file with its last scan repeated until it holds `scans`.
QByteArray withScans(const QByteArray &jpeg, int written, int scans) {
    const qsizetype lastScan = jpeg.lastIndexOf(QByteArray("\xff\xda"));
    const qsizetype end = jpeg.size() - 2;
    return jpeg.left(end) + jpeg.mid(lastScan, end - lastScan).repeated(scans - written) + jpeg.mid(end);
}

QString save(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
    return file.fileName();
}

void decode(benchmark::State &state, const QString &file) {
    for (auto _ : state) {
        try {
            const QImage picture = Picture::load(file, QSize(321, 193));
            benchmark::DoNotOptimize(picture.constBits());
        } catch (const PictureError &error) {
            state.SetLabel(QString::fromUtf8(error.what()).section(u':', 1).trimmed().left(60).toStdString());
        }
    }
}

void BM_FourScans(benchmark::State &state) { decode(state, fourScans); }
void BM_ScanLimit(benchmark::State &state) { decode(state, scanLimit); }
void BM_PastTheLimit(benchmark::State &state) { decode(state, pastTheLimit); }

BENCHMARK(BM_FourScans)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PastTheLimit)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {
std::unique_ptr<QTemporaryDir> dir;  // the pictures
}  // namespace

BenchProgram benchProgram() {
    BenchProgram program(BenchProgram::Application::Core);
    program.prepare = [](int, char **) -> std::optional<int> {
        dir = std::make_unique<QTemporaryDir>();
        const QByteArray picture = evenPicture();
        fourScans = save(*dir, QStringLiteral("four.jpg"), picture);
        scanLimit = save(*dir, QStringLiteral("limit.jpg"), withScans(picture, 4, Picture::MaxScans));
        pastTheLimit = save(*dir, QStringLiteral("past.jpg"), withScans(picture, 4, Picture::MaxScans + 1));
        std::fprintf(stderr, "files of %lld and %lld bytes\n", QFile(fourScans).size(), QFile(scanLimit).size());
        return std::nullopt;
    };
    program.finish = [] { dir.reset(); };
    return program;
}
