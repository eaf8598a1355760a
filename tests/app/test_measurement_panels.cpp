// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Angles.h"
#include "draw/TDrawObj.h"
#include "model/TLogic.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "support/MainWindowFixture.h"
#include "ui/DateBox.h"
#include "ui/PanelStep4.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

// Place 1 is Gdańsk (true noon 12:00 in the test configuration), place 2 Kraków (11:40).
struct MeasurementFixture : MainWindowFixture {
    MeasurementFixture() {
        ClassRun run = classRun();
        EXPECT_TRUE(run.choosePlaces() && run.click("btnStep1Next")) << run.unreached.join(' ').toStdString();
    }
    QLineEdit *edit(const char *name) { return find<QLineEdit>(name); }
    QLabel *label(const char *name) { return find<QLabel>(name); }
    bool shown(const char *name) { return !find<QWidget>(name)->isHidden(); }
    void acceptTime(const char *h, const char *m) { EXPECT_TRUE(classRun().acceptTime(h, m)); }
    void acceptLengths(const char *stick, const char *shadow) { EXPECT_TRUE(classRun().acceptLengths(stick, shadow)); }
    TLogic &logic() { return *objects().Logic; }
    // Some pixel of the scene is not background.
    bool scenePainted() {
        const QImage &img = find<PictureBox>("ImageStep2")->picture();
        for (int y = 0; y < img.height(); y += 3)
            for (int x = 0; x < img.width(); x += 3)
                if (img.pixelColor(x, y) != QColor(Qt::black))
                    return true;
        return false;
    }
};

}  // namespace

TEST(MeasurementPanel, StagesAppearAsTheMeasurementAdvances) {
    MeasurementFixture f;
    EXPECT_EQ(f.label("labPanel2Place")->text(), QString::fromUtf8("Gdańsk"));
    EXPECT_EQ(f.edit("edTimeH")->text(), QString("12"));
    EXPECT_EQ(f.edit("edTimeM")->text(), QString("0"));
    EXPECT_FALSE(f.shown("edStick"));
    EXPECT_FALSE(f.shown("btnCalcNoon"));
    EXPECT_FALSE(f.shown("ImageShadowDay"));  // the day's shadow needs the latitude
    EXPECT_TRUE(f.scenePainted());

    f.acceptTime("12", "0");  // a fresh place: the length group with 1000, 1000 and 45°
    EXPECT_TRUE(f.shown("edStick"));
    EXPECT_TRUE(f.shown("labHeightRes"));
    EXPECT_EQ(f.edit("edStick")->text(), QString("1000"));
    EXPECT_EQ(f.edit("edShadow")->text(), QString("1000"));
    EXPECT_EQ(f.label("labHeightRes")->text(), QString::fromUtf8("45°"));
    EXPECT_FALSE(f.shown("btnCalcNoon"));

    f.acceptLengths("1000", "1000");
    EXPECT_TRUE(f.shown("btnCalcNoon"));
    EXPECT_FALSE(f.shown("labNoonRes"));
    const PictureBox *day = f.find<PictureBox>("ImageShadowDay");
    EXPECT_TRUE(f.shown("ImageShadowDay"));
    EXPECT_EQ(day->picture().size(), day->size());
    EXPECT_FALSE(day->accessibleName().isEmpty());
    EXPECT_TRUE(day->accessibleDescription().contains(QString::fromUtf8("Gdańsk"))) << day->accessibleDescription().toStdString();
    f.click("btnCalcNoon");
    EXPECT_TRUE(f.shown("labNoonRes"));
    EXPECT_EQ(f.label("labNoonRes")->text(), QString::fromUtf8("45°"));
    EXPECT_EQ(f.logic().Hei1.State, 3);

    f.acceptTime("13", "5");  // back to the first stage: noon button and result disappear
    EXPECT_EQ(f.logic().Hei1.State, 1);
    EXPECT_FALSE(f.shown("btnCalcNoon"));
    EXPECT_FALSE(f.shown("labNoonRes"));
    EXPECT_TRUE(f.shown("edStick"));
    EXPECT_FALSE(f.shown("ImageShadowDay"));
}

TEST(MeasurementPanel, TypedButUnacceptedValuesAreReplacedOnReturn) {
    MeasurementFixture f;
    f.acceptTime("10", "30");
    f.edit("edTimeH")->setText("15");
    f.edit("edStick")->setText("abc");
    f.clickStep(2);
    f.clickStep(3);
    EXPECT_EQ(f.edit("edTimeH")->text(), QString("10"));
    EXPECT_EQ(f.edit("edTimeM")->text(), QString("30"));
    EXPECT_EQ(f.edit("edStick")->text(), QString("1000"));
}

TEST(MeasurementPanel, BackAndNextRouteBetweenThePlaces) {
    MeasurementFixture f;
    f.acceptTime("11", "0");
    f.click("btnSetp2Next");  // place 1 -> place 2, with its own values
    EXPECT_EQ(f.objects().CurrHei, &f.logic().Hei2);
    EXPECT_EQ(f.label("labPanel2Place")->text(), QString::fromUtf8("Kraków"));
    EXPECT_EQ(f.edit("edTimeH")->text(), QString("12"));
    f.click("BtnStep2Back");  // place 2 -> place 1
    EXPECT_EQ(f.objects().CurrHei, &f.logic().Hei1);
    EXPECT_EQ(f.edit("edTimeH")->text(), QString("11"));
    f.click("BtnStep2Back");  // place 1 -> step 1
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep1"));
    f.clickStep(4);
    f.prompter.clear();
    f.click("btnSetp2Next");  // place 2 -> the comparison, whose checks send us to place 1
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgNoAngleCalculated")});
    EXPECT_EQ(f.objects().CurrHei, &f.logic().Hei1);
}

