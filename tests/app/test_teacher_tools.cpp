// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's tools driven as a teacher uses them: the latitude on the measurement panel, the
// deviation under the circumference, the measurement date of step 1, true noon from the
// longitude in the places editor, and the lesson kept from one start of the program to the next.
#include "model/Angles.h"
#include "model/DayCount.h"
#include "model/SolarNoon.h"
#include "model/TLogic.h"
#include "session/LessonRecord.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "support/MainWindowFixture.h"
#include "ui/DateBox.h"
#include "ui/PanelStep5.h"
#include "ui/PictureBox.h"
#include "ui/PanelTech.h"
#include "print/PagePrinting.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QRegularExpression>
#include <QTimeZone>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// Place 1 Gdańsk (noon 12:00), place 2 Kraków (11:40); the date is 20 June 2013.
struct TeacherRun : MainWindowFixture {
    using MainWindowFixture::MainWindowFixture;
    void choosePlaces() {
        choose(1, 1);
        choose(2, 0);
    }
    QLineEdit *edit(const char *name) { return find<QLineEdit>(name); }
    QLabel *label(const char *name) { return find<QLabel>(name); }
    bool shown(const char *name) { return !find<QWidget>(name)->isHidden(); }
    TLogic &logic() { return *objects().Logic; }
    DateBox *dateField() { return find<DateBox>("edMeasureDate"); }
    // The teacher settles on a date typed into the box.
    void typeDate(QDate date) { typeDate(date.toString("dd.MM.yyyy")); }
    void typeDate(const QString &text) {
        dateField()->setText(text);
        emit dateField()->editingFinished();
    }
    // Both places measured at noon, 1000 km apart, the Earth computed.
    void wholeRun() {
        ClassRun run = classRun();
        EXPECT_TRUE(run.wholeRun(noonReading("800"), noonReading("1000"))) << run.unreached.join(' ').toStdString();
    }
};

}  // namespace

TEST(TeacherTools, TheLatitudeStandsUnderTheElevation) {
    TeacherRun f;
    f.choosePlaces();
    f.click("btnStep1Next");
    f.edit("edTimeH")->setText("12");
    f.click("btnAcceptTime");
    EXPECT_FALSE(f.shown("labLatitude"));
    EXPECT_FALSE(f.shown("labLatitudeRes"));
    f.edit("edShadow")->setText("800");
    f.click("btnAcceptHeight");
    ASSERT_EQ(f.logic().Hei1.State, 2);
    EXPECT_TRUE(f.shown("labLatitude"));
    EXPECT_EQ(f.label("labLatitude")->text(), f.text("labLatitude"));
    // The same latitude as the technical panel's, after its caption.
    const QString latitude = f.label("labLatitudeRes")->text();
    EXPECT_EQ(f.label("labTech1")->text(), f.text("LatitudeCaption1").arg(latitude));
    EXPECT_EQ(latitude, AngleToText(M_PI / 2 - f.logic().Hei1.SunPlaneAngle));
    EXPECT_GT(f.label("labLatitudeRes")->x(), f.label("labLatitude")->geometry().right());
    EXPECT_GT(f.label("labLatitude")->y(), f.label("labHeightRes")->geometry().bottom());
    EXPECT_LT(f.label("labLatitude")->geometry().bottom(), f.find<QWidget>("labCalcNoon")->y());
}

