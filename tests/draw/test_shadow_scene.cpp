// SPDX-License-Identifier: GPL-3.0-or-later
// The shadow scene of the measurement step, checked on its pixels at the design size and in a
// larger frame.
#include "DrawTestWorld.h"

#include <limits>

namespace {

// The example place: sun path inclined 40 deg, declination 10 deg, measured 15 deg (one hour)
// after true noon, noon elevation 50 deg.
const PlaceAngles kExample{40, 10, 15, 50, 3};

const QPoint kOrigin{264, 312};
const QPoint kSunAtMeasurement{418, 127};
const QPoint kNoonSun{385, 110};

struct Scene : DrawWorld {
    explicit Scene(PlaceAngles place, QSize size = kImageStep2) : DrawWorld(2, size) {
        setPlace(model.logic.Hei1, place);
        draw.DrawHei(model.logic.Hei1);
    }
};

// The sun disc: a yellow ring 10 pixels across, black inside.
::testing::AssertionResult discAt(const QImage &image, QPoint centre) {
    if (pixel(image, centre) != Px::Black)
        return ::testing::AssertionFailure() << "centre not black";
    for (QPoint ring : {QPoint(-5, 0), QPoint(5, 0), QPoint(0, -5), QPoint(0, 5)})
        if (pixel(image, centre + ring) != Px::Yellow)
            return ::testing::AssertionFailure() << "no ring at offset " << ring.x() << ", " << ring.y();
    return ::testing::AssertionSuccess();
}

TEST(ShadowScene, WorkedExampleLineEnds) {
    Scene s(kExample);
    const QImage &img = s.image();
    ASSERT_EQ(img.size(), kImageStep2);
    EXPECT_EQ(s.canvas.changes, 1);
    struct Row {
        QPoint at;
        QRgb colour;
        const char *what;
    };
    const Row rows[] = {
        {{76, 347}, Px::Green, "north end"},
        {{114, 268}, Px::Green, "east end"},
        {{412, 355}, Px::Green, "west end"},
        {{414, 356}, Px::Black, "west end, under the opaque cell of its word"},
        {{452, 277}, Px::Blue, "south end, under the south line"},
        {{315, 250}, Px::Olive, "top of the stick"},
        {{315, 280}, Px::Olive, "the stick"},
        {{315, 247}, Px::Black, "above the stick"},
        {{315, 308}, Px::Grey, "foot of the stick, under the end of the shadow"},
        {{290, 310}, Px::Grey, "the shadow"},
        {{495, 296}, Px::Red, "end of the bearing"},
        {{498, 296}, Px::Black, "beyond the bearing"},
        {kSunAtMeasurement, Px::Yellow, "the sun's path over the end of the ray"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(pixel(img, row.at), row.colour) << row.what;
    EXPECT_TRUE(discAt(img, kNoonSun));
    EXPECT_TRUE(lineAt(img, kOrigin, {495, 296}, Px::Red, {0.4, 0.5, 0.6}));  // bearing beyond the shadow
    EXPECT_TRUE(lineAt(img, kOrigin, kSunAtMeasurement, Px::Red, {0.4, 0.55, 0.7, 0.85, 0.95}));
    EXPECT_TRUE(lineAt(img, kOrigin, kNoonSun, Px::Blue, {0.3, 0.5, 0.7, 0.9}));
    EXPECT_TRUE(lineAt(img, {76, 347}, {452, 277}, Px::Green, {0.05, 0.2, 0.35}));
    EXPECT_TRUE(lineAt(img, {114, 268}, {414, 356}, Px::Green, {0.05, 0.2, 0.35, 0.65, 0.8, 0.95}));
    EXPECT_TRUE(colourNear(img, {264, 368}, Px::Green));  // front of the horizon circle
    EXPECT_TRUE(colourNear(img, {24, 312}, Px::Green));   // its left end
}

// A frame larger than the design: the scene is scaled by the smaller of the two ratios and
// centred, so the horizon circle is never cut off at the left.
TEST(ShadowScene, AnEnlargedFrameShowsTheSceneScaledAndCentred) {
    struct Row {
        QSize frame;
        int scale;
        QPoint offset;
    };
    const Row rows[] = {
        {{1058, 830}, 2, {0, 0}},    // twice the design size
        {{1058, 415}, 1, {264, 0}},  // wider only
        {{529, 830}, 1, {0, 208}},   // taller only
        {kImageStep2, 1, {0, 0}},    // back at the design size
    };
    Scene s(kExample);
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.frame.width() << "x" << row.frame.height());
        s.canvas.size = row.frame;
        s.draw.DrawHei(s.model.logic.Hei1);
        const QImage &img = s.image();
        ASSERT_EQ(img.size(), row.frame);
        for (QPoint design : {QPoint(24, 312), QPoint(76, 347), QPoint(264, 368)})  // left end, north end, front
            EXPECT_TRUE(colourNear(img, row.offset + design * row.scale, Px::Green)) << design.x() << ", " << design.y();
        EXPECT_TRUE(colourNear(img, row.offset + QPoint(290, 310) * row.scale, Px::Grey));  // the shadow
        EXPECT_EQ(countColour(img, Px::Green, QRect(0, 0, row.offset.x() + 3 * row.scale, img.height())), 0);
    }
}

TEST(ShadowScene, RayEndsAtTheSunWithThePathHidden) {
    Scene s(kExample);
    s.draw.Circle2.Visible = false;
    s.draw.Redraw();
    EXPECT_EQ(pixel(s.image(), kSunAtMeasurement), Px::Red);
    EXPECT_EQ(countColour(s.image(), Px::Red, QRect(420, 115, 10, 10)), 0);  // nothing beyond it
}

TEST(ShadowScene, CompassWordsSitAtTheirCornersOfTheLineEnds) {
    Scene s({40, 10, 15, 50, 0});
    const QImage with = s.image().copy();
    s.draw.ShowCompass = false;
    s.draw.Redraw();
    const QFontMetrics m(TDrawObj::TextFont());
    const int h = m.height();
    auto w = [&m](const char *text) { return m.horizontalAdvance(QString::fromLatin1(text)); };
    // North: the end is the text's top-right corner; South bottom-left; East bottom-right; West top-left.
    const std::vector<TextCell> cells = {
        {{76 - w("Polnoc"), 347}, "Polnoc", Px::Green},
        {{452, 277 - h}, "Poludnie", Px::Green},
        {{114 - w("Wschod"), 268 - h}, "Wschod", Px::Green},
        {{414, 356}, "Zach", Px::Green},
    };
    EXPECT_TRUE(textsInCells(with, s.image(), cells));
}

TEST(ShadowScene, WhatEachStateShows) {
    struct Row {
        std::uint8_t state;
        bool ray, stickAndShadow, noon;
    };
    const Row rows[] = {
        {0, false, false, false}, {1, false, false, false}, {2, true, true, false},
        {3, true, true, true},    {255, true, true, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.state);
        PlaceAngles place = kExample;
        place.state = row.state;
        Scene s(place);
        const QImage &img = s.image();
        EXPECT_GT(countColour(img, Px::Green), 0);
        EXPECT_GT(countColour(img, Px::Yellow), 0);
        EXPECT_EQ(countColour(img, Px::Red) > 0, row.ray);
        EXPECT_EQ(countColour(img, Px::Olive) > 0, row.stickAndShadow);
        EXPECT_EQ(countColour(img, Px::Grey) > 0, row.stickAndShadow);
        EXPECT_EQ(countColour(img, Px::Blue) > 0, row.noon);
        // the disc moves to noon with the noon elevation; otherwise the path runs through noon
        EXPECT_EQ(bool(discAt(img, kNoonSun)), row.noon);
        EXPECT_EQ(bool(discAt(img, kSunAtMeasurement)), !row.noon);
    }
}

TEST(ShadowScene, OverheadSunHasARayButNoStick) {
    struct Row {
        double sunPlane;  // at noon on the equinox the sun stands 90 deg - (90 deg - this) high
        bool stick;
    };
    // Exactly overhead (latitude 0), and one degree off it.
    for (const Row row : {Row{90, false}, Row{89, true}}) {
        SCOPED_TRACE(row.sunPlane);
        Scene s({row.sunPlane, 0, 0, row.sunPlane, 2});
        const QImage &img = s.image();
        const QPoint sun(s.draw.ProjectX(s.draw.SunX, s.draw.SunY, s.draw.SunZ),
                         s.draw.ProjectY(s.draw.SunX, s.draw.SunY, s.draw.SunZ));
        EXPECT_LE((sun - QPoint(264, 78)).manhattanLength(), 4);  // the zenith
        EXPECT_TRUE(lineAt(img, kOrigin, sun, Px::Red, {0.4, 0.6, 0.8}));
        EXPECT_EQ(countColour(img, Px::Olive) > 0, row.stick);
        EXPECT_EQ(countColour(img, Px::Grey) > 0, row.stick);
        EXPECT_TRUE(discAt(img, sun));
    }
}

TEST(ShadowScene, SunBelowTheHorizonHasNoDisc) {
    // Seven hours and twenty minutes after noon the example's sun is just below the horizon,
    // where it would project to (334, 385).
    const QRect below(327, 378, 15, 15);
    Scene measured({40, 10, 110, 50, 1});
    EXPECT_EQ(countColour(measured.image(), Px::Yellow, below), 0);
    EXPECT_FALSE(discAt(measured.image(), kNoonSun));
    EXPECT_EQ(countColour(measured.image(), Px::Black, below), 15 * 15);

    Scene noon({40, 10, 110, 50, 3});
    EXPECT_TRUE(discAt(noon.image(), kNoonSun));
}

TEST(ShadowScene, AbsurdModelValuesPaintTheHorizonAndNothingElseBreaks) {
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 1e300, -1e300, 1e18, 4e-320};
    for (double v : values) {
        for (std::uint8_t state : {0, 2, 3}) {
            SCOPED_TRACE(v);
            DrawWorld w(2, kImageStep2);
            THeiObj &hei = w.model.logic.Hei1;
            setPlace(hei, {40, 10, 15, 50, state});
            hei.SunPlaneAngle = hei.EquinoxDispl = hei.EquinoxRadius = hei.SunOnCurrTimeAngle = hei.NoonHeightAngle = v;
            w.draw.DrawHei(hei);
            ASSERT_EQ(w.image().size(), kImageStep2);
            EXPECT_EQ(pixel(w.image(), {76, 347}), Px::Green);
            EXPECT_EQ(w.canvas.changes, 1);
        }
    }
}

TEST(ShadowScene, EmptyAndTinyImages) {
    for (QSize size : {QSize(0, 0), QSize(-1, -1), QSize(1, 1), QSize(0, 300)}) {
        DrawWorld w(2, kImageStep2);
        w.canvas.size = size;
        setPlace(w.model.logic.Hei1, kExample);
        w.draw.DrawHei(w.model.logic.Hei1);
        EXPECT_EQ(w.image().size(), size.isEmpty() ? QSize(0, 0) : size);
    }
}

}  // namespace
