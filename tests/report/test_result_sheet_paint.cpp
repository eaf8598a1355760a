// SPDX-License-Identifier: GPL-3.0-or-later
// The result sheet as painted: rendered at 254 dpi (ten pixels to the millimetre) and checked on
// its pixels against the sheet's millimetre layout.
#include "ReportTestSupport.h"
#include "report/PageLayout.h"
#include "support/PageOutput.h"
#include "report/ResultSheetLayout.h"

#include <QtMath>
#include <gtest/gtest.h>
#include <iterator>
#include <map>

using namespace Report;
using namespace ReportTest;

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

// What the sheet's layout must achieve, checked on where "HHH" lands in every label (flat-topped
// capitals whose ink height is the font's cap height, 0.73 em in the DejaVu Sans that stands in
// for Tahoma and Verdana, with small side bearings). Each label is filled alone; its ink is in
// millimetres from the band's top-left corner.
class ResultSheetCaptions : public ResultSheetPaint {
protected:
    static void SetUpTestSuite() {
        ResultSheetPaint::SetUpTestSuite();
        inks_ = new std::map<QString, QRectF>;
        for (const PageLabel &label : resultSheetPage().labels) {
            const QRect ink = inkOf(label.name, QStringLiteral("HHH"));
            (*inks_)[label.name] = QRectF(ink.left() / kPxPerMm - 10.0, ink.top() / kPxPerMm - 10.0,
                                          ink.width() / kPxPerMm, ink.height() / kPxPerMm);
        }
    }
    static void TearDownTestSuite() {
        delete inks_;
        inks_ = nullptr;
        ResultSheetPaint::TearDownTestSuite();
    }
    static QRectF ink(const QString &name) { return inks_->at(name); }
    static QRectF ink(const char *name) { return ink(QString::fromLatin1(name)); }
    static const std::map<QString, QRectF> &inks() { return *inks_; }

private:
    static inline std::map<QString, QRectF> *inks_ = nullptr;
};

double anchorOf(const QRectF &box, Align align) {
    switch (align) {
    case Align::Left: return box.left();
    case Align::Centre: return box.center().x();
    case Align::Right: return box.right();
    }
    return 0.0;
}

QRectF grown(const QRectF &box, double mm) { return box.adjusted(-mm, -mm, mm, mm); }

TEST_F(ResultSheetCaptions, EachIsPaintedInItsLaidOutBoxInItsOwnFontSize) {
    QImage device(10, 10, QImage::Format_RGB32);  // 254 dpi, as the rendered sheet
    device.setDotsPerMeterX(10000);
    device.setDotsPerMeterY(10000);
    for (const PageLabel &label : resultSheetPage().labels) {
        SCOPED_TRACE(label.name.toStdString());
        ReportPage page = resultSheetPage();
        page.setCaption(label.name, QStringLiteral("HHH"));
        const QRectF box = PageLayout(page, device).labelBoxMm(label.name);
        const QRectF inkMm = ink(label.name);
        ASSERT_FALSE(inkMm.isEmpty());

        EXPECT_NEAR(anchorOf(box, label.align), anchorOf(label.boxMm, label.align), 0.01);  // the anchor holds
        EXPECT_TRUE(grown(box, 0.1).contains(inkMm));
        const double capHeightMm = 0.73 * label.font.pointSize * 25.4 / 72.0;
        EXPECT_NEAR(inkMm.height(), capHeightMm, 0.1 * capHeightMm);
        EXPECT_GE(inkMm.top(), box.top() + 0.3);
        EXPECT_LE(inkMm.top(), box.top() + 2.2);
        switch (label.align) {
        case Align::Left: EXPECT_LE(inkMm.left(), box.left() + 0.8); break;
        case Align::Right: EXPECT_GE(inkMm.right(), box.right() - 0.8); break;
        case Align::Centre: EXPECT_NEAR(inkMm.center().x(), box.center().x(), 0.4); break;
        }
    }
}

TEST_F(ResultSheetCaptions, StayInsideTheFrameOnThePrintablePaperAndCrossNoLine) {
    const ReportPage sheet = resultSheetPage();
    const QRectF paperInsideMargins =
        QRectF(QPointF(), sheet.setup.paperMm).marginsRemoved(sheet.setup.marginsMm).translated(-sheet.bandOriginMm());
    const QRectF band(QPointF(), sheet.band.sizeMm);
    EXPECT_TRUE(paperInsideMargins.contains(band));
    const QRectF frame = sheet.shape(QStringLiteral("QRShape1")).boxMm;
    EXPECT_TRUE(band.contains(frame));
    for (const auto &[name, inkMm] : inks()) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(frame.contains(inkMm));
        // A caption lies inside a rectangle or beside it, never across one of its lines.
        for (const PageShape &shape : sheet.shapes)
            EXPECT_TRUE(shape.boxMm.contains(inkMm) || !shape.boxMm.intersects(inkMm)) << shape.name.toStdString();
    }
}

