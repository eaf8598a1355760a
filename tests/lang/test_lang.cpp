// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/LangView.h"
#include "lang/TLang.h"
#include "platform/BuiltInText.h"
#include "platform/FileIo.h"
#include "platform/ScriptedPrompter.h"
#include "store/TComm.h"
#include "support/PipeGuard.h"
#include "support/SpecialFiles.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Records what the language object shows; a refresh runs the lookups a test gives it, as the
// windows' show handling would.
struct RecordingLangView : LangView {
    QStringList captions;
    QStringList items;
    int index = -1;
    int refreshes = 0;
    std::function<void()> onRefresh;

    void setLanguageFileCaption(const QString &fileName) override { captions.append(fileName); }
    void setLanguageList(const QStringList &newItems, int newIndex) override {
        items = newItems;
        index = newIndex < newItems.size() ? newIndex : -1;  // as a list chooses nothing beyond its end
    }
    int languageListIndex() const override { return index; }
    void refreshTexts() override {
        ++refreshes;
        if (onRefresh)
            onRefresh();
    }
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
    // No language to word it in: the built-in wording in the system's language.
    ASSERT_EQ(f.prompter.messages, QStringList{builtInText(BuiltInText::LanguageFileNotLoaded)
                                                   .arg("Gnomo_Language_7.ini", builtInText(BuiltInText::ReasonMissing))});
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

namespace {
QStringList loggedMessages;
void recordMessage(QtMsgType, const QMessageLogContext &, const QString &message) { loggedMessages << message; }
}  // namespace

// A translator may leave out a placeholder or reorder them: the text reads as written and
// nothing is logged (QString::arg would warn "Argument missing" and, chained, fill the wrong one).
TEST(TLang, PlaceholdersAreFilledByTheirNumberAndAMissingOneLogsNothing) {
    LangFixture f("inside=40 008 km lies inside.\r\nswapped=%2, then %1\r\n");
    loggedMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordMessage);
    EXPECT_EQ(f.lang.GetText("inside", {"40008"}), "40 008 km lies inside.");
    EXPECT_EQ(f.lang.GetText("swapped", {"a", "b"}), "b, then a");
    EXPECT_EQ(f.lang.GetText("swapped", {"a"}), "%2, then a");  // a placeholder without a value stays
    EXPECT_EQ(f.lang.GetText("swapped", {"%2", "x"}), "x, then %2");  // a value is never filled again
    EXPECT_EQ(FillPlaceholders("only %2 and 100%", {"a", "b"}), "only b and 100%");
    EXPECT_EQ(FillPlaceholders("%10 of %1", QStringList(10, "v")), "v of v");
    qInstallMessageHandler(previous);
    EXPECT_TRUE(loggedMessages.isEmpty()) << loggedMessages.join('|').toStdString();
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

TEST(TLang, TextsAreCutAtWhatAWindowCanShowAndKeptWholeInTheFile) {
    // A start text of megabytes on one line would keep the start window from ever appearing.
    // (Texts are compared with == so that a failure does not print them.)
    const QByteArray huge(100000, 'x');
    const QString shown(TLang::MaxTextLength, u'x');
    LangFixture f("Language=" + huge + "\r\nedStartText_00=" + huge + "\r\nedStartText_01=" + huge
                  + "\r\nMainForm=" + huge + "\r\n");
    EXPECT_TRUE(f.lang.GetText("MainForm") == shown);
    EXPECT_TRUE(f.lang.GetLines("edStartText", 2) == shown);
    f.lang.FillLangList();
    ASSERT_EQ(f.view.items.size(), 1);
    EXPECT_TRUE(f.view.items.first() == shown);

    // A character outside the 16-bit range is not split in two at the cut.
    QString pair(TLang::MaxTextLength - 1, u'y');
    pair += QString::fromUtf8("\xf0\x9f\x8c\x8d");  // a globe, two 16-bit halves
    f.lang.Texts.setValue("pair", pair);
    EXPECT_TRUE(f.lang.GetText("pair") == pair.left(TLang::MaxTextLength - 1));

    // Writing the file back (the refresh adds a key) keeps every text whole.
    f.view.onRefresh = [&] { f.lang.GetText("missingKey"); };
    f.lang.ReloadLang();
    const QByteArray written = f.dir.read("Gnomo_Language_0.ini");
    EXPECT_TRUE(written.contains("\r\nMainForm=" + huge + "\r\n"));
    EXPECT_TRUE(written.endsWith("\r\nmissingKey=.\r\n"));
}

TEST(TLang, JunkFilesLoadWithoutHarm) {
    QByteArray junk;
    for (int i = 0; i < 70000; ++i)
        junk.append(static_cast<char>((i * 7919) % 251 + 1));  // binary, no NUL
    LangFixture f(junk + "\r\nMainForm=shown\r\n");
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    EXPECT_EQ(f.lang.GetText("MainForm"), QString("shown"));
}

namespace {

// Little-endian UTF-16, as Windows editors save "Unicode".
QByteArray utf16(const QString &text) {
    return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

}  // namespace

// A file saved as UTF-16 ("Unicode" in an editor) or holding a NUL byte cannot be read whole: read
// up to its first NUL, it would start without texts, and a reload would write back its "key=."
// lines in place of the translation.
TEST(TLang, AFileThatCannotBeReadWholeIsRefusedNamingTheLineAndNeverWrittenBack) {
    const QString text = QStringLiteral("Language=Polski\r\nMainForm=Gnomora\r\nbtnPrint=Drukuj\r\n");
    struct Row {
        const char *what;
        QByteArray bytes;
        BuiltInText reason;
        int line;
    };
    const Row rows[] = {
        {"UTF-16 with its mark", "\xFF\xFE" + utf16(text), BuiltInText::ReasonUtf16, 1},
        {"UTF-16 without a mark", utf16(text), BuiltInText::ReasonNulByte, 1},
        {"a NUL byte in line 3", "Language=Polski\r\nMainForm=Gnomora\r\nbtn" + QByteArray(1, '\0') + "Print=Drukuj\r\n",
         BuiltInText::ReasonNulByte, 3},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        // In use: refused at start, naming the line, and a reload writes nothing.
        LangFixture f(row.bytes);
        EXPECT_EQ(f.prompter.messages, QStringList{builtInText(BuiltInText::LanguageFileNotLoaded)
                                                       .arg(TLang::DefaultFileName, builtInText(row.reason).arg(row.line))});
        f.view.onRefresh = [&] { f.lang.GetText("MainForm"); };
        EXPECT_THROW(f.lang.ReloadLang(), FileError);
        EXPECT_EQ(f.dir.read(TLang::DefaultFileName), row.bytes);

        // Offered as another language: passed over in the list, naming the line.
        LangFixture g("Language=Polski\r\nmsgLangFileSkipped=Pomini\xeato %1: %2.\r\n"
                      "errNulByte=NUL w wierszu %1\r\nerrUtf16=UTF-16 w wierszu %1\r\n");
        g.dir.write(TLang::LanguageFileName(1), row.bytes);
        g.lang.FillLangList();
        EXPECT_EQ(g.prompter.messages,
                  QStringList{QString::fromUtf8("Pominięto Gnomo_Language_1.ini: %1 w wierszu %2.")
                                  .arg(row.reason == BuiltInText::ReasonUtf16 ? "UTF-16" : "NUL")
                                  .arg(row.line)});
        EXPECT_EQ(g.lang.LangFiles, QStringList{TLang::DefaultFileName});
        EXPECT_EQ(g.dir.read(TLang::LanguageFileName(1)), row.bytes);
    }
}

// The file in use is written back: the configuration may name only a language file of the working
// folder, never a path to another file.
TEST(TLang, OnlyALanguageFileOfTheWorkingFolderIsTakenFromTheConfiguration) {
    struct Row {
        QString configured;
        bool taken;
    };
    const Row rows[] = {
        {"Gnomo_Language_0.ini", true},   {"Gnomo_Language_7.ini", true},   {"Gnomo_Language_99.ini", true},
        {"Gnomo_Language_100.ini", false}, {"Gnomo_Language_07.ini", false}, {"gnomo_language_7.ini", false},
        {"../notes.txt", false},          {"sub/../notes.txt", false},     {"notes.txt", false},
        {"./Gnomo_Language_7.ini", false}, {"sub/Gnomo_Language_7.ini", false},
        {QDir::tempPath() + "/notes.txt", false},
    };
    const QByteArray notes = "notes=mine\r\n";
    for (const Row &row : rows) {
        SCOPED_TRACE(row.configured.toStdString());
        TempWorkDir dir;
        QDir().mkdir("sub");
        for (const char *name : {"notes.txt", "sub/Gnomo_Language_7.ini", "Gnomo_Language_7.ini"})
            dir.write(name, notes);
        dir.write("Gnomo_Language_0.ini", "MainForm=Gnomora\r\n");
        dir.write("Gnomora_Cfg.ini", "LangFileName=" + row.configured.toUtf8() + "\r\n");
        ScriptedPrompter prompter;
        RecordingLangView view;
        TComm comm{prompter, Locale{u'.', u'/'}};
        TLang lang{comm, prompter, view};
        comm.Init();
        lang.Init();
        const QString used = row.taken ? row.configured : TLang::DefaultFileName;
        EXPECT_EQ(comm.GetValue("LangFileName"), used);
        const QString refusal =
            builtInText(BuiltInText::LanguageFileNameRefused).arg(row.configured, TLang::DefaultFileName);
        if (row.taken) {
            EXPECT_FALSE(prompter.messages.contains(refusal));
        } else {
            EXPECT_EQ(prompter.messages, QStringList{refusal});
        }
        view.onRefresh = [&] { lang.GetText("btnPrint"); };
        try {
            lang.ReloadLang();
        } catch (const FileError &) {
            EXPECT_TRUE(row.taken);  // a language file named but absent
        }
        EXPECT_EQ(dir.read("notes.txt"), notes);
        EXPECT_EQ(dir.read("sub/Gnomo_Language_7.ini"), notes);
        if (!row.taken) {
            EXPECT_TRUE(dir.read("Gnomo_Language_0.ini").endsWith("\r\nbtnPrint=.\r\n"));
        }
    }
}

// --- The language list and switching ----------------------------------------------------------

namespace {

const QByteArray NoFile;  // a null array: LangFixture then writes no Gnomo_Language_0.ini

void writeLanguage(const TempWorkDir &dir, int number, const QByteArray &bytes) {
    dir.write(TLang::LanguageFileName(number), bytes);
}

}  // namespace

TEST(LangList, OnlyNumbersFrom0To99WithoutLeadingZerosAreListedInNumberOrder) {
    struct Row {
        QStringList present;
        QStringList listed;
    } rows[] = {
        {{"Gnomo_Language_5.ini", "Gnomo_Language_0.ini", "Gnomo_Language_2.ini"},
         {"Gnomo_Language_0.ini", "Gnomo_Language_2.ini", "Gnomo_Language_5.ini"}},
        {{"Gnomo_Language_100.ini", "Gnomo_Language_01.ini", "Gnomo_Language_007.ini", "Gnomo_Language_-1.ini",
          "Gnomo_Language_99.ini", "Gnomo_Language_1.ini.bak", "Gnomo_Language_+4.ini"},
         {"Gnomo_Language_99.ini"}},
    };
    for (const Row &row : rows) {
        LangFixture f(NoFile);
        for (const QString &name : row.present)
            f.dir.write(name, "Language=x\r\n");
        f.prompter.clear();
        f.lang.FillLangList();
        EXPECT_EQ(f.lang.LangFiles, row.listed);
        EXPECT_EQ(f.view.items.size(), row.listed.size());
        EXPECT_TRUE(f.prompter.messages.isEmpty());
    }
}

TEST(LangList, DisplayNameIsReadFromEachFileAndNeverAdded) {
    LangFixture f("Language=Polski\r\nMainForm=Gnomora\r\n");
    writeLanguage(f.dir, 2, "Language =English\r\nMainForm=Gnomora EN\r\n");  // the key ends in a blank
    writeLanguage(f.dir, 5, "; Fran\xe7" "ais\r\nlanguage=Fran\xe7" "ais\r\n");
    writeLanguage(f.dir, 7, "MainForm=no display name\r\n");
    f.lang.FillLangList();
    EXPECT_EQ(f.view.items, (QStringList{"Polski", "", QString::fromUtf8("Français"), ""}));
    EXPECT_FALSE(f.lang.Changed);
    EXPECT_EQ(f.lang.Texts.indexOfKey("Language "), -1);
    EXPECT_EQ(f.dir.read("Gnomo_Language_7.ini"), QByteArray("MainForm=no display name\r\n"));

    f.lang.SelectLang(1);  // the second item is file number 2
    EXPECT_EQ(f.comm.GetValue("LangFileName"), QString("Gnomo_Language_2.ini"));
    EXPECT_EQ(f.view.captions.last(), QString("Gnomo_Language_2.ini"));
    EXPECT_EQ(f.lang.GetText("MainForm"), QString("Gnomora EN"));
}

TEST(LangList, KeepsItsPositionEvenWhenItNowNamesAnotherFile) {
    LangFixture f("Language=Polski\r\n");
    writeLanguage(f.dir, 2, "Language=English\r\n");
    f.view.index = 1;
    f.lang.FillLangList();
    EXPECT_EQ(f.view.index, 1);
    writeLanguage(f.dir, 1, "Language=Deutsch\r\n");
    f.lang.FillLangList();
    EXPECT_EQ(f.view.items, (QStringList{"Polski", "Deutsch", "English"}));
    EXPECT_EQ(f.view.index, 1);
    f.lang.SelectLang(f.view.index);
    EXPECT_EQ(f.comm.GetValue("LangFileName"), QString("Gnomo_Language_1.ini"));
}

TEST(LangList, AFolderOfALanguageFileNameIsPassedOverSilently) {
    LangFixture f("Language=Polski\r\n");
    QDir().mkdir(TLang::LanguageFileName(3));
    writeLanguage(f.dir, 4, "Language=English\r\n");
    f.lang.FillLangList();
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    EXPECT_EQ(f.lang.LangFiles, (QStringList{"Gnomo_Language_0.ini", "Gnomo_Language_4.ini"}));
    EXPECT_EQ(f.view.items, (QStringList{"Polski", "English"}));
}

TEST(LangList, FilesThatCannotBeReadAreReportedAtOnceAndLeftOut) {
    // Unused numbered slots holding a pipe, a link to an endless device and a file larger than any
    // language file: each is reported without reading it, and the scan goes on.
    LangFixture f("Language=Polski\r\nmsgLangFileSkipped=Pomini\xeato %1: %2.\r\nerrNotRegularFile=nie plik\r\n"
                  "errTooLarge=ponad %1 MB\r\n");
    if (!SpecialFiles::available)
        GTEST_SKIP() << SpecialFiles::whyNot;
    ASSERT_TRUE(SpecialFiles::makePipe("Gnomo_Language_1.ini"));
    ASSERT_TRUE(SpecialFiles::linkToEndlessDevice(TLang::LanguageFileName(2)));
    {
        QFile huge(TLang::LanguageFileName(3));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(FileIo::maxBytes(FileKind::Language) + 1));  // takes no room on the disk
    }
    writeLanguage(f.dir, 4, "Language=English\r\n");
    withoutHangingOn(TLang::LanguageFileName(1), [&] { f.lang.FillLangList(); });
    // In the language in use, with the reason of each.
    EXPECT_EQ(f.prompter.messages, (QStringList{QString::fromUtf8("Pominięto Gnomo_Language_1.ini: nie plik."),
                                                QString::fromUtf8("Pominięto Gnomo_Language_2.ini: nie plik."),
                                                QString::fromUtf8("Pominięto Gnomo_Language_3.ini: ponad 4 MB.")}));
    EXPECT_EQ(f.lang.LangFiles, (QStringList{"Gnomo_Language_0.ini", "Gnomo_Language_4.ini"}));
    EXPECT_EQ(f.view.items, (QStringList{"Polski", "English"}));

