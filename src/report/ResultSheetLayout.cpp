// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ResultSheetLayout.h"

namespace Report {

namespace {

constexpr double kRowHeightMm = 7.14;
constexpr double kFooterHeightMm = 6.61;

LabelFont tahoma(double points) { return {QStringLiteral("Tahoma"), points}; }
LabelFont tahomaBold(double points) { return {QStringLiteral("Tahoma"), points, true}; }
LabelFont tahomaItalic(double points) { return {QStringLiteral("Tahoma"), points, false, true}; }
LabelFont verdanaItalic(double points) { return {QStringLiteral("Verdana"), points, false, true}; }

// Title lines: white behind the text, centred on their design box, as wide as their text.
PageLabel title(const char *name, double top, double left, double width, LabelFont font) {
    return {.name = QString::fromLatin1(name), .boxMm = QRectF(left, top, width, kRowHeightMm),
            .font = font, .align = Align::Centre, .autoSize = true, .opaque = true,
            .wordWrap = true, .caption = QString()};
}

// Table cells: a fixed box, transparent, the text aligned inside.
PageLabel cell(const char *name, double top, double left, double width, Align align, LabelFont font) {
    return {.name = QString::fromLatin1(name), .boxMm = QRectF(left, top, width, kRowHeightMm),
            .font = font, .align = align, .autoSize = false, .opaque = false,
            .wordWrap = true, .caption = QString()};
}

// Footer lines: transparent, as wide as their text, anchored at one edge (the box starts with no
// width, so its left and right edge are both the anchor).
PageLabel footer(const char *name, double top, double anchor, Align align, LabelFont font) {
    return {.name = QString::fromLatin1(name), .boxMm = QRectF(anchor, top, 0.0, kFooterHeightMm),
            .font = font, .align = align, .autoSize = true, .opaque = false,
            .wordWrap = true, .caption = QString()};
}

}  // namespace

ReportPage resultSheetPage() {
    constexpr Align L = Align::Left, C = Align::Centre, R = Align::Right;
    ReportPage page;
    page.setup = PageSetup{QSizeF(210.0, 297.0), QMarginsF(10.0, 10.0, 10.0, 10.0)};
    page.band = PageBand{QStringLiteral("QRBand1"), QSizeF(189.97, 267.49)};

    //              name                    left    top     width   height
    page.shapes = {{QStringLiteral("QRShape1"), QRectF(16.93, 16.67, 152.66, 235.48)},  // the whole sheet
                   {QStringLiteral("QRShape5"), QRectF(33.87, 202.67, 116.68, 21.96)},  // result block
                   {QStringLiteral("QRShape4"), QRectF(29.63, 171.71, 125.15, 31.75)},  // place 2's block
                   {QStringLiteral("QRShape3"), QRectF(29.63, 139.44, 125.15, 32.54)},  // place 1's block
                   {QStringLiteral("QRShape2"), QRectF(29.63, 133.09, 125.15, 6.61)}};  // table heading row

    page.labels = {
        //     name            top     left    width
        title("PrintRow1", 19.05, 82.55, 24.08, tahoma(15)),
        title("PrintRow2", 27.52, 82.55, 24.08, tahoma(15)),
        title("PrintRow3", 35.98, 82.55, 24.08, tahoma(15)),
        title("PrintRow3a", 44.45, 87.31, 14.82, tahoma(15)),
        title("PrintRow4", 52.92, 83.34, 22.49, tahoma(14)),
        title("PrintName1", 61.38, 81.76, 25.66, verdanaItalic(14)),
        title("PrintName2", 67.73, 81.76, 25.66, verdanaItalic(14)),
        title("PrintName3", 74.08, 81.76, 25.66, verdanaItalic(14)),
        title("PrintName4", 80.43, 81.76, 25.66, verdanaItalic(14)),
        title("PrintName5", 86.78, 81.76, 25.66, verdanaItalic(14)),
        title("PrintName6", 93.13, 81.76, 25.66, verdanaItalic(14)),
        title("PrintName7", 99.48, 81.76, 25.66, verdanaItalic(14)),
        title("PrintName8", 105.83, 81.76, 25.66, verdanaItalic(14)),
        title("PrintRow5", 114.30, 83.34, 22.49, tahoma(14)),
        title("PrintRow6", 122.77, 83.34, 22.49, tahoma(14)),

        //    name                top     left    width   align font
        cell("PrintResults1", 133.88, 33.60, 114.83, C, tahoma(12)),
        cell("PrintResults2", 140.23, 33.60, 44.98, C, tahoma(11)),
        cell("PrintYield2", 146.58, 33.60, 44.98, C, tahoma(11)),
        cell("PrintResults3", 140.23, 78.32, 40.48, R, tahoma(11)),
        cell("PrintYield3", 140.23, 122.77, 29.90, L, tahoma(11)),
        cell("PrintResults3a", 146.58, 78.32, 40.48, R, tahoma(11)),
        cell("PrintYield3a", 146.58, 122.77, 29.90, L, tahoma(11)),
        cell("PrintResults4", 152.66, 71.70, 47.10, R, tahoma(11)),
        cell("PrintYield4", 152.66, 122.77, 29.90, L, tahoma(11)),
        cell("PrintResults5", 159.01, 71.70, 47.10, R, tahoma(11)),
        cell("PrintYield5", 159.01, 122.77, 29.90, L, tahoma(11)),
        cell("PrintResults6", 165.36, 71.70, 47.10, R, tahoma(11)),
        cell("PrintYield6", 165.36, 122.77, 29.90, L, tahoma(11)),
        cell("PrintResults7", 171.71, 33.60, 44.98, C, tahoma(11)),
        cell("PrintYield7", 178.06, 33.60, 44.98, C, tahoma(11)),
        cell("PrintResults8", 171.71, 78.32, 40.48, R, tahoma(11)),
        cell("PrintYield8", 171.71, 122.77, 30.43, L, tahoma(11)),
        cell("PrintResults8a", 178.06, 78.32, 40.48, R, tahoma(11)),
        cell("PrintYield8a", 178.06, 122.77, 30.43, L, tahoma(11)),
        cell("PrintResults9", 184.15, 71.70, 47.10, R, tahoma(11)),
        cell("PrintYield9", 184.15, 122.77, 30.43, L, tahoma(11)),
        cell("PrintResults10", 190.50, 71.70, 47.10, R, tahoma(11)),
        cell("PrintYield10", 190.50, 122.77, 30.43, L, tahoma(11)),
        cell("PrintResults11", 196.85, 71.70, 47.10, R, tahoma(12)),
        cell("PrintYield11", 196.85, 122.77, 30.43, L, tahoma(12)),

        cell("PrintResults12", 203.20, 35.72, 59.27, R, tahoma(12)),
        cell("PrintYield12", 203.20, 98.69, 50.27, L, tahoma(12)),
        cell("PrintResults13", 209.55, 35.72, 59.27, R, tahoma(12)),
        cell("PrintYield13", 209.55, 98.69, 50.27, L, tahoma(12)),
        cell("PrintResults14", 215.90, 35.72, 59.27, R, tahoma(12)),
        cell("PrintYield14", 215.90, 98.69, 50.27, L, tahomaBold(12)),

        //      name            top     anchor  align font
        footer("PrintFooter1", 228.60, 27.25, L, tahomaItalic(9)),
        footer("PrintFooter2", 234.95, 27.25, L, tahomaItalic(9)),
        footer("PrintFooter3", 228.60, 166.69, R, tahoma(10)),
        footer("PrintFooter4", 234.95, 166.69, R, tahoma(10)),
    };
    return page;
}

}  // namespace Report
