// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson kept between two runs: the session record in a file of its own, read back only
// when it is one, and the date of the measurement carried in the record.
#include "model/ModelTestWorld.h"
#include "platform/FileIo.h"
#include "session/LessonRecord.h"
#include "session/SavePermission.h"
#include "session/TSession.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

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
    // A key twice: one part of the program would read the one line, another the other.
    EXPECT_TRUE(refused(good + "HeiTimH1=13\r\n"));
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

// Every state a run passes through is continued, at either place and with either decimal mark:
// what the model computes on the way lies within the ranges the record is held to.
TEST(LessonRecord, EveryStateOfARunIsContinued) {
    for (const QChar separator : {u'.', u','}) {
        SCOPED_TRACE(separator.toLatin1());
        TempWorkDir dir;
        TSession session;
        ModelTestWorld world(kEquinox.addDays(92), separator, &session);
        TLogic &logic = world.logic;
        session.Init();
        logic.Init();
        // Written with "." whatever the computer's number format, and continued under either:
        // the same angles come back.
        auto continued = [&](const char *what) {
            LessonRecord::keep(session.Values);
            EXPECT_FALSE(dir.read(LessonRecord::FileName).contains(',')) << what;
            for (const QChar mark : {u'.', u','}) {
                const TComm next(world.prompter, Locale{mark, u'/'});
                const std::optional<NameValueList> back = LessonRecord::read(next);
                ASSERT_TRUE(back) << what;
                for (const char *key : {"HeiSunPlaneAngle1", "HeiNoonHeightAngle2", "HeiDiff"})
                    EXPECT_EQ(next.TextToFloat(back->value(key)), world.comm.TextToFloat(session.Values.value(key))) << key;
            }
        };
        continued("nothing measured");
        for (THeiObj *hei : {&logic.Hei1, &logic.Hei2}) {
            SCOPED_TRACE(hei->Number());
            hei->EditedTimH = 11;
            hei->EditedTimM = 59;
            hei->AcceptTime();
            session.StoreHei(*hei);
            continued("the time accepted");
            hei->EditedStick = 1000;
            hei->EditedShadow = hei->Number() == 1 ? 800 : 1000;
            if (hei->Number() == 1)
                hei->EditedMoreShadows = {812, 795};
            hei->AcceptHeight();
            ASSERT_EQ(hei->State, 2);
            session.StoreHei(*hei);
            continued("the latitude solved");
            hei->CalcNoon();
            session.StoreHei(*hei);
            continued("the noon elevation");
        }
        logic.EditedEarthDistance = 800;
        logic.AcceptDistance();
        session.StoreLogic(logic);
        continued("the distance accepted");
        session.RestoreLogic(logic);
        logic.CalcEarth();
        ASSERT_EQ(logic.EarthState, 2);
        session.StoreLogic(logic);
        continued("the circumference computed");
        // Cleared: the places start again, the comparison keeps its distance and size.
        logic.Hei1.Init();
        logic.EarthState = 0;
        session.StoreHei(logic.Hei1);
        session.StoreLogic(logic);
        continued("cleared");
    }
}

