// SPDX-License-Identifier: GPL-3.0-or-later
// The session record: number texts, the round trip of a place, step 1's choices, the comparison.
#include "model/Angles.h"
#include "model/ModelTestWorld.h"
#include "session/TSession.h"

#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <vector>

namespace {

// A model whose start-up stores into a real session record.
struct SessionWorld {
    explicit SessionWorld(QChar decimalSeparator = u'.', QDate day = kEquinox.addDays(92))
        : world(day, decimalSeparator, &session) {
        session.Init();
        world.logic.Init();
    }
    TSession session;
    ModelTestWorld world;
    TLogic &logic() { return world.logic; }
};

const char *const kHeiNames[] = {
    "State", "NoonTimeAngle", "CurrTimeAngle", "SunOnCurrTimeAngle", "EquinoxAngle", "EquinoxDispl",
    "EquinoxRadius", "EditedTimH", "EditedTimM", "TimH", "TimM", "EditedStick", "EditedShadow", "Stick",
    "Shadow", "SunHeightAtCurrTime", "SunAzimuthHeightAtCurrTime", "SunPlaneAngle", "NoonHeightAngle",
};

QString fifteenDigits(double v) { return QString::number(v, 'e', 14); }

TEST(SessionNumbers, FloatText) {
    struct Row {
        double value;
        const char *dot;
        const char *comma;
    };
    const Row rows[] = {
        {0, "0", "0"},
        {-0.0, "0", "0"},
        {0.0001, "0.0001", "0,0001"},
        {0.00009, "9E-5", "9E-5"},
        {0.000015, "1.5E-5", "1,5E-5"},
        {-0.000015, "-1.5E-5", "-1,5E-5"},
        {1e15, "1E15", "1E15"},
        {2e15, "2E15", "2E15"},
        {999999999999999, "999999999999999", "999999999999999"},
        {999999999999999.9, "1E15", "1E15"},  // 15 digits round up into the next decade
        {123456789012345.6, "123456789012346", "123456789012346"},
        {100, "100", "100"},
        {0.1, "0.1", "0,1"},
        {-52.5, "-52.5", "-52,5"},
        {1.0 / 3, "0.333333333333333", "0,333333333333333"},
        {M_PI, "3.14159265358979", "3,14159265358979"},
        {0.12566370614359174, "0.125663706143592", "0,125663706143592"},
        {1e-300, "1E-300", "1E-300"},
        {1.7976931348623157e308, "1.79769313486231E308", "1,79769313486231E308"},  // stays in range
        {-1.7976931348623155e308, "-1.79769313486231E308", "-1,79769313486231E308"},
        {1.79769313486231e308, "1.79769313486231E308", "1,79769313486231E308"},
        {std::nan(""), "0", "0"},
        {HUGE_VAL, "0", "0"},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(TSession::FloatToText(row.value, u'.'), QString(row.dot)) << row.value;
        EXPECT_EQ(TSession::FloatToText(row.value, u','), QString(row.comma)) << row.value;
    }
}

TEST(SessionNumbers, FloatTextReadsBackToFifteenDigits) {
    for (QChar separator : {QChar(u'.'), QChar(u',')}) {
        ScriptedPrompter prompter;
        TComm comm(prompter, Locale{separator, u'/'});
        for (double v : {M_PI, -M_PI / 7, 1e-7 / 3, 2.0 / 3 * 1e20, 0.0001, 0.00009, 1e15, 123456789012345.6,
                         4.9e-324, 1.79769313486231e308, 41353.416666666664}) {
            const double back = comm.TextToFloat(TSession::FloatToText(v, separator));
            EXPECT_EQ(fifteenDigits(back), fifteenDigits(v)) << v;
        }
        // The largest doubles come back as the largest 15-digit number, not as 0.
        const double top = comm.TextToFloat(TSession::FloatToText(-1.7976931348623157e308, separator));
        EXPECT_NEAR(top / -1.7976931348623157e308, 1, 1e-14);
    }
}

TEST(SessionPlaces, StartUpLeavesEveryPlaceAndComparisonKey) {
    SessionWorld w;
    const NameValueList &values = w.session.Values;
    QStringList expected;
    for (const char *place : {"1", "2"})
        for (const char *name : kHeiNames)
            expected << QStringLiteral("Hei%1%2").arg(name, place);
    expected << "EarthState" << "HeiDiff" << "EarthDistance" << "EarthSize" << "MeasureDate";
    QStringList keys;
    for (const QString &line : values.lines())
        keys << NameValueList::keyOf(line);
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(w.session.GetValue("HeiState1"), "0");
    EXPECT_EQ(w.session.GetValue("HeiTimH2"), "12");
    EXPECT_EQ(w.session.GetValue("HeiStick1"), "1000");
    EXPECT_EQ(w.session.GetValue("HeiCurrTimeAngle1"), "0");
    EXPECT_EQ(w.session.GetValue("HeiSunAzimuthHeightAtCurrTime2"), "0");
    EXPECT_EQ(w.session.GetValue("HeiSunHeightAtCurrTime1"), "0.785398163397448");
    EXPECT_EQ(w.session.GetValue("EarthState"), "0");
    EXPECT_EQ(w.session.GetValue("EarthSize"), "0");
    EXPECT_EQ(w.session.GetValue("MeasureDate"), "2013-06-20");  // 92 days after the equinox
}

// After a store and a restore, integers are equal and floating-point fields agree to 15 digits.
TEST(SessionPlaces, RoundTripOfAMeasuredPlace) {
    for (QChar separator : {QChar(u'.'), QChar(u',')}) {
        SessionWorld w(separator);
        w.world.comm.SetValue("Place2", "Krak\u00F3w");
        w.world.comm.SetValue("NoonH2", "11");
        w.world.comm.SetValue("NoonM2", "40");
        w.session.Values.setValue("PlaceSelect2", "1");
        THeiObj &hei = w.logic().Hei2;
        hei.LoadPlace(2);
        hei.EditedTimH = 15;
        hei.EditedTimM = 56;
        hei.AcceptTime();
        hei.EditedStick = 1000;
        hei.EditedShadow = 1800;
        w.world.prompter.answers.push_back(Prompter::Answer::No);
        hei.AcceptHeight();
        hei.CalcNoon();
        hei.EditedTimH = INT_MIN;
        hei.EditedShadow = INT_MAX;
        hei.SunAzimuthHeightAtCurrTime = -1.5e-7;
        ASSERT_EQ(hei.State, 3);
        w.session.StoreHei(hei);
        EXPECT_TRUE(w.session.GetValue("HeiNoonHeightAngle2").contains(separator));

        // What the record is restored from is the stored text, not the object.
        ModelTestWorld other(kEquinox, separator);
        other.comm.SetValue("Place2", "Krak\u00F3w");
        other.comm.SetValue("NoonH2", "11");
        other.comm.SetValue("NoonM2", "40");
        THeiObj &back = other.logic.Hei2;
        w.session.RestoreHei(back);

        EXPECT_EQ(back.PlaceName, QString("Krak\u00F3w"));
        EXPECT_EQ(back.NoonH, 11);
        EXPECT_EQ(back.NoonM, 40);
        EXPECT_EQ(back.State, hei.State);
        for (auto field : {&THeiObj::EditedTimH, &THeiObj::EditedTimM, &THeiObj::TimH, &THeiObj::TimM,
                           &THeiObj::EditedStick, &THeiObj::EditedShadow, &THeiObj::Stick, &THeiObj::Shadow})
            EXPECT_EQ(back.*field, hei.*field);
        for (auto field : {&THeiObj::NoonTimeAngle, &THeiObj::CurrTimeAngle, &THeiObj::SunOnCurrTimeAngle,
                           &THeiObj::EquinoxAngle, &THeiObj::EquinoxDispl, &THeiObj::EquinoxRadius,
                           &THeiObj::SunHeightAtCurrTime, &THeiObj::SunAzimuthHeightAtCurrTime,
                           &THeiObj::SunPlaneAngle, &THeiObj::NoonHeightAngle})
            EXPECT_EQ(fifteenDigits(back.*field), fifteenDigits(hei.*field));
        EXPECT_EQ(AngleToText(back.NoonHeightAngle), AngleToText(hei.NoonHeightAngle));
    }
}

TEST(SessionPlaces, RepeatedReadingsGoThroughTheRecordAndASingleOneWritesNoMore) {
    for (int place : {1, 2}) {
        SessionWorld w;
        THeiObj &hei = place == 1 ? w.logic().Hei1 : w.logic().Hei2;
        const QString key = QStringLiteral("HeiMoreShadows%1").arg(place);
        hei.EditedShadow = 800;
        hei.EditedMoreShadows = {805, 798, 802, 801};
        hei.AcceptHeight();
        w.session.StoreHei(hei);
        EXPECT_EQ(w.session.GetValue(key), QStringLiteral("805;798;802;801"));

        hei.Init();  // forgotten by the object, kept by the record
        w.session.RestoreHei(hei);
        EXPECT_EQ(hei.ShadowReadings(), (std::vector<std::int32_t>{800, 805, 798, 802, 801}));
        EXPECT_EQ(hei.EditedMoreShadows, hei.MoreShadows);

        // One reading again: the key goes, and the record is the one single readings always gave.
        hei.EditedMoreShadows.clear();
        hei.AcceptHeight();
        w.session.StoreHei(hei);
        EXPECT_FALSE(w.session.Values.lines().join(u'\n').contains(QStringLiteral("MoreShadows")));
        w.session.RestoreHei(hei);
        EXPECT_TRUE(hei.MoreShadows.empty());
        // A damaged value restores as a single reading.
        w.session.Values.setValue(key, QStringLiteral("805;x"));
        w.session.RestoreHei(hei);
        EXPECT_TRUE(hei.MoreShadows.empty());
    }
}

TEST(SessionPlaces, TheVirtualPartnerIsMeasuredOnRestoreAndForgottenWhenAnotherPlaceIsChosen) {
    for (int place : {1, 2}) {
        SessionWorld w;  // 20 June 2013
        w.world.comm.SetValue(QStringLiteral("Place%1").arg(place), QStringLiteral("Opole"));
        w.world.lang.Texts.setValue(QStringLiteral("VirtualPartnerPlace"), QStringLiteral("Zenith"));
        THeiObj &hei = place == 1 ? w.logic().Hei1 : w.logic().Hei2;
        const QString select = QStringLiteral("PlaceSelect%1").arg(place);
        w.session.Values.setValue(select, QString::number(THeiObj::VirtualPartnerPlaceNo - 1));
        w.session.RestoreHei(hei);
        EXPECT_TRUE(hei.VirtualPartner);
        EXPECT_EQ(hei.PlaceName, QStringLiteral("Zenith"));
        EXPECT_EQ(hei.State, 3);
        EXPECT_NEAR(hei.NoonHeightAngle, M_PI / 2, 1e-12);
        w.session.StoreHei(hei);
        EXPECT_EQ(w.session.GetValue(QStringLiteral("HeiVirtual%1").arg(place)), QStringLiteral("1"));
        // Its latitude, the declination, lies outside the schools' window: the record holds it.
        EXPECT_TRUE(TSession::IsComplete(w.session.Values, w.world.comm));

        w.session.Values.setValue(select, QStringLiteral("%1").arg(place - 1));
        w.session.RestoreHei(hei);
        EXPECT_FALSE(hei.VirtualPartner);
        EXPECT_EQ(hei.PlaceName, QStringLiteral("Opole"));
        EXPECT_EQ(hei.State, 0);
        w.session.StoreHei(hei);
        EXPECT_EQ(w.session.GetValue(QStringLiteral("HeiVirtual%1").arg(place)), QString());
    }
}

TEST(SessionPlaces, RestoreChoosesThePlaceFromTheSelection) {
    struct Row {
        const char *placeSelect;  // nullptr: key absent
        const char *name;
        int noonH;
        const char *why;
    };
    const Row rows[] = {
        {nullptr, "Gda\u0144sk", 13, "a record without the key: the first place"},
        {"0", "Gda\u0144sk", 13, "the first place chosen"},
        {"2", "Opole", 11, "a later place, with its own noon"},
        {"-1", "", 12, "no selection: no place, noon 12:00"},
        {"junk", "Gda\u0144sk", 13, "an unreadable number counts as 0"},
        {"2147483647", "", 12, "no place can have that number"},
        {"-2147483648", "", 12, "nor a number below the list"},
    };
    for (const Row &row : rows) {
        SessionWorld w;
        w.world.comm.SetValue("Place1", "Gda\u0144sk");
        w.world.comm.SetValue("NoonH1", "13");
        w.world.comm.SetValue("Place3", "Opole");
        w.world.comm.SetValue("NoonH3", "11");
        if (row.placeSelect)
            w.session.Values.setValue("PlaceSelect1", row.placeSelect);
        w.session.RestoreHei(w.logic().Hei1);
        SCOPED_TRACE(row.why);
        EXPECT_EQ(w.logic().Hei1.PlaceName, QString(row.name));
        EXPECT_EQ(w.logic().Hei1.NoonH, row.noonH);
        EXPECT_NEAR(w.logic().Hei1.NoonTimeAngle, (row.noonH - 12) * M_PI / 12, 1e-15);
    }
}

TEST(SessionPlaces, UnreadableValuesRestoreAsZero) {
    SessionWorld w;
    w.session.Values.setValue("HeiState1", "7");  // not a progress value
    w.session.Values.setValue("HeiTimH1", "12.5");
    w.session.Values.setValue("HeiStick1", "");
    w.session.Values.setValue("HeiSunPlaneAngle1", "abc");
    w.session.Values.setValue("HeiEquinoxDispl1", "0,3");  // wrong separator
    THeiObj &hei = w.logic().Hei1;
    w.session.RestoreHei(hei);
    EXPECT_EQ(hei.State, 0);
    EXPECT_EQ(hei.TimH, 0);
    EXPECT_EQ(hei.Stick, 0);
    EXPECT_EQ(hei.SunPlaneAngle, 0);
    EXPECT_EQ(hei.EquinoxDispl, 0);
    EXPECT_EQ(hei.EditedStick, 1000);  // untouched keys come back as stored
}

TEST(SessionChoices, PlaceStateAndStoredKeys) {
    struct Row {
        int index1;
        const char *text1;
        int index2;
        const char *text2;
        const char *placeState;
        const char *why;
    };
    const Row rows[] = {
        {0, "Gdynia", 2, "Opole", "1", "two places chosen"},
        {1, "Opole", 1, "Opole", "0", "the same place twice"},
        {-1, "", 2, "Opole", "0", "no selection at place 1"},
        {0, "Gdynia", -1, "", "0", "no selection at place 2"},
        {-1, "", -1, "", "0", "nothing chosen"},
        {0, "", 2, "Opole", "0", "an entry with no name is no choice"},
        {4, "Gdynia", 3, "Gdynia", "1", "two entries with the same name are two places"},
    };
    for (const Row &row : rows) {
        TSession session;
        session.Init();
        PlacesChoice choice;
        choice.PlaceIndex1 = row.index1;
        choice.PlaceText1 = row.text1;
        choice.PlaceIndex2 = row.index2;
        choice.PlaceText2 = row.text2;
        session.StorePlaces(choice);
        SCOPED_TRACE(row.why);
        EXPECT_EQ(session.GetValue("PlaceState"), QString(row.placeState));
        EXPECT_EQ(session.GetValue("PlaceSelect1"), QString::number(row.index1));
        EXPECT_EQ(session.GetValue("PlaceSelect2"), QString::number(row.index2));
        EXPECT_EQ(session.Values.indexOfKey("PlaceName1") >= 0, *row.text1 != 0);
        EXPECT_EQ(session.GetValue("PlaceName2"), QString(row.text2));
    }
}

TEST(SessionChoices, PersonsAndTheirCount) {
    TSession session;
    session.Init();
    PlacesChoice choice;
    choice.PlaceIndex1 = 0;
    choice.PlaceText1 = "Gdynia";
    choice.Persons1 = {"Ala", "", "Ola", ""};
    choice.PlaceIndex2 = 1;
    choice.PlaceText2 = "Opole";
    choice.Persons2 = {"Jan", "Ewa", "Piotr", "Zofia"};
    session.StorePlaces(choice);
    EXPECT_EQ(session.CountPersons1(), 2);  // place 2's pupils do not count
    EXPECT_EQ(session.Values.lines(),
              (QStringList{"PlaceSelect1=0", "PlaceName1=Gdynia", "Person11=Ala", "Person13=Ola", "PlaceSelect2=1",
                           "PlaceName2=Opole", "Person21=Jan", "Person22=Ewa", "Person23=Piotr",
                           "Person24=Zofia", "PlaceState=1"}));
    // A name cleared later removes its line.
    choice.Persons1 = {"", "", "Ola", ""};
    session.StorePlaces(choice);
    EXPECT_EQ(session.CountPersons1(), 1);
    EXPECT_EQ(session.Values.indexOfKey("Person11"), -1);
}

// The difference of the noon elevations always follows the places as last stored, whatever
// HeiDiff the record still holds from an earlier comparison.
TEST(SessionComparison, RestoreRecomputesTheDifference) {
    SessionWorld w;
    TLogic &logic = w.logic();
    logic.Hei1.NoonHeightAngle = 1.0;
    logic.Hei2.NoonHeightAngle = 0.9;
    w.session.StoreHei(logic.Hei1);
    w.session.StoreHei(logic.Hei2);
    logic.HeiDiff = 0.1;
    logic.EarthState = 2;
    logic.EditedEarthDistance = 777;
    logic.EarthDistance = 800;
    logic.EarthSize = 50265;
    w.session.StoreLogic(logic);

    logic.Hei2.NoonHeightAngle = 0.8743362938564083;  // 7.2 deg below place 1
    w.session.StoreHei(logic.Hei2);
    logic.HeiDiff = 0;
    logic.EarthState = 0;
    logic.EditedEarthDistance = logic.EarthDistance = logic.EarthSize = 0;
    w.session.RestoreLogic(logic);

    EXPECT_EQ(w.session.GetValue("HeiDiff"), "0.1");
    EXPECT_EQ(logic.NoonHeightAngle1, 1.0);
    EXPECT_EQ(fifteenDigits(logic.NoonHeightAngle2), fifteenDigits(0.8743362938564083));
    EXPECT_NEAR(logic.HeiDiff, 0.12566370614359174, 1e-14);
    EXPECT_EQ(logic.EarthState, 2);
    EXPECT_EQ(logic.EarthDistance, 800);
    EXPECT_EQ(logic.EditedEarthDistance, 800);  // the accepted distance, not what was typed
    EXPECT_EQ(logic.EarthSize, 50265);
    logic.CalcEarth();
    EXPECT_EQ(logic.EarthSize, 40000);
}

TEST(SessionComparison, ExtremeNumbersSurviveTheRecord) {
    SessionWorld w(u',');
    TLogic &logic = w.logic();
    logic.EarthState = 9;  // not a progress value: restored as 0
    logic.EarthDistance = INT_MIN;
    logic.EarthSize = INT_MAX;
    logic.Hei1.NoonHeightAngle = 1e308;
    logic.Hei2.NoonHeightAngle = -1e308;
    w.session.StoreHei(logic.Hei1);
    w.session.StoreHei(logic.Hei2);
    w.session.StoreLogic(logic);
    w.session.RestoreLogic(logic);
    EXPECT_EQ(logic.EarthState, 0);
    EXPECT_EQ(logic.EarthDistance, INT_MIN);
    EXPECT_EQ(logic.EarthSize, INT_MAX);
    EXPECT_TRUE(std::isinf(logic.HeiDiff));
    logic.EarthDistance = 800;
    logic.CalcEarth();  // an infinite difference computes nothing
    EXPECT_EQ(logic.EarthSize, INT_MAX);
    EXPECT_EQ(w.world.prompter.messages, QStringList{"msgNoAngleDiff text"});
}

}  // namespace

