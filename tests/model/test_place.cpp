// SPDX-License-Identifier: GPL-3.0-or-later
// One place's measurement: date and declination, hour angles, the latitude from stick and shadow
// (with its question and refusals), the noon elevation, and inputs far outside any sense.
#include "ModelTestWorld.h"
#include "model/Angles.h"
#include "model/DayCount.h"

#include <QTimeZone>
#include <gtest/gtest.h>
#include <climits>

namespace {

const QString kDeg = QString(QChar(0x00B0));

QString angle(double radians) { return AngleToText(radians); }

// A place measured on the given day (offset from the March equinox) after Init, State 0.
struct Place {
    explicit Place(int daysAfterEquinox) : world(kEquinox.addDays(daysAfterEquinox)), hei(world.started().Hei1) {}
    void measure(int h, int m, int stick, int shadow) {
        hei.EditedTimH = h;
        hei.EditedTimM = m;
        hei.AcceptTime();
        hei.EditedStick = stick;
        hei.EditedShadow = shadow;
        hei.AcceptHeight();
    }
    ModelTestWorld world;
    THeiObj &hei;
};

TEST(PlaceDate, DeclinationOnTheFirstDayOfSummer) {
    Place p(92);
    EXPECT_EQ(angle(std::asin(p.hei.EquinoxDispl)), "23" + kDeg + "26'");
    EXPECT_NEAR(p.hei.EquinoxRadius, std::cos(std::asin(p.hei.EquinoxDispl)), 1e-15);
}

TEST(PlaceDate, OrbitPositionWrapsIntoOneTurn) {
    struct Row {
        QDateTime when;
        double expected;  // EquinoxAngle
    };
    const double turn = 2 * M_PI;
    const Row rows[] = {
        {QDateTime(kEquinox, QTime(0, 0)), 0},
        {QDateTime(kEquinox, QTime(23, 59)), 0},  // only the day counts
        {QDateTime(kEquinox.addDays(-1), QTime(12, 0)), (1 - 1 / 365.25) * turn},
        {QDateTime(kEquinox.addDays(365), QTime(12, 0)), 365 / 365.25 * turn},
        {QDateTime(kEquinox.addDays(1461), QTime(0, 0)), turn},   // four years: a full turn stays 2 pi
        {QDateTime(kEquinox.addDays(-1461), QTime(0, 0)), 0},      // four years back: 0
        {QDateTime(kEquinox.addDays(1461 * 1000 + 1), QTime(0, 0)), 1 / 365.25 * turn},
        {QDateTime(kEquinox.addDays(-1461 * 1000 - 1), QTime(0, 0)), (1 - 1 / 365.25) * turn},
        {QDateTime(QDate(1899, 12, 29), QTime(23, 0)), (1 - std::fmod(41354 / 365.25, 1.0)) * turn},
    };
    for (const Row &row : rows) {
        ModelTestWorld world;
        THeiObj &hei = world.logic.Hei1;
        hei.MeasureDate = DayCount::fromDateTime(row.when);
        hei.CalcEquinox();
        EXPECT_NEAR(hei.EquinoxAngle, row.expected, 1e-9) << row.when.toString().toStdString();
        EXPECT_GE(hei.EquinoxAngle, 0);
        EXPECT_LE(hei.EquinoxAngle, turn);
    }
}

TEST(PlaceDate, DayCountOfDates) {
    EXPECT_EQ(DayCount::fromDateTime(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0);
    EXPECT_EQ(DayCount::fromDateTime(QDateTime(kEquinox, QTime(12, 0))), 41353.5);
    EXPECT_EQ(DayCount::fromDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    EXPECT_EQ(DayCount::toDate(41353.99), kEquinox);
    EXPECT_EQ(DayCount::toDate(-1.25), QDate(1899, 12, 29));
    EXPECT_FALSE(DayCount::toDate(std::nan("")).isValid());
    EXPECT_FALSE(DayCount::toDate(1e300).isValid());
}

TEST(PlaceTime, HourAnglesFromClockAndNoon) {
    struct Row {
        const char *noonH, *noonM;  // configuration of place 1 (nullptr: key absent)
        int placeNo;                // LoadPlace argument
        int h, m;                   // measurement time
        double noonAngle, currAngle, sunAngle;
    };
    const Row rows[] = {
        {nullptr, nullptr, 1, 13, 0, 0, M_PI / 12, M_PI / 12},
        {"12", "40", 1, 13, 0, M_PI / 18, M_PI / 12, M_PI / 36},
        {"0", "30", 1, 12, 0, 0, 0, 0},          // noon hour 0: 12:00, the minute dropped
        {"abc", "30", 1, 12, 30, 0, M_PI / 24, M_PI / 24},
        {"11", "00", 1, 11, 0, -M_PI / 12, -M_PI / 12, 0},
        {"13", "30", -1, 12, 0, 0, 0, 0},        // no place: noon 12:00 whatever is configured
        {"13", "30", 0, 0, 0, 0, -M_PI, -M_PI},
        {"12", "00", 1, 24, 0, 0, M_PI, M_PI},
    };
    for (const Row &row : rows) {
        ModelTestWorld world;
        if (row.noonH) world.comm.SetValue("NoonH1", row.noonH);
        if (row.noonM) world.comm.SetValue("NoonM1", row.noonM);
        THeiObj &hei = world.started().Hei1;
        hei.LoadPlace(row.placeNo);
        hei.EditedTimH = row.h;
        hei.EditedTimM = row.m;
        hei.AcceptTime();
        SCOPED_TRACE(testing::Message() << row.noonH << ":" << row.noonM << " at " << row.h << ":" << row.m);
        EXPECT_NEAR(hei.NoonTimeAngle, row.noonAngle, 1e-15);
        EXPECT_NEAR(hei.CurrTimeAngle, row.currAngle, 1e-15);
        EXPECT_NEAR(hei.SunOnCurrTimeAngle, row.sunAngle, 1e-15);
        EXPECT_EQ(hei.State, 1);
        EXPECT_EQ(hei.TimH, row.h);
        EXPECT_EQ(hei.TimM, row.m);
    }
}

TEST(PlaceTime, PlaceNameAndNoonFromTheConfiguration) {
    ModelTestWorld world;
    world.comm.SetValue("Place3", "Toru\u0144");
    world.comm.SetValue("NoonH3", "11");
    world.comm.SetValue("NoonM3", "36");
    THeiObj &hei = world.started().Hei2;
    hei.LoadPlace(3);
    EXPECT_EQ(hei.PlaceName, QString("Toru\u0144"));
    EXPECT_EQ(hei.NoonH, 11);
    EXPECT_EQ(hei.NoonM, 36);
    hei.LoadPlace(4);  // nothing configured
    EXPECT_EQ(hei.PlaceName, "");
    EXPECT_EQ(hei.NoonH, 12);
    EXPECT_EQ(hei.NoonM, 0);
}

// A place with a longitude takes the true noon of the measurement date in the clock's time zone;
// its configured noon stays only to be compared with it.
TEST(PlaceTime, TrueNoonFromTheLongitude) {
    struct Row {
        QDate day;
        const char *longitude;  // nullptr: key absent
        const char *noonH, *noonM;
        int h, m;        // the noon the place takes
        bool fromLongitude;
        int off;         // configured minus true noon, minutes
        const char *zone = nullptr;  // TimeZone1; nullptr: absent, the clock's zone counts
    };
    const Row rows[] = {
        // Kyiv's school by Kyiv's clocks (summer UTC+3, winter UTC+2); by the computer's in Warsaw
        // an hour earlier; a zone nobody knows leaves the configured noon.
        {{2026, 7, 15}, "30.523", "13", "04", 13, 4, true, 0, "Europe/Kiev"},
        {{2026, 12, 7}, "30.523", "11", "49", 11, 49, true, 0, "Europe/Kiev"},
        {{2026, 7, 15}, "30.523", "13", "04", 12, 4, true, 60},
        {{2026, 7, 15}, "30.523", "13", "04", 13, 4, false, 0, "Mars/Olympus"},
        {{2026, 7, 15}, "19.945", "11", "40", 12, 46, true, -66},  // Kraków 12:46:14, summer time
        {{2026, 12, 7}, "19.945", "11", "40", 11, 32, true, 8},    // 11:31:39 in winter time
        {{2026, 12, 7}, "19,945", "11", "42", 11, 32, true, 10},
        {{2026, 12, 7}, "19.945", "11", "43", 11, 32, true, 11},
        {{2026, 12, 7}, "19.945", "0", "30", 11, 32, true, 28},    // no configured noon: 12:00
        {{2026, 7, 15}, nullptr, "11", "40", 11, 40, false, 0},    // no longitude: as configured
        {{2026, 7, 15}, "", "11", "40", 11, 40, false, 0},
        {{2026, 7, 15}, "abc", "11", "40", 11, 40, false, 0},      // nor an unusable one
        {{2026, 7, 15}, "181", "11", "40", 11, 40, false, 0},
    };
    for (const Row &row : rows) {
        ModelTestWorld world(QDateTime(row.day, QTime(10, 0), QTimeZone("Europe/Warsaw")), Locale{});
        world.comm.SetValue("NoonH1", row.noonH);
        world.comm.SetValue("NoonM1", row.noonM);
        if (row.longitude)
            world.comm.SetValue("Longitude1", row.longitude);
        if (row.zone)
            world.comm.SetValue("TimeZone1", row.zone);
        THeiObj &hei = world.started().Hei1;
        hei.LoadPlace(1);
        SCOPED_TRACE(testing::Message() << row.day.toString(Qt::ISODate).toStdString() << " " << row.longitude);
        EXPECT_EQ(hei.NoonH, row.h);
        EXPECT_EQ(hei.NoonM, row.m);
        EXPECT_EQ(hei.NoonFromLongitude, row.fromLongitude);
        EXPECT_EQ(hei.ConfiguredNoonOffMinutes(), row.off);
        // A reading at the noon the place takes is one at true noon.
        hei.EditedTimH = row.h;
        hei.EditedTimM = row.m;
        hei.AcceptTime();
        EXPECT_NEAR(hei.SunOnCurrTimeAngle, 0, 1e-15);
        hei.LoadPlace(-1);  // no place: 12:00, nothing to compare
        EXPECT_FALSE(hei.NoonFromLongitude);
        EXPECT_EQ(hei.ConfiguredNoonOffMinutes(), 0);
    }
}

// The two-latitude case: 92 days after the equinox, 16:36, stick 1000, shadow 1800 gives the
// elevation 29 deg 3' and the candidates 70 deg 10' and 30 deg 40'.
TEST(PlaceLatitude, TwoLatitudesAskTheUser) {
    struct Row {
        Prompter::Answer answer;
        const char *latitude;  // nullptr: nothing taken
    };
    const Row rows[] = {{Prompter::Answer::Yes, "70°10'"},
                        {Prompter::Answer::No, "30°40'"},
                        {Prompter::Answer::Closed, nullptr}};
    for (const Row &row : rows) {
        Place p(92);
        p.world.prompter.answers.push_back(row.answer);
        const double planeBefore = p.hei.SunPlaneAngle;
        p.measure(16, 36, 1000, 1800);
        ASSERT_EQ(p.world.prompter.questions.size(), 1);
        EXPECT_EQ(p.world.prompter.questions[0],
                  "msgTwoLattitudes text\r\nmsgLattitudeYes text 70" + kDeg + "10'\r\nmsgLattitudeNo text 30" + kDeg + "40'");
        EXPECT_TRUE(p.world.prompter.messages.isEmpty());
        EXPECT_EQ(angle(p.hei.SunHeightAtCurrTime), "29" + kDeg + "3'");
        EXPECT_EQ(p.hei.Stick, 1000);
        EXPECT_EQ(p.hei.Shadow, 1800);
        if (row.latitude) {
            EXPECT_EQ(angle(p.hei.Latitude()), QString::fromUtf8(row.latitude));
            EXPECT_EQ(p.world.latitudes.captions.value(1), "Lattitude location 1=" + QString::fromUtf8(row.latitude));
            EXPECT_EQ(p.hei.State, 2);
        } else {
            EXPECT_EQ(p.hei.SunPlaneAngle, planeBefore);
            EXPECT_EQ(p.world.latitudes.calls, 0);
            EXPECT_EQ(p.hei.State, 1);
        }
    }
}

TEST(PlaceLatitude, OneLatitudeOrARefusal) {
    struct Row {
        int days, h, m, stick, shadow;
        const char *latitude;  // taken without a question, or nullptr
        const char *message;   // the refusal, or nullptr
    };
    const Row rows[] = {
        {92, 16, 30, 1000, 1900, "77°10'", nullptr},            // the other candidate, 19 deg 57', is below 20
        {92, 16, 30, 1000, 2000, nullptr, "msgSunTooHigh2080"},  // 81 deg 6' and 16 deg 1'
        {92, 16, 36, 1000, 1000, nullptr, "msgSunTooHigh"},     // 45 deg cannot be reached
        {92, 12, 0, 1000, 100, "29°9'", nullptr},                // 17 deg 43' is outside
        {0, 12, 0, 1000, 800, "38°40'", nullptr},                // -38 deg 40' is outside
        // Candidates within an arc-minute are one latitude, taken without a question when it
        // lies in the window and refused like two when it does not.
        {92, 12, 0, 100000000, 3278, "23°26'", nullptr},                // the sun overhead in June
        {276, 12, 0, 100000000, 3278, nullptr, "msgSunTooHigh2080"},   // and in December, south
        {0, 12, 0, 10000, 1, nullptr, "msgSunTooHigh2080"},  // 0.7' apart, both outside
        {0, 12, 0, 1000, 1, nullptr, "msgSunTooHigh2080"},   // 6.9' apart, both outside
    };
    for (const Row &row : rows) {
        Place p(row.days);
        const double planeBefore = p.hei.SunPlaneAngle;
        p.measure(row.h, row.m, row.stick, row.shadow);
        SCOPED_TRACE(testing::Message() << row.days << "d " << row.h << ":" << row.m << " " << row.stick << "/" << row.shadow);
        EXPECT_TRUE(p.world.prompter.questions.isEmpty());
        if (row.latitude) {
            EXPECT_TRUE(p.world.prompter.messages.isEmpty());
            EXPECT_EQ(angle(p.hei.Latitude()), QString::fromUtf8(row.latitude));
            EXPECT_EQ(p.hei.State, 2);
        } else {
            EXPECT_EQ(p.world.prompter.messages, QStringList{QString(row.message) + " text"});
            EXPECT_EQ(p.hei.SunPlaneAngle, planeBefore);
            EXPECT_EQ(p.world.latitudes.calls, 0);
            EXPECT_EQ(p.hei.State, 1);
            EXPECT_EQ(p.hei.Stick, row.stick);  // the lengths and elevation are taken all the same
            EXPECT_NEAR(p.hei.SunHeightAtCurrTime, std::atan(double(row.stick) / row.shadow), 1e-15);
        }
    }
}

TEST(PlaceLatitude, DeclinationZeroAtNoon) {
    Place p(0);
    p.measure(12, 0, 1000, 800);
    EXPECT_EQ(angle(p.hei.SunHeightAtCurrTime), "51" + kDeg + "20'");
    p.hei.CalcNoon();
    EXPECT_EQ(angle(p.hei.NoonHeightAngle), "51" + kDeg + "20'");
    EXPECT_EQ(p.hei.State, 3);
}

TEST(PlaceLatitude, NoLengthMeansFortyFiveDegrees) {
    const int lengths[][2] = {{0, 1000}, {1000, 0}, {-5, 1000}, {1000, -5}, {INT_MIN, INT_MIN}};
    for (const auto &l : lengths) {
        Place p(92);
        p.measure(12, 0, l[0], l[1]);
        EXPECT_DOUBLE_EQ(p.hei.SunHeightAtCurrTime, M_PI / 4);
        EXPECT_EQ(p.hei.State, 2);
    }
}

// Equal stick and shadow at true noon: 45 deg, latitude 45 deg + declination, noon elevation 45 deg.
// This is also what Init computes, for any date.
TEST(PlaceLatitude, FortyFiveDegreesAtNoonOnAnyDate) {
    for (int days : {0, 40, 92, 183, 200, 274, 300, 365}) {
        ModelTestWorld world(kEquinox.addDays(days));
        world.logic.Init();
        const THeiObj &hei = world.logic.Hei1;
        const double declination = std::asin(hei.EquinoxDispl);
        SCOPED_TRACE(days);
        EXPECT_TRUE(world.prompter.messages.isEmpty());
        EXPECT_NEAR(hei.Latitude(), M_PI / 4 + declination, 1e-12);
        EXPECT_NEAR(hei.NoonHeightAngle, M_PI / 4, 1e-12);
    }
}

// Measurements made at a known latitude must give that latitude back, in winter and late on
// summer evenings too, and never offer a latitude that does not fit the measured elevation.
TEST(PlaceLatitude, TheTrueLatitudeComesBackAllYear) {
    struct Row {
        int days;      // after the equinox
        double hours;  // from true noon
        double latitudeDeg;
    };
    const Row rows[] = {
        {92, 0, 52},      {92, -3, 50},    {0, 2, 45},     {-92, 0, 60},   {-92, 0, 30},  {-92, 2.5, 54},
        {-60, -3, 40},    {183, 1, 70},    {200, 0, 75},   {92, 10, 69},   {92, -9, 75},  {92, 8, 60},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.days << "d " << row.hours << "h " << row.latitudeDeg << " deg");
        // When two latitudes fit, one of the two answers must give the true one.
        double solved[2] = {0, 0};
        int questions = 0;
        for (int run = 0; run < 2; ++run) {
            Place p(row.days);
            const double d = std::asin(p.hei.EquinoxDispl);
            const double H = row.hours / 24 * 2 * M_PI;
            const double phi = row.latitudeDeg * M_PI / 180;
            const double sinH = std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(H);
            ASSERT_GT(sinH, 0.05) << "the sun must be up";
            const int wholeH = 12 + static_cast<int>(std::floor(row.hours));
            const int minutes = static_cast<int>(std::lround((row.hours - std::floor(row.hours)) * 60));
            p.world.prompter.answers.push_back(run == 0 ? Prompter::Answer::Yes : Prompter::Answer::No);
            p.measure(wholeH, minutes, 1000000, static_cast<int>(std::lround(1000000 / std::tan(std::asin(sinH)))));
            EXPECT_TRUE(p.world.prompter.messages.isEmpty());
            solved[run] = p.hei.Latitude();
            questions = p.world.prompter.questions.size();
            for (const QString &q : p.world.prompter.questions) {
                // Both offered latitudes must fit the measurement.
                for (const QString &line : q.split("\r\n").mid(1)) {
                    const QString text = line.section(' ', -1);
                    const int deg = text.section(kDeg, 0, 0).toInt();
                    const int min = text.section(kDeg, 1).remove('\'').toInt();
                    const double offered = DegToRad(deg + min / 60.0);
                    const double s = std::sin(offered) * std::sin(d) + std::cos(offered) * std::cos(d) * std::cos(H);
                    EXPECT_NEAR(s, sinH, 0.002) << q.toStdString();
                }
            }
            if (questions == 0)
                break;
        }
        const double phi = row.latitudeDeg * M_PI / 180;
        if (questions == 0)
            EXPECT_NEAR(solved[0], phi, 1e-5);
        else
            EXPECT_TRUE(std::fabs(solved[0] - phi) < 1e-5 || std::fabs(solved[1] - phi) < 1e-5);
    }
}

TEST(PlaceNoon, NoonElevationFromAnyPlaneAngle) {
    // Noon elevation = 90 deg - latitude + declination, beyond 90 deg too (sun north of the zenith).
    for (int days : {0, 92, -92}) {
        for (double latitudeDeg : {10.0, 20.0, 45.0, 60.0, 80.0, -10.0}) {
            Place p(days);
            const double d = std::asin(p.hei.EquinoxDispl);
            p.hei.SunPlaneAngle = M_PI / 2 - latitudeDeg * M_PI / 180;
            p.hei.State = 1;  // not looked at
            p.hei.CalcNoon();
            SCOPED_TRACE(testing::Message() << days << "d " << latitudeDeg);
            EXPECT_NEAR(p.hei.NoonHeightAngle, p.hei.SunPlaneAngle + d, 1e-12);
            EXPECT_NEAR(p.hei.NoonRadius, std::cos(p.hei.NoonHeightAngle), 1e-12);
            EXPECT_NEAR(p.hei.NoonDispl, std::sin(p.hei.NoonHeightAngle), 1e-12);
            EXPECT_EQ(p.hei.State, 3);
        }
    }
}

TEST(PlaceNoon, SunDirectionIsAUnitVectorTowardTheSun) {
    Place p(92);
    p.world.prompter.answers.push_back(Prompter::Answer::No);
    p.measure(16, 36, 1000, 1800);
    p.hei.CalcNoon();
    const THeiObj::Direction noon = p.hei.SunDirection(0);
    EXPECT_NEAR(noon.South, p.hei.NoonRadius, 1e-15);
    EXPECT_EQ(noon.West, 0);
    EXPECT_NEAR(noon.Up, p.hei.NoonDispl, 1e-15);
    const THeiObj::Direction now = p.hei.SunDirection(p.hei.SunOnCurrTimeAngle);
    EXPECT_NEAR(now.Up, std::sin(p.hei.SunHeightAtCurrTime), 1e-12);  // the measured elevation
    EXPECT_GT(now.West, 0);  // afternoon: the sun in the west
    EXPECT_LT(p.hei.SunDirection(-1).West, 0);
    for (double x : {-3.0, -1.0, 0.5, 2.0, 4.0}) {
        const THeiObj::Direction v = p.hei.SunDirection(x);
        EXPECT_NEAR(v.South * v.South + v.West * v.West + v.Up * v.Up, 1, 1e-12);
    }
}

TEST(PlaceState, AcceptingATimeDropsBackToOneAndKeepsResults) {
    Place p(0);
    p.measure(12, 0, 1000, 800);
    p.hei.CalcNoon();
    const double noon = p.hei.NoonHeightAngle;
    p.hei.EditedTimH = 14;
    p.hei.AcceptTime();
    EXPECT_EQ(p.hei.State, 1);
    EXPECT_EQ(p.hei.NoonHeightAngle, noon);
    EXPECT_EQ(p.hei.Stick, 1000);
}

TEST(PlaceState, InitGivesDefaultsAndCountsAsNotMeasured) {
    ModelTestWorld world(kEquinox.addDays(92));
    world.comm.SetValue("Place1", "Gdynia");
    world.logic.Init();
    const THeiObj &hei = world.logic.Hei1;
    EXPECT_EQ(hei.State, 0);
    EXPECT_EQ(hei.MeasureDate, 41353 + 92 + 10.0 / 24);
    EXPECT_EQ(hei.PlaceName, "");
    EXPECT_EQ(hei.NoonH, 12);
    EXPECT_EQ(hei.TimH, 12);
    EXPECT_EQ(hei.TimM, 0);
    EXPECT_EQ(hei.Stick, 1000);
    EXPECT_EQ(hei.Shadow, 1000);
    EXPECT_EQ(hei.CurrTimeAngle, 0);
    EXPECT_EQ(hei.SunAzimuthHeightAtCurrTime, 0);
    EXPECT_EQ(angle(hei.NoonHeightAngle), "45" + kDeg);
    EXPECT_EQ(world.latitudes.captions.value(1, "unset"), "");  // no latitude found yet
}

// Typed values at the ends of the int range go through every operation without overflow or
// undefined behaviour, and every angle still reads as a finite text.
TEST(PlaceAbsurdInput, IntLimitsEverywhere) {
    const int extremes[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
    for (int noon : {INT_MIN, 0, INT_MAX}) {
        for (int v : extremes) {
            Place p(92);
            p.world.comm.SetValue("NoonH1", QString::number(noon));
            p.world.comm.SetValue("NoonM1", QString::number(noon));
            p.hei.LoadPlace(1);
            for (int i = 0; i < 8; ++i)
                p.world.prompter.answers.push_back(i % 2 ? Prompter::Answer::No : Prompter::Answer::Yes);
            p.measure(v, v, v, INT_MAX);
            p.measure(v, INT_MIN, INT_MAX, v);
            p.measure(INT_MAX, v, v, v);
            p.hei.CalcNoon();
            const THeiObj::Direction dir = p.hei.SunDirection(p.hei.SunOnCurrTimeAngle);
            for (double x : {p.hei.NoonTimeAngle, p.hei.CurrTimeAngle, p.hei.SunOnCurrTimeAngle,
                             p.hei.SunHeightAtCurrTime, p.hei.SunPlaneAngle, p.hei.NoonHeightAngle,
                             p.hei.NoonRadius, p.hei.NoonDispl, dir.South, dir.West, dir.Up}) {
                EXPECT_TRUE(std::isfinite(x)) << noon << " " << v;
                const QString text = angle(x);
                EXPECT_FALSE(text.contains("nan", Qt::CaseInsensitive) || text.contains("inf", Qt::CaseInsensitive));
            }
        }
    }
}

TEST(PlaceAbsurdInput, DatesFarAwayOrUndefined) {
    for (double date : {1e300, -1e300, std::nan(""), HUGE_VAL, -HUGE_VAL, 1e15, -693593.0}) {
        ModelTestWorld world;
        THeiObj &hei = world.logic.Hei1;
        hei.MeasureDate = date;
        hei.CalcEquinox();
        EXPECT_GE(hei.EquinoxAngle, 0) << date;
        EXPECT_LE(hei.EquinoxAngle, 2 * M_PI) << date;
        EXPECT_TRUE(std::isfinite(hei.EquinoxRadius)) << date;
    }
}

}  // namespace