    // The list is filled at every opening of the technical panel: each file is reported once a
    // start, and still left out. One that goes bad later is reported when it does.
    f.prompter.messages.clear();
    writeLanguage(f.dir, 5, "Language=Deutsch\r\n");
    withoutHangingOn(TLang::LanguageFileName(1), [&] { f.lang.FillLangList(); });
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    EXPECT_EQ(f.lang.LangFiles, (QStringList{"Gnomo_Language_0.ini", "Gnomo_Language_4.ini", "Gnomo_Language_5.ini"}));
    ASSERT_TRUE(QFile::resize(TLang::LanguageFileName(5), FileIo::maxBytes(FileKind::Language) + 1));
    withoutHangingOn(TLang::LanguageFileName(1), [&] { f.lang.FillLangList(); });
    EXPECT_EQ(f.prompter.messages, QStringList{QString::fromUtf8("Pominięto Gnomo_Language_5.ini: ponad 4 MB.")});
    EXPECT_EQ(f.lang.LangFiles, (QStringList{"Gnomo_Language_0.ini", "Gnomo_Language_4.ini"}));
}

TEST(LangList, WithoutTextsASkippedFileIsReportedInTheProgramsOwnWords) {
    LangFixture f("");  // the language in use has no texts
    writeLanguage(f.dir, 4, "Language=English\r\n");
    if (!SpecialFiles::available)
        GTEST_SKIP() << SpecialFiles::whyNot;
    ASSERT_TRUE(SpecialFiles::linkToEndlessDevice(TLang::LanguageFileName(2)));
    f.lang.FillLangList();
    EXPECT_EQ(f.prompter.messages, QStringList{builtInText(BuiltInText::LanguageFileSkipped)
                                                   .arg("Gnomo_Language_2.ini", builtInText(BuiltInText::ReasonNotRegularFile))});
}

TEST(TLang, ALanguageFileThatIsAPipeIsReportedWithoutWaiting) {
    if (!SpecialFiles::available)
        GTEST_SKIP() << SpecialFiles::whyNot;
    TempWorkDir dir;
    ASSERT_TRUE(SpecialFiles::makePipe("Gnomo_Language_0.ini"));
    ScriptedPrompter prompter;
    RecordingLangView view;
    TComm comm{prompter, Locale{u'.', u'/'}};
    TLang lang{comm, prompter, view};
    comm.Init();
    withoutHangingOn("Gnomo_Language_0.ini", [&] { lang.Init(); });
    EXPECT_EQ(prompter.messages, QStringList{builtInText(BuiltInText::LanguageFileNotLoaded)
                                                 .arg("Gnomo_Language_0.ini", builtInText(BuiltInText::ReasonNotRegularFile))});
    EXPECT_EQ(lang.Texts.size(), 0);
}

TEST(LangSwitch, PositionOutsideTheListDoesNothing) {
    LangFixture f("Language=Polski\r\nMainForm=Gnomora\r\n");
    writeLanguage(f.dir, 1, "Language=English\r\n");
    f.lang.FillLangList();
    for (int index : {-1, 2, 99}) {
        f.lang.SelectLang(index);
        EXPECT_EQ(f.view.refreshes, 0) << index;
    }
    EXPECT_EQ(f.comm.GetValue("LangFileName"), QString("Gnomo_Language_0.ini"));
    EXPECT_EQ(f.view.captions, QStringList{"Gnomo_Language_0.ini"});
    EXPECT_EQ(f.lang.GetText("MainForm"), QString("Gnomora"));
}

TEST(LangSwitch, RefreshesAndWritesBackOnlyTheKeysTheRefreshAdded) {
    LangFixture f("Language=Polski\r\nMainForm=Gnomora PL\r\n");
    const QByteArray complete = "Language=English\nMainForm=Gnomora EN\n";  // LF: any rewrite would show
    writeLanguage(f.dir, 1, complete);
    writeLanguage(f.dir, 2, "Language=Deutsch\r\n[no key here]\r\n");
    QStringList shown;
    f.view.onRefresh = [&] { shown.append(f.lang.GetText("MainForm")); };
    f.lang.FillLangList();

    f.lang.GetText("msgNoPlaces");  // added before the switch: the load discards it
    f.lang.SelectLang(1);
    EXPECT_EQ(shown, QStringList{"Gnomora EN"});
    EXPECT_FALSE(f.lang.Changed);
    EXPECT_EQ(f.dir.read("Gnomo_Language_1.ini"), complete);

    f.lang.SelectLang(2);
    EXPECT_EQ(shown.last(), QString());
    EXPECT_EQ(f.dir.read("Gnomo_Language_2.ini"), QByteArray("Language=Deutsch\r\n[no key here]\r\nMainForm=.\r\n"));
    EXPECT_EQ(f.comm.GetValue("LangFileName"), QString("Gnomo_Language_2.ini"));
    EXPECT_EQ(f.view.refreshes, 2);
}

TEST(LangSwitch, ReloadTakesOutsideEditsAndCompletesTheMultiLineText) {
    LangFixture f("edStartText_00=one\r\nedStartText_01=two\r\nedStartText_02=three\r\n");
    QString shown;
    f.view.onRefresh = [&] { shown = f.lang.GetLines("edStartText", 7); };
    f.lang.GetText("msgNoPlaces");  // a key added outside a refresh stays out of the file
    f.dir.write("Gnomo_Language_0.ini", "edStartText_00=ONE\r\nedStartText_01=two\r\nedStartText_02=three\r\n");
    f.lang.ReloadLang();
    EXPECT_EQ(shown, QString("ONE\r\ntwo\r\nthree"));
    EXPECT_EQ(f.dir.read("Gnomo_Language_0.ini"),
              QByteArray("edStartText_00=ONE\r\nedStartText_01=two\r\nedStartText_02=three\r\n"
                         "edStartText_03=.\r\nedStartText_04=.\r\nedStartText_05=.\r\nedStartText_06=.\r\n"));
    f.lang.ReloadLang();
    EXPECT_EQ(shown, QString("ONE\r\ntwo\r\nthree\r\n.\r\n.\r\n.\r\n."));
    EXPECT_EQ(f.view.captions, QStringList{"Gnomo_Language_0.ini"});  // reloading names no file
}

TEST(LangSwitch, FileThatCannotBeReadChangesNothing) {
    enum class Op { Select, Reload };
    for (Op op : {Op::Select, Op::Reload}) {
        LangFixture f("Language=Polski\r\nMainForm=Gnomora PL\r\n");
        writeLanguage(f.dir, 1, "Language=English\r\nMainForm=Gnomora EN\r\n");
        f.lang.FillLangList();
        // gone after the list was filled: the one listed, or the one in use
        QFile::remove(TLang::LanguageFileName(op == Op::Select ? 1 : 0));
        try {
            op == Op::Select ? f.lang.SelectLang(1) : f.lang.ReloadLang();
            ADD_FAILURE() << "no error raised";
        } catch (const FileError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(op == Op::Select ? "Gnomo_Language_1.ini"
                                                                             : "Gnomo_Language_0.ini"));
        }
        EXPECT_EQ(f.lang.GetText("MainForm"), QString("Gnomora PL"));
        EXPECT_EQ(f.comm.GetValue("LangFileName"), QString("Gnomo_Language_0.ini"));
        EXPECT_EQ(f.view.captions, QStringList{"Gnomo_Language_0.ini"});
        EXPECT_EQ(f.view.refreshes, 0);
    }
}