TEST(MeasurementPanel, TwoLatitudesQuestion) {
    struct Row {
        Prompter::Answer answer;
        int state;
        const char *latitude;
        const char *why;
    };
    const Row rows[] = {{Prompter::Answer::Yes, 2, "70°10'", "Yes takes the first latitude offered"},
                        {Prompter::Answer::No, 2, "30°40'", "No takes the second"},
                        {Prompter::Answer::Closed, 1, nullptr, "a box closed with Escape takes neither"}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.why);
        MeasurementFixture f;
        f.acceptTime("16", "36");
        const QString before = f.find<QLabel>("labTech1")->text();
        f.prompter.answers.push_back(r.answer);
        f.acceptLengths("1000", "1800");
        ASSERT_EQ(f.prompter.questions.size(), 1);
        EXPECT_TRUE(f.prompter.questions[0].contains(QString::fromUtf8("70°10'")));
        EXPECT_TRUE(f.prompter.questions[0].contains(QString::fromUtf8("30°40'")));
        EXPECT_EQ(f.logic().Hei1.State, r.state);
        EXPECT_EQ(f.shown("btnCalcNoon"), r.state >= 2);
        const QString caption = f.find<QLabel>("labTech1")->text();
        if (r.latitude)
            EXPECT_EQ(caption, f.objects().Lang->GetText("LatitudeCaption1").arg(QString::fromUtf8(r.latitude)));
        else
            EXPECT_EQ(caption, before);
        // the panel shows the new lengths and their elevation even when nothing was accepted
        EXPECT_EQ(f.edit("edShadow")->text(), QString("1800"));
        EXPECT_EQ(f.label("labHeightRes")->text(), QString::fromUtf8("29°3'"));
    }
}

TEST(MeasurementPanel, ImpossibleElevationIsRefused) {
    MeasurementFixture f;
    f.acceptTime("16", "36");
    f.acceptLengths("1000", "1000");
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgSunTooHigh")});
    EXPECT_EQ(f.logic().Hei1.State, 1);
    f.prompter.clear();
    f.acceptTime("16", "30");
    f.acceptLengths("1000", "2000");
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgSunTooHigh2080")});
}

TEST(MeasurementPanel, TypedValuesOutsideTheirFormAreRefusedAndChangeNothing) {
    // Which numbers count is the model's matter; each box names itself, takes the focus and
    // changes nothing.
    struct Row {
        const char *hour, *minute, *shadow, *stick;
        const char *message;  // nullptr: accepted
        const char *focused;  // the box refused
        const char *why;
    };
    const Row rows[] = {
        {"12:30", "0", "1000", "1000", "msgBadTimeH", "edTimeH", "the hour box"},
        {"23", "60", "1000", "1000", "msgBadTimeM", "edTimeM", "the minute box"},
        {"25", "70", "1000", "1000", "msgBadTimeH", "edTimeH", "both time boxes wrong: the hour is named first"},
        {"12", "0", "0", "1000", "msgBadShadow", "edShadow", "the shadow box"},
        {"12", "0", "800", "12.5", "msgBadStick", "edStick", "the stick box"},
        {"12", "0", "x", "y", "msgBadShadow", "edShadow", "both lengths wrong: the shadow box comes first"},
        {"12", "0", "800; 0", "1000", "msgBadShadowReadings", "edShadow", "a repeated reading the box would refuse"},
        {"12", "0", "800;801;802;803;804;805", "1000", "msgBadShadowReadings", "edShadow", "six readings, one too many"},
        {"12", "0", "800;", "1000", "msgBadShadowReadings", "edShadow", "an empty reading after the semicolon"},
        {"12", "0", "800 801", "1000", "msgBadShadow", "edShadow", "blanks separate no readings"},
        {"0", "59", "1", "100000000", nullptr, nullptr, "the ends of every range are taken"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.why);
        MeasurementFixture f;
        f.acceptTime("11", "30");
        f.acceptLengths("1000", "1000");
        f.click("btnCalcNoon");
        const THeiObj &hei = f.logic().Hei1;
        const double elevation = hei.SunHeightAtCurrTime, noon = hei.NoonHeightAngle;
        f.prompter.clear();
        f.acceptTime(r.hour, r.minute);
        if (f.prompter.messages.isEmpty())
            f.acceptLengths(r.stick, r.shadow);
        const THeiObj &after = hei;
        if (!r.message) {
            // the model takes the values; the sun cannot stand that high at 0:59, which it says
            EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgSunTooHigh")});
            EXPECT_EQ(after.TimH, 0);
            EXPECT_EQ(after.TimM, 59);
            EXPECT_EQ(after.Shadow, 1);
            EXPECT_EQ(after.Stick, 100000000);
            continue;
        }
        EXPECT_EQ(f.prompter.messages, QStringList{f.text(r.message)});
        EXPECT_TRUE(f.edit(r.focused)->hasFocus());
        EXPECT_EQ(f.edit("edTimeH")->text(), QString(r.hour));
        EXPECT_EQ(f.edit("edTimeM")->text(), QString(r.minute));
        EXPECT_EQ(after.State, std::string(r.message).starts_with("msgBadTime") ? 3 : 1);
        EXPECT_EQ(after.TimH, std::string(r.message).starts_with("msgBadTime") ? 11 : 12);
        EXPECT_EQ(after.Stick, 1000);
        EXPECT_EQ(after.Shadow, 1000);
        EXPECT_EQ(after.SunHeightAtCurrTime, elevation);
        EXPECT_EQ(after.NoonHeightAngle, noon);
    }
}

