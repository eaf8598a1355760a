// SPDX-License-Identifier: GPL-3.0-or-later
// Repeated shadow readings and what they leave of the circumference; the virtual partner of a
// class working alone.
#include "ModelTestWorld.h"
#include "model/Angles.h"
#include "model/ReadingUncertainty.h"
#include "model/TypedInput.h"

#include <gtest/gtest.h>

namespace {

// 20 June 2013: 92 days after the model's equinox, declination 23.43 deg.
const QDate kJune{2013, 6, 20};

void measure(THeiObj &hei, int hour, int minute, int stick, std::vector<std::int32_t> shadows) {
    hei.EditedTimH = hour;
    hei.EditedTimM = minute;
    hei.AcceptTime();
    hei.EditedStick = stick;
    hei.EditedShadow = shadows.front();
    hei.EditedMoreShadows.assign(shadows.begin() + 1, shadows.end());
    hei.AcceptHeight();
    hei.CalcNoon();
}

void computeEarth(TLogic &logic, std::int32_t distanceKm) {
    logic.HeiDiff = std::fabs(logic.Hei1.NoonHeightAngle - logic.Hei2.NoonHeightAngle);
    logic.EditedEarthDistance = distanceKm;
    logic.AcceptDistance();
    logic.CalcEarth();
}

double toDegrees(double radians) { return radians * 180 / M_PI; }

TEST(ShadowReadings, MeanAndStandardErrorOfTheMean) {
    // 611.2 mm; the squared deviations 1.44, 0.64, 10.24, 14.44, 0.04 add up to 26.8, so
    // s = sqrt(26.8 / 4) = 2.5884 and s / sqrt(5) = 1.1576.
    const ReadingUncertainty::ShadowSpread five = ReadingUncertainty::spreadOf({610, 612, 608, 615, 611});
    EXPECT_DOUBLE_EQ(five.meanMm, 611.2);
    EXPECT_NEAR(five.standardErrorMm, std::sqrt(26.8 / 4) / std::sqrt(5.0), 1e-12);
    // The mean keeps the ruler's whole millimetre: 0.5 / sqrt(3) = 0.288675 mm beside the spread.
    EXPECT_NEAR(five.uncertaintyMm, std::sqrt(26.8 / 20 + 0.25 / 3), 1e-12);
    const ReadingUncertainty::ShadowSpread one = ReadingUncertainty::spreadOf({850});
    EXPECT_EQ(one.meanMm, 850);
    EXPECT_EQ(one.standardErrorMm, 0);
    EXPECT_NEAR(one.uncertaintyMm, 0.288675, 1e-6);
    const ReadingUncertainty::ShadowSpread same = ReadingUncertainty::spreadOf({700, 700, 700});
    EXPECT_EQ(same.standardErrorMm, 0);
    EXPECT_NEAR(same.uncertaintyMm, 0.288675, 1e-6);
}

TEST(ShadowReadings, TypedWithSemicolonsUpToFive) {
    using TypedInput::shadowReadings;
    EXPECT_EQ(shadowReadings(QStringLiteral("812; 815;809 ;811;  813")), (std::vector<int>{812, 815, 809, 811, 813}));
    EXPECT_EQ(shadowReadings(QStringLiteral("850")), std::vector<int>{850});
    for (const char *bad : {"1;2;3;4;5;6", "812;", ";812", "812;;815", "812; 0", "812; 1 000", "812; 8,5",
                            "812; 100000001", "812 815"})
        EXPECT_FALSE(shadowReadings(QLatin1String(bad))) << bad;
}

TEST(ShadowReadings, OneReadingIsTheElevationOfThatShadowAndRepeatedOnesOfTheirMean) {
    ModelTestWorld world(kJune);
    TLogic &logic = world.started();
    measure(logic.Hei1, 13, 0, 1000, {611});
    EXPECT_DOUBLE_EQ(logic.Hei1.SunHeightAtCurrTime, std::atan(1000.0 / 611));
    measure(logic.Hei2, 13, 0, 1000, {610, 612, 608, 615, 611});
    EXPECT_DOUBLE_EQ(logic.Hei2.SunHeightAtCurrTime, std::atan(1000.0 / 611.2));
    EXPECT_EQ(logic.Hei2.Shadow, 610);
    EXPECT_EQ(logic.Hei2.ShadowReadings(), (std::vector<std::int32_t>{610, 612, 608, 615, 611}));

    // Measuring again with one reading drops the earlier further ones.
    measure(logic.Hei2, 13, 0, 1000, {611});
    EXPECT_TRUE(logic.Hei2.MoreShadows.empty());
    EXPECT_DOUBLE_EQ(logic.Hei2.SunHeightAtCurrTime, logic.Hei1.SunHeightAtCurrTime);
}

// Two places, five readings each, on 20 June 2013 with true noon at 12:00:
//   place 1 at 13:00, stick 1000, shadows 610 612 608 615 611 (mean 611.2, s.e. 1.1576)
//   place 2 at 13:30, stick 1000, shadows 1080 1092 1075 1088 1085 (mean 1084, s.e. 2.9833)
// Worked independently in Python: the latitude found by bisection of
// sin p sin d + cos p cos d cos H = sin h, and its changes by central differences for the mean
// shadow +- its standard error and the hour angle +- half a minute (pi / 1440), added in
// quadrature, together with the stick and the mean shadow each +- 0.5 / sqrt(3) mm (whole
// millimetres; for the shadow added to its standard error) and the distance +- 0.5 / sqrt(3) km:
//   place 1: latitude 52.717917 deg, noon elevation 60.713679 deg +- 0.068503 deg
//   place 2: latitude 68.732056 deg, noon elevation 44.699541 deg +- 0.093664 deg
//   difference 16.014139 deg; 1780 km: 40014.64 km +- 290.03 km -> 40015 km +- 290 km (40008
//   inside); 1750 km: 39340.24 km +- 285.14 km -> 39340 km +- 290 km (40008 outside).
TEST(ReadingUncertainty, TwoPlacesFiveReadingsEachWorkedByHand) {
    ModelTestWorld world(kJune);
    TLogic &logic = world.started();
    measure(logic.Hei1, 13, 0, 1000, {610, 612, 608, 615, 611});
    measure(logic.Hei2, 13, 30, 1000, {1080, 1092, 1075, 1088, 1085});
    ASSERT_EQ(logic.Hei1.State, 3);
    ASSERT_EQ(logic.Hei2.State, 3);
    EXPECT_NEAR(toDegrees(logic.Hei1.Latitude()), 52.717917, 1e-5);
    EXPECT_NEAR(toDegrees(logic.Hei2.Latitude()), 68.732056, 1e-5);
    EXPECT_NEAR(toDegrees(logic.Hei1.NoonElevationUncertainty().value()), 0.068503, 1e-5);
    EXPECT_NEAR(toDegrees(logic.Hei2.NoonElevationUncertainty().value()), 0.093664, 1e-5);

    computeEarth(logic, 1780);
    ASSERT_EQ(logic.EarthState, 2);
    EXPECT_EQ(logic.EarthSize, 40015);
    EXPECT_EQ(logic.EarthUncertaintyKm(), 290);
    EXPECT_TRUE(logic.MeridianWithinUncertainty(290));

    computeEarth(logic, 1750);
    EXPECT_EQ(logic.EarthSize, 39340);
    EXPECT_EQ(logic.EarthUncertaintyKm(), 290);
    EXPECT_FALSE(logic.MeridianWithinUncertainty(290));
}

// Nothing is exact: a single reading and five identical ones still leave the ruler's and the
// map's whole units. Worked by hand, at true noon beside the virtual partner (its noon elevation
// 90 deg is exact), stick and shadow 1000 mm, 5000 km:
//   u(stick) = u(shadow) = 0.5 mm / sqrt(3) = 0.288675 mm;
//   h = atan(1000 / 1000) = 45 deg, dh/dS = -1/2000, dh/dL = +1/2000 per mm,
//   so u(h) = sqrt(2) * 0.288675 / 2000 = 2.04124e-4 rad;
//   at true noon the latitude moves as the elevation does and the clock drops out;
//   difference 45 deg = 0.785398 rad, C = 2 pi * 5000 / 0.785398 = 40000 km;
//   u(distance) = 0.5 km / sqrt(3) = 0.288675 km;
//   u(C) = 40000 * sqrt((2.04124e-4 / 0.785398)^2 + (0.288675 / 5000)^2) = 10.65 km -> 11 km,
//   so 40008 km lies inside.
TEST(ReadingUncertainty, NeverZeroWorkedByHand) {
    for (const std::vector<std::int32_t> &shadows : {std::vector<std::int32_t>{1000}, std::vector<std::int32_t>(5, 1000)}) {
        SCOPED_TRACE(shadows.size());
        ModelTestWorld world(kJune);
        TLogic &logic = world.started();
        logic.Hei2.LoadPlace(THeiObj::VirtualPartnerPlaceNo);
        logic.Hei2.TakeZenithReading();
        measure(logic.Hei1, 12, 0, 1000, shadows);
        EXPECT_NEAR(logic.Hei1.NoonElevationUncertainty().value(), 2.04124e-4, 1e-9);
        computeEarth(logic, 5000);
        ASSERT_EQ(logic.EarthState, 2);
        EXPECT_EQ(logic.EarthSize, 40000);
        EXPECT_EQ(logic.EarthUncertaintyKm(), 11);
        EXPECT_TRUE(logic.MeridianWithinUncertainty(11));
    }
}

TEST(ReadingUncertainty, ShownWheneverTheSizeFits) {
    for (int repeating : {0, 1, 2}) {
        ModelTestWorld world(kJune);
        TLogic &logic = world.started();
        measure(logic.Hei1, 13, 0, 1000, repeating == 1 ? std::vector<std::int32_t>{610, 612} : std::vector<std::int32_t>{611});
        measure(logic.Hei2, 13, 30, 1000, repeating == 2 ? std::vector<std::int32_t>{1080, 1088} : std::vector<std::int32_t>{1084});
        computeEarth(logic, 1780);
        ASSERT_EQ(logic.EarthState, 2);
        EXPECT_TRUE(logic.EarthUncertaintyKm().has_value()) << "place repeating " << repeating;
        // A place measured again after the computation: the circumference no longer fits.
        measure(logic.Hei1, 13, 5, 1000, {610, 612});
        EXPECT_FALSE(logic.EarthUncertaintyKm()) << "place repeating " << repeating;
    }
}

TEST(ReadingUncertainty, TwoSignificantDigitsAndNothingWithoutACircumference) {
    // 2 pi * 1000 km / 0.1 rad = 62832 km; +-0.001 rad at each place: 62832 * sqrt((0.0014142 / 0.1)^2
    // + (0.288675 / 1000)^2) = 888.8; the distance's whole kilometre alone leaves 18.1 km.
    EXPECT_EQ(ReadingUncertainty::circumferenceKm(1000, 0.1, 0.001, 0.001), 890);
    EXPECT_EQ(ReadingUncertainty::circumferenceKm(1000, 0.1, 0.0001, 0), 65);  // 62.8 with 18.1: 65.4
    EXPECT_EQ(ReadingUncertainty::circumferenceKm(1000, 0.1, 0, 0), 18);
    // 2 pi * 100000 km / 3 rad = 209440 km, +- 0.6 km from the distance: never below 1.
    EXPECT_EQ(ReadingUncertainty::circumferenceKm(100000, 3, 0, 0), 1);
    EXPECT_FALSE(ReadingUncertainty::circumferenceKm(0, 0.1, 0.001, 0.001));
    EXPECT_FALSE(ReadingUncertainty::circumferenceKm(1000, 0, 0.001, 0.001));
    EXPECT_FALSE(ReadingUncertainty::circumferenceKm(1000, 1e-12, 0.001, 0.001));
    EXPECT_TRUE(ReadingUncertainty::inside(40008, 40015, 7));
    EXPECT_TRUE(ReadingUncertainty::inside(40008, 40001, 7));
    EXPECT_FALSE(ReadingUncertainty::inside(40008, 40016, 7));
    EXPECT_FALSE(ReadingUncertainty::inside(40008, 40000, 7));
}

// The virtual partner stands where the sun is at the zenith at true noon: its latitude is the
// declination, its noon elevation 90 deg, so the difference is 90 deg minus the class's noon
// elevation, which is the class's latitude less the declination.
TEST(VirtualPartner, TheDifferenceIsTheClassLatitudeLessTheDeclination) {
    for (const QDate day : {kEquinox, kJune, QDate(2013, 12, 21), QDate(2013, 2, 1)}) {
        for (int partner : {1, 2}) {
            ModelTestWorld world(day);
            TLogic &logic = world.started();
            THeiObj &virtualPlace = partner == 1 ? logic.Hei1 : logic.Hei2;
            THeiObj &school = partner == 1 ? logic.Hei2 : logic.Hei1;
            virtualPlace.LoadPlace(THeiObj::VirtualPartnerPlaceNo);
            virtualPlace.TakeZenithReading();
            EXPECT_TRUE(virtualPlace.VirtualPartner);
            EXPECT_EQ(virtualPlace.State, 3);
            EXPECT_NEAR(virtualPlace.NoonHeightAngle, M_PI / 2, 1e-12);
            const double declination = std::asin(virtualPlace.EquinoxDispl);
            EXPECT_NEAR(virtualPlace.Latitude(), declination, 1e-12);
            EXPECT_EQ(world.latitudes.captions.value(partner),
                      QStringLiteral("Lattitude location %1=").arg(partner) + AngleToText(declination));
            // No shadow: the sun straight overhead.
            const THeiObj::Direction sun = virtualPlace.SunDirection(virtualPlace.SunOnCurrTimeAngle);
            EXPECT_NEAR(sun.Up, 1, 1e-12);
            EXPECT_EQ(virtualPlace.NoonElevationUncertainty(), 0.0);

            measure(school, 12, 0, 1000, {1000});  // 45 deg at noon: latitude 45 deg + declination
            ASSERT_EQ(school.State, 3);
            computeEarth(logic, 1000);
            EXPECT_NEAR(logic.HeiDiff, M_PI / 2 - school.NoonHeightAngle, 1e-12);
            EXPECT_NEAR(logic.HeiDiff, school.Latitude() - declination, 1e-12);
            EXPECT_NEAR(logic.HeiDiff, M_PI / 4, 1e-12) << day.toString(Qt::ISODate).toStdString();
            EXPECT_EQ(logic.EarthSize, 8000);
        }
    }
}

TEST(VirtualPartner, ANewMeasurementDateMovesItToThatDaysDeclination) {
    ModelTestWorld world(kEquinox);
    TLogic &logic = world.started();
    logic.Hei2.LoadPlace(THeiObj::VirtualPartnerPlaceNo);
    logic.Hei2.TakeZenithReading();
    EXPECT_NEAR(logic.Hei2.Latitude(), 0, 1e-12);
    // Nothing the class measured is lost: no question.
    ASSERT_TRUE(logic.ChangeMeasureDay(kJune));
    EXPECT_TRUE(world.prompter.questions.isEmpty());
    EXPECT_EQ(logic.Hei2.State, 3);
    EXPECT_NEAR(toDegrees(logic.Hei2.Latitude()), 23.43, 0.01);
    // A place chosen again from the configuration is no virtual partner.
    logic.Hei2.LoadPlace(1);
    EXPECT_FALSE(logic.Hei2.VirtualPartner);
}

}  // namespace