TEST_F(ResultSheetCaptions, NoTwoOverlap) {
    for (auto a = inks().begin(); a != inks().end(); ++a)
        for (auto b = std::next(a); b != inks().end(); ++b)
            EXPECT_FALSE(grown(a->second, 0.2).intersects(b->second))
                << a->first.toStdString() << " and " << b->first.toStdString();
}

TEST_F(ResultSheetCaptions, TheTableReadsAcrossEachRowAndEachPlaceHasItsFrame) {
    const ReportPage sheet = resultSheetPage();
    auto frame = [&](const char *name) { return sheet.shape(QString::fromLatin1(name)).boxMm; };
    EXPECT_TRUE(frame("QRShape2").contains(ink("PrintResults1")));  // the table's heading

    // Each place's name stands under its heading; every other row reads heading, then value.
    struct Block {
        const char *frame;
        QStringList rows;  // the label suffixes, top to bottom
        const char *placeName;
    };
    const Block blocks[] = {{"QRShape3", {"3", "3a", "4", "5", "6"}, "2"},
                            {"QRShape4", {"8", "8a", "9", "10", "11"}, "7"},
                            {"QRShape5", {"12", "13", "14"}, nullptr}};
    for (const Block &block : blocks) {
        SCOPED_TRACE(block.frame);
        const QRectF box = frame(block.frame);
        if (block.placeName) {
            const QRectF heading = ink(("PrintResults" + QString::fromLatin1(block.placeName)));
            const QRectF value = ink(("PrintYield" + QString::fromLatin1(block.placeName)));
            EXPECT_TRUE(box.contains(heading));
            EXPECT_TRUE(box.contains(value));
            EXPECT_LT(heading.bottom(), value.top());
            EXPECT_NEAR(heading.center().x(), value.center().x(), 0.4);
        }
        // The headings end on one column, the values start on the next; a row shares one size.
        const double headingsEnd = ink("PrintResults" + block.rows.first()).right();
        const double valuesStart = ink("PrintYield" + block.rows.first()).left();
        double previousTop = box.top();
        for (const QString &row : block.rows) {
            SCOPED_TRACE(row.toStdString());
            const QRectF heading = ink("PrintResults" + row);
            const QRectF value = ink("PrintYield" + row);
            EXPECT_TRUE(box.contains(heading));
            EXPECT_TRUE(box.contains(value));
            EXPECT_LT(heading.right(), value.left());
            EXPECT_NEAR(heading.right(), headingsEnd, 0.3);
            EXPECT_NEAR(value.left(), valuesStart, 0.3);
            EXPECT_NEAR(heading.top(), value.top(), 0.3);
            EXPECT_NEAR(heading.height(), value.height(), 0.15);
            EXPECT_GT(heading.top(), previousTop);
            previousTop = heading.top();
        }
    }
}

