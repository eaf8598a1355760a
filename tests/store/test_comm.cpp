// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIo.h"
#include "platform/ScriptedPrompter.h"
#include "store/TComm.h"
#include "support/FileSizeLimit.h"
#include "support/PipeGuard.h"
#include "support/SpecialFiles.h"
#include "support/TempDir.h"

#include <QDir>
#include <functional>
#include <gtest/gtest.h>

namespace {
Locale dotLocale() { return Locale{u'.', u'/'}; }
}  // namespace

TEST(TComm, TextToInt) {
    struct Row { const char *text; int value; };
    const Row rows[] = {
        {"0", 0}, {"42", 42}, {"-3", -3}, {"+7", 7}, {"007", 7},
        {"", 0}, {"-", 0}, {"+", 0}, {"abc", 0}, {"12a", 0}, {" 5", 0}, {"5 ", 0}, {"1.5", 0},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", 0}, {"-2147483649", 0}, {"99999999999999999999", 0},
        {"\xd9\xa3", 0},  // an Arabic-Indic digit is no decimal digit here
    };
    for (const Row &r : rows)
        EXPECT_EQ(TComm::TextToInt(QString::fromUtf8(r.text)), r.value) << r.text;
    EXPECT_EQ(TComm::TextToInt(QString(10000, u'9')), 0);
    EXPECT_EQ(TComm::TextToInt(QString(10000, u'0') + "5"), 5);
}

TEST(TComm, TextToFloatUsesTheLocaleSeparator) {
    ScriptedPrompter prompter;
    const TComm dot(prompter, dotLocale());
    const TComm comma(prompter, Locale{u',', u'.'});
    struct Row { const char *text; double dotValue; double commaValue; };
    const Row rows[] = {
        {"1.5", 1.5, 0}, {"1,5", 0, 1.5}, {"-0.25", -0.25, 0}, {"3", 3, 3}, {"+2", 2, 2},
        {"1.5E-5", 1.5e-5, 0}, {"2E15", 2e15, 2e15}, {"1e-300", 1e-300, 1e-300},
        {".5", 0.5, 0}, {"5.", 5, 0},
        {"", 0, 0}, {"abc", 0, 0}, {"1.5 ", 0, 0}, {" 1", 0, 0}, {"1e", 0, 0}, {"e5", 0, 0},
        {"inf", 0, 0}, {"nan", 0, 0}, {"1e999", 0, 0}, {"0x10", 0, 0},
    };
    for (const Row &r : rows) {
        EXPECT_DOUBLE_EQ(dot.TextToFloat(r.text), r.dotValue) << r.text;
        EXPECT_DOUBLE_EQ(comma.TextToFloat(r.text), r.commaValue) << r.text;
    }
    EXPECT_EQ(dot.TextToFloat(QString(10000, u'9')), 0);  // beyond double: not a number
}

TEST(TComm, MissingFileGivesEmptyConfigurationAndSaveCreatesIt) {
    TempWorkDir dir;
    ScriptedPrompter prompter;
    TComm comm(prompter, dotLocale());
    comm.Init();
    EXPECT_EQ(comm.ActiveStep, 1);
    EXPECT_EQ(comm.HoverStep, 0);
    EXPECT_EQ(comm.GetValue("Place1"), QString());
    EXPECT_TRUE(prompter.messages.isEmpty());
    comm.SetValue("LangFileName", "Gnomo_Language_0.ini");
    comm.SaveCfg();
    EXPECT_EQ(dir.read("Gnomora_Cfg.ini"), QByteArray("LangFileName=Gnomo_Language_0.ini\r\n"));
}

TEST(TComm, KeyInOtherCaseIsRewrittenInPlaceAndCommentsSurvive) {
    TempWorkDir dir;
    dir.write("Gnomora_Cfg.ini", "; our schools\r\nplace1=Old\r\nNoonH1=12\r\n");
    ScriptedPrompter prompter;
    TComm comm(prompter, dotLocale());
    comm.Init();
    EXPECT_EQ(comm.GetValue("Place1"), QString("Old"));
    comm.SetValue("Place1", "New");
    comm.SaveCfg();
    EXPECT_EQ(dir.read("Gnomora_Cfg.ini"), QByteArray("; our schools\r\nPlace1=New\r\nNoonH1=12\r\n"));
}

