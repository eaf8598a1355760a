// SPDX-License-Identifier: GPL-3.0-or-later
// The page engine on a small page of its own: backgrounds, unknown names, bad resolutions.
#include "ReportTestSupport.h"
#include "report/PageLayout.h"
#include "support/PageOutput.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace Report;
using namespace ReportTest;

namespace {

// A band 100 mm square with one rectangle (10, 10)-(90, 50) and two labels astride the
// rectangle's top and bottom edges: an opaque one on the top edge, a transparent one on the bottom.
ReportPage smallPage() {
    ReportPage page;
    page.band = {QStringLiteral("Band"), QSizeF(100, 100)};
    page.shapes = {{QStringLiteral("Box"), QRectF(10, 10, 80, 40)}};
    const LabelFont font{QStringLiteral("Tahoma"), 10};
    page.labels = {
        {.name = QStringLiteral("Opaque"), .boxMm = QRectF(20, 8, 40, 5), .font = font,
         .align = Align::Left, .autoSize = false, .opaque = true, .wordWrap = true,
         .caption = QStringLiteral("H")},
        {.name = QStringLiteral("Clear"), .boxMm = QRectF(20, 48, 40, 5), .font = font,
         .align = Align::Left, .autoSize = false, .opaque = false, .wordWrap = true,
         .caption = QStringLiteral("H")},
    };
    return page;
}

TEST(PageEngine, OpaqueLabelsHideWhatLiesBeneathTransparentOnesDoNot) {
    const QImage img = renderPageImage(smallPage(), kDpi);
    const int textFree = qRound(bandMmToPx(50));  // a column inside both labels, right of their text
    const int outside = qRound(bandMmToPx(70));   // a column beyond both labels
    const int top = qRound(bandMmToPx(10)), bottom = qRound(bandMmToPx(50));
    auto darkNear = [&](int x, int y) {
        for (int d = -2; d <= 2; ++d)
            if (isDark(img.pixel(x, y + d)))
                return true;
        return false;
    };
    EXPECT_TRUE(darkNear(outside, top));
    EXPECT_FALSE(darkNear(textFree, top));  // under the opaque label
    EXPECT_TRUE(darkNear(outside, bottom));
    EXPECT_TRUE(darkNear(textFree, bottom));  // seen through the transparent label
}

TEST(PageEngine, UnknownNamesAreReportedWithTheName) {
    ReportPage page = smallPage();
    try {
        page.setCaption(QStringLiteral("PrintYield99"), QStringLiteral("x"));
        FAIL() << "no exception";
    } catch (const std::out_of_range &e) {
        EXPECT_NE(std::string(e.what()).find("PrintYield99"), std::string::npos);
    }
    EXPECT_THROW(page.caption(QStringLiteral("opaque")), std::out_of_range);  // names are exact
    EXPECT_THROW(page.shape(QStringLiteral("Nothing")), std::out_of_range);
    QImage device(10, 10, QImage::Format_RGB32);
    EXPECT_THROW(PageLayout(page, device).label(QStringLiteral("Nothing")), std::out_of_range);

    page.setCaption(QStringLiteral("Opaque"), QStringLiteral("new"));
    EXPECT_EQ(page.caption(QStringLiteral("Opaque")), QStringLiteral("new"));
    page.clearCaptions();
    EXPECT_TRUE(page.caption(QStringLiteral("Clear")).isEmpty());
}

TEST(PageEngine, LayoutIsTheSameInMillimetresAtEveryResolution) {
    ReportPage page = smallPage();
    page.labels[0].autoSize = true;
    page.labels[0].align = Align::Right;
    page.setCaption(QStringLiteral("Opaque"), QStringLiteral("A caption of some length"));
    QRectF boxes[2];
    const int dpis[] = {96, 1200};
    for (int i = 0; i < 2; ++i) {
        QImage device(10, 10, QImage::Format_RGB32);
        device.setDotsPerMeterX(qRound(dpis[i] / 0.0254));
        device.setDotsPerMeterY(qRound(dpis[i] / 0.0254));
        boxes[i] = PageLayout(page, device).labelBoxMm(QStringLiteral("Opaque"));
    }
    EXPECT_NEAR(boxes[0].right(), 60.0, 0.01);
    EXPECT_NEAR(boxes[1].right(), 60.0, 0.01);
    EXPECT_NEAR(boxes[0].width(), boxes[1].width(), 0.01);
}

TEST(PageEngine, ImageResolutionOutsideTheRangeIsRefused) {
    EXPECT_THROW(renderPageImage(smallPage(), 0), std::invalid_argument);
    EXPECT_THROW(renderPageImage(smallPage(), 5000), std::invalid_argument);
    EXPECT_EQ(renderPageImage(smallPage(), 10).size(), QSize(83, 117));  // 210 x 297 mm at 10 dpi
}

}  // namespace