TEST(MeasurementPanel, RepeatedReadingsShowTheirMeanAndSpread) {
    MeasurementFixture f;
    f.acceptTime("12", "0");
    f.acceptLengths("1000", "1000");
    EXPECT_FALSE(f.shown("labShadowReadings"));  // one reading: the panel as it always was
    EXPECT_EQ(f.edit("edShadow")->text(), QString("1000"));

    f.acceptLengths("1000", " 800;805; 795 ;802;798");
    const THeiObj &hei = f.logic().Hei1;
    EXPECT_EQ(hei.ShadowReadings(), (std::vector<std::int32_t>{800, 805, 795, 802, 798}));
    EXPECT_EQ(f.edit("edShadow")->text(), QString("800; 805; 795; 802; 798"));
    ASSERT_TRUE(f.shown("labShadowReadings"));
    // Mean 800, squares 0 25 25 4 4: s = sqrt(58 / 4), s / sqrt(5) = 1.70; the Polish file's ",".
    EXPECT_EQ(f.label("labShadowReadings")->text(),
              f.text("labShadowReadingsText").arg(QStringLiteral("800, 805, 795, 802, 798"), QStringLiteral("800,0"),
                                                  QStringLiteral("1,7")));
    EXPECT_EQ(f.label("labHeightRes")->text(), AngleToText(std::atan(1000.0 / 800)));

    // Kept when the place is left and shown again; gone with a single reading.
    f.click("btnSetp2Next");
    f.click("BtnStep2Back");
    EXPECT_TRUE(f.shown("labShadowReadings"));
    EXPECT_EQ(f.edit("edShadow")->text(), QString("800; 805; 795; 802; 798"));
    f.acceptLengths("1000", "800");
    EXPECT_FALSE(f.shown("labShadowReadings"));
    EXPECT_TRUE(hei.MoreShadows.empty());
}

TEST(MeasurementPanel, TheVirtualPartnerNeedsNoReading) {
    for (int partner : {1, 2}) {
        SCOPED_TRACE(partner);
        MainWindowFixture f;
        QComboBox *list = f.main->panelStep1()->placeList(partner);
        const int virtualRow = list->findData(THeiObj::VirtualPartnerPlaceNo);
        ASSERT_EQ(virtualRow, list->count() - 1);
        EXPECT_EQ(list->itemText(virtualRow), f.text("VirtualPartnerPlace"));
        f.choose(partner, virtualRow);
        f.choose(3 - partner, 1);
        f.click("btnStep1Next");  // place 1's panel
        if (partner == 2) {
            f.measure("800");
            f.click("btnSetp2Next");
        }
        const TLogic &logic = *f.objects().Logic;
        const THeiObj &partnerPlace = partner == 1 ? logic.Hei1 : logic.Hei2;
        EXPECT_EQ(f.find<QLabel>("labPanel2Place")->text(), f.text("VirtualPartnerPlace"));
        EXPECT_EQ(partnerPlace.State, 3);
        EXPECT_EQ(f.find<QLabel>("labNoonRes")->text(), QString::fromUtf8("90°"));
        EXPECT_FALSE(f.find<QPushButton>("btnAcceptTime")->isEnabled());
        EXPECT_TRUE(f.find<QWidget>("btnAcceptHeight")->isHidden());
        EXPECT_TRUE(f.find<QWidget>("edShadow")->isHidden());
        EXPECT_TRUE(f.find<QWidget>("labEnterHeight")->isHidden());
        EXPECT_TRUE(f.find<QWidget>("btnCalcNoon")->isHidden());
        // The sun overhead: no stick, no shadow drawn; the description says so.
        EXPECT_FALSE(f.objects().DrawStep2->Line9.Visible);
        EXPECT_FALSE(f.objects().DrawStep2->Line10.Visible);
        EXPECT_EQ(f.find<PictureBox>("ImageStep2")->accessibleDescription(),
                  f.text("picShadowSceneVirtual").arg(f.text("VirtualPartnerPlace")));
        if (partner == 1) {
            f.clickStep(4);
            f.measure("800");
        }
        f.clickStep(5);
        const THeiObj &school = partner == 1 ? logic.Hei2 : logic.Hei1;
        EXPECT_EQ(f.find<QLabel>("labValHeiDiff")->text(), AngleToText(M_PI / 2 - school.NoonHeightAngle));
        // Another place chosen instead: it starts unmeasured.
        f.clickStep(2);
        f.choose(partner, 0);
        f.clickStep(partner + 2);
        EXPECT_EQ(partnerPlace.State, 0);
        EXPECT_TRUE(f.find<QPushButton>("btnAcceptTime")->isEnabled());
        f.find<QLineEdit>("edTimeH")->setText("12");
        f.click("btnAcceptTime");
        EXPECT_FALSE(f.find<QWidget>("edShadow")->isHidden());
    }
}

