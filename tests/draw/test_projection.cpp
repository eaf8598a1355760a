// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing object's set-up and projection: origins and coefficients for both pictures,
// rounding, views and zooms that cannot be used, values outside the int range, and circles.
#include "DrawTestWorld.h"

#include <climits>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(DrawInit, OriginZoomAndViewPerKind) {
    struct Row {
        int kind;
        QSize size;
        QPoint origin;
        double zoom;
        bool compass, angles, image;
    };
    const Row rows[] = {
        {2, kImageStep2, {264, 312}, 2.2, true, false, true},
        {2, {7, 9}, {3, 7}, 2.2, true, false, true},  // width div 2, height - height div 4
        {4, kImageStep4, {212, 247}, 20000, false, true, true},
        {5, kImageStep4, {0, 0}, 20000, false, true, false},
    };
    for (const Row &row : rows) {
        DrawWorld w(row.kind, row.size);
        SCOPED_TRACE(row.kind);
        EXPECT_EQ(QPoint(w.draw.OriginX, w.draw.OriginY), row.origin);
        EXPECT_EQ(w.draw.Zoom, row.zoom);
        EXPECT_EQ(w.draw.ShowCompass, row.compass);
        EXPECT_EQ(w.draw.ShowAngles, row.angles);
        EXPECT_EQ(w.draw.Image != nullptr, row.image);
        EXPECT_EQ(w.draw.Line1.Visible, row.kind == 2);
        EXPECT_EQ(w.draw.Circle1.Visible, row.kind == 2);
    }
}

TEST(DrawInit, AnotherKindChangesNothing) {
    DrawWorld w(2, kImageStep2);
    w.canvas.size = QSize(100, 100);
    w.draw.Init(3);
    EXPECT_EQ(w.draw.Zoom, 2.2);
    EXPECT_EQ(w.draw.OriginX, 264);
    EXPECT_TRUE(w.draw.Line1.Visible);
}

TEST(DrawProjection, ShadowSceneCoefficientsAndWorkedPoints) {
    DrawWorld w(2, kImageStep2);
    w.draw.CalcProjection();
    EXPECT_NEAR(w.draw.KX, -0.6246950, 1e-7);
    EXPECT_NEAR(w.draw.KY, 0.7808688, 1e-7);
    EXPECT_NEAR(w.draw.KZ, 0.2342606, 1e-7);
    EXPECT_NEAR(w.draw.KH, 0.9736410, 1e-7);
    EXPECT_DOUBLE_EQ(w.draw.Scale, 529 / 2.2);

    const double sun[3] = {0.61708, 0.25489, 0.74447};  // the example's sun at the measurement
    const double d = std::hypot(sun[0], sun[1]);
    struct Row {
        double x, y, z;
        QPoint pixel;
    };
    const Row rows[] = {
        {-1, 0, 0, {76, 347}},   {1, 0, 0, {452, 277}},  {0, -1, 0, {114, 268}}, {0, 1, 0, {414, 356}},
        {0, 0, 1, {264, 78}},    {0, 0, 0, {264, 312}},
        {sun[0], sun[1], sun[2], {418, 127}},                    // end of the sun ray
        {sun[0] / 3, sun[1] / 3, 0, {315, 308}},                 // foot of the stick
        {sun[0] / 3, sun[1] / 3, sun[2] / 3, {315, 250}},        // top of the stick
        {sun[0] / d, sun[1] / d, 0, {495, 296}},                 // bearing on the horizon circle
        {std::cos(degrees(50)), 0, std::sin(degrees(50)), {385, 110}},  // the noon sun
    };
    for (const Row &r : rows)
        EXPECT_EQ(QPoint(w.draw.ProjectX(r.x, r.y, r.z), w.draw.ProjectY(r.x, r.y, r.z)), r.pixel)
            << r.x << ", " << r.y << ", " << r.z;
}

TEST(DrawProjection, EarthPictureIsASideView) {
    DrawWorld w(4, kImageStep4);
    w.draw.CalcProjection();
    EXPECT_DOUBLE_EQ(w.draw.Scale, 529 / 20000.0);
    // place 1 at 50 deg latitude, on the outline of radius 6000, and its ray's end
    const double y = 6000 * std::sin(degrees(40)), z = 6000 * std::cos(degrees(40));
    EXPECT_EQ(QPoint(w.draw.ProjectX(0, y, z), w.draw.ProjectY(0, y, z)), QPoint(314, 125));
    const double ey = y + 18000 * std::cos(degrees(10)), ez = z + 18000 * std::sin(degrees(10));
    EXPECT_EQ(QPoint(w.draw.ProjectX(0, ey, ez), w.draw.ProjectY(0, ey, ez)), QPoint(783, 43));
}

