// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "support/MainWindowFixture.h"
#include "ui/PanelStep1.h"
#include "ui/PanelStep2.h"
#include "ui/PanelStep4.h"
#include "ui/PanelTech.h"
#include "ui/PictureBox.h"
#include "ui/StepButton.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <gtest/gtest.h>


TEST(MainWindow, FirstShowOpensTheIntroductionWithOnlyItsButtonGreen) {
    MainWindowFixture f;
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep0"));
    EXPECT_EQ(f.buttonColour(1), QColor(34, 238, 34));
    for (int i = 2; i <= 7; ++i)
        EXPECT_EQ(f.buttonColour(i), QColor(0, 0, 0)) << i;
    // three lines of yellow text on the button (two in Windows' narrower Tahoma)
    const QImage &b = f.main->stepButton(1)->picture();
#ifdef _WIN32
    for (int top : {10, 25}) {
#else
    for (int top : {10, 25, 40}) {
#endif
        bool yellow = false;
        for (int y = top; y < top + 15 && !yellow; ++y)
            for (int x = 10; x < 120 && !yellow; ++x)
                yellow = b.pixelColor(x, y) == QColor(255, 255, 0);
        EXPECT_TRUE(yellow) << "no text line at " << top;
    }
    EXPECT_EQ(f.main->windowTitle(), f.text("MainForm"));
    EXPECT_FALSE(f.find<QPushButton>("btnClearAll")->text().isEmpty());
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    // the shipped file holds every key the windows use
    EXPECT_FALSE(f.objects().Lang->Changed) << f.objects().Lang->Texts.lines().mid(162).join(", ").toStdString();
}

// The introduction shows no mark of the focus: when it takes the focus (as it does when the window
// is activated) and when it loses it to a step button, none of it is painted again.
TEST(MainWindow, TheIntroductionIsNotRepaintedWhenTheFocusComesOrGoes) {
    MainWindowFixture f;
    QWidget *introduction = f.main->currentPanel();
    f.main->repaint();
    QCoreApplication::processEvents();  // nothing of the opening left to paint
    struct PaintCounter : QObject {
        QWidget *panel;
        int paints = 0;
        explicit PaintCounter(QWidget *watched) : panel(watched) { qApp->installEventFilter(this); }
        bool eventFilter(QObject *receiver, QEvent *event) override {
            auto *widget = qobject_cast<QWidget *>(receiver);
            if (event->type() == QEvent::Paint && (widget == panel || panel->isAncestorOf(widget)))
                ++paints;
            return false;
        }
    } counter(introduction);
    for (QWidget *next : {static_cast<QWidget *>(f.main->stepButton(2)), introduction,
                          static_cast<QWidget *>(f.main->stepButton(3))}) {
        next->setFocus(Qt::ActiveWindowFocusReason);
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
    EXPECT_EQ(counter.paints, 0);
}

TEST(MainWindow, HoveringPaintsTheButtonBlueUntilAnotherIsTouched) {
    MainWindowFixture f;
    QTest::mouseMove(f.main->stepButton(3), QPoint(20, 20));
    emit f.main->stepButton(3)->mouseMoved();
    EXPECT_EQ(f.objects().Comm->HoverStep, 3);
    EXPECT_EQ(f.buttonColour(3), QColor(0, 0, 238));
    emit f.main->stepButton(1)->mouseMoved();  // the active one stays green
    EXPECT_EQ(f.buttonColour(1), QColor(34, 238, 34));
    EXPECT_EQ(f.buttonColour(3), QColor(0, 0, 0));
}

TEST(MainWindow, PrintStepOnAFreshRunShowsOnlyNoPlaces) {
    MainWindowFixture f;
    f.clickStep(6);
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgNoPlaces")});
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep1"));
    EXPECT_EQ(f.objects().Comm->ActiveStep, 2);
    EXPECT_EQ(f.buttonColour(2), QColor(34, 238, 34));
}

TEST(MainWindow, ComparisonWithPlaceTwoUnmeasuredOpensPlaceTwo) {
    MainWindowFixture f;
    f.choose(1, 0);
    f.choose(2, 1);
    f.click("btnStep1Next");
    ASSERT_EQ(f.objects().CurrHei, &f.objects().Logic->Hei1);
    f.measure("1000");
    ASSERT_EQ(f.objects().Logic->Hei1.State, 3);
    f.prompter.clear();
    f.clickStep(5);
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgNoAngleCalculated")});
    EXPECT_EQ(f.objects().CurrHei, &f.objects().Logic->Hei2);
    EXPECT_EQ(f.objects().Comm->ActiveStep, 4);
    EXPECT_EQ(f.find<QLabel>("labPanel2Place")->text(), QString::fromUtf8("Gdańsk"));
}

TEST(MainWindow, ComparisonAndPrintWithAPlaceUnfinishedOpenThatPlace) {
    // One place stopped after no stage, the time, or the lengths; the other fully measured.
    for (int unfinished : {1, 2}) {
        for (int stages = 0; stages <= 2; ++stages) {
            for (int step : {5, 6}) {
                SCOPED_TRACE(testing::Message() << "place " << unfinished << ", " << stages << " stages, step button "
                                                << step);
                MainWindowFixture f;
                f.choose(1, 0);
                f.choose(2, 1);
                f.click("btnStep1Next");
                auto measureUnfinished = [&] {
                    if (stages >= 1)
                        f.click("btnAcceptTime");
                    if (stages >= 2)
                        f.click("btnAcceptHeight");
                };
                if (unfinished == 1)
                    measureUnfinished();
                else
                    f.measure("800");
                f.click("btnSetp2Next");
                if (unfinished == 2)
                    measureUnfinished();
                else
                    f.measure("800");
                TLogic &logic = *f.objects().Logic;
                THeiObj &place = unfinished == 1 ? logic.Hei1 : logic.Hei2;
                ASSERT_EQ((unfinished == 1 ? logic.Hei2 : logic.Hei1).State, 3);
                ASSERT_EQ(place.State, stages);
                f.prompter.clear();
                f.clickStep(step);
                EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgNoAngleCalculated")});
                EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep2"));
                EXPECT_EQ(f.objects().CurrHei, &place);
                EXPECT_EQ(f.objects().Comm->ActiveStep, 2 + unfinished);
                EXPECT_EQ(place.State, stages);  // what was accepted is still shown
            }
        }
    }
}

TEST(MainWindow, ReopeningOnAMeasurementStepKeepsTheChoiceAndTheNames) {
    MainWindowFixture f;
    f.choose(1, 0);
    f.choose(2, 1);
    f.person(1, 3)->setText("Basia");
    f.click("btnStep1Next");
    f.clickStep(4);
    ASSERT_EQ(f.objects().Comm->ActiveStep, 4);
    f.main->close();
    f.prompter.clear();
    f.openMainWindow();
    EXPECT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join('|').toStdString();
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep2"));
    EXPECT_EQ(f.objects().Comm->ActiveStep, 4);
    EXPECT_EQ(f.person(1, 3)->text(), QString("Basia"));
    EXPECT_EQ(f.person(1, 1)->text(), QString("Ala"));
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), 0);
    EXPECT_EQ(f.main->panelStep1()->placeList(2)->currentIndex(), 1);
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->count(), 6);  // five places and the virtual partner
    EXPECT_EQ(f.objects().Session->GetValue("PlaceState"), QString("1"));
}

