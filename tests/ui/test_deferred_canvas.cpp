// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DeferredCanvas.h"

#include <gtest/gtest.h>

namespace {

class Control : public DrawCanvas {
public:
    QSize clientSize() const override { return {600, 500}; }
    qreal pixelRatio() const override { return 1.5; }
    QImage &bitmap() override { return image; }
    void bitmapChanged() override { ++changes; }
    void setDescription(const QString &text) override { description = text; }

    QImage image{4, 3, QImage::Format_RGB32};
    int changes = 0;
    QString description;
};

TEST(DeferredCanvas, TheDesignSizeUntilThePanelIsBuiltThenItsControl) {
    Control control;
    int builds = 0;
    DeferredCanvas canvas({529, 415}, [&]() -> DrawCanvas & {
        ++builds;
        return control;
    });
    EXPECT_EQ(canvas.clientSize(), QSize(529, 415));
    EXPECT_EQ(builds, 0);  // a drawing object's set-up builds nothing

    // Painting builds the panel, once, and reaches its control.
    EXPECT_EQ(&canvas.bitmap(), &control.image);
    EXPECT_EQ(canvas.pixelRatio(), 1.5);
    canvas.bitmapChanged();
    canvas.setDescription(QStringLiteral("scene"));
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(control.changes, 1);
    EXPECT_EQ(control.description, QStringLiteral("scene"));
    EXPECT_EQ(canvas.clientSize(), QSize(600, 500));
}

TEST(DeferredCanvas, APanelBuiltByTheWindowIsUsedWithoutBuildingAgain) {
    Control control;
    int builds = 0;
    DeferredCanvas canvas({529, 449}, [&]() -> DrawCanvas & {
        ++builds;
        return control;
    });
    canvas.attach(control);
    EXPECT_EQ(canvas.clientSize(), QSize(600, 500));
    canvas.bitmapChanged();
    EXPECT_EQ(control.changes, 1);
    EXPECT_EQ(builds, 0);
}

}  // namespace
