// SPDX-License-Identifier: GPL-3.0-or-later
// The introduction's illustration ships decoded: its pixels must stay those of its JPEG file as the
// program's own decoder gives them, and the panel must show them in place.
#include "platform/Picture.h"
#include "ui/IntroPicture.h"
#include "ui/PanelStep0.h"
#include "ui/PictureBox.h"

#include <gtest/gtest.h>

TEST(IntroPicture, ShipsExactlyThePixelsOfAFreshDecodeOfItsJpegFile) {
    const QImage shipped = introPicture();
    // Decoded now through the JPEG module, as the program loads any picture.
    const QImage decoded = Picture::load(QStringLiteral(GNOMORA_SOURCE_DIR "/src/ui/resources/intro.jpg"));
    ASSERT_FALSE(decoded.isNull());
    ASSERT_EQ(shipped.format(), decoded.format());
    ASSERT_EQ(shipped.size(), decoded.size());
    for (int y = 0; y < decoded.height(); ++y)
        for (int x = 0; x < decoded.width(); ++x)
            ASSERT_EQ(shipped.pixel(x, y), decoded.pixel(x, y)) << "pixel " << x << ", " << y;
}

TEST(IntroPicture, ThePanelShowsTheShippedPixelsWithoutCopyingThem) {
    PanelStep0 panel;
    auto *image = panel.findChild<PictureBox *>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->picture().constBits(), introPicture().constBits());
    EXPECT_EQ(image->picture().size(), QSize(225, 314));
}
