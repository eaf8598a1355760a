// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's tools driven as a teacher uses them: the latitude on the measurement panel, the
// deviation under the circumference, the measurement date of step 1, true noon from the
// longitude in the places editor, and the lesson kept from one start of the program to the next.
#include "model/DayCount.h"
#include "model/TLogic.h"
#include "session/LessonRecord.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "support/MainWindowFixture.h"
#include "ui/PanelStep5.h"
#include "ui/PanelTech.h"
#include "print/PagePrinting.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <gtest/gtest.h>

namespace {

// Place 1 Gdańsk (noon 12:00), place 2 Kraków (11:40); the date is 20 June 2013.
struct TeacherRun : MainWindowFixture {
    void choosePlaces() {
        choose(1, 1);
        choose(2, 0);
    }
    QLineEdit *edit(const char *name) { return find<QLineEdit>(name); }
    QLabel *label(const char *name) { return find<QLabel>(name); }
    bool shown(const char *name) { return !find<QWidget>(name)->isHidden(); }
    TLogic &logic() { return *objects().Logic; }
    QDateEdit *dateField() { return find<QDateEdit>("edMeasureDate"); }
    // The teacher settles on a date typed into the box.
    void typeDate(QDate date) {
        dateField()->setDate(date);
        emit dateField()->editingFinished();
    }
    // Both places measured at noon, 1000 km apart, the Earth computed.
    void wholeRun() {
        choosePlaces();
        click("btnStep1Next");
        measure("800");
        click("btnSetp2Next");
        measure("1000");
        click("btnSetp2Next");
        edit("edDistance")->setText("1000");
        click("btnAcceptDistance");
        click("btnCalcEarth");
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
    EXPECT_EQ(latitude, TLogic::AngleToText(M_PI / 2 - f.logic().Hei1.SunPlaneAngle));
    EXPECT_GT(f.label("labLatitudeRes")->x(), f.label("labLatitude")->geometry().right());
    EXPECT_GT(f.label("labLatitude")->y(), f.label("labHeightRes")->geometry().bottom());
    EXPECT_LT(f.label("labLatitude")->geometry().bottom(), f.find<QWidget>("labCalcNoon")->y());
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
    EXPECT_EQ(f.label("labDeviationRes")->text(), "+2.5 %");
    f.edit("edDistance")->setText("800");
    f.click("btnAcceptDistance");  // "???" again: no deviation of anything
    EXPECT_EQ(f.label("labPropEarth")->text(), "???");
    EXPECT_FALSE(f.shown("labDeviationRes"));
}

TEST(TeacherTools, TheMeasurementDateOfStepOne) {
    TeacherRun f;
    f.clickStep(2);
    EXPECT_EQ(f.dateField()->date(), QDate(2013, 6, 20));
    EXPECT_EQ(f.dateField()->displayFormat(), "dd/MM/yyyy");
    EXPECT_TRUE(f.dateField()->calendarPopup());
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

TEST(TeacherTools, TheResultSheetPrintsTheMeasurementDate) {
    TeacherRun f;
    f.clickStep(2);
    f.typeDate(QDate(2013, 6, 18));
    f.wholeRun();
    f.clickStep(6);
    ASSERT_EQ(f.main->currentPanel()->objectName(), "PanelStep5");
    QString footer;
    for (const report::PageLabel &label : f.main->panelStep5()->sheet().labels)
        if (label.name == "PrintFooter4")
            footer = label.caption;
    EXPECT_EQ(footer, "18/06/2013");
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

TEST(TeacherTools, AFileWithoutLongitudesIsSavedByteForByte) {
    TeacherRun f;
    const QByteArray sample = AppFixture::shippedFile("Gnomora_Cfg.ini");
    ASSERT_FALSE(sample.isEmpty());
    f.objects().Comm->Cfg = NameValueList::fromBytes(sample);
    f.main->close();
    f.openMainWindow();  // the editor shows the sample places
    f.clickStep(7);
    f.click("btnSavePlaces");
    EXPECT_EQ(f.dir.read("Gnomora_Cfg.ini"), sample);
}

namespace {

// A start of the program in a folder that holds the test schools and, if given, a kept lesson.
struct NextStart : AppFixture {
    explicit NextStart(const QByteArray &lesson, std::optional<Prompter::Answer> answer = std::nullopt) {
        seedShippedLanguage();
        dir.write("Gnomora_Cfg.ini", SchoolsCfg);
        if (!lesson.isNull())
            dir.write(LessonRecord::FileName, lesson);
        if (answer)
            prompter.answers.push_back(*answer);
        startProgram();
        openMainWindow();
    }
    QString text(const char *key) { return objects().Lang->GetText(key); }
    TLogic &logic() { return *objects().Logic; }
};

// A lesson ended without printing: places, pupils, another date, place 1 measured, place 2 begun.
QByteArray keptLesson() {
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
    f.edit("edTimeM")->setText("55");  // typed, not accepted
    f.start->close();
    EXPECT_TRUE(f.prompter.questions.isEmpty());  // nothing is lost, so nothing is asked
    EXPECT_FALSE(f.objects().exist());
    return f.dir.read(LessonRecord::FileName);
}

}  // namespace

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
    EXPECT_TRUE(f.find<QLabel>("labTech1")->text().endsWith(TLogic::AngleToText(M_PI / 2 - logic.Hei1.SunPlaneAngle)));

    PanelStep1 *step1 = f.main->panelStep1();
    f.main->imgStep1Click();
    EXPECT_EQ(step1->placeList(1)->currentIndex(), 1);
    EXPECT_EQ(step1->placeList(2)->currentIndex(), 0);
    EXPECT_EQ(step1->personField(1, 3)->text(), QString::fromUtf8("Żaneta"));
    EXPECT_EQ(step1->personField(1, 1)->text(), "Ewa");  // Gdańsk's, filled in at the choice
    EXPECT_EQ(step1->personField(2, 1)->text(), "Ala");  // Kraków's
    EXPECT_EQ(f.find<QDateEdit>("edMeasureDate")->date(), QDate(2013, 6, 21));
    f.main->imgStep2Click();
    EXPECT_FALSE(f.find<QLabel>("labNoonRes")->isHidden());
    f.main->imgStep3Click();
    EXPECT_EQ(f.find<QLineEdit>("edTimeH")->text(), "11");
    EXPECT_EQ(f.find<QLineEdit>("edTimeM")->text(), "0");  // only what was accepted
    EXPECT_TRUE(LessonRecord::exists());  // kept until it is printed or given up
}

TEST(KeptLesson, StartingFreshRemovesIt) {
    NextStart f(keptLesson(), Prompter::Answer::No);
    EXPECT_EQ(f.prompter.questions.size(), 1);
    EXPECT_EQ(f.logic().Hei1.State, 0);
    EXPECT_EQ(f.logic().MeasureDay(), AppFixture::fixedNow().date());
    EXPECT_FALSE(LessonRecord::exists());
}

TEST(KeptLesson, ADamagedOrForeignFileIsRefusedAndLeftAlone) {
    QByteArray lesson = keptLesson();
    for (const QByteArray &bytes : {lesson.left(lesson.size() / 3), QByteArray("Place1=Krak\xf3w\r\nNoonH1=12\r\n")}) {
        NextStart f(bytes, Prompter::Answer::Yes);
        EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgLessonRefused")});
        EXPECT_EQ(f.logic().Hei1.State, 0);
        EXPECT_EQ(f.dir.read(LessonRecord::FileName), bytes);
        EXPECT_EQ(f.dir.read("Gnomora_Cfg.ini"), SchoolsCfg);  // nothing else touched
    }
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
        f.main->panelStep5()->setPrintRunner(
            [](const report::ReportPage &, const QString &, const printing::PrintJob &, QWidget *) {
                return printing::PrintResult{printing::PrintStatus::Sent, QString()};
            });
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