// An angle read back from the record shows the same degrees and minutes as before it was stored.
TEST(SessionRecord, AnglesReadTheSameAfterTheRecord) {
    SessionWorld w;
    const TComm &comm = w.logic().comm();
    std::vector<double> angles = {std::atan(1000.0 / 1000.0), std::atan(1000.0 / 800.0)};
    for (int minutes = -360 * 60; minutes <= 360 * 60; minutes += 7)
        angles.push_back(DegToRad(minutes / 60.0));
    for (double angle : angles) {
        const double back = comm.TextToFloat(TSession::FloatToText(angle, u'.'));
        EXPECT_EQ(AngleToText(back), AngleToText(angle)) << angle;
    }
    EXPECT_EQ(AngleToText(0.785398163397448), QString::fromUtf8("45°"));
}

// A kept lesson is continued from its record alone, with no window: the date, both places (only a
// place measured far enough shows its latitude) and the comparison come back, unprinted.
TEST(SessionRecord, AKeptLessonIsContinuedWithoutAnyWindow) {
    auto placesIn = [](TComm &comm) {
        comm.SetValue("Place1", "Krak\u00F3w");
        comm.SetValue("Place2", "Gda\u0144sk");
    };
    const QDate measureDay = kEquinox.addDays(92);
    SessionWorld kept(u',', measureDay);
    placesIn(kept.world.comm);
    kept.session.Values.setValue("PlaceSelect1", "0");
    kept.session.Values.setValue("PlaceSelect2", "1");
    TLogic &logic = kept.logic();
    for (THeiObj *hei : {&logic.Hei1, &logic.Hei2}) {
        hei->LoadPlace(hei->Number());
        hei->EditedTimH = 12;
        hei->EditedTimM = 0;
        hei->AcceptTime();
    }
    logic.Hei1.EditedStick = 1000;
    logic.Hei1.EditedShadow = 800;
    logic.Hei1.AcceptHeight();
    logic.Hei1.CalcNoon();
    ASSERT_EQ(logic.Hei1.State, 3);
    ASSERT_EQ(logic.Hei2.State, 1);
    logic.AcceptDistance(800);
    kept.session.StoreHei(logic.Hei1);
    kept.session.StoreHei(logic.Hei2);
    kept.session.StoreLogic(logic);

    SessionWorld next(u',', measureDay.addDays(3));  // the next start, days later
    placesIn(next.world.comm);
    TLogic &continued = next.logic();
    continued.SheetPrinted();  // whatever this run did before, the continued lesson is not printed
    next.world.latitudes.captions.clear();
    next.session.RestoreLesson(kept.session.Values, continued, next.world.comm);

    EXPECT_EQ(next.session.Values.lines(), kept.session.Values.lines());
    EXPECT_EQ(continued.MeasureDay(), measureDay);
    EXPECT_EQ(continued.Hei1.State, 3);
    EXPECT_EQ(continued.Hei1.PlaceName, QString("Krak\u00F3w"));
    EXPECT_EQ(AngleToText(continued.Hei1.NoonHeightAngle), AngleToText(logic.Hei1.NoonHeightAngle));
    EXPECT_EQ(continued.Hei2.State, 1);
    EXPECT_EQ(continued.Hei2.PlaceName, QString("Gda\u0144sk"));
    EXPECT_EQ(continued.Hei2.TimH, 12);
    EXPECT_EQ(continued.EarthState, 1);
    EXPECT_EQ(continued.EarthDistance, 800);
    EXPECT_FALSE(continued.Printed);
    EXPECT_TRUE(continued.HoldsUnprintedWork());
    EXPECT_TRUE(next.world.latitudes.captions.contains(1));   // measured to its noon elevation
    EXPECT_FALSE(next.world.latitudes.captions.contains(2));  // only its time accepted
}
