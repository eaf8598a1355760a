// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison of the two places: Earth size, its refusals, start-up, angle texts, date format.
#include "ModelTestWorld.h"

#include <gtest/gtest.h>
#include <climits>

namespace {

const QString kDeg = QString(QChar(0x00B0));

TEST(AngleText, DegreesAndMinutes) {
    struct Row {
        double degrees;
        const char *text;
    };
    const Row rows[] = {
        {45, "45°"},          {52.5, "52°30'"},   {360, "360°"},      {0, "0°"},
        {49.9999, "49°60'"},  {-52.5, "-52°-30'"}, {-0.5, "0°-30'"},  {7.2, "7°12'"},
        {0.125, "0°8'"},      {0.375, "0°22'"},   {0.875, "0°52'"},  // half minutes: to the even neighbour
        {-0.125, "0°-8'"},    {89.99, "89°59'"},  {1e6, "1000000°"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(TLogic::AngleToText(TLogic::DegToRad(row.degrees)), QString::fromUtf8(row.text)) << row.degrees;
    EXPECT_EQ(TLogic::AngleToText(2 * M_PI), "360" + kDeg);
    EXPECT_EQ(TLogic::AngleToText(0.12566370614359174), "7" + kDeg + "12'");
}

TEST(AngleText, NoFiniteDegreesReadsZero) {
    for (double x : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1.7976931348623157e308, -1e308})
        EXPECT_EQ(TLogic::AngleToText(x), "0" + kDeg) << x;
    // Large but finite: the whole degrees in full, no minutes left.
    EXPECT_EQ(TLogic::AngleToText(TLogic::DegToRad(1e20)), "100000000000000000000" + kDeg);
    EXPECT_EQ(TLogic::AngleToText(1e300).size(), 303);  // 302 digits and the degree sign
}

TEST(AngleText, DegToRad) {
    EXPECT_EQ(TLogic::DegToRad(180), M_PI);
    EXPECT_EQ(TLogic::DegToRad(360), 2 * M_PI);
    EXPECT_EQ(TLogic::DegToRad(-90), -M_PI / 2);
    EXPECT_EQ(TLogic::DegToRad(20), 0.3490658503988659);
    EXPECT_EQ(TLogic::DegToRad(80), 1.3962634015954636);
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
        {M_PI, INT_MAX, kOld, "msgNoAngleDiff"},      // twice that does not
        {1e-300, 800, kOld, "msgNoAngleDiff"},        // vanishingly small difference
        {5e-324, INT_MAX, kOld, "msgNoAngleDiff"},
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
