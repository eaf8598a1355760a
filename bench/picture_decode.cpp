// SPDX-License-Identifier: GPL-3.0-or-later
// A 4000 x 3000 camera-sized JPEG in the 321 x 193 place image (and in an 80 x 100 person image):
// shown whole, fitted (decoded at 1/8 with libjpeg's DCT scaling, then smoothed), against the
// slower way to the same picture, a full decode scaled down; and the top-left corner alone, as a
// picture that fits is shown. All include reading the file.
// BM_FirstPhotograph: the first photograph of a fresh process fitted into the place image, timed
// inside a new process each time (this program run again with --first-photograph): with the JPEG
// module still to be loaded, as a photograph chosen at once would find it, and with the module
// loaded beforehand, as the main window loads it once it is idle after its first paint.
#include "platform/Picture.h"
#include "support/BenchMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <string_view>

namespace {

QString photoFile;

// A photograph-like picture: smooth gradients with fine noise, so that it compresses like a photo
// (about 1.5 bits per pixel) rather than like a flat drawing.
QImage photoLike(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    quint32 seed = 7;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28);  // 0..15
            line[x] = qRgb((x / 16 + noise) & 255, (y / 12 + noise) & 255, ((x + y) / 28 + 2 * noise) & 255);
        }
    }
    return picture;
}

void decode(benchmark::State &state, QSize visible) {
    for (auto _ : state) {
        const QImage picture = Picture::load(photoFile, visible);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

void BM_PlaceImage_Cropped(benchmark::State &state) { decode(state, QSize(321, 193)); }
void BM_PersonImage_Cropped(benchmark::State &state) { decode(state, QSize(80, 100)); }
void BM_Full(benchmark::State &state) { decode(state, QSize()); }

void fit(benchmark::State &state, QSize box) {
    for (auto _ : state) {
        const QImage picture = Picture::loadToFit(photoFile, box);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

void BM_PlaceImage_Fitted(benchmark::State &state) { fit(state, QSize(321, 193)); }
void BM_PlaceImage_FullDecodeScaled(benchmark::State &state) {
    for (auto _ : state) {
        const QImage picture =
            Picture::load(photoFile).scaled(QSize(321, 193), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

// The child's side: the time of the first photograph, in milliseconds, on standard output.
int firstPhotograph(const QString &file, bool decoderLoaded) {
    if (decoderLoaded)
        Picture::loadJpegDecoder();
    QElapsedTimer timer;
    timer.start();
    const QImage picture = Picture::loadToFit(file, QSize(321, 193));
    const double elapsed = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%.4f\n", elapsed);
    return picture.isNull() ? 1 : 0;
}

void BM_FirstPhotograph(benchmark::State &state, bool decoderLoaded) {
    for (auto _ : state) {
        QProcess child;
        QStringList arguments{QStringLiteral("--first-photograph"), photoFile};
        if (decoderLoaded)
            arguments << QStringLiteral("--decoder-loaded");
        child.start(QCoreApplication::applicationFilePath(), arguments);
        bool ok = false;
        const double ms = child.waitForFinished() && child.exitCode() == 0
                              ? child.readAllStandardOutput().trimmed().toDouble(&ok)
                              : 0;
        if (!ok) {
            state.SkipWithError("the child process gave no time");
            break;
        }
        state.SetIterationTime(ms / 1000);
    }
}

BENCHMARK_CAPTURE(BM_FirstPhotograph, fresh, false)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstPhotograph, decoderLoaded, true)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaceImage_Fitted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaceImage_FullDecodeScaled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaceImage_Cropped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PersonImage_Cropped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Full)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {
std::unique_ptr<QTemporaryDir> dir;  // the pictures
}  // namespace

BenchProgram benchProgram() {
    BenchProgram program(BenchProgram::Application::Core);  // lets Qt find its JPEG writer plugin
    program.prepare = [](int argc, char **argv) -> std::optional<int> {
        if (argc >= 3 && argv[1] == std::string_view("--first-photograph"))
            return firstPhotograph(QString::fromLocal8Bit(argv[2]), argc == 4);
        dir = std::make_unique<QTemporaryDir>();
        photoFile = dir->filePath(QStringLiteral("photo.jpg"));
        QImageWriter writer(photoFile, "jpeg");
        writer.setQuality(90);
        if (!writer.write(photoLike(4000, 3000))) {
            std::fprintf(stderr, "cannot write the test photograph: %s\n", qPrintable(writer.errorString()));
            return 1;
        }
        std::fprintf(stderr, "test photograph: 4000 x 3000, %lld bytes\n", QFile(photoFile).size());
        return std::nullopt;
    };
    program.finish = [] { dir.reset(); };
    return program;
}