TEST(MainWindow, SplitterReLaysTheStepButtons) {
    MainWindowFixture f;
    auto *splitter = f.main->findChild<QSplitter *>("Splitter1");
    splitter->setSizes({600, 380});
    QApplication::processEvents();
    QWidget *column = f.main->stepButton(1)->parentWidget();
    const int h = column->height() / 7;
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(f.main->stepButton(i)->geometry(), QRect(0, (i - 1) * h, column->width(), h)) << i;
        EXPECT_EQ(f.main->stepButton(i)->picture().size(), QSize(column->width(), h)) << i;
    }
}

TEST(MainWindow, OddTagKeepsItsTextAndMissingKeysShowEmptyThenDot) {
    AppFixture f;
    f.dir.write("Gnomo_Language_0.ini", "labPlacesDescr1=Hello\r\nlabDescr1=Line one\r\n");
    f.startProgram();
    auto *tagged = f.find<QLabel>("labPlacesDescr1");
    tagged->setProperty("tag", 1);
    tagged->setText("kept");
    f.openMainWindow();
    EXPECT_EQ(tagged->text(), QString("kept"));
    EXPECT_EQ(f.main->findChild<QLabel *>("labDescr1")->text(), QString("Line one"));
    EXPECT_EQ(f.main->findChild<QLabel *>("labDescr5")->text(), QString());
    EXPECT_EQ(f.main->findChild<QLabel *>("labDescr1")->property("tag").toInt(), 0);
    f.main->close();
    f.openMainWindow();
    EXPECT_EQ(f.main->findChild<QLabel *>("labDescr5")->text(), QString("."));
    EXPECT_EQ(tagged->text(), QString("kept"));
}