// Place 2 is Kraków, configured 11:40. Given its longitude it is measured from the true noon of
// the measurement date, whatever noon is configured; step 1 and the measurement panel tell the
// class when to go outside: that true noon, or for a place without a longitude its noon as set.
TEST(TeacherTools, Step1AndTheMeasurementPanelTellWhenToGoOutside) {
    TeacherRun f;
    TComm &comm = *f.objects().Comm;
    comm.SetValue("Longitude1", "19.945");
    const QDate day = AppFixture::fixedNow().date();
    auto trueNoonOn = [](QDate date) {
        const SolarNoon::ClockTime noon = *SolarNoon::noonClockTime(date, 19.945, QTimeZone::systemTimeZone());
        return noon.hour * 60 + noon.minute;
    };
    const int trueMinutes = trueNoonOn(day);
    auto configure = [&](int minutes) {
        comm.SetValue("NoonH1", QString::number(minutes / 60));
        comm.SetValue("NoonM1", QString::number(minutes % 60));
    };
    auto clock = [](int minutes) { return QString("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar('0')); };
    f.choosePlaces();
    // Gdańsk has no longitude: its configured noon counts, and step 1 says so.
    const QString gdansk = f.text("labNoonSet").arg("12:00");
    EXPECT_EQ(f.label("labTrueNoon1")->text(), gdansk);
    EXPECT_EQ(f.label("labTrueNoon2")->text(), f.text("labTrueNoonToday").arg(clock(trueMinutes)));
    // Measured on another day: its true noon, with the date.
    const QDate later = day.addDays(60);
    f.typeDate(later);
    EXPECT_EQ(f.label("labTrueNoon2")->text(),
              f.text("labTrueNoonOn").arg(clock(trueNoonOn(later)), later.toString(f.logic().ShortDateFormat())));
    f.typeDate(day);
    f.click("btnStep1Next");
    EXPECT_EQ(f.label("labTrueNoon")->text(), gdansk);
    EXPECT_EQ(f.logic().Hei1.NoonH, 12);

    for (const int configured : {700, trueMinutes + 11, trueMinutes - 11}) {
        configure(configured);
        f.clickStep(2);
        SCOPED_TRACE(clock(configured).toStdString());
        EXPECT_EQ(f.label("labTrueNoon2")->text(), f.text("labTrueNoonToday").arg(clock(trueMinutes)));
        f.clickStep(4);
        EXPECT_EQ(f.logic().Hei2.NoonH, trueMinutes / 60);
        EXPECT_EQ(f.logic().Hei2.NoonM, trueMinutes % 60);
        EXPECT_EQ(f.label("labTrueNoon")->text(), f.text("labTrueNoonToday").arg(clock(trueMinutes)));
    }
    // A reading at the true noon is one at hour angle 0.
    f.edit("edTimeH")->setText(QString::number(trueMinutes / 60));
    f.edit("edTimeM")->setText(QString::number(trueMinutes % 60));
    f.click("btnAcceptTime");
    EXPECT_NEAR(f.logic().Hei2.SunOnCurrTimeAngle, 0, 1e-15);
    // Without the longitude the configured noon counts again, and is said as set.
    comm.SetValue("Longitude1", "");
    f.clickStep(1);
    f.clickStep(4);
    EXPECT_EQ(f.logic().Hei2.NoonH * 60 + f.logic().Hei2.NoonM, trueMinutes - 11);
    EXPECT_EQ(f.label("labTrueNoon")->text(), f.text("labNoonSet").arg(clock(trueMinutes - 11)));
}

TEST(TeacherTools, TheDeviationShowsOnlyWithTheCircumference) {
    TeacherRun f;
    f.choosePlaces();
    f.click("btnStep1Next");
    f.logic().Hei1.NoonHeightAngle = 0.9;
    f.logic().Hei2.NoonHeightAngle = 0.9 + 0.12566370614359174;  // 7°12'
    f.logic().Hei1.State = f.logic().Hei2.State = 3;
    f.objects().Session->StoreHei(f.logic().Hei1);
    f.objects().Session->StoreHei(f.logic().Hei2);
    f.clickStep(5);
    f.edit("edDistance")->setText("820");
    f.click("btnAcceptDistance");
    EXPECT_FALSE(f.shown("labDeviation"));
    EXPECT_FALSE(f.shown("labDeviationRes"));
    f.click("btnCalcEarth");
    EXPECT_EQ(f.label("labPropEarth")->text(), "41000 km");
    EXPECT_TRUE(f.shown("labDeviation"));
    EXPECT_EQ(f.label("labDeviation")->text(), f.text("labDeviation"));
    // The decimal mark is the language's (the Polish file names "pl"), not the computer's ".".
    EXPECT_EQ(f.label("labDeviationRes")->text(), "+2,5 %");
    f.objects().Lang->Texts.setValue("Locale", "en");
    f.clickStep(1);
    f.clickStep(5);
    EXPECT_EQ(f.label("labDeviationRes")->text(), "+2.5 %");
    // A file that names no locale: the computer's own mark.
    f.objects().Lang->Texts.setValue("Locale", "");
    f.clickStep(1);
    f.clickStep(5);
    EXPECT_EQ(f.label("labDeviationRes")->text(), "+2.5 %");
    f.edit("edDistance")->setText("800");
    f.click("btnAcceptDistance");  // "???" again: no deviation of anything
    EXPECT_EQ(f.label("labPropEarth")->text(), "???");
    EXPECT_FALSE(f.shown("labDeviationRes"));
}

// Without a locale in the language file the deviation takes the computer's decimal mark, as the
// program reads it when it starts: tried in a copy of this test program started in Polish.
TEST(TeacherTools, TheDeviationOfAFileWithoutLocaleFollowsTheComputer) {
    const char report[] = "GNOMORA_TEST_REPORT_DEVIATION";
    if (qEnvironmentVariableIsSet(report)) {
        TeacherRun f(std::nullopt);  // the program's own conventions and clock
        f.objects().Lang->Texts.setValue("Locale", "");
        f.clickStep(2);  // the noon readings below fit the test's date, not every day of the year
        f.typeDate(AppFixture::fixedNow().date());
        f.wholeRun();
        std::printf("deviation [%s]\n", qPrintable(f.label("labDeviationRes")->text()));
        return;
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "pl_PL.UTF-8");
    environment.insert(report, "1");
#ifdef _WIN32
    // Windows takes the decimal mark from the user's regional settings, as the control panel
    // writes them; the user's own value is put back afterwards.
    QSettings international("HKEY_CURRENT_USER\\Control Panel\\International", QSettings::NativeFormat);
    const QVariant decimal = international.value("sDecimal");
    international.setValue("sDecimal", ",");
    international.sync();
    const auto restore = qScopeGuard([&] {
        if (decimal.isValid())
            international.setValue("sDecimal", decimal);
        else
            international.remove("sDecimal");
        international.sync();
    });
#endif
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=TeacherTools.TheDeviationOfAFileWithoutLocaleFollowsTheComputer"});
    ASSERT_TRUE(child.waitForFinished(120000)) << child.errorString().toStdString();
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    const auto reported = QRegularExpression("deviation \\[(.*)\\]").match(output);
    ASSERT_TRUE(reported.hasMatch()) << output.toStdString();
    EXPECT_TRUE(reported.captured(1).contains(',')) << reported.captured(1).toStdString();
}

TEST(TeacherTools, TheMeasurementDateOfStepOne) {
    TeacherRun f;
    f.clickStep(2);
    EXPECT_EQ(f.dateField()->date(), QDate(2013, 6, 20));
    EXPECT_EQ(f.dateField()->text(), "20/06/2013");
    // The calendar speaks the language file's language (Polish), whatever the computer's is.
    EXPECT_EQ(f.dateField()->calendarWidget()->locale().language(), QLocale::Polish);
    EXPECT_EQ(f.dateField()->calendarWidget()->firstDayOfWeek(), Qt::Monday);
    f.objects().Lang->Texts.setValue("Locale", "en_US");
    f.clickStep(1);
    f.clickStep(2);
    EXPECT_EQ(f.dateField()->calendarWidget()->locale().language(), QLocale::English);
    EXPECT_EQ(f.dateField()->calendarWidget()->firstDayOfWeek(), Qt::Sunday);

    // The forms people type: day and month are never swapped, nor the year's digits.
    const struct {
        const char *typed;
        QDate date;
    } typedDates[] = {{"21/06/2013", {2013, 6, 21}}, {"5/6/2013", {2013, 6, 5}},
                      {"2013-06-22", {2013, 6, 22}}, {"23.6.2013", {2013, 6, 23}}};
    for (const auto &row : typedDates) {
        f.typeDate(QString(row.typed));
        EXPECT_EQ(f.logic().MeasureDay(), row.date) << row.typed;
        EXPECT_EQ(f.dateField()->text(), row.date.toString("dd/MM/yyyy")) << row.typed;
    }
    // Anything else is refused with a message; the box shows the date in force again.
    for (const char *typed : {"06/21/2013", "21/06/13", "21.06.2101", "31/06/2013", "tomorrow"}) {
        f.prompter.clear();
        f.typeDate(QString(typed));
        EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgBadDate")}) << typed;
        EXPECT_EQ(f.logic().MeasureDay(), QDate(2013, 6, 23)) << typed;
        EXPECT_EQ(f.dateField()->text(), "23/06/2013");
    }
    f.prompter.clear();
    f.typeDate(QDate(2013, 6, 20));
    // Nothing measured: the date is taken at once.
    f.typeDate(QDate(2013, 6, 21));
    EXPECT_TRUE(f.prompter.questions.isEmpty());
    EXPECT_EQ(f.logic().MeasureDay(), QDate(2013, 6, 21));
    EXPECT_EQ(f.objects().Session->GetValue("MeasureDate"), "2013-06-21");
    // A day picked in the calendar counts as well.
    f.dateField()->calendarWidget()->setSelectedDate(QDate(2013, 6, 22));
    emit f.dateField()->calendarWidget()->clicked(QDate(2013, 6, 22));
    EXPECT_EQ(f.logic().MeasureDay(), QDate(2013, 6, 22));

    f.choosePlaces();
    f.click("btnStep1Next");
    f.measure("800");
    f.clickStep(2);
    f.prompter.answers.push_back(Prompter::Answer::Cancel);
    f.typeDate(QDate(2013, 6, 19));
    // The question says what a new date does; the typed values stay, so it is not the question
    // that deletes everything.
    EXPECT_EQ(f.prompter.questions, QStringList{f.text("msgChangeMeasureDate")});
    EXPECT_NE(f.text("msgChangeMeasureDate"), f.text("msgAreYouSure"));
    EXPECT_EQ(f.dateField()->date(), QDate(2013, 6, 22));  // the box shows the model's date again
    EXPECT_EQ(f.logic().Hei1.State, 3);

    f.prompter.answers.push_back(Prompter::Answer::Ok);
    f.typeDate(QDate(2013, 6, 19));
    EXPECT_EQ(f.prompter.questions.size(), 2);
    EXPECT_EQ(f.logic().MeasureDay(), QDate(2013, 6, 19));
    f.clickStep(3);  // place 1 is to be measured again, from its time on
    EXPECT_EQ(f.logic().Hei1.State, 0);
    EXPECT_FALSE(f.shown("edStick"));
    EXPECT_EQ(DayCount::toDate(f.logic().Hei1.MeasureDate), QDate(2013, 6, 19));
}

// The sheet is issued on the day it is printed (20 June) and states the day of the measurement
// where it says what the pupils measured ("którzy dnia %1 zmierzyli" in Polish).
TEST(TeacherTools, TheResultSheetPrintsTheMeasurementDateAndIsIssuedToday) {
    TeacherRun f;
    f.clickStep(2);
    f.typeDate(QDate(2013, 6, 18));
    f.wholeRun();
    f.clickStep(6);
    ASSERT_EQ(f.main->currentPanel()->objectName(), "PanelStep5");
    const Report::ReportPage &sheet = f.objects().ResultSheet;
    EXPECT_EQ(sheet.caption("PrintFooter4"), "20/06/2013");
    EXPECT_EQ(sheet.caption("PrintRow5") + ' ' + sheet.caption("PrintRow6"),
              QString::fromUtf8("którzy dnia 18/06/2013 zmierzyli cień patyka w dwóch szkołach."));
}

TEST(TeacherTools, TrueNoonFromTheLongitude) {
    TeacherRun f;
    f.clickStep(2);
    f.typeDate(QDate(2026, 12, 7));
    f.main->panelTech()->setTimeZone(QTimeZone("Europe/Warsaw"));
    f.clickStep(7);
    // Warsaw on 7 December: 11:27:23 (winter time); Kraków below.
    f.edit("edLongitude1")->setText("21,0122");
    f.click("btnSolarNoon1");
    EXPECT_EQ(f.edit("edNoonH1")->text(), "11");
    EXPECT_EQ(f.edit("edNoonM1")->text(), "27");
    f.edit("edLongitude2")->setText("19.945");
    f.click("btnSolarNoon2");
    EXPECT_EQ(f.edit("edNoonM2")->text(), "32");  // 11:31:39
    f.edit("edLongitude4")->setText("25.5");  // 11:09:26: the minute keeps two digits
    f.click("btnSolarNoon4");
    EXPECT_EQ(f.edit("edNoonH4")->text(), "11");
    EXPECT_EQ(f.edit("edNoonM4")->text(), "09");
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    // Far east or west of the zone noon comes in the hour after midnight (at +-180 deg),
    // which Save would refuse: the button refuses it; an hour later is taken.
    const struct {
        const char *longitude, *noon;
    } farAway[] = {{"180", "0:51"}, {"-180", "0:52"}};  // a day apart, so the equation of time differs
    for (const auto &row : farAway) {
        f.prompter.clear();
        f.edit("edLongitude5")->setText(row.longitude);
        f.click("btnSolarNoon5");
        EXPECT_EQ(f.prompter.messages,
                  QStringList{f.text("labPlace5") + " " + f.text("msgNoonOutsideHours").arg(row.noon)}) << row.longitude;
        EXPECT_EQ(f.edit("edNoonH5")->text(), "12");
    }
    f.prompter.clear();
    f.edit("edLongitude5")->setText("165");
    f.click("btnSolarNoon5");
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    EXPECT_EQ(f.edit("edNoonH5")->text(), "1");
    EXPECT_EQ(f.edit("edNoonM5")->text(), "51");
    f.edit("edLongitude5")->setText("");
    f.edit("edNoonH5")->setText("12");
    f.edit("edNoonM5")->setText("00");

    // An unusable longitude changes nothing and says why, naming the place.
    for (const char *bad : {"", "200", "21°"}) {
        f.prompter.clear();
        f.edit("edLongitude3")->setText(bad);
        f.edit("edNoonH3")->setText("12");
        f.click("btnSolarNoon3");
        EXPECT_EQ(f.prompter.messages, QStringList{f.text("labPlace3") + " " + f.text("msgBadLongitude")}) << bad;
        EXPECT_EQ(f.edit("edNoonH3")->text(), "12");
    }
    // Saving refuses it too; emptied, the others are saved with their longitudes.
    f.prompter.clear();
    f.edit("edLongitude3")->setText("abc");
    const QByteArray before = f.dir.read("Gnomora_Cfg.ini");
    f.click("btnSavePlaces");
    EXPECT_EQ(f.prompter.messages.size(), 1);
    EXPECT_EQ(f.dir.read("Gnomora_Cfg.ini"), before);
    f.edit("edLongitude3")->setText("");
    f.click("btnSavePlaces");
    const QByteArray cfg = f.dir.read("Gnomora_Cfg.ini");
    EXPECT_TRUE(cfg.contains("NoonH1=11\r\nNoonM1=27\r\n")) << cfg.toStdString();
    EXPECT_TRUE(cfg.contains("Longitude1=21,0122\r\n"));
    EXPECT_TRUE(cfg.contains("Longitude2=19.945\r\n"));
    EXPECT_FALSE(cfg.contains("Longitude3"));
}

TEST(TeacherTools, TheSampleFileWithOrWithoutLongitudesIsSavedByteForByte) {
    const QByteArray sample = AppFixture::shippedFile("Gnomora_Cfg.ini");
    ASSERT_TRUE(sample.contains("\r\nLongitude5=19.95\r\n"));
    // Latin-1 carries each byte of the file through unchanged.
    const QByteArray withoutLongitudes =
        QString::fromLatin1(sample).remove(QRegularExpression("Longitude[1-5]=[^\r]*\r\n")).toLatin1();
    ASSERT_FALSE(withoutLongitudes.contains("Longitude1="));
    for (const QByteArray &file : {sample, withoutLongitudes}) {
        TeacherRun f;
        f.objects().Comm->Cfg = NameValueList::fromBytes(file);
        f.main->close();
        f.openMainWindow();  // the editor shows the sample places
        f.clickStep(7);
        f.click("btnSavePlaces");
        EXPECT_EQ(f.dir.read("Gnomora_Cfg.ini"), file);
    }
}

namespace {

// A start of the program in a folder that holds the test schools and, if given, a kept lesson.
struct NextStart : AppFixture {
    explicit NextStart(const QByteArray &lesson, std::optional<Prompter::Answer> answer = std::nullopt,
                       bool openMain = true, const QByteArray &cfg = SchoolsCfg) {
        seedShippedLanguage();
        dir.write("Gnomora_Cfg.ini", cfg);
        if (!lesson.isNull())
            dir.write(LessonRecord::FileName, lesson);
        if (answer)
            prompter.answers.push_back(*answer);
        startProgram();
        if (openMain)
            openMainWindow();
    }
    // The program ended and started again in the same folder.
    void restart(std::optional<Prompter::Answer> answer = std::nullopt) {
        start->close();
        main.reset();
        start.reset();
        prompter.clear();
        if (answer)
            prompter.answers.push_back(*answer);
        startProgram();
    }
    QString text(const char *key) { return objects().Lang->GetText(key); }
    TLogic &logic() { return *objects().Logic; }
};

// A lesson ended without printing: places, pupils, another date, place 1 measured, place 2 begun
// (its time accepted, or its lengths too).
QByteArray keptLesson(bool place2Lengths = false) {
    TeacherRun f;
    f.clickStep(2);
    f.typeDate(QDate(2013, 6, 21));
    f.choosePlaces();
    f.person(1, 3)->setText(QString::fromUtf8("Żaneta"));
    f.click("btnStep1Next");
    f.measure("800");
    f.click("btnSetp2Next");
    f.edit("edTimeH")->setText("11");
    f.click("btnAcceptTime");
    if (place2Lengths) {
        f.edit("edStick")->setText("1000");
        f.edit("edShadow")->setText("900");
        f.click("btnAcceptHeight");
    }
    f.edit("edTimeM")->setText("55");  // typed, not accepted
    f.start->close();
    EXPECT_TRUE(f.prompter.questions.isEmpty());  // nothing is lost, so nothing is asked
    EXPECT_FALSE(f.objects().exist());
    return f.dir.read(LessonRecord::FileName);
}

}  // namespace

// A lesson whose place 1 came from a partner's file naming a place this folder does not list: the
// next start lists it again, with the file's noon, and the place still names its file.
TEST(KeptLesson, APartnersPlaceAndFileAreKept) {
    QByteArray lesson;
    {
        TeacherRun f;
        f.choosePlaces();
        f.click("btnStep1Next");
        f.dir.write("kyiv.txt", "\xEF\xBB\xBFGnomoraReading=1\r\nVersion=9\r\nPlace=\xD0\x9A\xD0\xB8\xD1\x97\xD0\xB2\r\n"
                                "Date=2013-06-20\r\nTimeH=11\r\nTimeM=0\r\nStick=1000\r\nShadow1=500\r\n"
                                "NoonH=11\r\nNoonM=0\r\n");
        f.prompter.fileNames.push_back("kyiv.txt");
        f.click("btnLoadReading");
        ASSERT_EQ(f.logic().Hei1.State, 3);
        f.start->close();
        lesson = f.dir.read(LessonRecord::FileName);
    }
    NextStart n(lesson, Prompter::Answer::Yes);
    n.main->imgStep2Click();
    const THeiObj &hei = n.logic().Hei1;
    EXPECT_EQ(hei.PlaceName, QString::fromUtf8("Київ"));
    EXPECT_EQ(hei.NoonH, 11);
    EXPECT_EQ(hei.State, 3);
    EXPECT_EQ(hei.ReadingFrom, QString("kyiv.txt"));
    EXPECT_EQ(n.main->panelStep1()->placeList(2)->itemText(5), QString::fromUtf8("Київ"));
    EXPECT_EQ(n.dir.read("Gnomora_Cfg.ini"), SchoolsCfg);
}

TEST(KeptLesson, ContinuedOnEveryPanel) {
    const QByteArray lesson = keptLesson();
    ASSERT_TRUE(lesson.startsWith("LessonRecord=1\r\n"));
    NextStart f(lesson, Prompter::Answer::Yes);
    EXPECT_EQ(f.prompter.questions, QStringList{f.text("msgContinueLesson")});
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    TLogic &logic = f.logic();
    EXPECT_EQ(logic.MeasureDay(), QDate(2013, 6, 21));
    EXPECT_EQ(logic.Hei1.State, 3);
    EXPECT_EQ(logic.Hei2.State, 1);
    EXPECT_TRUE(f.find<QLabel>("labTech1")->text().endsWith(AngleToText(M_PI / 2 - logic.Hei1.SunPlaneAngle)));

    PanelStep1 *step1 = f.main->panelStep1();
    f.main->imgStep1Click();
    EXPECT_EQ(step1->placeList(1)->currentIndex(), 1);
    EXPECT_EQ(step1->placeList(2)->currentIndex(), 0);
    EXPECT_EQ(step1->personField(1, 3)->text(), QString::fromUtf8("Żaneta"));
    EXPECT_EQ(step1->personField(1, 1)->text(), "Ewa");  // Gdańsk's, filled in at the choice
    EXPECT_EQ(step1->personField(2, 1)->text(), "Ala");  // Kraków's
    EXPECT_EQ(f.find<DateBox>("edMeasureDate")->date(), QDate(2013, 6, 21));
    f.main->imgStep2Click();
    EXPECT_FALSE(f.find<QLabel>("labNoonRes")->isHidden());
    f.main->imgStep3Click();
    EXPECT_EQ(f.find<QLineEdit>("edTimeH")->text(), "11");
    EXPECT_EQ(f.find<QLineEdit>("edTimeM")->text(), "0");  // only what was accepted
    EXPECT_TRUE(LessonRecord::exists());  // kept until it is printed or given up
}

TEST(KeptLesson, OnlyNoRemovesIt) {
    const QByteArray lesson = keptLesson();
    NextStart f(lesson, Prompter::Answer::No);
    EXPECT_EQ(f.prompter.questions.size(), 1);
    EXPECT_EQ(f.logic().Hei1.State, 0);
    EXPECT_EQ(f.logic().MeasureDay(), AppFixture::fixedNow().date());
    EXPECT_FALSE(LessonRecord::exists());

    // Escape or the title bar's close button answers nothing: this run starts fresh and the
    // lesson waits for the next start, which offers it again.
    NextStart closed(lesson, Prompter::Answer::Closed);
    EXPECT_EQ(closed.prompter.questions, QStringList{closed.text("msgContinueLesson")});
    EXPECT_EQ(closed.logic().Hei1.State, 0);
    EXPECT_EQ(closed.logic().MeasureDay(), AppFixture::fixedNow().date());
    EXPECT_EQ(closed.dir.read(LessonRecord::FileName), lesson);
    closed.restart(Prompter::Answer::Yes);
    EXPECT_EQ(closed.prompter.questions, QStringList{closed.text("msgContinueLesson")});
    EXPECT_EQ(closed.logic().Hei1.State, 3);
    EXPECT_EQ(closed.logic().MeasureDay(), QDate(2013, 6, 21));
}

// A lesson left for later (its question closed) is another lesson: clearing all leaves it, and
// ending this run asks whether this lesson replaces it, naming its date and places. Yes keeps
// this run's lesson only, No the other one only; the question closed keeps both, the other one
// under the name of its date, which the next start names beside the newest it offers.
TEST(KeptLesson, AnotherLessonIsReplacedOnlyWhenTheTeacherSaysSo) {
    const QByteArray other = keptLesson();  // 21 June 2013, Gdańsk and Kraków
    const QString dated = "Gnomora_Lesson-2013-06-21.ini";
    for (const Prompter::Answer answer : {Prompter::Answer::Yes, Prompter::Answer::No, Prompter::Answer::Closed}) {
        SCOPED_TRACE(int(answer));
        NextStart f(other, Prompter::Answer::Closed);
        ClassRun run = f.classRun();
        ASSERT_TRUE(run.clickStep(2) && run.choose(1, 0) && run.choose(2, 1) && run.click("btnClearAll"));
        ASSERT_TRUE(run.choose(1, 0) && run.choose(2, 1) && run.click("btnStep1Next") && run.read({"12", "0", "800"}));
        EXPECT_EQ(f.dir.read(LessonRecord::FileName), other);
        const QString gdansk = QString::fromUtf8("Gdańsk"), krakow = QString::fromUtf8("Kraków");
        const QString question = f.text("msgReplaceLesson").arg("21/06/2013", gdansk, krakow, dated);
        f.prompter.clear();
        f.prompter.answers.push_back(answer);
        f.start->close();
        EXPECT_EQ(f.prompter.questions, QStringList{question});
        const NameValueList kept = NameValueList::fromBytes(f.dir.read(LessonRecord::FileName));
        EXPECT_EQ(kept.value("PlaceName1"), answer == Prompter::Answer::No ? gdansk : krakow);
        EXPECT_EQ(f.dir.read(dated), answer == Prompter::Answer::Closed ? other : QByteArray());
        if (answer == Prompter::Answer::Closed) {
            f.restart(Prompter::Answer::Closed);
            EXPECT_EQ(f.prompter.questions,
                      QStringList{f.text("msgContinueLesson") + "\n\n" +
                                  f.text("msgOtherLessonKept").arg(QDir::toNativeSeparators(f.dir.file(dated)))});
        }
    }
    NextStart f(other, Prompter::Answer::Closed);  // measures nothing: ends unasked, the lesson as it was
    const QStringList asked{f.text("msgContinueLesson")};
    f.start->close();
    EXPECT_EQ(f.prompter.questions, asked);
    EXPECT_EQ(f.dir.read(LessonRecord::FileName), other);
}

// A file that cannot be continued is never offered: it is refused once and set aside under
// another name (replacing one set aside before), so the next start asks nothing.
TEST(KeptLesson, ADamagedOrForeignFileIsRefusedOnceAndSetAside) {
    const QByteArray lesson = keptLesson();
    const QString setAside = LessonRecord::FileName + ".damaged";
    const QByteArray later = "LessonRecord=1\r\nfrom a later run, damaged too\r\n";
    // Cut short, foreign, and a time no clock shows.
    for (const QByteArray &bytes : {lesson.left(lesson.size() / 3), QByteArray("Place1=Krak\xf3w\r\nNoonH1=12\r\n"),
                                    QByteArray(lesson).replace("\r\nHeiTimH1=12\r\n", "\r\nHeiTimH1=99\r\n")}) {
        ASSERT_NE(bytes, lesson);
        NextStart f(bytes, std::nullopt, false);
        EXPECT_TRUE(f.prompter.questions.isEmpty());
        EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgLessonRefused")});
        EXPECT_EQ(f.logic().Hei1.State, 0);
        EXPECT_FALSE(LessonRecord::exists());
        EXPECT_EQ(f.dir.read(setAside), bytes);
        EXPECT_EQ(f.dir.read("Gnomora_Cfg.ini"), SchoolsCfg);  // nothing else touched

        f.dir.write(LessonRecord::FileName, later);
        f.restart();
        EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgLessonRefused")});
        EXPECT_EQ(f.dir.read(setAside), later);
        f.restart();
        EXPECT_TRUE(f.prompter.messages.isEmpty());
        EXPECT_TRUE(f.prompter.questions.isEmpty());
        EXPECT_FALSE(LessonRecord::exists());
    }
}

// Continued and ended before the main window was ever opened: the lesson is kept as it came,
// its places and pupils included.
TEST(KeptLesson, EndedBeforeTheMainWindowOpensKeepsItsPlaces) {
    const QByteArray lesson = keptLesson();
    NextStart f(lesson, Prompter::Answer::Yes, false);
    f.start->close();
    EXPECT_TRUE(f.prompter.questions.size() == 1 && f.prompter.messages.isEmpty());
    const NameValueList kept = NameValueList::fromBytes(f.dir.read(LessonRecord::FileName));
    EXPECT_EQ(kept.value("PlaceSelect1"), "1");
    EXPECT_EQ(kept.value("PlaceName1"), QString::fromUtf8("Gdańsk"));
    EXPECT_EQ(kept.value("PlaceSelect2"), "0");
    EXPECT_EQ(kept.value("PlaceState"), "1");
    EXPECT_EQ(kept.value("Person13"), QString::fromUtf8("Żaneta"));
    EXPECT_EQ(kept.value("HeiState1"), "3");
    EXPECT_EQ(kept.value("MeasureDate"), "2013-06-21");

    // Opened, the places panel shows them; what the class then changes is kept at the end, also
    // after the main window was closed.
    f.restart(Prompter::Answer::Yes);
    f.openMainWindow();
    f.main->imgStep1Click();
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), 1);
    f.main->panelStep1()->personField(2, 4)->setText("Zenek");
    f.main->close();
    f.start->close();
    EXPECT_EQ(NameValueList::fromBytes(f.dir.read(LessonRecord::FileName)).value("Person24"), "Zenek");
}

