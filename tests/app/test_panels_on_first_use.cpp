// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement, comparison and print panels are built when first entered, not at start; what
// they show is what they showed when they were built at start.
#include "draw/DrawCanvas.h"
#include "draw/TDrawObj.h"
#include "model/TLogic.h"
#include "support/MainWindowFixture.h"
#include "ui/PanelStep2.h"
#include "ui/PanelStep4.h"
#include "ui/PanelStep5.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// A plain bitmap of a chosen size, as the drawing objects paint on.
class PlainCanvas : public DrawCanvas {
public:
    QSize size;
    qreal ratio = 1;
    QImage image;
    QSize clientSize() const override { return size; }
    qreal pixelRatio() const override { return ratio; }
    QImage &bitmap() override { return image; }
    void bitmapChanged() override {}
};

TEST(PanelsOnFirstUse, ThePictureControlsHaveTheirDesignSizes) {
    MainWindowFixture f;
    AppObjects &o = f.objects();
    const Guard guard(o, f.prompter);
    const PanelStep2 measurement(*o.Lang, *o.Logic, *o.Session, *o.DrawStep2, o.CurrHei, *f.main, f.prompter, guard);
    EXPECT_EQ(measurement.image()->size(), PanelStep2::ImageDesignSize);
    const PanelStep4 comparison(*o.Lang, *o.Logic, *o.Session, *o.Comm, *o.DrawStep4, *f.main, f.prompter, guard);
    EXPECT_EQ(comparison.image()->size(), PanelStep4::ImageDesignSize);
}

TEST(PanelsOnFirstUse, TheShadowSceneOfAPanelBuiltInAnEnlargedWindow) {
    MainWindowFixture f;
    EXPECT_EQ(f.main->findChild<PanelStep2 *>(), nullptr);
    EXPECT_EQ(f.main->findChild<PanelStep4 *>(), nullptr);
    EXPECT_EQ(f.main->findChild<PanelStep5 *>(), nullptr);
    // The drawing objects are set up from the pictures' design sizes all the same.
    const TDrawObj &scene = *f.objects().DrawStep2;
    EXPECT_EQ(QPoint(scene.OriginX, scene.OriginY), QPoint(264, 312));
    EXPECT_EQ(QPoint(f.objects().DrawStep4->OriginX, f.objects().DrawStep4->OriginY), QPoint(212, 247));

    // The window grows before the measurement panel is first entered: the scene is fitted into
    // the grown picture exactly as when the panel was built at start.
    f.main->resize(1300, 900);
    QApplication::processEvents();
    f.choose(1, 0);
    f.choose(2, 1);
    f.click("btnStep1Next");
    QApplication::processEvents();
    PictureBox *image = f.main->panelStep2()->image();
    ASSERT_GT(image->width(), PanelStep2::ImageDesignSize.width());

    PlainCanvas canvas;
    canvas.size = PanelStep2::ImageDesignSize;
    TDrawObj alone(*f.objects().Lang, *f.objects().Logic, &canvas);
    alone.Init(2);
    canvas.size = image->clientSize();
    canvas.ratio = image->pixelRatio();
    alone.DrawHei(f.objects().Logic->Hei1);
    EXPECT_EQ(image->picture(), canvas.image);
}

}  // namespace