TEST(TComm, UnreadableConfigurationIsKeptAsAnErrorAndTheRunGoesOn) {
    // A folder, a pipe (whose opening would wait for a writer), a link to an endless device and a
    // file larger than any configuration: each is refused without being read, and kept for the
    // start window to report once a language is loaded to word it in.
    struct Row {
        const char *name;
        std::function<void()> make;
        FileError::Kind kind;
    } rows[] = {
        {"folder", [] { QDir().mkdir("Gnomora_Cfg.ini"); }, FileError::Kind::Folder},
        {"pipe", [] { SpecialFiles::makePipe("Gnomora_Cfg.ini"); }, FileError::Kind::NotRegularFile},
        {"device", [] { SpecialFiles::linkToEndlessDevice("Gnomora_Cfg.ini"); }, FileError::Kind::NotRegularFile},
        {"too large",
         [] {
             QFile file("Gnomora_Cfg.ini");
             file.open(QIODevice::WriteOnly);
             file.resize(FileIo::maxBytes(FileKind::Configuration) + 1);  // takes no room on the disk
         },
         FileError::Kind::TooLarge},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (row.kind == FileError::Kind::NotRegularFile && !SpecialFiles::available)
            continue;  // see SpecialFiles::whyNot
        TempWorkDir dir;
        row.make();
        ScriptedPrompter prompter;
        TComm comm(prompter, dotLocale());
        withoutHangingOn("Gnomora_Cfg.ini", [&] { comm.Init(); });
        EXPECT_TRUE(prompter.messages.isEmpty());
        ASSERT_TRUE(comm.CfgReadError.has_value());
        EXPECT_EQ(comm.CfgReadError->kind, row.kind);
        EXPECT_EQ(comm.CfgReadError->fileName, QString("Gnomora_Cfg.ini"));
        EXPECT_TRUE(comm.CfgUnread);
        EXPECT_EQ(comm.Cfg.size(), 0);
    }
}

TEST(TComm, ConfigurationWithANulByteIsNotReadAndNotReplaced) {
    TempWorkDir dir;
    QByteArray bytes = "Place1=A\r\n";
    for (int i = 0; i < 100000; ++i)
        bytes += "Junk" + QByteArray::number(i) + "=x\r\n";
    bytes += QByteArray("Place2=B\0Place3=C\r\n", 19);
    dir.write("Gnomora_Cfg.ini", bytes);
    ScriptedPrompter prompter;
    TComm comm(prompter, dotLocale());
    comm.Init();
    ASSERT_TRUE(comm.CfgReadError.has_value());
    EXPECT_EQ(comm.CfgReadError->kind, FileError::Kind::NulByte);
    EXPECT_EQ(comm.CfgReadError->limit, 100002);
    EXPECT_TRUE(comm.CfgUnread);
    comm.SetValue("Place1", "B");
    EXPECT_THROW(comm.SaveCfg(), FileError);
    EXPECT_EQ(dir.read("Gnomora_Cfg.ini"), bytes);
}

TEST(TComm, FailedSaveReportsTheFileAndKeepsTheOldOne) {
    TempWorkDir dir;
    const QByteArray old = "; keep me\r\nPlace1=Kept\r\n";
    dir.write("Gnomora_Cfg.ini", old);
    ScriptedPrompter prompter;
    TComm comm(prompter, dotLocale());
    comm.Init();
    comm.SetValue("Place1", QString(100000, u'x'));
#ifndef _WIN32  // see SpecialFiles::noFileSizeLimit
    {
        FileSizeLimit limit(4096);
        try {
            comm.SaveCfg();
            ADD_FAILURE() << "the save did not fail";
        } catch (const FileError &e) {
            EXPECT_EQ(e.fileName, QString("Gnomora_Cfg.ini"));
        }
    }
    EXPECT_EQ(dir.read("Gnomora_Cfg.ini"), old);
    EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{"Gnomora_Cfg.ini"});  // no leftovers
#endif
    // A folder in the file's place: the folder stays, the error names the file.
    TempWorkDir other;
    QDir().mkdir("Gnomora_Cfg.ini");
    EXPECT_THROW(comm.SaveCfg(), FileError);
    EXPECT_TRUE(QFileInfo("Gnomora_Cfg.ini").isDir());
}
