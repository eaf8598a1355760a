// SPDX-License-Identifier: GPL-3.0-or-later
// A working folder filled by one release and started with the next: what lands on disk.
#include "lang/WorkFolderUpdate.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

using Files = std::map<QString, QByteArray>;

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

// An installation's data folder, with the manifest the build writes beside the files (sha256sum's
// form), or without one, as releases before versioned files shipped.
void install(const QString &seed, const Files &files, bool withManifest) {
    QDir(seed).removeRecursively();
    QByteArray manifest;
    for (const auto &[name, bytes] : files) {
        write(seed + u'/' + name, bytes);
        manifest += QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + "  " + name.toUtf8() + '\n';
    }
    if (withManifest)
        write(seed + QStringLiteral("/.gnomora-files.sha256"), manifest);
}

const Files FirstRelease = {
    {"Gnomora_Cfg.ini", "Place1=Krak\xf3w\r\n"},
    {"Gnomo_Language_0.ini", "Language=Polski\r\nbtnStart=Start\r\nmsgLate=.\r\n"},
    {"Gnomo_Language_1.ini", "Language=English\r\nbtnStart=Begin\r\n"},
    {"pictures/place1.jpg", "place 1"},
    {"pictures/place2.jpg", "place 2"},
};

// Corrected texts and pictures, new keys, a new picture and another sample configuration.
const Files SecondRelease = {
    {"Gnomora_Cfg.ini", "Place1=Gda\xf1sk\r\n"},
    {"Gnomo_Language_0.ini", "Language=Polski\r\nbtnStart=Start!\r\nmsgNew=Nowy tekst\r\nmsgLate=P\xf3\xbfny tekst\r\n"},
    {"Gnomo_Language_1.ini", "Language=English\r\nbtnStart=Start\r\nmsgNew=New text\r\n"},
    {"pictures/place1.jpg", "place 1, sharper"},
    {"pictures/place2.jpg", "place 2, sharper"},
    {"pictures/place3.jpg", "place 3"},
};

}  // namespace

// Both sides of each rule: a copy the teacher never touched and one they changed, in a folder that
// keeps the list it was filled with and in one filled by a release that kept none, which cannot
// tell the teacher's change from an older copy and so only adds what is missing.
TEST(WorkFolderUpdate, AnUpgradeReplacesUntouchedCopiesAndKeepsWhatTheTeacherWroteOrMade) {
    const QByteArray teachersPolish = "Language=Polski\r\nbtnStart=Zaczynamy\r\nmsgLate=.\r\n";
    struct Row {
        const char *file;
        QByteArray listed, unlisted;  // after the upgrade of a folder that kept its list, and of one without
    } rows[] = {
        {"Gnomora_Cfg.ini", "Place1=Krak\xf3w\r\n", "Place1=Krak\xf3w\r\n"},  // never replaced, even untouched
        // The teacher's text stays, the placeholder takes the new text, the new key is appended.
        {"Gnomo_Language_0.ini", "Language=Polski\r\nbtnStart=Zaczynamy\r\nmsgLate=P\xf3\xbfny tekst\r\nmsgNew=Nowy tekst\r\n",
         "Language=Polski\r\nbtnStart=Zaczynamy\r\nmsgLate=P\xf3\xbfny tekst\r\nmsgNew=Nowy tekst\r\n"},
        {"Gnomo_Language_1.ini", SecondRelease.at("Gnomo_Language_1.ini"),
         "Language=English\r\nbtnStart=Begin\r\nmsgNew=New text\r\n"},
        {"pictures/place1.jpg", "place 1, sharper", "place 1"},
        {"pictures/place2.jpg", "our own photo", "our own photo"},
        {"pictures/place3.jpg", "place 3", "place 3"},
        {"pictures/our school.jpg", "ours", "ours"},
        {"Gnomora_Lesson.ini", "kept lesson", "kept lesson"},
    };
    for (const bool listed : {true, false}) {
        QTemporaryDir root;
        const QString seed = root.filePath(QStringLiteral("usr/share/gnomora"));
        const QString work = root.filePath(QString::fromUtf8("Łukasz/gnomora"));
        install(seed, FirstRelease, listed);
        ASSERT_TRUE(WorkFolder::prepare(seed, work, shippedFileRules()).complete);
        write(work + QStringLiteral("/Gnomo_Language_0.ini"), teachersPolish);
        write(work + QStringLiteral("/pictures/place2.jpg"), "our own photo");
        write(work + QStringLiteral("/pictures/our school.jpg"), "ours");
        write(work + QStringLiteral("/Gnomora_Lesson.ini"), "kept lesson");

        install(seed, SecondRelease, true);
        const WorkFolder::Preparation upgraded = WorkFolder::prepare(seed, work, shippedFileRules());
        EXPECT_TRUE(upgraded.complete);
        for (const Row &row : rows)
            EXPECT_EQ(read(work + u'/' + QString::fromUtf8(row.file)), listed ? row.listed : row.unlisted)
                << row.file << (listed ? " (listed)" : " (no list)");
        const QStringList replaced = listed ? QStringList{"Gnomo_Language_1.ini", "pictures/place1.jpg"} : QStringList{};
        const QStringList completed = listed ? QStringList{"Gnomo_Language_0.ini"}
                                             : QStringList{"Gnomo_Language_0.ini", "Gnomo_Language_1.ini"};
        EXPECT_EQ(upgraded.update.replaced, replaced);
        EXPECT_EQ(upgraded.update.completed, completed);
        EXPECT_EQ(upgraded.update.notUpdated, QStringList{});

        // The next start of the same release finds nothing to do, and says nothing.
        const WorkFolder::Preparation again = WorkFolder::prepare(seed, work, shippedFileRules());
        EXPECT_TRUE(again.update.isEmpty()) << again.update.completed.join(u' ').toStdString();
        EXPECT_EQ(read(work + QStringLiteral("/Gnomo_Language_0.ini")), rows[1].listed);
    }
}

// A changed language file the program cannot read whole is named and left as it is; the others are
// still brought up to date.
TEST(WorkFolderUpdate, ACopyThatCannotBeCompletedIsNamedAndKeptAsItIs) {
    QTemporaryDir root;
    const QString seed = root.filePath(QStringLiteral("data"));
    const QString work = root.filePath(QStringLiteral("work"));
    install(seed, FirstRelease, true);
    ASSERT_TRUE(WorkFolder::prepare(seed, work, shippedFileRules()).complete);
    static const char brokenBytes[] = "Language=Polski\r\nbtnStart=Za\0czynamy\r\n";  // a NUL byte
    const QByteArray broken(brokenBytes, sizeof brokenBytes - 1);
    write(work + QStringLiteral("/Gnomo_Language_0.ini"), broken);

    install(seed, SecondRelease, true);
    const WorkFolder::Preparation upgraded = WorkFolder::prepare(seed, work, shippedFileRules());
    EXPECT_EQ(upgraded.update.notUpdated, QStringList{"Gnomo_Language_0.ini"});
    EXPECT_EQ(read(work + QStringLiteral("/Gnomo_Language_0.ini")), broken);
    EXPECT_EQ(read(work + QStringLiteral("/Gnomo_Language_1.ini")), SecondRelease.at("Gnomo_Language_1.ini"));
    // Tried again on the next start, and named again while it cannot be done.
    EXPECT_EQ(WorkFolder::prepare(seed, work, shippedFileRules()).update.notUpdated, QStringList{"Gnomo_Language_0.ini"});
}