namespace {

// Both places measured; the comparison open.
struct ComparisonFixture : MeasurementFixture {
    ComparisonFixture() {
        measure("800");  // place 1: 51°20' at 12:00 on the test date (declination 23°26')
        click("btnSetp2Next");
        measure("1000");  // place 2
        click("btnSetp2Next");
    }
    // Noon elevations exactly diff radians apart, stored as if both places had just been left.
    void forceNoonElevations(double first, double second) {
        logic().Hei1.NoonHeightAngle = first;
        logic().Hei2.NoonHeightAngle = second;
        objects().Session->StoreHei(logic().Hei1);
        objects().Session->StoreHei(logic().Hei2);
        clickStep(5);
    }
};

}  // namespace

TEST(ComparisonPanel, FreshComparisonShowsTheElevationsAndHidesTheProportion) {
    ComparisonFixture f;
    ASSERT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep4"));
    EXPECT_EQ(f.label("labValNoonHei1")->text(), AngleToText(f.logic().Hei1.NoonHeightAngle));
    EXPECT_EQ(f.label("labValNoonHei2")->text(), AngleToText(f.logic().Hei2.NoonHeightAngle));
    EXPECT_EQ(f.edit("edDistance")->text(), QString("0"));
    EXPECT_FALSE(f.shown("labProp"));
    EXPECT_FALSE(f.shown("btnCalcEarth"));
    EXPECT_EQ(f.find<QLabel>("labProp")->text(), QString("--------------------  = ------------------ "));
}

TEST(ComparisonPanel, EightHundredKilometresAndSevenDegreesTwelveGiveFortyThousand) {
    ComparisonFixture f;
    f.forceNoonElevations(0.9, 0.9 + 0.12566370614359174);
    EXPECT_EQ(f.label("labValHeiDiff")->text(), QString::fromUtf8("7°12'"));
    f.edit("edDistance")->setText("800");
    f.click("btnAcceptDistance");
    EXPECT_TRUE(f.shown("labProp"));
    EXPECT_EQ(f.label("labPropEarth")->text(), QString("???"));
    EXPECT_EQ(f.label("labPropDistance")->text(), QString("800 km"));
    EXPECT_EQ(f.label("labPropAngle")->text(), QString::fromUtf8("7°12'"));
    EXPECT_EQ(f.label("labProp360")->text(), QString::fromUtf8("360°"));
    f.click("btnCalcEarth");
    EXPECT_EQ(f.label("labPropEarth")->text(), QString("40000 km"));
    EXPECT_TRUE(f.label("labPropEarth")->font().bold());
    EXPECT_EQ(f.logic().EarthState, 2);
    f.click("btnAcceptDistance");  // a distance accepted again: back to "???"
    EXPECT_EQ(f.label("labPropEarth")->text(), QString("???"));
    EXPECT_EQ(f.logic().EarthSize, 40000);
}

TEST(ComparisonPanel, RefusalsAndTheStoredValuesComingBack) {
    ComparisonFixture f;
    f.edit("edDistance")->setText("nothing");
    f.click("btnAcceptDistance");
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgBadDistance")});
    EXPECT_EQ(f.logic().EarthState, 0);
    EXPECT_EQ(f.edit("edDistance")->text(), QString("nothing"));
    EXPECT_TRUE(f.edit("edDistance")->hasFocus());
    f.prompter.clear();
    // Entering the comparison again while it is shown keeps what it shows: the accepted distance,
    // then the computed circumference (by the button and by Alt+5), which the print step finds.
    f.edit("edDistance")->setText("478");
    f.click("btnAcceptDistance");
    f.clickStep(5);
    EXPECT_EQ(f.edit("edDistance")->text(), QString("478"));
    EXPECT_EQ(f.logic().EarthState, 1);
    f.click("btnCalcEarth");
    const int earth = f.logic().EarthSize;
    ASSERT_GT(earth, 0);
    f.clickStep(5);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_5, Qt::AltModifier);
    EXPECT_EQ(f.edit("edDistance")->text(), QString("478"));
    EXPECT_EQ(f.logic().EarthState, 2);
    EXPECT_EQ(f.label("labPropEarth")->text(), QString::number(earth) + " km");
    EXPECT_TRUE(f.prompter.messages.isEmpty()) << f.prompter.messages.join('|').toStdString();
    f.clickStep(6);
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep5"));
    // A distance typed but not accepted is no part of the result: the accepted one comes back.
    f.clickStep(5);
    f.edit("edDistance")->setText("500");
    f.clickStep(5);
    EXPECT_EQ(f.edit("edDistance")->text(), QString("478"));
    f.prompter.clear();
    f.prompter.clear();
    f.forceNoonElevations(0.7, 0.7);
    f.edit("edDistance")->setText("800");
    f.click("btnAcceptDistance");
    f.click("btnCalcEarth");
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgNoAngleDiff")});
    // noon elevations 1e-8 rad apart: 800 km would give 5e11 km, beyond what the program holds
    f.prompter.clear();
    f.forceNoonElevations(0.7, 0.7 + 1e-8);
    f.edit("edDistance")->setText("800");
    f.click("btnAcceptDistance");
    f.click("btnCalcEarth");
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgEarthTooLarge")});
    EXPECT_EQ(f.logic().EarthState, 1);
    EXPECT_EQ(f.label("labPropEarth")->text(), QString("???"));
}

