// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's tools in the model: true solar noon from the longitude, the date of the
// measurement, and the deviation of the result from the meridian's length.
#include "ModelTestWorld.h"
#include "model/DayCount.h"
#include "model/SolarNoon.h"

#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

struct PublishedNoon {
    const char *where;
    double longitude;  // degrees east
    const char *zone;
    QDate date;
    const char *clock;  // hh:mm:ss, or hh:mm
};

double minutesOf(const char *clock) {
    const QTime t = QTime::fromString(QLatin1String(clock), QStringLiteral("hh:mm:ss")).isValid()
                        ? QTime::fromString(QLatin1String(clock), QStringLiteral("hh:mm:ss"))
                        : QTime::fromString(QLatin1String(clock), QStringLiteral("h.mm"));
    return t.msecsSinceStartOfDay() / 60000.0;
}

// The sun's transit in central Poland (19 deg E, 52 deg N) in Polish official time, as the table
// "Ruch dzienny Słońca" of astroflesz.pl publishes it (to the minute): both sides of both changes
// of summer time, and the two extremes of the equation of time.
const PublishedNoon kTransit19E[] = {
    {"19E", 19, "Europe/Warsaw", QDate(2026, 3, 16), "11.52"},
    {"19E", 19, "Europe/Warsaw", QDate(2026, 4, 1), "12.48"},
    {"19E", 19, "Europe/Warsaw", QDate(2026, 6, 16), "12.45"},
    {"19E", 19, "Europe/Warsaw", QDate(2026, 10, 1), "12.33"},
    {"19E", 19, "Europe/Warsaw", QDate(2026, 11, 1), "11.27"},
    {"19E", 19, "Europe/Warsaw", QDate(2026, 12, 16), "11.39"},
};

// Solar noon at schools east and west of their zone's meridian (15 deg E for Poland and Spain,
// 0 for Portugal), on days around the changes of summer time in 2026 (29 March, 25 October).
// These values were not looked up: they were computed separately, in a short Python script
// written from the NOAA solar calculator's spreadsheet ("General Solar Position Calculations",
// columns "Eq of Time" and "Solar Noon"), with the zones' offsets from the tz database. The six
// table values above agree with that script to within a minute.
const PublishedNoon kNoaaNoon[] = {
    {"Warszawa", 21.0122, "Europe/Warsaw", QDate(2026, 12, 7), "11:27:23"},
    {"Warszawa", 21.0122, "Europe/Warsaw", QDate(2026, 3, 28), "11:41:00"},  // the last day of winter time
    {"Warszawa", 21.0122, "Europe/Warsaw", QDate(2026, 3, 30), "12:40:24"},  // the first Monday of summer time
    {"Warszawa", 21.0122, "Europe/Warsaw", QDate(2026, 6, 21), "12:37:46"},
    {"Kraków", 19.9450, "Europe/Warsaw", QDate(2026, 12, 7), "11:31:39"},
    {"Kraków", 19.9450, "Europe/Warsaw", QDate(2026, 10, 24), "12:24:23"},
    {"Kraków", 19.9450, "Europe/Warsaw", QDate(2026, 10, 26), "11:24:09"},
    {"Kraków", 19.9450, "Europe/Warsaw", QDate(2026, 7, 15), "12:46:14"},
    {"Szczecin", 14.5528, "Europe/Warsaw", QDate(2026, 2, 1), "12:15:22"},  // west of 15 deg E
    {"Szczecin", 14.5528, "Europe/Warsaw", QDate(2026, 9, 1), "13:01:49"},
    {"Przemyśl", 22.7678, "Europe/Warsaw", QDate(2026, 1, 15), "11:38:19"},
    {"Przemyśl", 22.7678, "Europe/Warsaw", QDate(2026, 5, 1), "12:26:02"},
    {"Madrid", -3.7038, "Europe/Madrid", QDate(2026, 1, 10), "13:22:20"},
    {"Madrid", -3.7038, "Europe/Madrid", QDate(2026, 8, 10), "14:20:12"},
    {"Lisboa", -9.1393, "Europe/Lisbon", QDate(2026, 3, 1), "12:48:52"},
    {"Lisboa", -9.1393, "Europe/Lisbon", QDate(2026, 7, 1), "13:40:28"},
};

