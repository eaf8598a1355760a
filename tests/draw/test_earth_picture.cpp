// SPDX-License-Identifier: GPL-3.0-or-later
// The Earth cross-section of the comparison step, checked on its pixels at the design size and
// in a larger frame.
#include "DrawTestWorld.h"
#include "model/Angles.h"

#include <limits>

namespace {

// The model's text of an angle given in degrees, or of the difference of two such angles.
QString angle(double deg) { return AngleToText(degrees(deg)); }
QString difference(double deg1, double deg2) { return AngleToText(std::fabs(degrees(deg1) - degrees(deg2))); }
const QPoint kCentre{212, 247};
const QPoint kPlace1{314, 125};  // sun path inclined 40 deg: latitude 50 deg

struct EarthPicture : DrawWorld {
    // Inclinations of the sun's path and noon elevations of both places, in degrees.
    EarthPicture(double sigma1, double eta1, double sigma2, double eta2) : DrawWorld(4, kImageStep4) {
        setPlace(model.logic.Hei1, {sigma1, eta1 - sigma1, 0, eta1, 3});
        setPlace(model.logic.Hei2, {sigma2, eta2 - sigma2, 0, eta2, 3});
        draw.DrawEarth();
    }
    // The same picture without its texts.
    QImage withoutTexts() {
        draw.ShowAngles = false;
        draw.DrawEarth();
        return image();
    }
};

TEST(EarthPicture, WorkedExample) {
    EarthPicture e(40, 50, 37, 47);
    const QImage img = e.image().copy();
    ASSERT_EQ(img.size(), kImageStep4);
    EXPECT_EQ(e.canvas.changes, 1);
    EXPECT_EQ(pixel(img, kCentre), Px::Red);   // both radii end at the centre
    EXPECT_EQ(pixel(img, kPlace1), Px::Red);   // place 1's radius over its ray
    EXPECT_TRUE(lineAt(img, kPlace1, kCentre, Px::Red, {0.3, 0.5, 0.7, 0.9}));
    // the ray runs toward (783, 43) and is cut at the right edge
    EXPECT_TRUE(lineAt(img, kPlace1, {783, 43}, Px::Yellow, {0.2, 0.3, 0.4}));
    EXPECT_TRUE(colourNear(img, {528, 88}, Px::Yellow));
    // the outline, 158.7 pixels round
    for (QPoint p : {QPoint(371, 247), QPoint(53, 247), QPoint(212, 88), QPoint(212, 406)})
        EXPECT_TRUE(colourNear(img, p, Px::Green)) << p.x() << ", " << p.y();
    EXPECT_EQ(countColour(img, Px::Blue) + countColour(img, Px::Grey) + countColour(img, Px::Olive), 0);

    // the difference, 3 deg, starts on place 1's radius a fifth of the way out
    const QImage without = e.withoutTexts();
    const TextCell diff{{232, 223}, difference(50, 47), Px::Yellow};
    EXPECT_EQ(pixel(without, diff.corner), Px::Red);
    EXPECT_EQ(pixel(img, diff.corner), Px::Black);  // under the text's opaque cell
    EXPECT_EQ(pixel(img, diff.corner - QPoint(1, 1)), Px::Red);
    EXPECT_GT(countColour(img, Px::Yellow, diff.rect()), 0);
}

TEST(EarthPicture, TextsBesideThePlacesAndNearTheCentre) {
    // Place 2 far north, so that no text covers another: at 70 deg latitude it lies at (266, 98).
    EarthPicture e(40, 50, 20, 30);
    const QImage with = e.image().copy();
    const std::vector<TextCell> cells = {
        {{324, 121}, angle(50), Px::Green},
        {{276, 94}, angle(30), Px::Green},
        {{232, 223}, difference(50, 30), Px::Yellow},  // toward place 1, the one nearer the equator
    };
    EXPECT_TRUE(textsInCells(with, e.withoutTexts(), cells));
    // the ray leaves place 1 through the cell of its text: cut off there, seen before it
    EXPECT_EQ(countColour(with, Px::Yellow, QRect(324, 122, 8, 3)), 0);
    EXPECT_TRUE(colourNear(with, {322, 123}, Px::Yellow));
}

TEST(EarthPicture, EqualLatitudes) {
    EarthPicture e(40, 50, 40, 50);
    const QImage with = e.image().copy();
    const std::vector<TextCell> cells = {
        {{324, 121}, angle(50), Px::Green},
        {{232, 223}, difference(50, 50), Px::Yellow},
    };
    EXPECT_TRUE(textsInCells(with, e.withoutTexts(), cells));
    EXPECT_EQ(pixel(with, kPlace1), Px::Red);
}

TEST(EarthPicture, PlaceNearerTheEquatorTakesTheDifference) {
    EarthPicture e(37, 47, 40, 50);  // the example's places swapped: place 2 now nearer the equator
    const QImage with = e.image().copy();
    // Place 2's elevation would stand over place 1's at (324, 121): it stands under it.
    const std::vector<TextCell> cells = {
        {{318, 116}, angle(47), Px::Green},
        {{324, 116 + QFontMetrics(TDrawObj::TextFont()).height()}, angle(50), Px::Green},
        {{232, 223}, difference(47, 50), Px::Yellow},
    };
    EXPECT_TRUE(textsInCells(with, e.withoutTexts(), cells));
}

// A frame larger than the design: the picture is scaled by the smaller of the two ratios and
// centred, so the whole Earth grows with a larger frame and stays in the middle of a wide or tall one.
TEST(EarthPicture, AnEnlargedFrameShowsThePictureScaledAndCentred) {
    struct Row {
        QSize frame;
        QPoint centre;
        int radius;
    };
    const Row rows[] = {
        {{1058, 898}, {424, 494}, 317},  // twice the design size
        {{1058, 449}, {476, 247}, 159},  // wider only: moved right by half the extra width
        {{529, 898}, {212, 472}, 159},   // taller only: moved down by half the extra height
        {kImageStep4, kCentre, 159},     // and back at the design size, as designed
    };
    EarthPicture e(40, 50, 37, 47);
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << row.frame.width() << "x" << row.frame.height());
        e.canvas.size = row.frame;
        e.draw.DrawEarth();
        const QImage &img = e.image();
        ASSERT_EQ(img.size(), row.frame);
        EXPECT_EQ(pixel(img, row.centre), Px::Red);  // both radii end at the centre
        for (QPoint out : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
            EXPECT_TRUE(colourNear(img, row.centre + out * row.radius, Px::Green)) << out.x() << ", " << out.y();
    }
}

TEST(EarthPicture, AbsurdModelValuesPaintTheOutline) {
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 1e300, -1e300, 1e18};
    for (double v : values) {
        SCOPED_TRACE(v);
        DrawWorld w(4, kImageStep4);
        for (THeiObj *hei : {&w.model.logic.Hei1, &w.model.logic.Hei2}) {
            hei->SunPlaneAngle = v;
            hei->NoonHeightAngle = -v;
        }
        w.draw.DrawEarth();
        ASSERT_EQ(w.image().size(), kImageStep4);
        EXPECT_TRUE(colourNear(w.image(), {53, 247}, Px::Green));
    }
}

}  // namespace