TEST(ComparisonPanel, FullRunEndsWithTheEarthComputed) {
    ComparisonFixture f;
    f.edit("edDistance")->setText("1000");
    f.click("btnAcceptDistance");
    f.click("btnCalcEarth");
    EXPECT_EQ(f.logic().EarthState, 2);
    EXPECT_GT(f.logic().EarthSize, 0);
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    // the Earth picture was painted
    const QImage &img = f.find<PictureBox>("ImageStep4")->picture();
    EXPECT_EQ(img.size(), QSize(529, 449));
    f.clickStep(6);  // the print page opens now
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep5"));
    EXPECT_EQ(f.edit("edPrintCopies")->text(), QString("1"));  // Ewa, filled in for place 1
}

TEST(ComparisonPanel, PlaceMeasuredAgainNeedsANewComputationBeforePrinting) {
    ComparisonFixture f;
    f.edit("edDistance")->setText("1000");
    f.click("btnAcceptDistance");
    f.click("btnCalcEarth");
    const int oldSize = f.logic().EarthSize;
    f.clickStep(3);
    f.measure("1200");  // place 1 measured again: another noon elevation
    f.prompter.clear();
    f.clickStep(6);
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgNoEarthCalculated")});
    ASSERT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep4"));
    // the old result belongs to the old difference: not shown until computed again
    EXPECT_EQ(f.label("labPropEarth")->text(), QString("???"));
    EXPECT_EQ(f.logic().EarthState, 2);
    f.click("btnCalcEarth");
    EXPECT_EQ(f.label("labPropEarth")->text(), QString::number(f.logic().EarthSize) + " km");
    EXPECT_NE(f.logic().EarthSize, oldSize);
    f.prompter.clear();
    f.clickStep(6);
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep5"));
}

TEST(ComparisonPanel, ASizeBroughtBackFromTheRecordCountsOnlyForItsOwnDifference) {
    ComparisonFixture f;
    f.edit("edDistance")->setText("1000");
    f.click("btnAcceptDistance");
    f.click("btnCalcEarth");
    const int firstSize = f.logic().EarthSize;
    f.clickStep(6);  // the print page stores the first circumference
    ASSERT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep5"));
    f.clickStep(4);
    f.measure("900");  // place 2 measured again
    f.clickStep(5);  // the first circumference comes back from the record, for the old difference
    EXPECT_EQ(f.logic().EarthSize, firstSize);
    EXPECT_EQ(f.label("labPropEarth")->text(), QString("???"));
    f.prompter.clear();
    f.clickStep(6);
    EXPECT_EQ(f.prompter.messages, QStringList{f.text("msgNoEarthCalculated")});
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep4"));
    f.click("btnCalcEarth");  // computed for the new difference, it counts
    EXPECT_NE(f.logic().EarthSize, firstSize);
    f.prompter.clear();
    f.clickStep(6);
    EXPECT_TRUE(f.prompter.messages.isEmpty());
    EXPECT_EQ(f.main->currentPanel()->objectName(), QString("PanelStep5"));
}

TEST(ComparisonPanel, ComputingTakesTheDistanceTypedButNotAccepted) {
    ComparisonFixture f;
    f.forceNoonElevations(0.9, 0.9 + 0.12566370614359174);  // 7°12'
    f.edit("edDistance")->setText("1000");
    f.click("btnAcceptDistance");
    f.click("btnCalcEarth");
    ASSERT_EQ(f.logic().EarthSize, 50000);
    struct Row {
        const char *typed;
        const char *message;  // nullptr when computed
        int size;
        const char *shown;  // the box afterwards
        const char *why;
    };
    const Row rows[] = {
        {"800", nullptr, 40000, "800", "a distance typed and not accepted counts"},
        {"800,4", nullptr, 40000, "800", "with a decimal comma, shown as the whole kilometres taken"},
        {"1000.0", nullptr, 50000, "1000", "with a decimal point"},
        {"800 km", "msgBadDistance", 50000, "800 km", "refused: the last circumference stays"},
        {"", "msgNoDistance", 50000, "", "an emptied box has its own message"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.why);
        f.edit("edDistance")->setText("1000");
        f.click("btnAcceptDistance");
        f.click("btnCalcEarth");
        f.prompter.clear();
        f.edit("edDistance")->setText(r.typed);
        f.click("btnCalcEarth");
        EXPECT_EQ(f.prompter.messages, r.message ? QStringList{f.text(r.message)} : QStringList());
        EXPECT_EQ(f.logic().EarthSize, r.size);
        EXPECT_EQ(f.logic().EarthState, 2);
        EXPECT_EQ(f.edit("edDistance")->text(), QString(r.shown));
        EXPECT_EQ(f.label("labPropEarth")->text(), QString::number(r.size) + " km");
    }
}