TEST(StepOne, SamePlaceTwiceOrAnEmptyNameIsNoChoice) {
    MainWindowFixture f;
    f.choose(1, 1);
    f.choose(2, 1);
    f.click("btnStep1Next");
    EXPECT_EQ(f.objects().Session->GetValue("PlaceState"), QString("0"));
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgNoPlaces")});
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep1"));
    f.choose(2, 3);  // place 4 has no name
    f.click("btnStep1Next");
    EXPECT_EQ(f.objects().Session->GetValue("PlaceState"), QString("0"));
    EXPECT_EQ(f.person(2, 1)->text(), QString("Only a person"));
    f.choose(2, 0);
    f.click("btnStep1Next");
    EXPECT_EQ(f.objects().Session->GetValue("PlaceState"), QString("1"));
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep2"));
}

TEST(StepOne, ChoosingPlacesFillsPersonsAndPictures) {
    MainWindowFixture f;
    auto *placeImage = f.find<PictureBox>("imgPlace1");
    f.choose(1, 0);
    EXPECT_EQ(f.person(1, 1)->text(), QString("Ala"));
    EXPECT_EQ(f.person(1, 2)->text(), QString("Olek"));
    EXPECT_FALSE(placeImage->isHidden());
    EXPECT_EQ(placeImage->picture().size(), QSize(257, 193));  // the whole 400 x 300 picture, fitted
    EXPECT_FALSE(f.find<PictureBox>("imgPerson11")->isHidden());
    f.person(1, 2)->setText("Typed by us");
    f.choose(1, 1);
    EXPECT_EQ(f.person(1, 1)->text(), QString("Ewa"));
    EXPECT_EQ(f.person(1, 2)->text(), QString("Typed by us"));
    f.choose(1, 4);  // place 5: nothing configured
    EXPECT_EQ(f.person(1, 1)->text(), QString());
    EXPECT_TRUE(placeImage->isHidden());
    EXPECT_TRUE(f.find<PictureBox>("imgPerson11")->isHidden());
}

// A picture that cannot be read is reported and hidden: the photograph and pupils of the school
// chosen before never stay under the new one, whose pupils are filled in; at either place.
TEST(StepOne, CorruptPictureIsReportedAndTheProgramGoesOn) {
    MainWindowFixture f;
    for (const int place : {1, 2}) {
        SCOPED_TRACE(place);
        const QString n = QString::number(place);
        auto *placeImage = f.find<PictureBox>("imgPlace" + n);
        auto *personImage = f.find<PictureBox>("imgPerson" + n + "1");
        f.choose(place, 0);
        ASSERT_FALSE(placeImage->isHidden() || personImage->isHidden());
        f.prompter.messages.clear();
        f.choose(place, 2);
        ASSERT_EQ(f.prompter.messages.size(), 1);
        EXPECT_TRUE(f.prompter.messages[0].contains("bad.jpg")) << f.prompter.messages[0].toStdString();
        EXPECT_TRUE(placeImage->isHidden());
        EXPECT_EQ(f.person(place, 1)->text(), QString("Zenon"));
        EXPECT_EQ(f.person(place, 2)->text(), QString());
        EXPECT_TRUE(personImage->isHidden());
        f.choose(place, 0);
        EXPECT_EQ(f.person(place, 1)->text(), QString("Ala"));
        EXPECT_FALSE(placeImage->isHidden());
    }
}

