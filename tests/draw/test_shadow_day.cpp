// SPDX-License-Identifier: GPL-3.0-or-later
// The plot of the shadow's length through the day: the model's lengths at hand-checked times,
// where the painted curve, bar and dots stand, the span from sunrise to sunset, and its words.
#include "DrawTestWorld.h"

#include "draw/ShadowDayPlot.h"

#include <numbers>

namespace {

// The plot's control: 240 x 140 pixels. Its plot area runs from column 46 (right of the length
// axis's numbers) to 233 and from row 16 (the top length) down to row 121 (length 0).
const QSize kPlot{240, 140};
constexpr QRgb kTextColour = 0xFF90EE90;  // light green

// Every pixel of a row of text is the black ground, a legend's red dot or blue bar, or a letter
// whose contrast with black, (L + 0.05) / 0.05 from its relative luminance L as the accessibility
// guidelines reckon it, is at least the 4.5:1 small text needs; returns the letters' pixels.
int readableTextPixels(const QImage &image, QRect row) {
    auto linear = [](int v) { return v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4); };
    int letters = 0;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x <= row.right(); ++x) {
            const QRgb p = pixel(image, QPoint(x, y));
            if (p == Px::Black || p == Px::Red || p == Px::Blue)
                continue;
            const double l = 0.2126 * linear(qRed(p)) + 0.7152 * linear(qGreen(p)) + 0.0722 * linear(qBlue(p));
            EXPECT_GE((l + 0.05) / 0.05, 4.5) << x << "," << y;
            ++letters;
        }
    return letters;
}

struct DayWorld : DrawWorld {
    // A place at the given latitude and declination (degrees), its noon the given minutes after
    // 12:00, with a 1000 mm stick and the latitude solved.
    DayWorld(double latitude, double declination, double noonMinutesPast12 = 0) : DrawWorld(2, kImageStep2), plot(kPlot) {
        THeiObj &h = hei();
        setPlace(h, {90 - latitude, declination, 0, 90 - latitude + declination, 2});
        h.NoonTimeAngle = degrees(noonMinutesPast12 / 4.0);  // 15 degrees per hour
        h.Stick = 1000;
        h.PlaceName = "Hel";
        TLang &lang = model.lang;
        lang.Texts.setValue("picShadowDay", "%1 %2 mm %3-%4.");
        lang.Texts.setValue("picShadowDayAllDay", "%1 %2 mm all day.");
        lang.Texts.setValue("picShadowDayNoon", "Noon %1 %2 mm.");
        lang.Texts.setValue("picShadowDayReadings", "At %1 %2 mm.");
        lang.Texts.setValue("plotNoonShadow", "noon %1 %2");
        lang.Texts.setValue("plotReading", "read");
        lang.Texts.setValue("unitMm", "mm");
    }
    THeiObj &hei() { return model.logic.Hei1; }
    double shadowAt(int hour, int minute) { return *hei().ShadowLength(1000, hei().HourAngleAt(hour * 60 + minute)); }
    bool paint(const QList<ShadowReading> &readings = {}) { return draw.DrawShadowDay(hei(), readings, plot); }

    ImageCanvas plot;
};