TEST(SolarNoon, AgreesWithPublishedTimesToAMinute) {
    auto check = [](const PublishedNoon &row, double tolerance) {
        const QTimeZone zone(row.zone);
        ASSERT_TRUE(zone.isValid()) << row.zone;
        const std::optional<double> noon = SolarNoon::clockMinutes(row.date, row.longitude, zone);
        ASSERT_TRUE(noon);
        EXPECT_NEAR(*noon, minutesOf(row.clock), tolerance)
            << row.where << " " << row.date.toString(Qt::ISODate).toStdString();
    };
    // The table gives whole minutes: the true time lies within the minute it names, or rounds to it.
    for (const PublishedNoon &row : kTransit19E)
        check(row, 1.0);
    for (const PublishedNoon &row : kNoaaNoon)
        check(row, 1.0 / 6);  // the same formulas: within ten seconds
}

TEST(SolarNoon, ClockTimeRoundsToTheMinuteAndFollowsSummerTime) {
    const QTimeZone warsaw("Europe/Warsaw");
    // Warsaw, 11:27:23 and 12:40:24 on either side of the change.
    const std::optional<SolarNoon::ClockTime> winter = SolarNoon::noonClockTime(QDate(2026, 12, 7), 21.0122, warsaw);
    ASSERT_TRUE(winter);
    EXPECT_EQ(winter->hour, 11);
    EXPECT_EQ(winter->minute, 27);
    const std::optional<SolarNoon::ClockTime> summer = SolarNoon::noonClockTime(QDate(2026, 3, 30), 21.0122, warsaw);
    ASSERT_TRUE(summer);
    EXPECT_EQ(summer->hour, 12);
    EXPECT_EQ(summer->minute, 40);
    // A zone without summer time (UTC): on the Greenwich meridian noon is 12:00 less the equation
    // of time, about 11:44 in early November and 12:14 in mid February.
    EXPECT_EQ(SolarNoon::noonClockTime(QDate(2026, 11, 3), 0, QTimeZone::utc())->minute, 44);
    EXPECT_EQ(SolarNoon::noonClockTime(QDate(2026, 2, 11), 0, QTimeZone::utc())->minute, 14);
    // Four minutes per degree: 15 deg west of the meridian is an hour later.
    EXPECT_NEAR(*SolarNoon::clockMinutes(QDate(2026, 6, 1), -15, QTimeZone::utc()) -
                    *SolarNoon::clockMinutes(QDate(2026, 6, 1), 0, QTimeZone::utc()),
                60, 0.05);
    EXPECT_FALSE(SolarNoon::noonClockTime(QDate(), 21, warsaw));
    // Near the date line on the zone's other side noon falls before the zone's midnight
    // (-8:30 on Adak, 172.9 deg E, in Hawaii-Aleutian summer time) and is folded into the day.
    const std::optional<SolarNoon::ClockTime> adak = SolarNoon::noonClockTime(QDate(2026, 6, 21), 172.9, QTimeZone("America/Adak"));
    ASSERT_TRUE(adak);
    EXPECT_EQ(adak->hour, 15);
    EXPECT_EQ(adak->minute, 30);
    // The equation of time at its two extremes (NOAA: about +16.4 and -14.2 minutes).
    EXPECT_NEAR(SolarNoon::equationOfTimeMinutes((QDate(2026, 11, 3).toJulianDay() - 2451545) / 36525.0), 16.4, 0.2);
    EXPECT_NEAR(SolarNoon::equationOfTimeMinutes((QDate(2026, 2, 11).toJulianDay() - 2451545) / 36525.0), -14.2, 0.2);
}

TEST(SolarNoon, TypedLongitudes) {
    const struct {
        const char *text;
        std::optional<double> value;
    } rows[] = {
        {"21.0122", 21.0122}, {"21,0122", 21.0122}, {" -3,7 ", -3.7}, {"+19", 19},     {"180", 180},
        {"-180", -180},       {"0", 0},             {"180.0001", {}}, {"-181", {}},    {"", {}},
        {"21.", {}},          {".5", {}},           {"21,01,5", {}},  {"21°", {}},     {"1e2", {}},
        {"abc", {}},          {"21 01", {}},        {"1000", {}},
    };
    for (const auto &row : rows) {
        const std::optional<double> got = SolarNoon::parseLongitude(QString::fromUtf8(row.text));
        ASSERT_EQ(got.has_value(), row.value.has_value()) << row.text;
        if (got)
            EXPECT_DOUBLE_EQ(*got, *row.value) << row.text;
    }
}