TEST(StepOne, ClearAllKeepsPicturesAndResetsTheRun) {
    MainWindowFixture f;
    f.choose(1, 0);
    f.choose(2, 1);
    f.person(2, 4)->setText("Zosia");
    f.click("btnStep1Next");
    f.measure("800");
    f.objects().Logic->Printed = true;
    f.clickStep(2);
    f.click("btnClearAll");
    const TLogic &logic = *f.objects().Logic;
    EXPECT_EQ(logic.Hei1.State, 0);
    EXPECT_FALSE(logic.Printed);
    EXPECT_EQ(f.person(2, 4)->text(), QString());
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), -1);
    EXPECT_FALSE(f.find<PictureBox>("imgPlace1")->isHidden());
    EXPECT_EQ(f.objects().Session->GetValue("PlaceSelect1"), QString("-1"));
    EXPECT_EQ(f.objects().Session->GetValue("PlaceState"), QString("0"));
    EXPECT_EQ(f.objects().Session->GetValue("HeiState1"), QString("0"));
}

// Clearing loses the class's measurements: it asks first while they were not printed.
TEST(StepOne, ClearAllAsksWhileMeasuredValuesAreUnprinted) {
    MainWindowFixture f;
    f.choose(1, 0);
    f.choose(2, 1);
    f.click("btnStep1Next");
    f.find<QLineEdit>("edTimeH")->setText("12");
    f.click("btnAcceptTime");
    f.clickStep(2);
    for (auto answer : {Prompter::Answer::Cancel, Prompter::Answer::Closed}) {
        f.prompter.answers.push_back(answer);
        f.click("btnClearAll");
        EXPECT_EQ(f.prompter.questions.takeLast(), f.text("msgAreYouSure"));
        EXPECT_EQ(f.objects().Logic->Hei1.State, 1);
        EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), 0);
    }
    f.prompter.answers.push_back(Prompter::Answer::Ok);
    f.click("btnClearAll");
    EXPECT_EQ(f.prompter.questions.takeLast(), f.text("msgAreYouSure"));
    EXPECT_EQ(f.objects().Logic->Hei1.State, 0);
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), -1);
    // nothing measured now: no question (an unexpected one would throw and leave the choice)
    f.choose(1, 0);
    f.click("btnClearAll");
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), -1);
    EXPECT_TRUE(f.prompter.questions.isEmpty());
    EXPECT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join('|').toStdString();
}

