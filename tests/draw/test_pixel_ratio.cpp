// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures on scaled screens, and the sentences that tell a screen reader what they show.
#include "DrawTestWorld.h"

namespace {

// The shadow scene's worked example at one pixel ratio.
struct Example : DrawWorld {
    explicit Example(qreal ratio) : DrawWorld(2, kImageStep2) {
        canvas.ratio = ratio;
        setPlace(model.logic.Hei1, {40, 10, 15, 50, 3});
        draw.DrawHei(model.logic.Hei1);
    }
};

TEST(PixelRatio, ScaledPicturesHaveTheirPixelsAndLookTheSameScaledDown) {
    const Example plain(1);
    ASSERT_EQ(plain.image().size(), kImageStep2);
    for (qreal ratio : {1.25, 1.5, 2.0}) {
        const Example scaled(ratio);
        const QImage &image = scaled.image();
        EXPECT_EQ(image.devicePixelRatio(), ratio);
        EXPECT_EQ(image.size(), QSize(int(std::ceil(529 * ratio)), int(std::ceil(415 * ratio))));
        // Sampled at each logical pixel's centre, the scaled picture is the plain one but for
        // the edges of lines and the glyphs' shapes.
        int same = 0;
        for (int y = 0; y < 415; ++y)
            for (int x = 0; x < 529; ++x)
                same += pixel(plain.image(), {x, y}) == pixel(image, QPoint(int((x + 0.5) * ratio), int((y + 0.5) * ratio)));
        EXPECT_GT(same, 0.985 * 529 * 415) << ratio;
    }
    // At twice the pixels the 2-pixel stick is 4 device pixels wide.
    const Example doubled(2);
    EXPECT_EQ(countColour(doubled.image(), Px::Olive, QRect(2 * 315 - 6, 2 * 280, 13, 1)), 4);
}

TEST(PictureDescription, SceneAndEarthSayWhatTheyShow) {
    DrawWorld scene(2, kImageStep2);
    TLang &lang = scene.model.lang;
    lang.Texts.setValue("picShadowScene", "%1 at %2, nothing measured");
    lang.Texts.setValue("picShadowSceneMeasured", "%1 at %2: sun %3 high, shadow %4 mm");
    lang.Texts.setValue("picShadowSceneNoon", "noon %1");
    THeiObj &hei = scene.model.logic.Hei1;
    hei.PlaceName = "%2 Hel";  // a placeholder in a name is taken as it is
    hei.TimH = 9;
    hei.TimM = 5;
    hei.Shadow = 1732;
    hei.SunHeightAtCurrTime = degrees(30);
    hei.NoonHeightAngle = degrees(60.5);
    const char *expected[] = {"%2 Hel at 9:05, nothing measured", "%2 Hel at 9:05, nothing measured",
                              "%2 Hel at 9:05: sun 30° high, shadow 1732 mm",
                              "%2 Hel at 9:05: sun 30° high, shadow 1732 mm noon 60°30'"};
    for (std::uint8_t state = 0; state <= 3; ++state) {
        hei.State = state;
        scene.draw.DrawHei(hei);
        EXPECT_EQ(scene.canvas.description, QString::fromUtf8(expected[state]));
    }

    DrawWorld earth(4, kImageStep4);
    earth.model.lang.Texts.setValue("picEarthSection", "%1 %2 / %3 %4 / %5");
    setPlace(earth.model.logic.Hei1, {40, 10, 0, 60, 3});     // latitude 50°
    setPlace(earth.model.logic.Hei2, {35.75, 10, 0, 64, 3});  // latitude 54°15'
    earth.model.logic.Hei1.PlaceName = "A";
    earth.model.logic.Hei2.PlaceName = "B";
    earth.draw.DrawEarth();
    EXPECT_EQ(earth.canvas.description, QString::fromUtf8("A 50° / B 54°15' / 4°15'"));
}

}  // namespace