TEST(ComparisonPanel, LeavingWithTheFocusOutsideItsControlsStillStoresTheComparison) {
    for (bool focusOnPanel : {true, false}) {
        SCOPED_TRACE(focusOnPanel ? "focus on the panel itself" : "no focus");
        ComparisonFixture f;
        f.edit("edDistance")->setText("1000");
        f.click("btnAcceptDistance");
        f.click("btnCalcEarth");
        const int size = f.logic().EarthSize;
        if (focusOnPanel)
            f.main->panelStep4()->setFocus();  // a click on the panel's empty space
        else if (QWidget *focused = QApplication::focusWidget())
            focused->clearFocus();
        f.clickStep(2);
        f.clickStep(5);
        EXPECT_EQ(f.logic().EarthState, 2);
        EXPECT_EQ(f.edit("edDistance")->text(), QString("1000"));
        EXPECT_EQ(f.label("labPropEarth")->text(), QString::number(size) + " km");
    }
}

// The class at one school saves its reading; the partner school's program, in another working
// folder, loads it into its other place as if typed there, and both compute the same elevations.
TEST(PartnerReading, SavedAtOneSchoolAndLoadedAtTheOther) {
    // The teacher's documents folder, or the home folder on an account without one.
    const QString documents = QFileInfo(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).isDir()
                                  ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                  : QDir::homePath();
    QByteArray file;
    double elevation = 0, noonElevation = 0;
    {
        MeasurementFixture a;
        a.click("btnSetp2Next");  // place 2, Kraków, true noon 11:40
        a.acceptTime("12", "10");
        a.acceptLengths("1000", "900");
        EXPECT_FALSE(a.shown("btnSaveReading"));  // only once the noon elevation is computed
        EXPECT_TRUE(a.shown("btnLoadReading"));
        a.click("btnCalcNoon");
        ASSERT_TRUE(a.shown("btnSaveReading"));
        a.prompter.fileNames.push_back("");  // the dialog closed: nothing written
        a.click("btnSaveReading");
        EXPECT_EQ(QDir(a.dir.path()).entryList({"*.txt"}), QStringList());
        a.prompter.fileNames.push_back(a.dir.file("for the partner.txt"));
        a.click("btnSaveReading");
        file = a.dir.read("for the partner.txt");
        elevation = a.logic().Hei2.SunHeightAtCurrTime;
        noonElevation = a.logic().Hei2.NoonHeightAngle;
        EXPECT_EQ(a.prompter.messages, QStringList{a.text("msgFileSaved").arg(QDir::toNativeSeparators(a.dir.file("for the partner.txt")))});
        // Named in the class's language after the place and the day, in the documents folder until
        // a reading was saved: then where it went.
        const QString proposed = QString::fromUtf8("Odczyt_Kraków_2013-06-20.txt");
        EXPECT_EQ(a.prompter.fileProposals, QStringList({QDir(documents).filePath(proposed), QDir(documents).filePath(proposed)}));
        a.prompter.fileNames.push_back("");
        a.click("btnSaveReading");
        EXPECT_EQ(a.prompter.fileProposals.last(), QDir(a.dir.path()).filePath(proposed));
    }
    ASSERT_TRUE(file.startsWith("GnomoraReading=1\r\n"));
    EXPECT_TRUE(file.contains("\r\nPlace=Krak\xf3w\r\nDate=2013-06-20\r\nTimeH=12\r\nTimeM=10\r\nStick=1000\r\n"
                              "Shadow1=900\r\nNoonH=11\r\nNoonM=40\r\n"));
    EXPECT_FALSE(file.contains("Ala") || file.contains("Ewa"));  // never the pupils' names

    MainWindowFixture b;
    b.choose(1, 1);  // Gdańsk
    b.choose(2, 2);  // a place the class chose before the partner's file came
    b.click("btnStep1Next");
    b.click("btnSetp2Next");
    b.dir.write("partner.txt", file);
    b.prompter.messages.clear();  // the chosen place's photograph is damaged
    b.prompter.fileNames.push_back("partner.txt");
    b.click("btnLoadReading");
    EXPECT_EQ(b.prompter.fileProposals, QStringList{documents});  // the other computer's documents folder
    const THeiObj &hei = b.objects().Logic->Hei2;
    EXPECT_EQ(hei.State, 3);
    EXPECT_EQ(hei.PlaceName, QString::fromUtf8("Kraków"));  // the listed place is chosen
    EXPECT_EQ(b.main->panelStep1()->placeList(2)->currentIndex(), 0);
    EXPECT_EQ(b.objects().Session->GetValue("PlaceState"), QString("1"));
    EXPECT_EQ(hei.TimM, 10);
    EXPECT_EQ(hei.Shadow, 900);
    EXPECT_DOUBLE_EQ(hei.SunHeightAtCurrTime, elevation);
    EXPECT_DOUBLE_EQ(hei.NoonHeightAngle, noonElevation);
    EXPECT_EQ(hei.ReadingFrom, QString("partner.txt"));
    EXPECT_EQ(b.objects().Session->GetValue("HeiReadingFrom2"), QString("partner.txt"));
    EXPECT_TRUE(b.prompter.messages.isEmpty()) << b.prompter.messages.join("|").toStdString();  // the same date
    EXPECT_EQ(b.find<QLineEdit>("edShadow")->text(), QString("900"));

    b.click("btnAcceptTime");  // accepted again as typed: the reading is the class's own
    EXPECT_EQ(hei.ReadingFrom, QString());
    b.clickStep(3);
    EXPECT_EQ(b.objects().Session->GetValue("HeiReadingFrom2"), QString());
}