TEST(PlacesEditor, SavingWritesTheFileAndKeepsTheChoicesThatStillExist) {
    MainWindowFixture f;
    f.choose(1, 0);
    f.choose(2, 1);
    f.clickStep(7);
    f.find<QLineEdit>("edPlace5")->setText("Zakopane");
    f.find<QLineEdit>("edNoonH5")->setText("23");
    f.find<QLineEdit>("edNoonM5")->setText("0");
    f.click("btnSavePlaces");
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    EXPECT_EQ(f.find<QLineEdit>("edNoonH5")->text(), QString("23"));
    EXPECT_EQ(f.find<QLineEdit>("edNoonM5")->text(), QString("00"));
    const QByteArray cfg = f.dir.read("Gnomora_Cfg.ini");
    EXPECT_TRUE(cfg.contains("NoonH5=23\r\nNoonM5=00\r\n"));
    EXPECT_TRUE(cfg.startsWith("; test schools\r\nPlace1=Krak\xf3w\r\n"));
    EXPECT_TRUE(cfg.contains("Place5=Zakopane\r\n"));
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), 0);
    EXPECT_EQ(f.main->panelStep1()->placeList(2)->currentIndex(), 1);
    EXPECT_EQ(f.main->panelStep1()->placeList(2)->itemText(4), QString("Zakopane"));
    f.clickStep(3);
    EXPECT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join('|').toStdString();
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep2"));

    // A chosen place renamed in its row (a typo fixed) stays the class's choice, under its new
    // name; a place moved to another row is found there by its name.
    f.clickStep(7);
    f.find<QLineEdit>("edPlace1")->setText(QString::fromUtf8("Kraków-Nowa Huta"));
    f.find<QLineEdit>("edPlace3")->setText(QString::fromUtf8("Gdańsk"));
    f.find<QLineEdit>("edPlace2")->setText("Moved away");
    f.click("btnSavePlaces");
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), 0);
    EXPECT_EQ(f.main->panelStep1()->placeList(2)->currentIndex(), 2);
    f.clickStep(3);
    EXPECT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join('|').toStdString();
    EXPECT_EQ(f.objects().Session->GetValue("PlaceName1"), QString::fromUtf8("Kraków-Nowa Huta"));
    EXPECT_EQ(f.find<QLabel>("labPanel2Place")->text(), QString::fromUtf8("Kraków-Nowa Huta"));

    // A row emptied holds no place any more: that choice is gone.
    f.clickStep(7);
    f.find<QLineEdit>("edPlace1")->setText(QString());
    f.click("btnSavePlaces");
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), -1);
    EXPECT_EQ(f.main->panelStep1()->placeList(2)->currentIndex(), 2);
    f.clickStep(3);
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgNoPlaces")});
}

TEST(PlacesEditor, NoonTimesOutsideTheirFormAreRefusedAndNothingIsSaved) {
    // Which numbers count is the model's matter; each box names itself and keeps what was typed.
    struct Row {
        const char *field;
        const char *typed;
        const char *message;
        const char *why;
    };
    const Row rows[] = {{"edNoonH3", "0", "msgBadNoonH", "the hour box: true noon never falls at midnight's hour"},
                        {"edNoonM3", "60", "msgBadNoonM", "the minute box: one past the last minute"}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.why);
        MainWindowFixture f;
        f.clickStep(7);
        const QByteArray before = f.dir.read("Gnomora_Cfg.ini");
        f.find<QLineEdit>("edPlace3")->setText("Renamed");
        f.find<QLineEdit>(r.field)->setText(r.typed);
        f.click("btnSavePlaces");
        EXPECT_EQ(f.prompter.messages, QStringList{f.text("labPlace3") + " " + f.text(r.message)});
        EXPECT_EQ(f.find<QLineEdit>(r.field)->text(), QString(r.typed));
        EXPECT_TRUE(f.find<QLineEdit>(r.field)->hasFocus());
        EXPECT_EQ(f.dir.read("Gnomora_Cfg.ini"), before);
        EXPECT_EQ(f.objects().Comm->GetValue("Place3"), QString("Bad picture"));
        EXPECT_EQ(f.main->panelStep1()->placeList(1)->itemText(2), QString("Bad picture"));
    }
}

TEST(PlacesEditor, FailedSaveIsReportedAndTheOldFileStays) {
    MainWindowFixture f;
    f.clickStep(7);
    const QByteArray before = f.dir.read("Gnomora_Cfg.ini");
    QFile::remove("Gnomora_Cfg.ini");
    QDir().mkdir("Gnomora_Cfg.ini");  // a folder in the file's place: the save cannot complete
    f.find<QLineEdit>("edPlace1")->setText("Changed");
    f.click("btnSavePlaces");
    ASSERT_EQ(f.prompter.messages.size(), 1);
    EXPECT_TRUE(f.prompter.messages[0].contains("Gnomora_Cfg.ini"));
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->itemText(0), QString::fromUtf8("Kraków"));  // not refilled
    EXPECT_FALSE(before.isEmpty());
}

