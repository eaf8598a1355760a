// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures on scaled screens (device pixels per logical pixel above 1), and the sentences that
// tell a screen reader what they show.
#include "DrawTestWorld.h"

namespace {

const PlaceAngles kExample{40, 10, 15, 50, 3};  // the shadow scene's worked example

// The share of logical pixels whose colour the scaled picture keeps when sampled at the
// device pixel nearest each logical pixel's centre.
double sameLook(const QImage &logical, const QImage &scaled) {
    const qreal ratio = scaled.devicePixelRatio();
    int same = 0;
    for (int y = 0; y < logical.height(); ++y)
        for (int x = 0; x < logical.width(); ++x)
            same += pixel(logical, QPoint(x, y)) == pixel(scaled, QPoint(int((x + 0.5) * ratio), int((y + 0.5) * ratio)));
    return double(same) / (logical.width() * logical.height());
}

struct Pictures {
    // The shadow scene's worked example and an Earth picture, at one pixel ratio.
    explicit Pictures(qreal ratio) {
        scene.canvas.ratio = ratio;
        setPlace(scene.model.logic.Hei1, kExample);
        scene.draw.DrawHei(scene.model.logic.Hei1);
        earth.canvas.ratio = ratio;
        setPlace(earth.model.logic.Hei1, {40, 10, 0, 50, 3});
        setPlace(earth.model.logic.Hei2, {37, 10, 0, 53, 3});
        earth.draw.DrawEarth();
    }
    DrawWorld scene{2, kImageStep2};
    DrawWorld earth{4, kImageStep4};
};

TEST(PixelRatio, ScaledPicturesHaveTheirPixelsAndLookTheSameScaledDown) {
    const Pictures plain(1);
    for (qreal ratio : {1.25, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        const Pictures scaled(ratio);
        for (const auto &[a, b, design] : {std::tuple{&plain.scene, &scaled.scene, kImageStep2},
                                           std::tuple{&plain.earth, &scaled.earth, kImageStep4}}) {
            const QImage &image = b->image();
            EXPECT_EQ(image.devicePixelRatio(), ratio);
            EXPECT_EQ(image.size(), QSize(int(std::ceil(design.width() * ratio)), int(std::ceil(design.height() * ratio))));
            // The bitmap covers the control: at most a device pixel beyond it.
            const QSizeF covered = image.deviceIndependentSize();
            EXPECT_TRUE(covered.width() >= design.width() && covered.width() < design.width() + 1);
            EXPECT_TRUE(covered.height() >= design.height() && covered.height() < design.height() + 1);
            EXPECT_EQ(a->image().size(), design);  // at 1 the bitmap is what it always was
            // Lines, circles and texts stand where they stood: only their edges and the
            // glyphs' shapes may differ by a device pixel.
            EXPECT_GT(sameLook(a->image(), image), 0.985);
        }
    }
    // At twice the pixels a 2-pixel line is 4 device pixels wide: the worked example's stick.
    const Pictures doubled(2);
    const QImage &scene = doubled.scene.image();
    int olive = 0;
    for (int x = 2 * 315 - 6; x <= 2 * 315 + 6; ++x)
        olive += pixel(scene, QPoint(x, 2 * 280)) == Px::Olive;
    EXPECT_EQ(olive, 4);
    EXPECT_EQ(pixel(scene, QPoint(2 * 315, 2 * 247)), Px::Black);  // above the stick
}

TEST(PixelRatio, AnUnusableRatioPaintsThePlainBitmap) {
    for (qreal ratio : {0.0, -2.0, 0.5, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()}) {
        DrawWorld scene(2, kImageStep2);
        scene.canvas.ratio = ratio;
        setPlace(scene.model.logic.Hei1, kExample);
        scene.draw.DrawHei(scene.model.logic.Hei1);
        EXPECT_EQ(scene.image().size(), kImageStep2) << ratio;
        EXPECT_EQ(scene.image().devicePixelRatio(), 1.0) << ratio;
    }
}

TEST(PictureDescription, TheSceneSaysWhereWhenHowHighAndHowLong) {
    DrawWorld world(2, kImageStep2);
    TLang &lang = world.model.lang;
    lang.Texts.setValue("picShadowScene", "%1 at %2, nothing measured");
    lang.Texts.setValue("picShadowSceneMeasured", "%1 at %2: sun %3 high, shadow %4 mm");
    lang.Texts.setValue("picShadowSceneNoon", "noon %1");
    THeiObj &hei = world.model.logic.Hei1;
    hei.PlaceName = QString::fromUtf8("Kraków");
    hei.TimH = 9;
    hei.TimM = 5;
    hei.Shadow = 1732;
    hei.SunHeightAtCurrTime = degrees(30);
    hei.NoonHeightAngle = degrees(60.5);
    const QString noon = QString::fromUtf8(" noon 60°30'");
    struct Row {
        std::uint8_t state;
        QString expected;
    };
    const Row rows[] = {{0, QString::fromUtf8("Kraków at 9:05, nothing measured")},
                        {1, QString::fromUtf8("Kraków at 9:05, nothing measured")},
                        {2, QString::fromUtf8("Kraków at 9:05: sun 30° high, shadow 1732 mm")},
                        {3, QString::fromUtf8("Kraków at 9:05: sun 30° high, shadow 1732 mm") + noon}};
    for (const Row &row : rows) {
        hei.State = row.state;
        world.draw.DrawHei(hei);
        EXPECT_EQ(world.canvas.description, row.expected) << int(row.state);
    }
    // A place name holding a placeholder is taken as it is.
    hei.PlaceName = "%2 %3";
    world.draw.DrawHei(hei);
    EXPECT_EQ(world.canvas.description, QString::fromUtf8("%2 %3 at 9:05: sun 30° high, shadow 1732 mm") + noon);
}

TEST(PictureDescription, TheEarthSaysBothLatitudesAndTheirDifference) {
    DrawWorld world(4, kImageStep4);
    world.model.lang.Texts.setValue("picEarthSection", "%1 %2 / %3 %4 / %5");
    THeiObj &hei1 = world.model.logic.Hei1, &hei2 = world.model.logic.Hei2;
    setPlace(hei1, {40, 10, 0, 60, 3});     // latitude 50°
    setPlace(hei2, {35.75, 10, 0, 64, 3});  // latitude 54°15'
    hei1.PlaceName = "A";
    hei2.PlaceName = "B";
    world.draw.DrawEarth();
    EXPECT_EQ(world.canvas.description, QString::fromUtf8("A 50° / B 54°15' / 4°15'"));
    std::swap(hei1.SunPlaneAngle, hei2.SunPlaneAngle);  // the difference is never negative
    world.draw.DrawEarth();
    EXPECT_EQ(world.canvas.description, QString::fromUtf8("A 54°15' / B 50° / 4°15'"));
}

}  // namespace
