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

// An installation's data folder with the manifest the build writes (sha256sum's form), or without
// one, as releases before versioned files shipped.
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

const char BrokenGerman[] = "Language=Deutsch\r\nbtnStart=Los\0\r\n";  // a NUL byte: not read whole

}  // namespace

// Both sides of each rule: copies the teacher never touched and ones they changed, in a folder that
// keeps the list it was filled with and in one filled by a release that kept none, which cannot
// tell the teacher's change from an older copy and so only adds what is missing.
TEST(WorkFolderUpdate, AnUpgradeReplacesUntouchedCopiesAndKeepsWhatTheTeacherWroteOrMade) {
    const Files first = {
        {"Gnomora_Cfg.ini", "Place1=Krak\xf3w\r\n"},
        {"Gnomo_Language_0.ini", "Language=Polski\r\nbtnStart=Start\r\nmsgLate=.\r\n"},
        {"Gnomo_Language_1.ini", "Language=English\r\nbtnStart=Begin\r\n"},
        {"Gnomo_Language_2.ini", "Language=Deutsch\r\n"},
        {"pictures/place1.jpg", "place 1"},
        {"pictures/place2.jpg", "place 2"},
    };
    // Corrected texts and pictures, new keys, a new picture and another sample configuration.
    Files second = first;
    second["Gnomora_Cfg.ini"] = "Place1=Gda\xf1sk\r\n";
    second["Gnomo_Language_0.ini"] = "Language=Polski\r\nbtnStart=Start!\r\nmsgNew=Nowy\r\nmsgLate=P\xf3\xbfno\r\n";
    second["Gnomo_Language_1.ini"] = "Language=English\r\nbtnStart=Start\r\nmsgNew=New\r\n";
    second["Gnomo_Language_2.ini"] = "Language=Deutsch\r\nbtnStart=Start\r\n";
    second["pictures/place1.jpg"] = "place 1, sharper";
    second["pictures/place2.jpg"] = "place 2, sharper";
    second["pictures/place3.jpg"] = "place 3";
    const QByteArray broken(BrokenGerman, sizeof BrokenGerman - 1);
    struct Row {
        const char *file;
        QByteArray listed, unlisted;  // after the upgrade of a folder that kept its list, of one without
    } rows[] = {
        {"Gnomora_Cfg.ini", first.at("Gnomora_Cfg.ini"), first.at("Gnomora_Cfg.ini")},  // even untouched
        // The teacher's text stays, the placeholder takes the new text, the new key is appended.
        {"Gnomo_Language_0.ini", "Language=Polski\r\nbtnStart=Zaczynamy\r\nmsgLate=P\xf3\xbfno\r\nmsgNew=Nowy\r\n",
         "Language=Polski\r\nbtnStart=Zaczynamy\r\nmsgLate=P\xf3\xbfno\r\nmsgNew=Nowy\r\n"},
        {"Gnomo_Language_1.ini", second.at("Gnomo_Language_1.ini"), "Language=English\r\nbtnStart=Begin\r\nmsgNew=New\r\n"},
        {"Gnomo_Language_2.ini", broken, broken},
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
        install(seed, first, listed);
        ASSERT_TRUE(WorkFolder::prepare(seed, work, shippedFileRules()).complete);
        for (const auto &[name, bytes] : Files{{"Gnomo_Language_0.ini", "Language=Polski\r\nbtnStart=Zaczynamy\r\nmsgLate=.\r\n"},
                                               {"Gnomo_Language_2.ini", broken}, {"pictures/place2.jpg", "our own photo"},
                                               {"pictures/our school.jpg", "ours"}, {"Gnomora_Lesson.ini", "kept lesson"}})
            write(work + u'/' + name, bytes);

        install(seed, second, true);
        const WorkFolder::Preparation upgraded = WorkFolder::prepare(seed, work, shippedFileRules());
        EXPECT_TRUE(upgraded.complete);
        for (const Row &row : rows)
            EXPECT_EQ(read(work + u'/' + QString::fromUtf8(row.file)), listed ? row.listed : row.unlisted)
                << row.file << (listed ? " (listed)" : " (no list)");
        EXPECT_EQ(upgraded.update.replaced, listed ? QStringList({"Gnomo_Language_1.ini", "pictures/place1.jpg"}) : QStringList());
        EXPECT_EQ(upgraded.update.completed, listed ? QStringList{"Gnomo_Language_0.ini"}
                                                    : QStringList({"Gnomo_Language_0.ini", "Gnomo_Language_1.ini"}));
        EXPECT_EQ(upgraded.update.notUpdated, QStringList{"Gnomo_Language_2.ini"});

        // The next start finds nothing more to do; what could not be done is tried and named again.
        const WorkFolder::Update again = WorkFolder::prepare(seed, work, shippedFileRules()).update;
        EXPECT_EQ(again.replaced + again.completed, QStringList());
        EXPECT_EQ(again.notUpdated, QStringList{"Gnomo_Language_2.ini"});
        EXPECT_EQ(read(work + QStringLiteral("/Gnomo_Language_0.ini")), rows[1].listed);
    }
}