TEST(PlacesEditor, UkrainianPupilsNameIsSavedAsUtf8WhenTheTeacherAgrees) {
    MainWindowFixture f;
    const QString name = QString::fromUtf8("Олена Шевченко");
    f.clickStep(7);
    f.find<QLineEdit>("edPerson12")->setText(name);
    f.prompter.answers.push_back(Prompter::Answer::Yes);
    f.click("btnSavePlaces");
    EXPECT_EQ(f.prompter.questions, QStringList{f.text("msgSaveCfgAsUtf8").arg(name)});
    EXPECT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join('|').toStdString();
    EXPECT_TRUE(f.dir.read("Gnomora_Cfg.ini")
                    .startsWith("\xEF\xBB\xBF; test schools\r\nPlace1=Kraków\r\nPerson11=Ala\r\nPerson12=Олена Шевченко\r\n"));
    f.choose(1, 0);
    EXPECT_EQ(f.person(1, 2)->text(), name);

    // The next start reads the name back.
    f.main.reset();
    f.start.reset();
    f.startProgram();
    f.openMainWindow();
    f.choose(1, 0);
    EXPECT_EQ(f.person(1, 2)->text(), name);
    EXPECT_EQ(f.prompter.questions.size(), 1);
}

// The places panel and the teacher's panel are built on first use; whatever the program told
// them before must be there when they are opened.
TEST(PanelsBuiltOnFirstUse, ShowEverythingToldBeforeTheyExisted) {
    MainWindowFixture f;
    ASSERT_EQ(f.built<PanelStep1>(), nullptr);
    ASSERT_EQ(f.built<PanelTech>(), nullptr);
    // The places editor's fields read back as the edit boxes would keep them.
    EXPECT_EQ(f.main->views().field("edPlace1"), QString::fromUtf8("Kraków"));
    EXPECT_EQ(f.main->views().field("edNoonM1"), QString("40"));
    f.main->views().setField("edPerson52", QString(40000, u'a'));
    EXPECT_EQ(f.main->views().field("edPerson52").size(), 32767);
    f.main->views().setLatitudeCaption(2, "Lattitude location 2=51°");
    f.main->resize(1200, 800);  // the panels are built into a window of another size
    QApplication::processEvents();

    f.clickStep(7);
    auto *tech = f.built<PanelTech>();
    ASSERT_NE(tech, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(tech->geometry(), tech->parentWidget()->rect());
    EXPECT_EQ(f.find<QLineEdit>("edPlace1")->text(), QString::fromUtf8("Kraków"));
    EXPECT_EQ(f.find<QLineEdit>("edNoonH1")->text(), QString("11"));
    EXPECT_EQ(f.find<QLineEdit>("edPerson52")->text().size(), 32767);
    EXPECT_EQ(f.find<QLabel>("LabTech2")->text(), QString("Lattitude location 2=51°"));
    EXPECT_EQ(f.find<QLabel>("labApplyIniChangesFile")->text(), QString("Gnomo_Language_0.ini"));
    EXPECT_EQ(f.find<QPushButton>("btnSavePlaces")->text(), f.text("btnSavePlaces"));
    EXPECT_EQ(f.main->views().field("edPlace2"), QString::fromUtf8("Gdańsk"));  // now read from the panel

    ASSERT_EQ(f.built<PanelStep1>(), nullptr);
    f.clickStep(2);
    QComboBox *list = f.main->panelStep1()->placeList(2);
    ASSERT_EQ(list->count(), f.main->panelStep1()->placeList(1)->count());
    EXPECT_EQ(list->itemText(0), QString::fromUtf8("Kraków"));
    EXPECT_EQ(list->itemText(1), QString::fromUtf8("Gdańsk"));
    EXPECT_EQ(list->currentIndex(), -1) << "filling the list chooses nothing";
    EXPECT_EQ(f.find<QPushButton>("btnClearAll")->text(), f.text("btnClearAll"));
    EXPECT_TRUE(f.prompter.messages.isEmpty());
}

TEST(PanelsBuiltOnFirstUse, AMeasurementStepStoresTheUntouchedPlacesAsBefore) {
    MainWindowFixture f;
    f.clickStep(3);  // step 1 was never opened: its empty choice is stored, so places are missing
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgNoPlaces")});
    EXPECT_EQ(f.main->currentPanel(), f.main->panelStep1());
}
