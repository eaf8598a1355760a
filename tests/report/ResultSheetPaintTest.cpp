// SPDX-License-Identifier: GPL-3.0-or-later
// The result sheet as painted: rendered at 254 dpi (ten pixels to the millimetre) and checked on
// its pixels against the sheet's millimetre layout.
#include "ReportTestSupport.h"
#include "report/PageLayout.h"
#include "report/PageOutput.h"
#include "report/ResultSheetLayout.h"

#include <gtest/gtest.h>

using namespace report;
using namespace reporttest;

namespace {

class ResultSheetPaint : public ::testing::Test {
protected:
    static void SetUpTestSuite() { blank_ = new QImage(renderPageImage(resultSheetPage(), kDpi)); }
    static void TearDownTestSuite() {
        delete blank_;
        blank_ = nullptr;
    }
    static const QImage &blank() { return *blank_; }

    // The ink of one caption: the sheet with only this label filled, against the empty sheet.
    static QRect inkOf(const QString &name, const QString &caption) {
        ReportPage page = resultSheetPage();
        page.setCaption(name, caption);
        return inkBounds(renderPageImage(page, kDpi), blank());
    }

private:
    static inline QImage *blank_ = nullptr;
};

bool darkAcross(const QImage &image, int x, int y, bool vertical) {
    for (int d = -2; d <= 2; ++d)
        if (isDark(vertical ? image.pixel(x + d, y) : image.pixel(x, y + d)))
            return true;
    return false;
}

struct ShapeRow {
    const char *name;
    double left, top, width, height;
    bool topVisible;  // false where a block painted later covers the top edge
};

TEST_F(ResultSheetPaint, RectangleOutlinesLieOnTheirMillimetreEdges) {
    const ShapeRow rows[] = {
        {"QRShape1", 16.93, 16.67, 152.66, 235.48, true},
        {"QRShape5", 33.87, 202.67, 116.68, 21.96, false},
        {"QRShape4", 29.63, 171.71, 125.15, 31.75, false},
        {"QRShape3", 29.63, 139.44, 125.15, 32.54, false},
        {"QRShape2", 29.63, 133.09, 125.15, 6.61, true},
    };
    const QImage &img = blank();
    ASSERT_EQ(img.size(), QSize(2100, 2970));
    const int off = 8;  // 0.8 mm beside an edge the paper is white again
    for (const ShapeRow &r : rows) {
        SCOPED_TRACE(r.name);
        const int left = qRound(bandMmToPx(r.left)), right = qRound(bandMmToPx(r.left + r.width));
        const int top = qRound(bandMmToPx(r.top)), bottom = qRound(bandMmToPx(r.top + r.height));
        const int midX = (left + right) / 2, midY = (top + bottom) / 2;

        EXPECT_TRUE(darkAcross(img, left, midY, true));
        EXPECT_FALSE(isDark(img.pixel(left - off, midY)));
        EXPECT_FALSE(isDark(img.pixel(left + off, midY)));
        EXPECT_TRUE(darkAcross(img, right, midY, true));
        EXPECT_FALSE(isDark(img.pixel(right - off, midY)));
        EXPECT_FALSE(isDark(img.pixel(right + off, midY)));
        EXPECT_TRUE(darkAcross(img, midX, bottom, false));
        EXPECT_FALSE(isDark(img.pixel(midX, bottom - off)));
        EXPECT_FALSE(isDark(img.pixel(midX, bottom + off)));
        if (r.topVisible) {
            EXPECT_TRUE(darkAcross(img, midX, top, false));
            EXPECT_FALSE(isDark(img.pixel(midX, top - off)));
            EXPECT_FALSE(isDark(img.pixel(midX, top + off)));
        }
    }
    // Outside the sheet's frame the band is empty paper: the frame's corner is the first ink.
    EXPECT_FALSE(isDark(img.pixel(qRound(bandMmToPx(16.93)) - 20, qRound(bandMmToPx(16.67)) - 20)));
}

struct LabelRow {
    const char *name;
    double top;
    double left;   // for a footer line: its anchor
    double width;  // 0 for a footer line
    Align align;
    double points;
};

// Every label of the sheet, its box and font, and where its text must land.
TEST_F(ResultSheetPaint, EveryCaptionLandsInItsBoxInItsFontSize) {
    constexpr Align L = Align::Left, C = Align::Centre, R = Align::Right;
    const LabelRow rows[] = {
        {"PrintRow1", 19.05, 82.55, 24.08, C, 15},       {"PrintRow2", 27.52, 82.55, 24.08, C, 15},
        {"PrintRow3", 35.98, 82.55, 24.08, C, 15},       {"PrintRow3a", 44.45, 87.31, 14.82, C, 15},
        {"PrintRow4", 52.92, 83.34, 22.49, C, 14},       {"PrintName1", 61.38, 81.76, 25.66, C, 14},
        {"PrintName2", 67.73, 81.76, 25.66, C, 14},      {"PrintName3", 74.08, 81.76, 25.66, C, 14},
        {"PrintName4", 80.43, 81.76, 25.66, C, 14},      {"PrintName5", 86.78, 81.76, 25.66, C, 14},
        {"PrintName6", 93.13, 81.76, 25.66, C, 14},      {"PrintName7", 99.48, 81.76, 25.66, C, 14},
        {"PrintName8", 105.83, 81.76, 25.66, C, 14},     {"PrintRow5", 114.30, 83.34, 22.49, C, 14},
        {"PrintRow6", 122.77, 83.34, 22.49, C, 14},
        {"PrintResults1", 133.88, 33.60, 114.83, C, 12}, {"PrintResults2", 140.23, 33.60, 44.98, C, 11},
        {"PrintYield2", 146.58, 33.60, 44.98, C, 11},    {"PrintResults3", 140.23, 78.32, 40.48, R, 11},
        {"PrintYield3", 140.23, 122.77, 29.90, L, 11},   {"PrintResults3a", 146.58, 78.32, 40.48, R, 11},
        {"PrintYield3a", 146.58, 122.77, 29.90, L, 11},  {"PrintResults4", 152.66, 71.70, 47.10, R, 11},
        {"PrintYield4", 152.66, 122.77, 29.90, L, 11},   {"PrintResults5", 159.01, 71.70, 47.10, R, 11},
        {"PrintYield5", 159.01, 122.77, 29.90, L, 11},   {"PrintResults6", 165.36, 71.70, 47.10, R, 11},
        {"PrintYield6", 165.36, 122.77, 29.90, L, 11},   {"PrintResults7", 171.71, 33.60, 44.98, C, 11},
        {"PrintYield7", 178.06, 33.60, 44.98, C, 11},    {"PrintResults8", 171.71, 78.32, 40.48, R, 11},
        {"PrintYield8", 171.71, 122.77, 30.43, L, 11},   {"PrintResults8a", 178.06, 78.32, 40.48, R, 11},
        {"PrintYield8a", 178.06, 122.77, 30.43, L, 11},  {"PrintResults9", 184.15, 71.70, 47.10, R, 11},
        {"PrintYield9", 184.15, 122.77, 30.43, L, 11},   {"PrintResults10", 190.50, 71.70, 47.10, R, 11},
        {"PrintYield10", 190.50, 122.77, 30.43, L, 11},  {"PrintResults11", 196.85, 71.70, 47.10, R, 12},
        {"PrintYield11", 196.85, 122.77, 30.43, L, 12},  {"PrintResults12", 203.20, 35.72, 59.27, R, 12},
        {"PrintYield12", 203.20, 98.69, 50.27, L, 12},   {"PrintResults13", 209.55, 35.72, 59.27, R, 12},
        {"PrintYield13", 209.55, 98.69, 50.27, L, 12},   {"PrintResults14", 215.90, 35.72, 59.27, R, 12},
        {"PrintYield14", 215.90, 98.69, 50.27, L, 12},
        {"PrintFooter1", 228.60, 27.25, 0, L, 9},        {"PrintFooter2", 234.95, 27.25, 0, L, 9},
        {"PrintFooter3", 228.60, 166.69, 0, R, 10},      {"PrintFooter4", 234.95, 166.69, 0, R, 10},
    };
    EXPECT_EQ(resultSheetPage().labels.size(), std::size(rows));

    // "HHH": flat-topped capitals whose ink height is the font's cap height (0.73 em in the
    // DejaVu Sans that stands in for Tahoma and Verdana) and whose side bearings are small.
    for (const LabelRow &r : rows) {
        SCOPED_TRACE(r.name);
        const QRect ink = inkOf(QString::fromLatin1(r.name), QStringLiteral("HHH"));
        ASSERT_FALSE(ink.isEmpty());
        const double inkTopMm = ink.top() / kPxPerMm - 10.0;
        const double inkLeftMm = ink.left() / kPxPerMm - 10.0;
        const double inkRightMm = (ink.right() + 1) / kPxPerMm - 10.0;
        const double capHeightMm = 0.73 * r.points * 25.4 / 72.0;

        EXPECT_NEAR(ink.height() / kPxPerMm, capHeightMm, 0.1 * capHeightMm);
        EXPECT_GE(inkTopMm, r.top + 0.3);
        EXPECT_LE(inkTopMm, r.top + 2.2);
        switch (r.align) {
        case Align::Left:
            EXPECT_GE(inkLeftMm, r.left);
            EXPECT_LE(inkLeftMm, r.left + 0.8);
            break;
        case Align::Right:
            EXPECT_LE(inkRightMm, r.left + r.width);
            EXPECT_GE(inkRightMm, r.left + r.width - 0.8);
            break;
        case Align::Centre:
            EXPECT_NEAR((inkLeftMm + inkRightMm) / 2.0, r.left + r.width / 2.0, 0.4);
            break;
        }
    }
}

// Dark pixels of a caption's ink: a bold face lays down far more than the regular face.
int inkWeight(const QImage &withText, const QImage &without, const QRect &ink) {
    int dark = 0;
    for (int y = ink.top(); y <= ink.bottom(); ++y)
        for (int x = ink.left(); x <= ink.right(); ++x)
            if (isDark(withText.pixel(x, y)) && !isDark(without.pixel(x, y)))
                ++dark;
    return dark;
}

TEST_F(ResultSheetPaint, TheCircumferenceAloneIsPrintedInBold) {
    // The three results at the foot share the 12-point face and the width of their boxes; the
    // same text printed in each of them differs only in its weight.
    const QString text = QStringLiteral("40000 km");
    int weights[3] = {};
    const char *names[] = {"PrintYield12", "PrintYield13", "PrintYield14"};
    for (int i = 0; i < 3; ++i) {
        ReportPage page = resultSheetPage();
        page.setCaption(QString::fromLatin1(names[i]), text);
        const QImage image = renderPageImage(page, kDpi);
        const QRect ink = inkBounds(image, blank());
        ASSERT_FALSE(ink.isEmpty()) << names[i];
        weights[i] = inkWeight(image, blank(), ink);
    }
    EXPECT_NEAR(weights[0], weights[1], 0.1 * weights[1]);  // difference and distance: regular
    EXPECT_GT(weights[2], 1.3 * weights[1]) << "the circumference: " << weights[2] << " dark pixels against "
                                            << weights[1];
}

struct AnchorRow {
    const char *name;
    Align align;
    double anchorMm;  // centre, left edge or right edge from the band's left edge
};

double anchorOf(const QRectF &box, Align align) {
    switch (align) {
    case Align::Left: return box.left();
    case Align::Centre: return box.center().x();
    case Align::Right: return box.right();
    }
    return 0.0;
}

TEST_F(ResultSheetPaint, AutoSizeLabelsKeepTheirAnchorAsTheCaptionGrows) {
    const AnchorRow rows[] = {
        {"PrintRow1", Align::Centre, 82.55 + 24.08 / 2.0},
        {"PrintName8", Align::Centre, 81.76 + 25.66 / 2.0},
        {"PrintFooter1", Align::Left, 27.25},
        {"PrintFooter4", Align::Right, 166.69},
    };
    const QString shortText = QStringLiteral("Ab");
    const QString longText = QStringLiteral("Ab and a much longer caption");
    for (const AnchorRow &r : rows) {
        SCOPED_TRACE(r.name);
        const QString name = QString::fromLatin1(r.name);
        ReportPage page = resultSheetPage();
        QImage device(10, 10, QImage::Format_RGB32);
        device.setDotsPerMeterX(10000);
        device.setDotsPerMeterY(10000);

        page.setCaption(name, shortText);
        const QRectF shortBox = PageLayout(page, device).labelBoxMm(name);
        page.setCaption(name, longText);
        const QRectF longBox = PageLayout(page, device).labelBoxMm(name);

        EXPECT_GT(longBox.width(), shortBox.width() + 20.0);
        EXPECT_NEAR(anchorOf(shortBox, r.align), r.anchorMm, 0.01);
        EXPECT_NEAR(anchorOf(longBox, r.align), r.anchorMm, 0.01);

        // The painted text follows the laid-out box.
        const QRect ink = inkOf(name, longText);
        const QRectF inkMm((ink.left() / kPxPerMm) - 10.0, ink.top() / kPxPerMm - 10.0,
                           ink.width() / kPxPerMm, ink.height() / kPxPerMm);
        EXPECT_NEAR(inkMm.width(), longBox.width(), 1.0);
        EXPECT_NEAR(anchorOf(inkMm, r.align), r.anchorMm, 0.6);
    }
}

TEST_F(ResultSheetPaint, AutoSizeTakesTheWidthOfTheLongestLine) {
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(10000);
    device.setDotsPerMeterY(10000);
    ReportPage page = resultSheetPage();
    page.setCaption(QStringLiteral("PrintRow2"), QStringLiteral("A much longer second line"));
    const QRectF oneLine = PageLayout(page, device).labelBoxMm(QStringLiteral("PrintRow2"));
    page.setCaption(QStringLiteral("PrintRow2"), QStringLiteral("Short\nA much longer second line"));
    const PageLayout layout(page, device);
    const LaidOutLabel &twoLines = layout.label(QStringLiteral("PrintRow2"));

    ASSERT_EQ(twoLines.lines.size(), 2);
    EXPECT_EQ(twoLines.lines[0].text, QStringLiteral("Short"));
    EXPECT_NEAR(twoLines.boxMm.width(), oneLine.width(), 0.01);
    EXPECT_NEAR(twoLines.boxMm.center().x(), oneLine.center().x(), 0.01);
    // The short line is centred under the long one, and the box grows to hold both.
    EXPECT_NEAR(twoLines.lines[0].boxMm.center().x(), oneLine.center().x(), 0.01);
    EXPECT_GE(twoLines.boxMm.bottom(), twoLines.lines[1].boxMm.bottom());
    EXPECT_GT(twoLines.boxMm.height(), 7.14);
}

TEST_F(ResultSheetPaint, LongPlaceNameWrapsInsideItsBox) {
    const double boxLeft = 33.60, boxRight = 33.60 + 44.98;
    const QString names[] = {
        QStringLiteral("Szkoła Podstawowa nr 12 w Szczebrzeszynie nad Wieprzem"),
        QStringLiteral("Llanfairpwllgwyngyllgogerychwyrndrobwllllantysiliogogogoch"),  // no break
    };
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(10000);
    device.setDotsPerMeterY(10000);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        ReportPage page = resultSheetPage();
        page.setCaption(QStringLiteral("PrintYield2"), name);
        const PageLayout layout(page, device);
        const LaidOutLabel &label = layout.label(QStringLiteral("PrintYield2"));

        ASSERT_GE(label.lines.size(), 2);
        QString joined;
        for (const LaidOutLine &line : label.lines) {
            EXPECT_GE(line.boxMm.left(), boxLeft - 0.01);
            EXPECT_LE(line.boxMm.right(), boxRight + 0.01);
            EXPECT_LE(line.boxMm.width(), 44.98 + 0.01);
            joined += line.text;
        }
        EXPECT_EQ(joined.remove(u' '), QString(name).remove(u' '));
        EXPECT_NEAR(label.boxMm.left(), boxLeft, 0.01);
        EXPECT_NEAR(label.boxMm.width(), 44.98, 0.01);
        EXPECT_GE(label.boxMm.bottom() + 0.01, label.lines.last().boxMm.bottom());

        // On paper: ink on several lines, none of it outside the box's columns.
        const QRect ink = inkOf(QStringLiteral("PrintYield2"), name);
        EXPECT_GE(ink.left(), qFloor(bandMmToPx(boxLeft)));
        EXPECT_LE(ink.right(), qCeil(bandMmToPx(boxRight)));
        EXPECT_GT(ink.height() / kPxPerMm, 1.5 * 11 * 25.4 / 72.0);  // more than one 11 pt line
    }
}

}  // namespace