TEST(DrawProjection, UnusableViewsAndZooms) {
    struct Row {
        double view[3];
        double zoom;
        double scale;  // expected
        bool fallback;  // the view counts as (1, 0, 0)
    };
    const Row rows[] = {
        {{0, 0, 0}, 2.2, 529 / 2.2, true},
        {{0, 0, 5}, 2.2, 529 / 2.2, true},     // straight down: no horizontal part
        {{kNaN, 1, 1}, 2.2, 529 / 2.2, true},
        {{kInf, 1, 1}, 2.2, 529 / 2.2, true},
        {{1e-200, 0, 1}, 2.2, 529 / 2.2, true},  // a horizontal part that vanishes when squared
        {{-8, 10, 3}, 0, 0.006, false},
        {{-8, 10, 3}, -1, 0.006, false},
        {{-8, 10, 3}, kNaN, 0.006, false},
    };
    for (const Row &row : rows) {
        DrawWorld w(2, kImageStep2);
        w.draw.ViewX = row.view[0];
        w.draw.ViewY = row.view[1];
        w.draw.ViewZ = row.view[2];
        w.draw.Zoom = row.zoom;
        w.draw.CalcProjection();
        SCOPED_TRACE(row.view[2]);
        EXPECT_DOUBLE_EQ(w.draw.Scale, row.scale);
        if (row.fallback) {
            EXPECT_EQ((std::vector<double>{w.draw.NormX, w.draw.NormY, w.draw.NormZ}), (std::vector<double>{1, 0, 0}));
            EXPECT_EQ((std::vector<double>{w.draw.KX, w.draw.KY, w.draw.KZ, w.draw.KH}),
                      (std::vector<double>{1, 0, 0, 1}));
        }
    }
    DrawWorld noImage(5, kImageStep4);
    noImage.draw.CalcProjection();
    EXPECT_DOUBLE_EQ(noImage.draw.Scale, 300 / 20000.0);
}

// A projection with unit coefficients, so that a coordinate is its pixel offset.
struct UnitProjection : DrawWorld {
    UnitProjection() : DrawWorld(2, kImageStep2) {
        draw.OriginX = 100;
        draw.OriginY = 100;
        draw.KX = 0;
        draw.KY = 1;
        draw.KZ = 0;
        draw.KH = 1;
        draw.Scale = 1;
    }
};

TEST(DrawProjection, HalvesRoundToEven) {
    UnitProjection w;
    const std::pair<double, int> rows[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {0.49, 0}, {0.51, 1}};
    for (auto [offset, rounded] : rows) {
        EXPECT_EQ(w.draw.ProjectX(offset, 0, 0), 100 + rounded) << offset;
        EXPECT_EQ(w.draw.ProjectY(0, 0, offset), 100 - rounded) << offset;
    }
}

TEST(DrawProjection, ValuesBeyondTheIntRangeAreHeldAtItsEnds) {
    UnitProjection w;
    const std::pair<double, int> rows[] = {
        {kNaN, INT_MIN}, {kInf, INT_MAX}, {-kInf, INT_MIN}, {1e300, INT_MAX}, {-1e300, INT_MIN},
        {2147483547.0, INT_MAX}, {2147483548.0, INT_MAX}, {-2147483748.0, INT_MIN}, {-2147483749.0, INT_MIN},
    };
    for (auto [x, column] : rows)
        EXPECT_EQ(w.draw.ProjectX(x, 0, 0), column) << x;
    EXPECT_EQ(w.draw.ProjectY(0, 0, kNaN), INT_MIN);
    EXPECT_EQ(w.draw.ProjectY(0, 0, 1e300), INT_MIN);  // far up
    EXPECT_EQ(w.draw.ProjectY(0, 0, -1e300), INT_MAX);
}

// A side view on a 1000 x 1000 image: origin (400, 550), half a pixel per unit, so a circle of
// radius 800 tilted upright is 400 pixels round and one degree of it about 7 pixels.
struct CircleWorld : DrawWorld {
    CircleWorld() : DrawWorld(4, QSize(1000, 1000)) {
        draw.Zoom = 2000;
        draw.CalcProjection();
        draw.ClearPicture();
    }
    void circle(bool upperOnly) { draw.DrawCircle3D(upperOnly, 0, 0, 0, 800, M_PI / 2, DrawColor::Yellow); }
};

TEST(DrawCircle, FullCircleCloses) {
    CircleWorld w;
    w.circle(false);
    for (int row = 550; row <= 557; ++row)  // the last degree, from 359 to 360
        EXPECT_TRUE(colourNear(w.image(), QPoint(800, row), Px::Yellow)) << row;
    EXPECT_TRUE(colourNear(w.image(), QPoint(400, 950), Px::Yellow));  // bottom
    EXPECT_TRUE(colourNear(w.image(), QPoint(400, 150), Px::Yellow));  // top
}

TEST(DrawCircle, UpperOnlyLeavesOutEverySegmentReachingBelowTheHorizon) {
    CircleWorld w;
    w.circle(true);
    EXPECT_TRUE(colourNear(w.image(), QPoint(400, 150), Px::Yellow));
    EXPECT_TRUE(colourNear(w.image(), QPoint(800, 550), Px::Yellow));
    EXPECT_TRUE(colourNear(w.image(), QPoint(0, 550), Px::Yellow));
    EXPECT_EQ(countColour(w.image(), Px::Yellow, QRect(0, 552, 1000, 448)), 0);
}

TEST(DrawInit, NothingIsPaintedWithoutAnImage) {
    DrawWorld w(5, kImageStep4);
    w.draw.DrawEarth();
    w.draw.DrawHei(w.model.logic.Hei1);
    w.draw.DrawCircle3D(false, 0, 0, 0, 6000, 0, DrawColor::Green);
    w.draw.DrawLine3D(DrawColor::Green, 0, 0, 0, 1, 1, 1);
    w.draw.ClearPicture();
    w.draw.Redraw();
    EXPECT_TRUE(w.canvas.image.isNull());
    EXPECT_EQ(w.canvas.changes, 0);
}

}  // namespace