TEST(ShadowDay, TheCurveHasTheModelsLengthsAtThreeHandCheckedTimes) {
    // At the equinox (declination 0) and latitude 60 deg the sun's elevation e follows
    // sin e = cos 60 * cos H = cos(H) / 2, and the shadow of a 1000 mm stick is
    // 1000 / tan e = 1000 * sqrt(1 / sin^2 e - 1):
    //   true noon (H = 0):       sin e = 1/2            -> 1000 * sqrt(3)  = 1732.05 mm
    //   3 hours before (-45 deg): sin e = sqrt(2) / 4   -> 1000 * sqrt(7)  = 2645.75 mm
    //   4 hours after (60 deg):   sin e = 1/4           -> 1000 * sqrt(15) = 3872.98 mm
    // The sun rises 6 hours before noon and sets 6 hours after it. The longest length shown is
    // 3 * 1732 rounded up to 6000 mm, so on the plot (columns 46-233 for sunrise to sunset, rows
    // 121-16 for 0-6000 mm) the three points stand at
    //   column 46 + 187 * (3/12, 6/12, 10/12) = 92.75, 139.5, 201.83
    //   row 121 - 105 * (2645.75, 1732.05, 3872.98) / 6000 = 74.70, 90.69, 53.22
    // The same holds with true noon at 12:40: every time is 40 minutes later, the plot the same.
    for (const int noonPast12 : {0, 40}) {
        SCOPED_TRACE(noonPast12);
        DayWorld w(60, 0, noonPast12);
        const int h = 12 + noonPast12 / 60, m = noonPast12 % 60;
        EXPECT_NEAR(w.shadowAt(h, m), 1000 * std::sqrt(3.0), 0.01);
        EXPECT_NEAR(w.shadowAt(h - 3, m), 1000 * std::sqrt(7.0), 0.01);
        EXPECT_NEAR(w.shadowAt(h + 4, m), 1000 * std::sqrt(15.0), 0.01);

        const std::optional<ShadowDayScene> scene = ShadowDayPlot::scene(w.hei(), {});
        ASSERT_TRUE(scene);
        EXPECT_NEAR(scene->sunrise, 6 * 60 + noonPast12, 1e-6);
        EXPECT_NEAR(scene->sunset, 18 * 60 + noonPast12, 1e-6);
        EXPECT_NEAR(scene->noon.x(), 12 * 60 + noonPast12, 1e-6);
        EXPECT_EQ(scene->top, 6000);

        ASSERT_TRUE(w.paint());
        EXPECT_EQ(w.plot.changes, 1);
        const QImage &image = w.plot.image;
        ASSERT_EQ(image.size(), kPlot);
        EXPECT_TRUE(colourNear(image, {92.75, 74.70}, Px::Yellow));
        EXPECT_TRUE(colourNear(image, {139.5, 90.69}, Px::Yellow));
        EXPECT_TRUE(colourNear(image, {201.83, 53.22}, Px::Yellow));
        // Not a curve through everything: below and above those points the plot is black.
        EXPECT_EQ(pixel(image, QPoint(93, 95)), Px::Black);
        EXPECT_EQ(pixel(image, QPoint(202, 30)), Px::Black);
        // The shortest shadow's bar stands under noon's point, from the time axis up.
        EXPECT_EQ(pixel(image, QPoint(139, 110)), Px::Blue);
        EXPECT_EQ(pixel(image, QPoint(120, 110)), Px::Black);
        // Above the plot the unit and the bar's legend (a blue bar and its words), below it the
        // hours, all readable on the black ground; no reading, so no red dot in the legend.
        EXPECT_GT(readableTextPixels(image, QRect(2, 2, 236, 13)), 40);
        EXPECT_GT(countColour(image, Px::Blue, QRect(2, 2, 236, 13)), 10);
        EXPECT_EQ(countColour(image, Px::Red), 0);
        EXPECT_GT(readableTextPixels(image, QRect(2, 126, 236, 12)), 20);
        EXPECT_EQ(countColour(image, Px::Green, QRect(0, 0, 240, 1)), 240);
        // The length axis numbered at its quarters, 1500 to 6000 mm (rows 95, 68.5, 42 and 16),
        // left of the axis; nothing between 0 and the first quarter.
        for (const int row : {95, 68, 42, 16})
            EXPECT_GT(readableTextPixels(image, QRect(2, row - 6, 40, 13)), 10) << row;
        EXPECT_EQ(countColour(image, kTextColour, QRect(2, 103, 40, 15)), 0);
    }
}