TEST(MeasureDay, TodayUntilTheClassChoosesAnother) {
    ModelTestWorld w(kEquinox.addDays(92));
    TLogic &logic = w.started();
    EXPECT_EQ(logic.MeasureDay(), kEquinox.addDays(92));
    w.store.calls.clear();

    // Nothing measured yet: the new date is taken without a question, and both places compute
    // their declination for it (on the equinox it is 0).
    ASSERT_TRUE(logic.ChangeMeasureDay(kEquinox));
    EXPECT_TRUE(w.prompter.questions.isEmpty());
    EXPECT_EQ(logic.MeasureDay(), kEquinox);
    for (const THeiObj *hei : {&logic.Hei1, &logic.Hei2}) {
        EXPECT_EQ(DayCount::toDate(hei->MeasureDate), kEquinox);
        EXPECT_NEAR(hei->EquinoxDispl, 0, 1e-15);
    }
    EXPECT_EQ(w.store.calls, QStringList({"Hei1", "Hei2", "Logic"}));
    // Places initialised again (clear-all) keep the chosen date.
    logic.Hei2.Init();
    EXPECT_EQ(DayCount::toDate(logic.Hei2.MeasureDate), kEquinox);
    EXPECT_FALSE(logic.ChangeMeasureDay(QDate()));
}

TEST(MeasureDay, AMeasuredPlaceAsksFirstAndFallsBack) {
    ModelTestWorld w;
    w.lang.Texts.setValue("msgChangeMeasureDate", "Sure?");
    TLogic &logic = w.started();
    THeiObj &hei = logic.Hei1;
    hei.EditedTimH = 12;
    hei.EditedTimM = 0;
    hei.AcceptTime();
    hei.EditedStick = 1000;
    hei.EditedShadow = 800;
    hei.AcceptHeight();
    hei.CalcNoon();
    ASSERT_EQ(hei.State, 3);
    w.store.calls.clear();

    w.prompter.answers.push_back(Prompter::Answer::Cancel);
    EXPECT_FALSE(logic.ChangeMeasureDay(kEquinox.addDays(1)));
    EXPECT_EQ(w.prompter.questions, QStringList{"Sure?"});
    EXPECT_EQ(logic.MeasureDay(), kEquinox);
    EXPECT_EQ(hei.State, 3);
    EXPECT_TRUE(w.store.calls.isEmpty());

    w.prompter.answers.push_back(Prompter::Answer::Ok);
    EXPECT_TRUE(logic.ChangeMeasureDay(kEquinox.addDays(92)));
    EXPECT_EQ(hei.State, 0);
    EXPECT_EQ(logic.Hei2.State, 0);
    ModelTestWorld sameDay(kEquinox.addDays(92));  // a run started on that day
    EXPECT_EQ(hei.EquinoxDispl, sameDay.started().Hei1.EquinoxDispl);
    // What was typed stays for the next accept; nothing was recomputed with the new date.
    EXPECT_EQ(hei.Shadow, 800);
    EXPECT_NEAR(hei.NoonHeightAngle, degrees(51, 20), degrees(0, 1));
    EXPECT_EQ(w.store.calls, QStringList({"Hei1", "Hei2", "Logic"}));
}

TEST(Earth, DeviationFromTheMeridian) {
    const struct {
        std::int32_t km;
        QChar separator;
        const char *text;
    } rows[] = {
        {40008, u'.', "0.0 %"}, {40000, u'.', "0.0 %"},   {40030, u',', "+0,1 %"}, {41000, u'.', "+2.5 %"},
        {38000, u',', "-5,0 %"}, {80016, u'.', "+100.0 %"}, {1, u'.', "-100.0 %"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(TLogic::DeviationText(row.km, row.separator), QString(row.text)) << row.km;
    EXPECT_DOUBLE_EQ(TLogic::DeviationPercent(20004), -50);
    EXPECT_EQ(TLogic::DeviationText(INT32_MAX, u'.').left(1), "+");
}

}  // namespace
