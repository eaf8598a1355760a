// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/LangView.h"
#include "lang/TLang.h"
#include "platform/ScriptedPrompter.h"
#include "store/TComm.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

struct RecordingLangView : LangView {
    QStringList captions;
    void setLanguageFileCaption(const QString &fileName) override { captions.append(fileName); }
};

// A working folder with a language file, and the objects that read it.
struct LangFixture {
    TempWorkDir dir;
    ScriptedPrompter prompter;
    RecordingLangView view;
    TComm comm{prompter, Locale{u'.', u'/'}};
    TLang lang{comm, prompter, view};

    explicit LangFixture(const QByteArray &file0, const QByteArray &cfg = QByteArray()) {
        if (!file0.isNull())
            dir.write("Gnomo_Language_0.ini", file0);
        if (!cfg.isNull())
            dir.write("Gnomora_Cfg.ini", cfg);
        comm.Init();
        lang.Init();
    }
};

}  // namespace

TEST(TLang, WithoutConfigurationTheDefaultFileIsLoaded) {
    LangFixture f("Language=Polski\r\nbtnPrint=Drukuj\r\n");
    EXPECT_EQ(f.comm.GetValue("LangFileName"), QString("Gnomo_Language_0.ini"));
    EXPECT_EQ(f.lang.GetText("BTNPRINT"), QString("Drukuj"));
    EXPECT_EQ(f.view.captions, QStringList{"Gnomo_Language_0.ini"});
    EXPECT_FALSE(f.lang.Changed);
    EXPECT_TRUE(f.prompter.messages.isEmpty());
}

TEST(TLang, ConfiguredFileIsLoaded) {
    TempWorkDir dir;
    LangFixture f(QByteArray(), "LangFileName=Gnomo_Language_7.ini\r\n");
    ASSERT_EQ(f.prompter.messages, QStringList{"File Gnomo_Language_7.ini cannot be loaded"});
    EXPECT_TRUE(f.view.captions.isEmpty());
    EXPECT_EQ(f.lang.Texts.size(), 0);
    // every text is empty at first, "." afterwards
    EXPECT_EQ(f.lang.GetText("MainForm"), QString());
    EXPECT_EQ(f.lang.GetText("MainForm"), QString("."));
}

TEST(TLang, GetTextPresentEmptyAndMissingKeys) {
    LangFixture f("empty=\r\nlower=small letters\r\nblank =x\r\n");
    EXPECT_EQ(f.lang.GetText("LOWER"), QString("small letters"));
    // present with an empty text: empty, untouched
    EXPECT_EQ(f.lang.GetText("empty"), QString());
    EXPECT_FALSE(f.lang.Changed);
    EXPECT_EQ(f.lang.Texts.size(), 3);
    // missing: empty, then "."; appended at the end
    EXPECT_EQ(f.lang.GetText("blank"), QString());
    EXPECT_TRUE(f.lang.Changed);
    EXPECT_EQ(f.lang.GetText("blank"), QString("."));
    EXPECT_EQ(f.lang.Texts.lines().last(), QString("blank=."));
}

TEST(TLang, EmptyTextUnderAnotherCaseIsRewrittenInPlace) {
    LangFixture f("EMPTY=\r\nnext=1\r\n");
    EXPECT_EQ(f.lang.GetText("Empty"), QString());
    EXPECT_TRUE(f.lang.Changed);
    EXPECT_EQ(f.lang.Texts.lines(), (QStringList{"Empty=.", "next=1"}));
    EXPECT_EQ(f.lang.GetText("empty"), QString("."));
}

TEST(TLang, GetLines) {
    LangFixture f("t_00=\r\nt_01=second\r\nu_00=one\r\nu_01=two\r\nu_02=three\r\n"
                  "w_00=a\r\nw_10=k\r\n");
    EXPECT_EQ(f.lang.GetLines("t", 2), QString("\r\nsecond"));
    EXPECT_EQ(f.lang.GetLines("u", 1), QString("one"));
    EXPECT_EQ(f.lang.GetLines("u", 0), QString("one"));
    EXPECT_EQ(f.lang.GetLines("u", 7), QString("one\r\ntwo\r\nthree"));
    const QStringList lines = f.lang.Texts.lines();
    EXPECT_EQ(lines.mid(lines.size() - 4),
              (QStringList{"u_03=.", "u_04=.", "u_05=.", "u_06=."}));
    EXPECT_EQ(f.lang.GetLines("u", 7), QString("one\r\ntwo\r\nthree\r\n.\r\n.\r\n.\r\n."));
    // lines 10 and on are keyed _10, _11 ...
    EXPECT_EQ(f.lang.GetLines("w", 11), QString("a\r\nk"));
    EXPECT_GE(f.lang.Texts.indexOfExactKey("w_09"), 0);
}

TEST(TLang, JunkFilesLoadWithoutHarm) {
    QByteArray junk;
    for (int i = 0; i < 70000; ++i)
        junk.append(static_cast<char>((i * 7919) % 251 + 1));  // binary, no NUL
    LangFixture f(junk + QByteArray("\0MainForm=hidden", 16));
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    EXPECT_EQ(f.lang.GetText("MainForm"), QString());
}