TEST(ShadowDay, TheTimeAxisRunsFromSunriseToSunset) {
    // Midsummer (declination 23 deg 26') at 60 deg: cos H0 = -tan 60 * tan 23.433 = -0.75066,
    // H0 = 138.64 deg = 9 h 14.6 min either side of noon.
    DayWorld summer(60, 23.433333333333334);
    std::optional<ShadowDayScene> scene = ShadowDayPlot::scene(summer.hei(), {});
    ASSERT_TRUE(scene);
    EXPECT_TRUE(scene->sunSets);
    EXPECT_NEAR(scene->sunrise, 2 * 60 + 45.4, 0.2);
    EXPECT_NEAR(scene->sunset, 21 * 60 + 14.6, 0.2);
    // Then at 70 deg the sun stays up: a whole day, its shadow longest at midnight,
    // 1000 / tan(23.433 - 20 deg) = 16 668 mm; at noon 1000 / tan(43.433 deg) = 1056 mm.
    DayWorld north(70, 23.433333333333334);
    scene = ShadowDayPlot::scene(north.hei(), {});
    ASSERT_TRUE(scene);
    EXPECT_FALSE(scene->sunSets);
    EXPECT_NEAR(scene->sunrise, 0, 1e-6);
    EXPECT_NEAR(scene->sunset, 24 * 60, 1e-6);
    EXPECT_NEAR(scene->curve.front().y(), 16668, 1);
    EXPECT_NEAR(scene->curve.back().y(), 16668, 1);
    ASSERT_TRUE(north.paint());
    EXPECT_EQ(north.plot.description, "Hel 1000 mm all day. Noon 12:00 1056 mm.");

    // No plot where the sun does not rise, before the latitude is solved, or without a stick:
    // nothing painted and nothing said.
    // Nor where true noon is no clock time of the day (a damaged value): 40 000 000, 99 or -5
    // hours would make the time axis span years or another day.
    DayWorld winter(80, -23.433333333333334);
    DayWorld unsolved(60, 0);
    unsolved.hei().State = 1;
    DayWorld stickless(60, 0);
    stickless.hei().Stick = 0;
    DayWorld endless(60, 0, (40000000.0 - 12) * 60), late(60, 0, (99 - 12) * 60), early(60, 0, (-5 - 12) * 60);
    for (DayWorld *w : {&winter, &unsolved, &stickless, &endless, &late, &early}) {
        EXPECT_FALSE(w->paint());
        EXPECT_EQ(w->plot.changes, 0);
        EXPECT_TRUE(w->plot.description.isEmpty());
    }
}

TEST(ShadowDay, TheClassReadingsAreMarkedOnTheCurveAndTold) {
    // A measurement through the model: 9:00 at the equinox, a 1000 mm stick and a 2646 mm shadow
    // solve to latitude 60 deg (sin e = 1 / sqrt(8) = cos(lat) * cos 45), so the curve passes
    // through the reading at column 62.75, row 74.70.
    DayWorld w(0, 0);
    THeiObj &h = w.hei();
    h.EditedTimH = 9;
    h.EditedTimM = 0;
    h.AcceptTime();
    h.EditedStick = 1000;
    h.EditedShadow = 2646;
    h.AcceptHeight();
    ASSERT_EQ(h.State, 2);
    EXPECT_NEAR(h.SunPlaneAngle, degrees(30), 1e-4);
    EXPECT_NEAR(*h.ShadowLength(h.Stick, h.SunOnCurrTimeAngle), 2646, 1e-6);

    // Three readings at 9:00 and one at 15:00 (the same length, by symmetry about noon).
    const QList<ShadowReading> readings{{9, 0, 2646}, {9, 0, 2600}, {15, 0, 2646}, {9, 0, 2700}};
    ASSERT_TRUE(w.paint(readings));
    const QImage &image = w.plot.image;
    EXPECT_EQ(pixel(image, QPoint(93, 75)), Px::Red);
    EXPECT_EQ(pixel(image, QPoint(186, 75)), Px::Red);  // 46 + 187 * 9/12 = 186.25
    EXPECT_GT(countColour(image, Px::Red, QRect(86, 68, 15, 15)), 20);
    EXPECT_EQ(countColour(image, Px::Red, QRect(110, 16, 50, 106)), 0);
    EXPECT_GT(countColour(image, Px::Red, QRect(2, 2, 236, 13)), 10);  // the dot's legend
    EXPECT_EQ(w.plot.description,
              "Hel 1000 mm 6:00-18:00. Noon 12:00 1732 mm. At 9:00 2646, 2600, 2700 mm. At 15:00 2646 mm.");

    // The virtual partner read nothing: its plot marks no reading, in the plot or in words.
    h.VirtualPartner = true;
    ASSERT_TRUE(w.paint(readings));
    EXPECT_EQ(countColour(w.plot.image, Px::Red), 0);
    EXPECT_EQ(w.plot.description, "Hel 1000 mm 6:00-18:00. Noon 12:00 1732 mm.");
    h.VirtualPartner = false;

    // A reading far longer than the curve's lengths raises the top of the length axis with it.
    const std::optional<ShadowDayScene> tall = ShadowDayPlot::scene(h, {{9, 0, 9000}});
    ASSERT_TRUE(tall);
    EXPECT_EQ(tall->top, 15000);  // 1.2 * 9000 rounded up
    EXPECT_LE(ShadowDayPlot::toPixel(*tall, QRect(QPoint(), kPlot), tall->readings[0]).y(), 121);
}

}  // namespace
