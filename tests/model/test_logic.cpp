// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison of the two places: Earth size, its refusals, start-up, angle texts, date format;
// the checks of typed values.
#include "ModelTestWorld.h"
#include "model/Angles.h"
#include "model/TypedInput.h"

#include <gtest/gtest.h>
#include <climits>
#include <optional>
#include <string>

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
    using namespace TypedInput;
    struct Row {
        const char *text;
        WholeRange range;
        std::optional<int> value;
        const char *why;
    };
    const std::string nines(10000, '9');
    const Row rows[] = {
        // The forms of a number, the same for every box.
        {"0", ClockHour, 0, "midnight's hour"},
        {"23", ClockHour, 23, "the last hour"},
        {"24", ClockHour, {}, "one past the last hour"},
        {"-1", ClockHour, {}, "a sign is never typed into a count"},
        {"+5", ClockHour, {}, "nor a plus"},
        {"12:30", ClockHour, {}, "a whole time in the hour's box"},
        {"", ClockHour, {}, "an emptied box"},
        {"   ", ClockHour, {}, "spaces alone"},
        {" 7 ", ClockHour, 7, "spaces around, as a pasted value has"},
        {"07", ClockHour, 7, "a leading zero, as clocks write hours"},
        {"1e1", ClockHour, {}, "an exponent"},
        {"12.0", ClockHour, {}, "a fraction, even a whole one"},
        {"x", ClockHour, {}, "a letter"},
        {"\u0663", ClockHour, {}, "an Arabic-Indic three is no digit of this program"},
        // Each range at its ends.
        {"59", ClockMinute, 59, "the last minute"},
        {"60", ClockMinute, {}, "one past the last minute"},
        {"00", ClockMinute, 0, "the full hour written with two zeros"},
        {"0", NoonHour, {}, "true noon never falls in the hour after midnight"},
        {"1", NoonHour, 1, "the earliest noon hour"},
        {"23", NoonHour, 23, "the latest noon hour"},
        {"24", NoonHour, {}, "one past the latest"},
        {"12:30", NoonHour, {}, "a whole time in the noon hour's box"},
        {"2147483647", NoonHour, {}, "the largest int"},
        {"-2147483648", NoonHour, {}, "the smallest int"},
        {"0", LengthMm, {}, "a length of nothing"},
        {"1", LengthMm, 1, "the shortest length"},
        {"100000000", LengthMm, 100000000, "the longest length, 100 km"},
        {"100000001", LengthMm, {}, "one past the longest"},
        {"2147483648", LengthMm, {}, "one past the largest int"},
        {"99999999999999999999", LengthMm, {}, "past any whole number type"},
        {"0000000000000000000012", LengthMm, 12, "many leading zeros are still twelve"},
        {"1 000", LengthMm, {}, "a thousands separator"},
        {"12.5", LengthMm, {}, "a fraction of a millimetre with a point"},
        {"12,5", LengthMm, {}, "and with a comma"},
        {nines.c_str(), LengthMm, {}, "ten thousand digits"},
        {"0", Copies, {}, "no copies"},
        {"1", Copies, 1, "one copy"},
        {"999", Copies, 999, "the most copies of one job"},
        {"1000", Copies, {}, "one past the most"},
        {"2147483647", Copies, {}, "the largest int"},
        {"2.5", Copies, {}, "half a copy"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(wholeNumber(QString::fromUtf8(r.text), r.range), r.value)
            << QByteArray(r.text).left(24).constData() << " in " << r.range.min << ".." << r.range.max << ": " << r.why;
}

TEST(TypedInput, DistanceInKilometresWithEitherSeparator) {
    struct Row {
        const char *text;
        std::optional<int> km;
        const char *why;
    };
    const std::string nines(10000, '9');
    const Row rows[] = {
        {"1", 1, "the shortest distance"},
        {"20040", 20040, "half the meridian, the farthest two places can lie"},
        {"20040,0", 20040, "with a decimal comma"},
        {"20040.00", 20040, "with a decimal point"},
        {"20040.01", {}, "just past half the meridian"},
        {"20041", {}, "a kilometre past it"},
        {"0", {}, "no distance"},
        {"0,0", {}, "no distance, with a comma"},
        {"0,5", {}, "half a kilometre rounds to nothing (half to even)"},
        {"0.51", 1, "just over half rounds up"},
        {"0,6", 1, "and with a comma"},
        {"1,5", 2, "half rounds to the even kilometre"},
        {"812,5", 812, "down to the even one"},
        {"813.5", 814, "up to the even one"},
        {"812,49", 812, "just under half"},
        {"812.51", 813, "just over half"},
        {"812,50", 812, "half written with two decimals"},
        {"812.05", 812, "a small fraction"},
        {" 800 ", 800, "spaces around, as a pasted value has"},
        {"000800", 800, "leading zeros"},
        {"1.000", {}, "a thousands separator is no decimal point here"},
        {"1,000", {}, "nor is a comma"},
        {"1.5.0", {}, "two points"},
        {"1,5.0", {}, "both separators"},
        {",5", {}, "no whole kilometres"},
        {"5,", {}, "no decimals after the comma"},
        {"-5", {}, "a minus"},
        {"+5", {}, "a plus"},
        {"800 km", {}, "the unit typed too"},
        {"8e2", {}, "an exponent"},
        {"", {}, "an emptied box"},
        {"99999999999999999999", {}, "past any whole number type"},
        {"2147483647", {}, "the largest int"},
        {"-2147483648", {}, "the smallest int"},
        {nines.c_str(), {}, "ten thousand digits"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(TypedInput::distanceKm(QString::fromUtf8(r.text)), r.km) << QByteArray(r.text).left(24).constData()
                                                                           << ": " << r.why;
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
        const std::optional<QDate> got = TypedInput::calendarDate(QString::fromUtf8(r.text));
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
    // Nothing measured yet: the latitude labels show nothing (not the starting values' 45 deg).
    EXPECT_EQ(world.latitudes.captions.value(1, "unset"), "");
    EXPECT_EQ(world.latitudes.captions.value(2, "unset"), "");
    EXPECT_TRUE(world.prompter.messages.isEmpty());
}

// Measured values ask before they are cleared until a printed sheet keeps them; clear-all drops
// them, keeps the date of the measurement and stores nothing (its caller does).
TEST(Logic, UnprintedWorkUntilPrintedOrCleared) {
    const struct {
        const char *why;
        void (*progress)(TLogic &);
    } rows[] = {
        {"place 1's time accepted", [](TLogic &l) { l.Hei1.AcceptTime(); }},
        {"place 2's time accepted", [](TLogic &l) { l.Hei2.AcceptTime(); }},
        {"a distance accepted", [](TLogic &l) { l.AcceptDistance(800); }},
    };
    for (const auto &row : rows) {
        ModelTestWorld world(kEquinox.addDays(5));
        TLogic &logic = world.started();
        EXPECT_FALSE(logic.HoldsUnprintedWork()) << row.why;
        row.progress(logic);
        EXPECT_TRUE(logic.HoldsUnprintedWork()) << row.why;
        logic.SheetPrinted();
        EXPECT_FALSE(logic.HoldsUnprintedWork()) << row.why;

        world.store.calls.clear();
        logic.Clear();
        EXPECT_FALSE(logic.Printed) << row.why;
        EXPECT_EQ(logic.Hei1.State + logic.Hei2.State + logic.EarthState, 0) << row.why;
        EXPECT_FALSE(logic.HoldsUnprintedWork()) << row.why;
        EXPECT_EQ(logic.MeasureDay(), kEquinox.addDays(5)) << row.why;
        EXPECT_TRUE(world.store.calls.isEmpty()) << row.why;
    }
    ModelTestWorld world(kEquinox);
    world.started().AcceptDistance(1234);
    EXPECT_EQ(world.logic.EditedEarthDistance, 1234);
    EXPECT_EQ(world.logic.EarthDistance, 1234);
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
