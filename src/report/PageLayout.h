// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "report/ReportPage.h"

#include <QRectF>
#include <QStringList>
#include <vector>

class QPaintDevice;
class QPainter;
class QTextLayout;

// Lays a ReportPage out and paints it on any paint device. Text is always measured at one fixed
// resolution (kLayoutDpi) and the painter scales it to the device, so line breaks and auto-size
// widths come out the same in millimetres in the print preview, on a printer, in a PDF file and
// in a test image: font sizes rounded to whole pixels at a low resolution cannot move them.
namespace Report {

// Millimetres on paper to device dots and back. Device dots are counted from the paper's top-left
// corner (printers and PDF writers are used in full-page mode).
struct DeviceScale {
    double dotsPerMmX = 1.0;
    double dotsPerMmY = 1.0;

    static DeviceScale ofDevice(const QPaintDevice &device);  // from its logical resolution
    static DeviceScale ofDpi(double dotsPerInch);

    QPointF toDots(const QPointF &mm) const { return {mm.x() * dotsPerMmX, mm.y() * dotsPerMmY}; }
    QRectF toDots(const QRectF &mm) const { return {toDots(mm.topLeft()), toDots(mm.bottomRight())}; }
    QRectF toMm(const QRectF &dots) const {
        return {dots.x() / dotsPerMmX, dots.y() / dotsPerMmY, dots.width() / dotsPerMmX,
                dots.height() / dotsPerMmY};
    }
};

// One line of a laid-out label: its text and the box its text occupies (the line's natural width,
// placed by the label's alignment), in millimetres from the band's top-left corner.
struct LaidOutLine {
    QString text;
    QRectF boxMm;
};

struct LaidOutLabel {
    QString name;
    QRectF boxMm;  // final box after auto-size and growth, from the band's top-left corner
    QList<LaidOutLine> lines;
};

// The resolution at which text is measured and laid out, in dots per inch.
inline constexpr int kLayoutDpi = 1200;

class PageLayout {
public:
    // The device is only read for its resolution; neither it nor the page need outlive the layout.
    PageLayout(const ReportPage &page, const QPaintDevice &device);
    ~PageLayout();
    PageLayout(const PageLayout &) = delete;
    PageLayout &operator=(const PageLayout &) = delete;

    // Throws std::out_of_range for a name the page does not have.
    const LaidOutLabel &label(const QString &name) const;
    QRectF labelBoxMm(const QString &name) const { return label(name).boxMm; }
    // The label's box in device dots from the paper's top-left corner.
    QRectF labelBoxDots(const QString &name) const;

    // Band-relative millimetres to device dots from the paper's top-left corner.
    QRectF bandToDots(const QRectF &bandMm) const;

    // Paints the whole page: the white band, the rectangles, then the labels. The painter must
    // paint on a device of the resolution given to the constructor, with its origin at the
    // paper's top-left corner and no transformation of its own. The paper itself (outside the
    // band) is left as it is.
    void paint(QPainter &painter) const;

private:
    struct Placed;
    class Fitter;
    ReportPage page_;
    DeviceScale device_;
    DeviceScale layout_ = DeviceScale::ofDpi(kLayoutDpi);
    std::vector<Placed> placed_;
};

// The one painting routine behind preview, printing, PDF and image output: lays the page out for
// the painter's device and paints it.
void paintPage(QPainter &painter, const ReportPage &page);

// Width of a rectangle's thin outline: one pixel of a 96 dpi screen, which still prints visibly.
inline constexpr double kOutlineWidthMm = 25.4 / 96.0;

}  // namespace Report
