// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson kept between two runs: the session record in a file of its own, read back only
// when it is one, and the date of the measurement carried in the record.
#include "model/ModelTestWorld.h"
#include "platform/FileIo.h"
#include "session/LessonRecord.h"
#include "session/TSession.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// A run whose start-up stored into a real session record, with place 1 measured.
struct KeptRun {
    explicit KeptRun(QChar separator = u'.') : world(kEquinox.addDays(92), separator, &session) {
        session.Init();
        world.logic.Init();
        THeiObj &hei = world.logic.Hei1;
        hei.EditedTimH = 12;
        hei.EditedTimM = 0;
        hei.AcceptTime();
        hei.EditedStick = 1000;
        hei.EditedShadow = 800;
        hei.AcceptHeight();
        hei.CalcNoon();
        session.StoreHei(hei);
        session.StorePlaces({0, QStringLiteral("Kraków"), {QStringLiteral("Żaneta")}, 1, QStringLiteral("Gdańsk"), {}});
    }
    TempWorkDir dir;
    TSession session;
    ModelTestWorld world;
};

TEST(LessonRecord, KeptAndReadBack) {
    KeptRun run;
    ASSERT_FALSE(LessonRecord::exists());
    LessonRecord::keep(run.session.Values);
    const QByteArray bytes = run.dir.read(LessonRecord::FileName);
    // The storage form: a first line that marks the file, Windows-1250, CR LF after every line.
    EXPECT_TRUE(bytes.startsWith("LessonRecord=1\r\nHeiState1=3\r\n")) << bytes.left(40).toStdString();
    EXPECT_TRUE(bytes.contains("PlaceName1=Krak\xf3w\r\nPerson11=\xaf" "aneta\r\n"));
    EXPECT_TRUE(bytes.contains("MeasureDate=2013-06-20\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));

    const std::optional<NameValueList> back = LessonRecord::read(run.world.comm);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->lines(), run.session.Values.lines());
    LessonRecord::discard();
    EXPECT_FALSE(LessonRecord::exists());
    LessonRecord::discard();  // nothing there: nothing happens
}

// Windows-1250 as long as it holds every letter (above); a letter it lacks makes the whole file
// UTF-8 with the byte-order mark, read back as typed.
TEST(LessonRecord, LettersOutsideWindows1250AreKeptAsUtf8) {
    KeptRun run;
    const QString pupil = QString::fromUtf8("Олена Коваленко");
    run.session.Values.setValue("Person21", pupil);
    LessonRecord::keep(run.session.Values);
    const QByteArray bytes = run.dir.read(LessonRecord::FileName);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFLessonRecord=1\r\n")) << bytes.left(40).toStdString();
    EXPECT_TRUE(bytes.contains("PlaceName1=Krak\xc3\xb3w\r\n"));
    EXPECT_TRUE(bytes.contains("Person21=" + pupil.toUtf8() + "\r\n"));
    const std::optional<NameValueList> back = LessonRecord::read(run.world.comm);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->lines(), run.session.Values.lines());
    EXPECT_EQ(back->value("Person21"), pupil);
}

// A file that is no kept lesson is set aside under the name + ".damaged", replacing an older one.
TEST(LessonRecord, SetAsideReplacesAnOlderOne) {
    TempWorkDir dir;
    const QString setAside = LessonRecord::FileName + ".damaged";
    LessonRecord::setAside();  // nothing there: nothing happens
    EXPECT_FALSE(QFileInfo::exists(setAside));
    dir.write(setAside, "older");
    dir.write(LessonRecord::FileName, "damaged");
    LessonRecord::setAside();
    EXPECT_FALSE(LessonRecord::exists());
    EXPECT_EQ(dir.read(setAside), "damaged");
}

TEST(LessonRecord, RefusesWhatIsNoKeptLesson) {
    KeptRun run(u',');
    LessonRecord::keep(run.session.Values);
    const QByteArray good = run.dir.read(LessonRecord::FileName);
    auto refused = [&](const QByteArray &bytes) {
        run.dir.write(LessonRecord::FileName, bytes);
        return !LessonRecord::read(run.world.comm).has_value();
    };
    ASSERT_FALSE(refused(good));
    // Foreign: a configuration file, the record without its mark, a mark of another version.
    EXPECT_TRUE(refused("LangFileName=Gnomo_Language_0.ini\r\nPlace1=Krak\xf3w\r\n"));
    EXPECT_TRUE(refused(good.mid(good.indexOf('\n') + 1)));
    EXPECT_TRUE(refused(QByteArray(good).replace("LessonRecord=1", "LessonRecord=2")));
    EXPECT_TRUE(refused(QByteArray()));
    // Damaged: cut short, a value missing, values that are no numbers or out of their range.
    EXPECT_TRUE(refused(good.left(good.size() / 2)));
    EXPECT_TRUE(refused(QByteArray(good).replace("EarthSize=0\r\n", "")));
    EXPECT_TRUE(refused(QByteArray(good).replace("HeiState1=3", "HeiState1=7")));
    EXPECT_TRUE(refused(QByteArray(good).replace("HeiStick1=1000", "HeiStick1=1000mm")));
    EXPECT_TRUE(refused(QByteArray(good).replace("EarthState=0", "EarthState=-1")));
    EXPECT_TRUE(refused(QByteArray(good).replace("HeiTimH1=12", "HeiTimH1=99999999999")));
    EXPECT_TRUE(refused(QByteArray(good).replace("MeasureDate=2013-06-20", "MeasureDate=2013-02-30")));
    // A decimal written with the other separator is no number of this locale.
    const qsizetype angle = good.indexOf("HeiSunPlaneAngle1=");
    EXPECT_TRUE(refused(QByteArray(good).replace(good.indexOf(',', angle) , 1, ".")));
    EXPECT_TRUE(refused(good + QByteArray(LessonRecord::MaxBytes, ';')));
    // A folder of that name is no file either.
    QFile::remove(LessonRecord::FileName);
    ASSERT_TRUE(QDir().mkdir(LessonRecord::FileName));
    EXPECT_FALSE(LessonRecord::exists());
    EXPECT_FALSE(LessonRecord::read(run.world.comm));
    try {
        LessonRecord::keep(run.session.Values);
        ADD_FAILURE() << "a folder was written over";
    } catch (const FileError &e) {
        EXPECT_EQ(e.kind, FileError::Kind::Folder);
    }
}

TEST(LessonRecord, TheDateComesBackWithTheRecord) {
    KeptRun run;
    TLogic &logic = run.world.logic;
    run.world.lang.Texts.setValue("msgChangeMeasureDate", "Sure?");
    run.world.prompter.answers.push_back(Prompter::Answer::Ok);
    ASSERT_TRUE(logic.ChangeMeasureDay(QDate(2026, 12, 7)));
    EXPECT_EQ(run.session.GetValue("MeasureDate"), "2026-12-07");

    ModelTestWorld next(kEquinox);  // the next run, started on another day
    TLogic &nextLogic = next.started();
    EXPECT_TRUE(run.session.RestoreMeasureDay(nextLogic));
    EXPECT_EQ(nextLogic.MeasureDay(), QDate(2026, 12, 7));
    EXPECT_EQ(nextLogic.Hei2.MeasureDate, logic.Hei2.MeasureDate);
    EXPECT_EQ(nextLogic.Hei1.State, 0);  // only the date: the places come with RestoreHei

    run.session.Values.setValue("MeasureDate", "7.12.2026");
    EXPECT_FALSE(run.session.RestoreMeasureDay(nextLogic));
    EXPECT_EQ(nextLogic.MeasureDay(), QDate(2026, 12, 7));
}

}  // namespace