// A value that no measurement gives, or a state its values do not reach, makes the file no kept
// lesson; the same value under a state that does not need it is continued.
TEST(LessonRecord, RefusesValuesNoMeasurementGives) {
    const std::string long40000(40000, 'x'), long60000(60000, 'x');
    KeptRun run;
    TLogic &logic = run.world.logic;
    THeiObj &hei2 = logic.Hei2;
    hei2.EditedShadow = 1000;
    hei2.AcceptHeight();
    hei2.CalcNoon();
    run.session.StoreHei(hei2);
    run.session.RestoreLogic(logic);
    logic.EditedEarthDistance = 800;
    logic.AcceptDistance();
    logic.CalcEarth();
    run.session.StoreLogic(logic);
    ASSERT_EQ(run.session.GetValue("EarthState"), "2");

    struct Row {
        const char *what;
        std::vector<std::pair<const char *, const char *>> changes;  // "%1": the place number
        bool refused;
    };
    const Row rows[] = {
        {"a noon elevation of 1E300", {{"HeiNoonHeightAngle%1", "1E300"}}, true},
        {"a 302-digit latitude", {{"HeiSunPlaneAngle%1", "-1E300"}}, true},
        {"an elevation below the horizon", {{"HeiSunHeightAtCurrTime%1", "-0.5"}}, true},
        {"a declination's sine of 2", {{"HeiEquinoxDispl%1", "2"}}, true},
        {"an hour angle of a thousand turns", {{"HeiSunOnCurrTimeAngle%1", "6283"}}, true},
        {"time 99:-75", {{"HeiTimH%1", "99"}, {"HeiTimM%1", "-75"}}, true},
        {"a typed time 24:00", {{"HeiEditedTimH%1", "24"}}, true},
        {"a typed minute 60", {{"HeiEditedTimM%1", "60"}}, true},
        {"shadow 0 and stick -5", {{"HeiShadow%1", "0"}, {"HeiStick%1", "-5"}}, true},
        {"a typed stick beyond 100 km", {{"HeiEditedStick%1", "100000001"}}, true},
        {"a typed shadow of 0", {{"HeiEditedShadow%1", "0"}}, true},
        // The latitude of a solved place is one the measurement takes (20 to 80 deg).
        {"solved at latitude 4 deg", {{"HeiState%1", "2"}, {"HeiSunPlaneAngle%1", "1.5"}}, true},
        {"not solved, latitude 4 deg", {{"HeiState%1", "1"}, {"HeiSunPlaneAngle%1", "1.5"}}, false},
        {"the virtual partner at latitude 4 deg",
         {{"HeiState%1", "2"}, {"HeiSunPlaneAngle%1", "1.5"}, {"HeiVirtual%1", "1"}}, false},
        // Up to five shadow readings, each one a box takes; once solved, the elevation is the
        // one the stick and their mean give.
        {"four further shadow readings", {{"HeiState%1", "1"}, {"HeiMoreShadows%1", "801;799;805;798"}}, false},
        {"solved, further readings the elevation was not computed from",
         {{"HeiMoreShadows%1", "100000000;100000000;100000000;100000000"}}, true},
        {"five further shadow readings", {{"HeiMoreShadows%1", "801;799;805;798;800"}}, true},
        {"a further reading of 0", {{"HeiMoreShadows%1", "801;0"}}, true},
        {"a further reading that is no number", {{"HeiMoreShadows%1", "801;-5"}}, true},
        // A computed noon elevation is the one the latitude and the date give.
        {"computed, another noon elevation", {{"HeiNoonHeightAngle%1", "0.5"}}, true},
        {"not computed, another noon elevation", {{"HeiState%1", "2"}, {"HeiNoonHeightAngle%1", "0.5"}}, false},
        {"distance -800 km", {{"EarthDistance", "-800"}}, true},
        {"distance beyond half a meridian", {{"EarthDistance", "20041"}}, true},
        {"distance accepted as 0", {{"EarthState", "1"}, {"EarthDistance", "0"}}, true},
        {"no distance yet", {{"EarthState", "0"}, {"EarthDistance", "0"}, {"EarthSize", "0"}}, false},
        {"circumference computed as 0", {{"EarthSize", "0"}}, true},
        {"circumference not computed yet", {{"EarthState", "1"}, {"EarthSize", "0"}}, false},
        {"a negative circumference", {{"EarthState", "1"}, {"EarthSize", "-40000"}}, true},
        {"a difference of 1E300", {{"HeiDiff", "1E300"}}, true},
        {"measured in 1800", {{"MeasureDate", "1800-06-20"}}, true},
        // The places listed for this run only, with their noon as a partner's file gives it.
        {"the run's place at noon 11:05", {{"RunPlace6", "Kyiv"}, {"RunNoonH6", "11"}, {"RunNoonM6", "5"}}, false},
        {"the run's place at noon 99:00", {{"RunPlace6", "Kyiv"}, {"RunNoonH6", "99"}, {"RunNoonM6", "0"}}, true},
        {"the run's place at noon -5:00", {{"RunPlace6", "Kyiv"}, {"RunNoonH6", "-5"}, {"RunNoonM6", "0"}}, true},
        {"the run's place at noon 40000000:00", {{"RunPlace6", "Kyiv"}, {"RunNoonH6", "40000000"}, {"RunNoonM6", "0"}}, true},
        {"the run's noon without its place", {{"RunNoonH6", "11"}, {"RunNoonM6", "5"}}, true},
        {"a photograph for the run's place", {{"RunPlace6", "Kyiv"}, {"RunPlace6Jpg", "/dev/zero"}}, true},
        // The chosen entry of a place list is one the list holds.
        {"the run's place chosen", {{"RunPlace6", "Kyiv"}, {"PlaceSelect%1", "5"}}, false},
        {"the run's place chosen, its line missing", {{"PlaceSelect%1", "5"}}, true},
        {"the virtual partner chosen", {{"PlaceSelect%1", "99"}}, false},
        // Texts as long as their boxes or files take.
        {"a reading's file", {{"HeiReadingFrom%1", "kyiv.txt"}}, false},
        {"a reading's file of 60 000 characters", {{"HeiReadingFrom%1", long60000.c_str()}}, true},
        {"a pupil of 40 000 characters", {{"Person%11", long40000.c_str()}}, true},
    };
    for (const Row &row : rows) {
        for (const int place : {1, 2}) {
            SCOPED_TRACE(std::string(row.what) + ", place " + std::to_string(place));
            NameValueList values = run.session.Values;
            for (const auto &[key, value] : row.changes)
                values.setValue(QString::fromLatin1(key).replace("%1", QString::number(place)), value);
            LessonRecord::keep(values);
            EXPECT_EQ(!LessonRecord::read(run.world.comm).has_value(), row.refused);
        }
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

// What a copy of the program may write in its folder, asked without any window: never while
// another copy works there; over an unread configuration only after a Yes, asked once.
TEST(SavePermission, WritesOnlyForTheCopyThatHoldsTheFolder) {
    ModelTestWorld w;
    w.lang.Texts.setValue("msgFolderInUseNotSaved", "in use");
    w.lang.Texts.setValue("msgReplaceUnreadCfg", "replace?");
    w.comm.SavesAllowed = false;
    w.comm.CfgUnread = true;
    EXPECT_FALSE(mayWriteConfiguration(w.comm, w.lang, w.prompter));
    EXPECT_EQ(w.prompter.messages, QStringList{"in use"});
    EXPECT_TRUE(w.prompter.questions.isEmpty());

    w.comm.SavesAllowed = true;
    for (auto answer : {Prompter::Answer::No, Prompter::Answer::Closed}) {
        w.prompter.clear();
        w.prompter.answers.push_back(answer);
        EXPECT_FALSE(mayWriteConfiguration(w.comm, w.lang, w.prompter));
        EXPECT_EQ(w.prompter.questions, QStringList{"replace?"});
        EXPECT_TRUE(w.comm.CfgUnread);
    }
    w.prompter.clear();
    w.prompter.answers.push_back(Prompter::Answer::Yes);
    EXPECT_TRUE(mayWriteConfiguration(w.comm, w.lang, w.prompter));
    EXPECT_TRUE(mayWriteConfiguration(w.comm, w.lang, w.prompter));  // the file is this run's now
    EXPECT_EQ(w.prompter.questions, QStringList{"replace?"});
    EXPECT_TRUE(w.prompter.messages.isEmpty());

    // Never while another copy works in the folder, nor a lesson this run did not continue.
    TSession session;
    for (bool savesAllowed : {false, true})
        for (bool another : {false, true}) {
            TempWorkDir dir;
            dir.write(LessonRecord::FileName, "LessonRecord=1\r\n");
            w.comm.SavesAllowed = savesAllowed;
            session.OtherKeptLesson = NameValueList(another ? QStringList{"MeasureDate=2013-06-21"} : QStringList{});
            discardKeptLesson(w.comm, session);
            EXPECT_EQ(QFileInfo::exists(LessonRecord::FileName), !savesAllowed || another);
        }
}
