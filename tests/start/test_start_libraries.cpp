// SPDX-License-Identifier: GPL-3.0-or-later
// What starting the program loads: with the shipped configuration, both windows built and the
// introduction painted, neither libjpeg nor the JPEG module is in the process; the main window
// brings them once it is idle after its first paint. A program of its own, so that no earlier test has loaded a picture.
#include "platform/Picture.h"
#include "support/AppFixture.h"

#include <QDirIterator>
#include <QStringList>
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <link.h>
#endif

namespace {

#ifdef _WIN32
// libjpeg is built into the JPEG module: the module, as far as it is loaded.
QStringList jpegLibraries() {
    return GetModuleHandleW(L"gnomora-jpeg.dll") ? QStringList{QStringLiteral("gnomora-jpeg.dll")} : QStringList();
}
#else

// The libraries in the process (the program itself as an empty name).
QStringList loadedLibraries() {
    QStringList names;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *list) {
            static_cast<QStringList *>(list)->append(QString::fromLocal8Bit(info->dlpi_name));
            return 0;
        },
        &names);
    return names;
}

// libjpeg and the JPEG module, as far as they are loaded.
QStringList jpegLibraries() {
    QStringList found;
    for (const QString &path : loadedLibraries()) {
        const QString name = path.section(u'/', -1);
        if (name.startsWith(QStringLiteral("libjpeg")) || name.startsWith(QStringLiteral("libgnomora-jpeg")))
            found << name;
    }
    return found;
}
#endif

// A working folder as the launcher seeds it: the shipped language files, configuration and photographs.
void seedShippedFolder(const TempWorkDir &dir) {
    const QString shipped = QStringLiteral(GNOMORA_SOURCE_DIR "/data");
    QDirIterator files(shipped, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString name = files.next().mid(shipped.size() + 1);
        QDir(dir.path()).mkpath(QFileInfo(name).path());
        dir.write(name, AppFixture::shippedFile(name));
    }
}

}  // namespace

TEST(Start, LoadsNoJpegDecoderUntilTheMainWindowIsIdle) {
    AppFixture app;
    seedShippedFolder(app.dir);
    ASSERT_TRUE(QFile::exists(app.dir.file(QStringLiteral("pictures/place1.jpg"))));
    // The start window alone, painted and idle: starting loads neither.
    app.startProgram();
    app.start->grab();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(jpegLibraries(), QStringList());

    // Shown, painted and idle after that, the main window loads both (on Windows the module that
    // holds libjpeg), so that the first photograph finds them.
    app.openMainWindow();
    app.main->grab();  // the introduction's illustration painted
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
#ifdef _WIN32
    EXPECT_EQ(jpegLibraries().size(), 1);
#else
    EXPECT_EQ(jpegLibraries().size(), 2) << qPrintable(loadedLibraries().join(u'\n'));
#endif
    ASSERT_FALSE(Picture::load(app.dir.file(QStringLiteral("pictures/place1.jpg"))).isNull());
}