// Continued, step 1 shows the photographs of both kept schools and of the persons whose kept
// names are the configured ones; every name stays as kept.
TEST(KeptLesson, StepOneShowsThePhotographs) {
    const QByteArray lesson = keptLesson();
    ASSERT_TRUE(lesson.contains("\r\nPerson21=Ala\r\n"));
    for (const bool renamed : {false, true}) {
        SCOPED_TRACE(renamed);
        NextStart f(renamed ? QByteArray(lesson).replace("Person21=Ala", "Person21=Ola") : lesson, Prompter::Answer::Yes,
                    false);
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        for (const char *file : {"school1.png", "school2.png", "ala.png"})
            ASSERT_TRUE(picture.save(f.dir.file(file)));
        f.openMainWindow();
        f.main->imgStep1Click();
        PanelStep1 *step1 = f.main->panelStep1();
        for (const char *image : {"imgPlace1", "imgPlace2"}) {  // Gdańsk, Kraków
            EXPECT_FALSE(f.find<PictureBox>(image)->isHidden()) << image;
            EXPECT_FALSE(f.find<PictureBox>(image)->picture().isNull()) << image;
        }
        EXPECT_TRUE(f.find<PictureBox>("imgPerson11")->isHidden());  // Ewa has no photograph
        EXPECT_EQ(f.find<PictureBox>("imgPerson21")->isHidden(), renamed);
        EXPECT_EQ(step1->personField(2, 1)->text(), renamed ? "Ola" : "Ala");
        EXPECT_EQ(step1->personField(1, 1)->text(), "Ewa");
        EXPECT_EQ(step1->personField(1, 3)->text(), QString::fromUtf8("Żaneta"));
        EXPECT_EQ(step1->personField(2, 2)->text(), "Olek");
        EXPECT_TRUE(f.prompter.messages.isEmpty());
    }
}