TEST_F(ResultSheetCaptions, TitleAndPupilsStandOnOneAxisAndTheFooterBelowTheTable) {
    QStringList column = {"PrintRow1", "PrintRow2", "PrintRow3", "PrintRow3a", "PrintRow4"};
    for (int i = 1; i <= 8; ++i)
        column << QStringLiteral("PrintName%1").arg(i);
    column << "PrintRow5" << "PrintRow6";
    const double axis = ink(column.first()).center().x();
    for (qsizetype i = 0; i < column.size(); ++i) {
        SCOPED_TRACE(column[i].toStdString());
        EXPECT_NEAR(ink(column[i]).center().x(), axis, 0.3);
        if (i > 0) {
            EXPECT_GT(ink(column[i]).top(), ink(column[i - 1]).bottom());
        }
    }
    // the pupils' lines are evenly spaced, so an empty line shows as a gap of one line
    const double spacing = ink("PrintName2").top() - ink("PrintName1").top();
    for (int i = 2; i <= 8; ++i)
        EXPECT_NEAR(ink(QStringLiteral("PrintName%1").arg(i)).top() - ink(QStringLiteral("PrintName%1").arg(i - 1)).top(),
                    spacing, 0.15)  // a pixel, 0.1 mm, either way
            << i;
    EXPECT_LT(ink("PrintRow6").bottom(), resultSheetPage().shape(QStringLiteral("QRShape2")).boxMm.top());

    // The footer: school and date on the right, their headings on the left, line by line.
    const QRectF tableBottom = resultSheetPage().shape(QStringLiteral("QRShape5")).boxMm;
    for (const char *name : {"PrintFooter1", "PrintFooter3"})
        EXPECT_GT(ink(name).top(), tableBottom.bottom()) << name;
    EXPECT_NEAR(ink("PrintFooter1").left(), ink("PrintFooter2").left(), 0.3);
    EXPECT_NEAR(ink("PrintFooter3").right(), ink("PrintFooter4").right(), 0.3);
    EXPECT_LT(ink("PrintFooter1").bottom(), ink("PrintFooter2").top());
    EXPECT_LT(ink("PrintFooter3").bottom(), ink("PrintFooter4").top());
    EXPECT_LT(ink("PrintFooter1").right(), ink("PrintFooter3").left());
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
#ifdef _WIN32
    GTEST_SKIP() << "under Wine, Tahoma's bold face paints the very pixels of its regular face";
#endif
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

// Crowded captions at the real page size: each stays whole word by word, no two overlap and all
// stay inside the sheet's frame. A caption that needs it is printed smaller instead.
TEST_F(ResultSheetPaint, CrowdedCaptionsNeitherOverlapNorBreakInsideAWord) {
    using Captions = std::vector<std::pair<const char *, QString>>;
    const Captions rows[] = {
        // A mean with its uncertainty beside the stick's row, a reading file's long name, long
        // school and pupil names, a long statement with the date.
        {{"PrintYield2", QStringLiteral("Gdańsk\n(pomiar z pliku Pomiar_Gdańsk_2026-06-21.txt)")},
         {"PrintResults3a", QStringLiteral("Długość cienia:")}, {"PrintYield3a", QStringLiteral("507,2 ± 1,3 mm")},
         {"PrintYield8a", QStringLiteral("1000,0 ± 12,3 mm")}, {"PrintYield14", QStringLiteral("40015 km ± 290 km")},
         {"PrintYield7", QStringLiteral("Szkoła Podstawowa nr 12 im. Mikołaja Kopernika w Szczebrzeszynie")},
         {"PrintName1", QStringLiteral("Maria Magdalena Konstantynopolitańczykiewiczówna-Brzęczyszczykiewicz")},
         {"PrintRow5", QStringLiteral("die am 21.06.2026 an zwei Schulen den Schatten eines Stabs gemessen haben")},
         {"PrintFooter1", QStringLiteral("Miejsce wystawienia dyplomu:")},
         {"PrintFooter3", QStringLiteral("Szkoła Podstawowa nr 12 im. Mikołaja Kopernika w Szczebrzeszynie")}},
        // A long place name wraps in its own size inside its box.
        {{"PrintYield2", QStringLiteral("Szkoła Podstawowa nr 12 w Szczebrzeszynie nad Wieprzem")}},
    };
    QImage device(10, 10, QImage::Format_RGB32);  // 254 dpi, as the rendered sheet
    device.setDotsPerMeterX(10000);
    device.setDotsPerMeterY(10000);
    const QRectF frame = resultSheetPage().shape(QStringLiteral("QRShape1")).boxMm;
    for (const Captions &captions : rows) {
        SCOPED_TRACE(captions.front().second.toStdString());
        ReportPage page = resultSheetPage();
        for (const PageLabel &label : resultSheetPage().labels)  // every other label holds a short text
            page.setCaption(label.name, QStringLiteral("Hx"));
        for (const auto &[name, caption] : captions)
            page.setCaption(QString::fromLatin1(name), caption);
        const PageLayout layout(page, device);
        std::vector<std::pair<QString, QRectF>> lines;
        for (const PageLabel &item : page.labels) {
            const LaidOutLabel &label = layout.label(item.name);
            QStringList words;
            for (const LaidOutLine &line : label.lines) {
                words << line.text.split(u' ', Qt::SkipEmptyParts);
                lines.emplace_back(label.name, line.boxMm);
                EXPECT_TRUE(frame.contains(line.boxMm)) << item.name.toStdString();
            }
            EXPECT_EQ(words, item.caption.simplified().split(u' ')) << item.name.toStdString();
        }
        for (std::size_t i = 0; i < lines.size(); ++i)
            for (std::size_t j = i + 1; j < lines.size(); ++j)
                if (lines[i].first != lines[j].first)
                    EXPECT_FALSE(lines[i].second.intersects(lines[j].second))
                        << lines[i].first.toStdString() << " and " << lines[j].first.toStdString();
    }
    // The place name keeps its size where it has room below: lines as high as a short name's.
    ReportPage page = resultSheetPage();
    page.setCaption(QStringLiteral("PrintYield2"), QStringLiteral("Hx"));
    const double lineHeight = PageLayout(page, device).label(QStringLiteral("PrintYield2")).lines.first().boxMm.height();
    page.setCaption(QStringLiteral("PrintYield2"), rows[1].front().second);
    const PageLayout layout(page, device);
    const LaidOutLabel &name = layout.label(QStringLiteral("PrintYield2"));
    ASSERT_GE(name.lines.size(), 2);
    EXPECT_NEAR(name.lines.first().boxMm.height(), lineHeight, 0.01);
}

}  // namespace