// A place the partner's program knows and this one does not is listed for this run only, with the
// true noon of the file; place 1 takes it as well as place 2.
TEST(PartnerReading, AnUnlistedPlaceIsListedForThisRunOnly) {
    MeasurementFixture f;
    // Listed after the configured places, before the virtual partner.
    const int listed = f.main->panelStep1()->placeList(1)->count() - 1;
    f.dir.write("kyiv.txt", "\xEF\xBB\xBFGnomoraReading=1\r\nVersion=9\r\nPlace=\xD0\x9A\xD0\xB8\xD1\x97\xD0\xB2\r\n"
                            "Date=2013-06-21\r\nTimeH=11\r\nTimeM=0\r\nStick=1000\r\nShadow1=500\r\nShadow2=502\r\n"
                            "NoonH=11\r\nNoonM=0\r\n");
    f.prompter.fileNames.push_back("kyiv.txt");
    f.click("btnLoadReading");
    const THeiObj &hei = f.logic().Hei1;
    EXPECT_EQ(hei.PlaceName, QString::fromUtf8("Київ"));
    EXPECT_EQ(hei.NoonH, 11);
    EXPECT_EQ(hei.SunOnCurrTimeAngle, 0);  // read at the file's true noon
    EXPECT_EQ(hei.ShadowReadings(), (std::vector<std::int32_t>{500, 502}));  // both readings
    EXPECT_EQ(hei.MeanShadow(), 501);
    EXPECT_EQ(hei.State, 3);
    for (int place : {1, 2}) {
        const QComboBox *list = f.main->panelStep1()->placeList(place);
        ASSERT_EQ(list->count(), listed + 2);
        EXPECT_EQ(list->itemText(listed), QString::fromUtf8("Київ"));
        EXPECT_EQ(list->itemData(listed + 1).toInt(), THeiObj::VirtualPartnerPlaceNo);
    }
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->currentIndex(), listed);
    // Another day than the measurement's: taken, and said.
    ASSERT_EQ(f.prompter.messages.size(), 1);
    EXPECT_EQ(f.prompter.messages[0], f.text("msgReadingOtherDate").arg("kyiv.txt", "21/06/2013", "20/06/2013"));

    f.prompter.fileNames.push_back("kyiv.txt");  // loaded again: listed once
    f.click("btnLoadReading");
    EXPECT_EQ(f.main->panelStep1()->placeList(2)->count(), listed + 2);
    f.clickStep(2);
    f.clickStep(3);
    EXPECT_EQ(hei.PlaceName, QString::fromUtf8("Київ"));
    f.main->close();
    f.start->close();
    EXPECT_EQ(f.dir.read("Gnomora_Cfg.ini"), SchoolsCfg);  // never written to the configuration
}

namespace {

// Place 1 Kraków, place 2 Gdańsk (Ewa, and Zosia typed) on the given day; place 2's panel shown.
struct PartnerFixture : MainWindowFixture {
    explicit PartnerFixture(QDate day = fixedNow().date()) {
        clickStep(2);
        find<DateBox>("edMeasureDate")->setDate(day);
        emit find<DateBox>("edMeasureDate")->editingFinished();
        choose(1, 0);
        choose(2, 1);
        person(2, 3)->setText("Zosia");
        clickStep(4);
    }
    THeiObj &place2() { return objects().Logic->Hei2; }
    // A partner's reading of this place, the time minutes after midnight, with its noon if given.
    void load(const char *file, const QByteArray &place, int time, int shadow, int noon = -1) {
        dir.write(file, "GnomoraReading=1\r\nVersion=1\r\nPlace=" + place + "\r\nDate=" +
                            objects().Logic->MeasureDay().toString(Qt::ISODate).toLatin1() + "\r\nTimeH=" +
                            QByteArray::number(time / 60) + "\r\nTimeM=" + QByteArray::number(time % 60) +
                            "\r\nStick=1000\r\nShadow1=" + QByteArray::number(shadow) + "\r\n" +
                            (noon < 0 ? QByteArray() : "NoonH=" + QByteArray::number(noon / 60) + "\r\nNoonM=" +
                                                           QByteArray::number(noon % 60) + "\r\n"));
        prompter.fileNames.push_back(file);
        click("btnLoadReading");
    }
};

}  // namespace