// A place continued after its lengths were accepted shows its latitude at once, on the teacher's
// panel and on its measurement panel; one with only its time accepted has none yet.
TEST(KeptLesson, APlaceContinuedAtItsLengthsShowsItsLatitude) {
    NextStart f(keptLesson(true), Prompter::Answer::Yes);
    TLogic &logic = f.logic();
    ASSERT_EQ(logic.Hei2.State, 2);
    const QString latitude = AngleToText(M_PI / 2 - logic.Hei2.SunPlaneAngle);
    EXPECT_TRUE(f.find<QLabel>("LabTech2")->text().endsWith(latitude)) << f.find<QLabel>("LabTech2")->text().toStdString();
    f.main->imgStep3Click();
    EXPECT_FALSE(f.find<QLabel>("labLatitudeRes")->isHidden());
    EXPECT_EQ(f.find<QLabel>("labLatitudeRes")->text(), latitude);

    NextStart timeOnly(keptLesson(false), Prompter::Answer::Yes);
    ASSERT_EQ(timeOnly.logic().Hei2.State, 1);
    timeOnly.main->imgStep3Click();
    EXPECT_TRUE(timeOnly.find<QLabel>("labLatitudeRes")->isHidden());
}

// Letters that Windows-1250 lacks make the kept lesson a UTF-8 file: a Ukrainian pupil and a
// place of a UTF-8 configuration come back as typed.
TEST(KeptLesson, NamesInAnyScriptComeBackAsTyped) {
    const QString pupil = QString::fromUtf8("Олена Коваленко");
    const QString school = QString::fromUtf8("Школа №3 у Львові");
    const QByteArray cfg = QByteArray("\xEF\xBB\xBF") + "Place1=" + school.toUtf8() + "\r\nPlace2=Gda\xc5\x84sk\r\n";
    QByteArray lesson;
    {
        NextStart f(QByteArray(), std::nullopt, true, cfg);
        f.main->imgStep1Click();
        PanelStep1 &places = *f.main->panelStep1();
        places.placeList(1)->setCurrentIndex(0);
        places.placeList(2)->setCurrentIndex(1);
        places.personField(1, 1)->setText(pupil);
        f.main->imgStep2Click();
        QTest::mouseClick(f.find<QPushButton>("btnAcceptTime"), Qt::LeftButton);
        ASSERT_EQ(f.logic().Hei1.State, 1);
        f.start->close();
        lesson = f.dir.read(LessonRecord::FileName);
    }
    EXPECT_TRUE(lesson.startsWith("\xEF\xBB\xBFLessonRecord=1\r\n"));
    NextStart f(lesson, Prompter::Answer::Yes, true, cfg);
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    EXPECT_EQ(f.objects().Session->GetValue("Person11"), pupil);
    EXPECT_EQ(f.objects().Session->GetValue("PlaceName1"), school);
    f.main->imgStep1Click();
    EXPECT_EQ(f.main->panelStep1()->personField(1, 1)->text(), pupil);
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentText(), school);
}

