// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison of the two places: Earth size, its refusals, start-up, angle texts, date format;
// the checks of typed values.
#include "ModelTestWorld.h"
#include "model/Angles.h"
#include "model/TypedInput.h"

#include <gtest/gtest.h>
#include <climits>
#include <optional>

namespace {

const QString kDeg = QString(QChar(0x00B0));

TEST(AngleText, DegreesAndMinutes) {
    struct Row {
        double degrees;
        const char *text;
    };
    const Row rows[] = {
        {45, "45°"},          {52.5, "52°30'"},   {360, "360°"},      {0, "0°"},
        {52.5, "52°30'"},     {7.2, "7°12'"},     {1e6, "1000000°"},  {89.99, "89°59'"},
        {0.125, "0°8'"},      {0.375, "0°22'"},   {0.875, "0°52'"},  // half minutes: to the even neighbour
        // A minute that rounds to 60 is carried into the degree, also at the top of a degree's
        // last minute and for a negative angle.
        {49.9999, "50°"},     {2.9999, "3°"},     {89.995, "90°"},    {89.99166, "89°59'"},
        {-49.9999, "-50°"},   {59.6 / 60, "1°"},  {58.4 / 60, "0°58'"},
        // A negative angle has one sign in front; an angle that reads 0 has none.
        {-52.5, "-52°30'"},   {-0.5, "-0°30'"},   {-0.125, "-0°8'"},  {-22.9667, "-22°58'"},
        {-0.001, "0°"},       {-45, "-45°"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(AngleToText(DegToRad(row.degrees)), QString::fromUtf8(row.text)) << row.degrees;
    EXPECT_EQ(AngleToText(2 * M_PI), "360" + kDeg);
    EXPECT_EQ(AngleToText(0.12566370614359174), "7" + kDeg + "12'");
}

TEST(AngleText, NoFiniteDegreesReadsZero) {
    for (double x : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1.7976931348623157e308, -1e308})
        EXPECT_EQ(AngleToText(x), "0" + kDeg) << x;
    // Large but finite: the whole degrees in full, no minutes left.
    EXPECT_EQ(AngleToText(DegToRad(1e20)), "100000000000000000000" + kDeg);
    EXPECT_EQ(AngleToText(1e300).size(), 303);  // 302 digits and the degree sign
}

TEST(AngleText, DegToRad) {
    EXPECT_EQ(DegToRad(180), M_PI);
    EXPECT_EQ(DegToRad(360), 2 * M_PI);
    EXPECT_EQ(DegToRad(-90), -M_PI / 2);
    EXPECT_EQ(DegToRad(20), 0.3490658503988659);
    EXPECT_EQ(DegToRad(80), 1.3962634015954636);
}

struct EarthRow {
    double heiDiff;
    int distance;
    int size;             // expected EarthSize, or the old value when refused
    const char *message;  // nullptr when computed
};

TEST(Earth, SizeOrRefusal) {
    const int kOld = 12345;
    const EarthRow rows[] = {
        {0.12566370614359174, 800, 40000, nullptr},  // 7.2 deg apart, 800 km
        {M_PI / 2, 1, 4, nullptr},
        {2 * M_PI, INT_MAX, INT_MAX, nullptr},        // the largest circumference that fits
        {M_PI, INT_MAX, kOld, "msgEarthTooLarge"},    // twice that does not
        {1e-300, 800, kOld, "msgEarthTooLarge"},      // vanishingly small difference
        {5e-324, INT_MAX, kOld, "msgEarthTooLarge"},
        {0, 0, kOld, "msgNoDistance"},                // the distance is tested first
        {0.1, 0, kOld, "msgNoDistance"},
        {0.1, -800, kOld, "msgNoDistance"},
        {0.1, INT_MIN, kOld, "msgNoDistance"},
        {0, 800, kOld, "msgNoAngleDiff"},
        {-0.1, 800, kOld, "msgNoAngleDiff"},
        {std::nan(""), 800, kOld, "msgNoAngleDiff"},
        {HUGE_VAL, 800, kOld, "msgNoAngleDiff"},
    };
    for (const EarthRow &row : rows) {
        ModelTestWorld world;
        TLogic &logic = world.started();
        logic.EarthSize = kOld;
        logic.HeiDiff = row.heiDiff;
        logic.EditedEarthDistance = row.distance;
        logic.AcceptDistance();
        EXPECT_EQ(logic.EarthDistance, row.distance);
        EXPECT_EQ(logic.EarthState, 1);
        logic.CalcEarth();
        SCOPED_TRACE(testing::Message() << row.heiDiff << " rad, " << row.distance << " km");
        EXPECT_EQ(logic.EarthSize, row.size);
        if (row.message) {
            EXPECT_EQ(world.prompter.messages, QStringList{QString(row.message) + " text"});
            EXPECT_EQ(logic.EarthState, 1);
        } else {
            EXPECT_TRUE(world.prompter.messages.isEmpty());
            EXPECT_EQ(logic.EarthState, 2);
        }
    }
}

TEST(Earth, ANewDistanceKeepsTheOldSizeAndDropsToOne) {
    ModelTestWorld world;
    TLogic &logic = world.started();
    logic.HeiDiff = 0.12566370614359174;
    logic.EditedEarthDistance = 800;
    logic.AcceptDistance();
    logic.CalcEarth();
    ASSERT_EQ(logic.EarthState, 2);
    logic.EditedEarthDistance = 900;
    logic.AcceptDistance();
    EXPECT_EQ(logic.EarthState, 1);
    EXPECT_EQ(logic.EarthSize, 40000);
    EXPECT_EQ(logic.EarthDistance, 900);
}

TEST(Earth, TheSizeFitsOnlyTheDifferenceAndDistanceItWasComputedFrom) {
    ModelTestWorld world;
    TLogic &logic = world.started();
    const double diff = 0.12566370614359174;  // 7°12': 800 km give 40000 km
    logic.HeiDiff = diff;
    logic.EditedEarthDistance = 800;
    logic.AcceptDistance();
    EXPECT_FALSE(logic.EarthSizeFits(diff));  // accepted, not yet computed
    logic.CalcEarth();
    ASSERT_EQ(logic.EarthSize, 40000);
    struct Row {
        double heiDiff;
        bool fits;
    };
    const Row rows[] = {
        {diff, true},
        {diff * (1 + 1e-15), true},           // back from the session record's 15 digits
        {diff * 40000 / 40000.4, true},       // 40000.4 km still rounds to the size shown
        {diff * 40000 / 40000.6, false},      // 40000.6 km does not
        {diff * 40000 / 39999.6, true},
        {diff * 40000 / 39999.4, false},
        {diff / 2, false},                    // a place measured again
        {0, false},
        {-diff, false},
        {std::nan(""), false},
        {HUGE_VAL, false},
    };
    for (const Row &r : rows)
        EXPECT_EQ(logic.EarthSizeFits(r.heiDiff), r.fits) << r.heiDiff;
    logic.EarthDistance = 801;  // a distance that is not the one computed with
    EXPECT_FALSE(logic.EarthSizeFits(diff));

    // A size at a half kilometre, 1 km for 2 pi / 40000.5: the 15 digits of the session record
    // may put the difference on either side of the half, and the size shown still fits it.
    const double halfway = 2 * M_PI / 40000.5;
    logic.HeiDiff = halfway;
    logic.EditedEarthDistance = 1;
    logic.AcceptDistance();
    logic.CalcEarth();
    ASSERT_EQ(logic.EarthState, 2);
    const double stored = QString::number(halfway, 'g', 15).toDouble();
    EXPECT_TRUE(logic.EarthSizeFits(stored)) << logic.EarthSize;
    for (double nudge : {1 - 1e-15, 1 + 1e-15})
        EXPECT_TRUE(logic.EarthSizeFits(halfway * nudge)) << nudge;
    EXPECT_FALSE(logic.EarthSizeFits(2 * M_PI / 40002));
}

TEST(TypedInput, WholeNumbersWithinTheirRange) {
    using namespace typedinput;
    struct Row {
        const char *text;
        WholeRange range;
        std::optional<int> value;
    };
    const Row rows[] = {
        {"0", ClockHour, 0},           {"23", ClockHour, 23},     {"24", ClockHour, {}},
        {"-1", ClockHour, {}},         {"12:30", ClockHour, {}},  {"", ClockHour, {}},
        {"   ", ClockHour, {}},        {" 7 ", ClockHour, 7},     {"07", ClockHour, 7},
        {"+5", ClockHour, {}},         {"1e1", ClockHour, {}},    {"12.0", ClockHour, {}},
        {"\u0663", ClockHour, {}},     // an Arabic-Indic three is no digit of this program
        {"59", ClockMinute, 59},       {"60", ClockMinute, {}},   {"00", ClockMinute, 0},
        {"0", NoonHour, {}},           {"1", NoonHour, 1},        {"23", NoonHour, 23},
        {"24", NoonHour, {}},
        {"0", LengthMm, {}},           {"1", LengthMm, 1},        {"100000000", LengthMm, 100000000},
        {"100000001", LengthMm, {}},   {"2147483648", LengthMm, {}},
        {"99999999999999999999", LengthMm, {}},                   {"0000000000000000000012", LengthMm, 12},
        {"1 000", LengthMm, {}},       {"12.5", LengthMm, {}},    {"12,5", LengthMm, {}},
        {"0", Copies, {}},             {"1", Copies, 1},          {"999", Copies, 999},
        {"1000", Copies, {}},
    };
    for (const Row &r : rows)
        EXPECT_EQ(wholeNumber(QString::fromUtf8(r.text), r.range), r.value)
            << r.text << " in " << r.range.min << ".." << r.range.max;
}

TEST(TypedInput, DistanceInKilometresWithEitherSeparator) {
    struct Row {
        const char *text;
        std::optional<int> km;
    };
    const Row rows[] = {
        {"1", 1},          {"20040", 20040},   {"20040,0", 20040}, {"20040.00", 20040},
        {"20040.01", {}},  {"20041", {}},      {"0", {}},          {"0,0", {}},
        {"0,5", {}},       {"0.51", 1},        {"0,6", 1},         {"1,5", 2},
        {"812,5", 812},    {"813.5", 814},     {"812,49", 812},    {"812.51", 813},
        {"812,50", 812},   {"812.05", 812},    {" 800 ", 800},     {"000800", 800},
        {"1.000", {}},     {"1,000", {}},      {"1.5.0", {}},      {"1,5.0", {}},
        {",5", {}},        {"5,", {}},         {"-5", {}},         {"+5", {}},
        {"800 km", {}},    {"8e2", {}},        {"", {}},           {"99999999999999999999", {}},
    };
    for (const Row &r : rows)
        EXPECT_EQ(typedinput::distanceKm(QString::fromUtf8(r.text)), r.km) << r.text;
}

TEST(TypedInput, MeasurementDatesInTheFormsPeopleWrite) {
    struct Row {
        const char *text;
        QDate date;  // invalid: refused
    };
    const QDate june21(2026, 6, 21);
    const Row rows[] = {
        {"21.06.2026", june21},   {"21/06/2026", june21},     {"2026-06-21", june21},  {"21-06-2026", june21},
        {"5/6/2026", {2026, 6, 5}}, {"05.6.2026", {2026, 6, 5}}, {"2026-6-5", {2026, 6, 5}}, {" 21.06.2026 ", june21},
        {"01/01/1900", {1900, 1, 1}}, {"31.12.2100", {2100, 12, 31}}, {"29.02.2024", {2024, 2, 29}},
        // The year's range, days that do not exist, mixed or missing separators, short years,
        // the month first, digits of other scripts, more than one date.
        {"31.12.1899", {}},  {"01.01.2101", {}},  {"29.02.2026", {}},  {"31.04.2026", {}},
        {"0.6.2026", {}},    {"21.13.2026", {}},  {"21.06/2026", {}},  {"21.06.26", {}},
        {"21062026", {}},    {"2026/06/21", {}},  {"2026.06.21", {}},  {"06/21/2026", {}},
        {"", {}},            {"21.06.2026.", {}}, {"+21.06.2026", {}}, {"\u0662\u0661.06.2026", {}},
        {"21 .06.2026", {}}, {"today", {}},
    };
    for (const Row &r : rows) {
        const std::optional<QDate> got = typedinput::calendarDate(QString::fromUtf8(r.text));
        ASSERT_EQ(got.has_value(), r.date.isValid()) << r.text;
        if (got)
            EXPECT_EQ(*got, r.date) << r.text;
    }
}

TEST(Logic, InitStoresBothPlacesThenTheComparison) {
    ModelTestWorld world(kEquinox);
    world.logic.EarthState = 2;
    world.logic.Init();
    EXPECT_EQ(world.store.calls, (QStringList{"Hei1", "Hei2", "Logic"}));
    EXPECT_EQ(world.logic.EarthState, 0);
    EXPECT_EQ(world.logic.Hei1.Number(), 1);
    EXPECT_EQ(world.logic.Hei2.Number(), 2);
    EXPECT_EQ(world.logic.Hei1.State, 0);
    EXPECT_EQ(world.logic.Hei2.State, 0);
    // On the equinox the latitude for 45 deg at noon is 45 deg.
    EXPECT_EQ(world.latitudes.captions.value(1), "Lattitude location 1=45" + kDeg);
    EXPECT_EQ(world.latitudes.captions.value(2), "Lattitude location 2=45" + kDeg);
    EXPECT_TRUE(world.prompter.messages.isEmpty());
}

TEST(Logic, ThePlaceNumberChoosesTheLatitudeLabel) {
    ModelTestWorld world(kEquinox);
    world.started();
    world.logic.Hei2.EditedStick = 1000;
    world.logic.Hei2.EditedShadow = 800;
    world.logic.Hei2.AcceptHeight();
    EXPECT_EQ(world.latitudes.captions.keys(), QList<int>{2});
    EXPECT_EQ(world.latitudes.captions.value(2), "Lattitude location 2=38" + kDeg + "40'");
}

TEST(Logic, ShortDateFormatUsesTheLocaleSeparator) {
    struct Row {
        QChar separator;
        const char *format;
        const char *date;  // 5 March 2013
    };
    const Row rows[] = {{u'/', "dd/MM/yyyy", "05/03/2013"},
                        {u'.', "dd.MM.yyyy", "05.03.2013"},
                        {u'-', "dd-MM-yyyy", "05-03-2013"},
                        {u'd', "dd'd'MM'd'yyyy", "05d03d2013"}};
    for (const Row &row : rows) {
        ScriptedPrompter prompter;
        TComm comm(prompter, Locale{u'.', row.separator});
        NullLangView langView;
        TLang lang(comm, prompter, langView);
        RecordingLatitudeView latitudes;
        RecordingStore store;
        TLogic logic(comm, lang, prompter, latitudes, store);
        EXPECT_EQ(logic.ShortDateFormat(), QString(row.format));
        EXPECT_EQ(QDate(2013, 3, 5).toString(logic.ShortDateFormat()), QString(row.date));
    }
}

}  // namespace