// A December reading 30 minutes before the partner's true noon gives 14°18' by the partner's
// clock, whatever this computer lists: the place unlisted, listed with noon 12:00, or listed with a
// longitude while the file was written one time zone east. A time typed here counts from the
// noon listed here again.
TEST(PartnerReading, TheReadingCountsFromTheNoonOfThePartnersClock) {
    const struct {
        QByteArray place;
        const char *longitude;  // Longitude2 listed here
    } rows[] = {{"Toru\xf1", nullptr}, {"Gda\xf1sk", nullptr}, {"Gda\xf1sk", "18.65"}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.place.toStdString());
        PartnerFixture f(QDate(2013, 12, 20));
        f.objects().Comm->SetValue("Longitude2", row.longitude);
        f.clickStep(3);
        f.clickStep(4);
        const int listed = f.place2().NoonH * 60 + f.place2().NoonM;
        const int noon = row.longitude ? listed + 60 : 11 * 60 + 33;
        f.load("partner.txt", row.place, noon - 30, 4004, noon);
        EXPECT_EQ(f.find<QLabel>("labNoonRes")->text(), QString::fromUtf8("14°18'"));
        f.clickStep(3);
        f.clickStep(4);
        EXPECT_EQ(f.find<QLabel>("labNoonRes")->text(), QString::fromUtf8("14°18'"));
        f.click("btnAcceptTime");
        EXPECT_EQ(f.place2().NoonH * 60 + f.place2().NoonM, row.place == "Toru\xf1" ? noon : listed);
        EXPECT_EQ(f.person(2, 1)->text(), row.place == "Toru\xf1" ? QString() : QString("Ewa"));  // pupils follow
    }
}

// Onto a measured place only after Yes to a question naming what goes; a file of the other place
// of this lesson, however dressed, or of the virtual partner, is refused saying why.
TEST(PartnerReading, NothingMeasuredIsReplacedUnseen) {
    PartnerFixture f;
    f.measure("800");
    const QString kind = f.text("msgReadingForOtherPlace").arg("p.txt", QString::fromUtf8("Kraków"), "1", "2");
    const QString question = f.text("msgReadingReplaces").arg("2", QString::fromUtf8("Gdańsk"), "12:00", "1000", "800", "Bad picture", "p.txt");
    const struct {
        QByteArray place;
        std::optional<Prompter::Answer> answer;
        QString said;  // the message, or the question
    } rows[] = {
        {"Krak\xf3w", {}, kind},
        {"\xE2\x80\xAE" "Krak\xC3\xB3w\xE2\x80\x8B", {}, kind},
        {"Wirtualny partner (zenit)", {}, f.text("msgReadingRefused").arg("p.txt", "Place=Wirtualny partner (zenit)")},
        {"Bad picture", Prompter::Answer::No, question},
        {"Bad picture", Prompter::Answer::Closed, question},
        {"Bad picture", Prompter::Answer::Yes, question},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.place.toStdString());
        f.prompter.clear();
        const QStringList record = f.objects().Session->Values.lines();
        if (row.answer)
            f.prompter.answers.push_back(*row.answer);
        f.load("p.txt", row.place, 12 * 60, 900);
        EXPECT_EQ(row.answer ? f.prompter.questions : f.prompter.messages, QStringList{row.said});
        EXPECT_EQ(f.place2().Shadow, row.answer == Prompter::Answer::Yes ? 900 : 800);
        if (row.answer != Prompter::Answer::Yes) {
            EXPECT_EQ(f.objects().Session->Values.lines(), record);
        }
    }
    EXPECT_EQ(f.place2().PlaceName, QString("Bad picture"));
    const QStringList pupils{"Zenon", "", "", ""};  // the new school's, none of Gdańsk's
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(f.objects().Session->GetValue(QStringLiteral("Person2%1").arg(n)), pupils[n - 1]);
}

// A damaged file, or the dialog closed, changes nothing: not the place, not the lists, not the
// record.
TEST(PartnerReading, ADamagedFileChangesNothing) {
    MeasurementFixture f;
    f.acceptTime("12", "30");
    f.click("btnSetp2Next");  // the place stored into the record
    f.click("BtnStep2Back");
    const QStringList record = f.objects().Session->Values.lines();
    f.prompter.fileNames.push_back("");
    f.click("btnLoadReading");
    f.dir.write("damaged.txt", "GnomoraReading=1\r\nVersion=1\r\nPlace=Partner\r\nDate=2013-06-20\r\nTimeH=12\r\n"
                               "TimeM=0\r\nStick=1000\r\nShadow1=0\r\n");
    f.prompter.fileNames.push_back("damaged.txt");
    f.click("btnLoadReading");
    QDir(f.dir.path()).mkdir("folder.txt");
    f.prompter.fileNames.push_back("folder.txt");
    f.click("btnLoadReading");
    ASSERT_EQ(f.prompter.messages.size(), 2);
    EXPECT_EQ(f.prompter.messages[0], f.text("msgReadingRefused").arg("damaged.txt", "Shadow1=0"));
    EXPECT_TRUE(f.prompter.messages[1].contains("folder.txt"));  // the general error report
    EXPECT_EQ(f.logic().Hei1.TimM, 30);
    EXPECT_EQ(f.logic().Hei1.State, 1);
    EXPECT_EQ(f.edit("edTimeM")->text(), QString("30"));
    EXPECT_EQ(f.main->panelStep1()->placeList(1)->count(), 6);  // five places and the virtual partner
    f.click("btnSetp2Next");  // storing the place shown gives the same record
    f.click("BtnStep2Back");
    EXPECT_EQ(f.objects().Session->Values.lines(), record);
}