TEST(KeptLesson, PrintingOrClearingEndsIt) {
    const QByteArray lesson = keptLesson();
    {
        NextStart f(lesson, Prompter::Answer::Yes);
        f.prompter.answers.push_back(Prompter::Answer::Ok);  // unprinted measurements: asked first
        f.main->panelStep1()->btnClearAllClick();
        EXPECT_FALSE(LessonRecord::exists());
        f.start->close();  // nothing measured any more: nothing to keep
        EXPECT_FALSE(LessonRecord::exists());
    }
    {
        NextStart f(lesson, Prompter::Answer::Yes);
        f.main->imgStep3Click();
        f.find<QLineEdit>("edTimeH")->setText("12");
        QTest::mouseClick(f.find<QPushButton>("btnAcceptTime"), Qt::LeftButton);
        QTest::mouseClick(f.find<QPushButton>("btnAcceptHeight"), Qt::LeftButton);
        QTest::mouseClick(f.find<QPushButton>("btnCalcNoon"), Qt::LeftButton);
        f.main->imgStep4Click();
        f.find<QLineEdit>("edDistance")->setText("1000");
        QTest::mouseClick(f.find<QPushButton>("btnCalcEarth"), Qt::LeftButton);
        f.main->imgStep5Click();
        ASSERT_EQ(f.main->currentPanel()->objectName(), "PanelStep5");
        f.printer.print = [](const Report::ReportPage &, const QString &, const Printing::PrintJob &, QWidget *) {
            return Printing::PrintResult{Printing::PrintStatus::Sent, QString()};
        };
        QTest::mouseClick(f.find<QPushButton>("btnPrint"), Qt::LeftButton);
        EXPECT_TRUE(f.logic().Printed);
        EXPECT_FALSE(LessonRecord::exists());
    }
}

TEST(KeptLesson, NotWhileAnotherCopyWorksInTheFolder) {
    const QByteArray lesson = keptLesson();
    AppFixture f;
    f.seedShippedLanguage();
    f.dir.write(LessonRecord::FileName, lesson);
    QLockFile otherCopy(TStartForm::LockFileName);
    ASSERT_TRUE(otherCopy.tryLock(0));
    f.prompter.answers.push_back(Prompter::Answer::Yes);  // run without saving
    f.startProgram();
    EXPECT_EQ(f.prompter.questions.size(), 1);  // msgFolderInUse only: the lesson is that copy's
    EXPECT_EQ(f.objects().Logic->Hei1.State, 0);
    EXPECT_EQ(f.dir.read(LessonRecord::FileName), lesson);
}
