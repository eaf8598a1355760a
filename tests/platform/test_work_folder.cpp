// SPDX-License-Identifier: GPL-3.0-or-later
// The user's working folder, filled from the installed files without ever overwriting the
// teacher's own, and the list of the installed files' hashes it is compared by.
#include "platform/WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void write(const QString &name, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(name).path());
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString &name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

}  // namespace

TEST(WorkFolder, GnomoraHomeWinsOverTheUsersApplicationData) {
    struct Row {
        const char *userData, *home, *expected;
    } rows[] = {
#ifdef _WIN32
        {"C:\\Users\\Łukasz\\AppData\\Roaming", "", "C:/Users/Łukasz/AppData/Roaming/Gnomora"},
        {"C:\\Users\\Łukasz\\AppData\\Roaming", "D:\\Klasa 4b\\", "D:/Klasa 4b"},
#else
        {"/home/łukasz/.local/share", "", "/home/łukasz/.local/share/Gnomora"},
        {"/home/łukasz/.local/share", "/srv/klasa 4b/", "/srv/klasa 4b"},
#endif
        {"", "/home/ola/gnomora", "/home/ola/gnomora"},
        {"", "", ""},  // nowhere to work: the caller reports it
    };
    for (const Row &row : rows)
        EXPECT_EQ(WorkFolder::location(QString::fromUtf8(row.userData), QString::fromUtf8(row.home)),
                  QString::fromUtf8(row.expected))
            << row.userData << " | " << row.home;
}

TEST(WorkFolder, TheFirstStartFillsTheFolderAndLaterOnesKeepTheTeachersFiles) {
    QTemporaryDir root;
    const QString seed = root.filePath(QStringLiteral("installed/data"));
    const QString work = root.filePath(QString::fromUtf8("Łukasz/AppData/Gnomora"));
    write(seed + QStringLiteral("/Gnomora_Cfg.ini"), "Place1=Shipped\r\n");
    write(seed + QStringLiteral("/Gnomo_Language_0.ini"), "Language=Polski\r\n");
    write(seed + QStringLiteral("/pictures/place1.jpg"), "jpeg");

    ASSERT_TRUE(WorkFolder::prepare(seed, work).complete);
    EXPECT_EQ(read(work + QStringLiteral("/Gnomora_Cfg.ini")), QByteArray("Place1=Shipped\r\n"));
    EXPECT_EQ(read(work + QStringLiteral("/pictures/place1.jpg")), QByteArray("jpeg"));

    // The teacher changes the places and deletes a picture; a newer version ships another language.
    write(work + QStringLiteral("/Gnomora_Cfg.ini"), "Place1=Our school\r\n");
    QFile::remove(work + QStringLiteral("/pictures/place1.jpg"));
    write(seed + QStringLiteral("/Gnomo_Language_1.ini"), "Language=English\r\n");
    write(seed + QStringLiteral("/Gnomora_Cfg.ini"), "Place1=Shipped anew\r\n");

    ASSERT_TRUE(WorkFolder::prepare(seed, work).complete);
    EXPECT_EQ(read(work + QStringLiteral("/Gnomora_Cfg.ini")), QByteArray("Place1=Our school\r\n"));
    EXPECT_EQ(read(work + QStringLiteral("/Gnomo_Language_1.ini")), QByteArray("Language=English\r\n"));
    EXPECT_EQ(read(work + QStringLiteral("/pictures/place1.jpg")), QByteArray("jpeg"));
}

TEST(WorkFolder, AFolderThatCannotBeMadeOrFilledIsReported) {
    QTemporaryDir root;
    const QString seed = root.filePath(QStringLiteral("data"));
    write(seed + QStringLiteral("/Gnomora_Cfg.ini"), "Place1=Shipped\r\n");
    write(seed + QStringLiteral("/pictures/place1.jpg"), "jpeg");

    // A file stands where the folder should be; no folder is known at all.
    write(root.filePath(QStringLiteral("taken")), "a file");
    EXPECT_FALSE(WorkFolder::prepare(seed, root.filePath(QStringLiteral("taken"))).complete);
    EXPECT_FALSE(WorkFolder::prepare(seed, root.filePath(QStringLiteral("taken/Gnomora"))).complete);
    EXPECT_FALSE(WorkFolder::prepare(seed, QString()).complete);
    // No installed files to fill it with.
    EXPECT_FALSE(WorkFolder::prepare(root.filePath(QStringLiteral("no-data")), root.filePath(QStringLiteral("w"))).complete);

    // A file stands where a subfolder of installed files should be: the rest is still copied.
    const QString work = root.filePath(QStringLiteral("work"));
    write(work + QStringLiteral("/pictures"), "a file");
    EXPECT_FALSE(WorkFolder::prepare(seed, work).complete);
    EXPECT_EQ(read(work + QStringLiteral("/Gnomora_Cfg.ini")), QByteArray("Place1=Shipped\r\n"));
}

// The list names files inside the folder only: a line that would reach beside or above it, or that
// is no "<sha256>  <path>" line, is left out.
TEST(WorkFolder, TheManifestNamesOnlyFilesInsideTheFolder) {
    const QByteArray hash(64, 'a');
    const struct {
        QByteArray line;
        const char *path;  // listed as, or nullptr
    } rows[] = {
        {hash + " *pictures/place1.jpg\r", "pictures/place1.jpg"},  // sha256sum's binary mode, CR LF
        {hash.toUpper() + "  " + QString::fromUtf8("zdjęcia/szkoła.jpg").toUtf8(), "zdjęcia/szkoła.jpg"},
        {hash + "  pictures/../../Gnomora_Cfg.ini", nullptr},
        {hash + "  /etc/passwd", nullptr},
        {hash + "  C:/Windows/win.ini", nullptr},
        {hash.left(63) + "g  x.ini", nullptr},
    };
    for (const auto &row : rows) {
        const WorkFolder::Manifest manifest = WorkFolder::parseManifest(row.line + "\n");
        EXPECT_EQ(manifest.keys(), row.path ? QStringList{QString::fromUtf8(row.path)} : QStringList{}) << row.line.data();
        EXPECT_EQ(manifest.value(QString::fromUtf8(row.path)), row.path ? hash : QByteArray()) << row.line.data();
    }
}
