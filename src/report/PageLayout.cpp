// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/PageLayout.h"

#include <QFont>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace Report {

namespace {

constexpr double kMmPerInch = 25.4;

QFont fontFor(const LabelFont &wanted) {
    QFont font(wanted.face);
    // Where the named face is missing, a sans-serif one stands in, as the sheet was drawn with.
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(wanted.pointSize);
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    // Unhinted glyphs keep their laid-out widths when the painter scales them to the device.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Explicit line breaks of a caption, in the form QTextLayout breaks lines at.
QString withLineSeparators(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\n', QChar::LineSeparator);
    return text;
}

double anchoredLeft(const QRectF &design, Align align, double width) {
    switch (align) {
    case Align::Left: return design.left();
    case Align::Centre: return design.center().x() - width / 2.0;
    case Align::Right: return design.right() - width;
    }
    return design.left();
}

double alignedOffset(Align align, double boxWidth, double lineWidth) {
    switch (align) {
    case Align::Left: return 0.0;
    case Align::Centre: return (boxWidth - lineWidth) / 2.0;
    case Align::Right: return boxWidth - lineWidth;
    }
    return 0.0;
}

}  // namespace

DeviceScale DeviceScale::ofDevice(const QPaintDevice &device) {
    return {device.logicalDpiX() / kMmPerInch, device.logicalDpiY() / kMmPerInch};
}

DeviceScale DeviceScale::ofDpi(double dotsPerInch) {
    return {dotsPerInch / kMmPerInch, dotsPerInch / kMmPerInch};
}

// A label in layout dots (kLayoutDpi) from the paper's top-left corner.
struct PageLayout::Placed {
    LaidOutLabel label;
    QRectF boxDots;
    std::unique_ptr<QTextLayout> text;  // lines positioned relative to boxDots' top-left
};

namespace {

// A caption laid out at one font size: its lines, the width of the longest and their height.
struct Attempt {
    std::unique_ptr<QTextLayout> text;
    double longestLine = 0.0;
    double height = 0.0;
    bool wordTooWide = false;  // a line is wider than the width it was given
};

Attempt layOutText(const PageLabel &item, double pointSize, double lineWidth, QTextOption::WrapMode wrap,
                   QPaintDevice *metrics) {
    LabelFont font = item.font;
    font.pointSize = pointSize;
    Attempt a;
    a.text = std::make_unique<QTextLayout>(withLineSeparators(item.caption), fontFor(font), metrics);
    QTextOption option;
    option.setWrapMode(item.wordWrap ? wrap : QTextOption::NoWrap);
    a.text->setTextOption(option);
    a.text->beginLayout();
    for (QTextLine line = a.text->createLine(); line.isValid(); line = a.text->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0.0, a.height));
        a.height += line.height();
        a.longestLine = std::max(a.longestLine, line.naturalTextWidth());
        a.wordTooWide = a.wordTooWide || line.naturalTextWidth() > lineWidth * (1 + 1e-9);
    }
    a.text->endLayout();
    return a;
}

// Lines and labels starting this close below a caption's top are part of its row, not below it.
constexpr double SameRowMm = 1.0;

bool overlapsAcross(const QRectF &a, const QRectF &b) { return a.left() <= b.right() && a.right() >= b.left(); }
bool sameRow(const QRectF &a, const QRectF &b) {
    return a.top() < b.bottom() - SameRowMm && a.bottom() > b.top() + SameRowMm;
}

// Where a caption's text lies when laid out at its own size and width, in the band's
// millimetres (the box's top, the lines' left and right); an empty caption lies nowhere.
std::optional<QRectF> textExtent(const PageLabel &item, const DeviceScale &layout, QPaintDevice *metrics) {
    if (item.caption.trimmed().isEmpty())
        return std::nullopt;
    const double boxWidth = item.boxMm.width() * layout.dotsPerMmX;
    const Attempt a = layOutText(item, item.font.pointSize, item.autoSize ? 1e9 : boxWidth,
                                 QTextOption::WordWrap, metrics);
    const double width = std::min(a.longestLine, item.autoSize ? a.longestLine : boxWidth) / layout.dotsPerMmX;
    QRectF extent(anchoredLeft(item.boxMm, item.align, width), item.boxMm.top(), width, a.height / layout.dotsPerMmY);
    if (!item.autoSize)  // a fixed box aligns its text inside it
        extent.moveLeft(item.boxMm.left() + alignedOffset(item.align, item.boxMm.width(), width));
    return extent;
}

}  // namespace

// Fitting a caption where the design put it, in millimetres from the band's corner. A caption
// may grow down to the next label or line of a rectangle below it and, when auto-sized, sideways
// to its neighbours on the row or the rectangle around it. Lines break between words only; what
// does not fit so is printed a little smaller, down to FloorRatio of its size, rather than over
// its neighbour. Only a word too long for its box even then is broken.
class PageLayout::Fitter {
public:
    static constexpr double FloorRatio = 0.5;
    static constexpr double StepPoints = 0.25;
    static constexpr double GapMm = 1.0;  // between a caption and what it must not touch

    Fitter(const ReportPage &page, const std::vector<Placed> &placed, const DeviceScale &layout, QPaintDevice *metrics)
        : page_(page), placed_(placed) {
        for (const PageLabel &item : page.labels)
            extents_.push_back(textExtent(item, layout, metrics));
    }

    // The lowest the caption of label `index` may reach, for its text spanning `across`.
    double bottomLimit(qsizetype index, const QRectF &across) const {
        const QRectF &box = page_.labels[index].boxMm;
        double limit = page_.band.sizeMm.height();
        const auto below = [&](double y) {
            if (y > box.top() + SameRowMm)
                limit = std::min(limit, y);
        };
        for (qsizetype j = 0; j < page_.labels.size(); ++j)
            if (j != index && extents_[j] && overlapsAcross(*extents_[j], across))
                below(extents_[j]->top());
        for (const PageShape &shape : page_.shapes)
            if (overlapsAcross(shape.boxMm, across)) {
                below(shape.boxMm.top());
                below(shape.boxMm.bottom());
            }
        return limit;
    }

    // The room an auto-size label has on its row, left and right of its anchor.
    std::pair<double, double> rowLimits(qsizetype index, double height) const {
        const QRectF row(page_.labels[index].boxMm.left(), page_.labels[index].boxMm.top(),
                         page_.labels[index].boxMm.width(), height);
        double left = 0.0, right = page_.band.sizeMm.width();
        // The innermost rectangle around the label's anchor holds it.
        for (const PageShape &shape : page_.shapes)
            if (shape.boxMm.contains(row.center()) && shape.boxMm.width() - 2 * GapMm < right - left) {
                left = shape.boxMm.left() + GapMm;
                right = shape.boxMm.right() - GapMm;
            }
        for (qsizetype j = 0; j < page_.labels.size(); ++j) {
            if (j == index || !extents_[j])
                continue;
            // What comes earlier is laid out; what comes later keeps to its design box.
            const QRectF other = j < static_cast<qsizetype>(placed_.size()) ? placed_[j].label.boxMm : page_.labels[j].boxMm;
            if (!sameRow(other, row))
                continue;
            if (other.right() <= row.center().x())
                left = std::max(left, other.right() + GapMm);
            else if (other.left() >= row.center().x())
                right = std::min(right, other.left() - GapMm);
        }
        return {left, right};
    }

private:
    const ReportPage &page_;
    const std::vector<Placed> &placed_;
    std::vector<std::optional<QRectF>> extents_;  // each caption's text at its own size
};

PageLayout::PageLayout(const ReportPage &page, const QPaintDevice &device)
    : page_(page), device_(DeviceScale::ofDevice(device)) {
    QImage metrics(1, 1, QImage::Format_RGB32);  // the device whose font metrics lay text out
    const int dotsPerMetre = static_cast<int>(std::lround(kLayoutDpi / 0.0254));
    metrics.setDotsPerMeterX(dotsPerMetre);
    metrics.setDotsPerMeterY(dotsPerMetre);

    const QPointF band = page_.bandOriginMm();
    const Fitter fitter(page_, placed_, layout_, &metrics);
    placed_.reserve(page_.labels.size());
    for (qsizetype index = 0; index < page_.labels.size(); ++index) {
        const PageLabel &item = page_.labels[index];
        const QRectF designDots = layout_.toDots(item.boxMm.translated(band));

        // Largest size first; each try is judged on the room it leaves.
        const double floor = item.font.pointSize * Fitter::FloorRatio;
        Attempt text;
        QRectF boxDots;
        for (double size = item.font.pointSize;; size -= Fitter::StepPoints) {
            const bool last = size - Fitter::StepPoints < floor;
            double lineWidth = designDots.width();
            double anchorLeft = designDots.left();
            if (item.autoSize) {
                const auto [leftMm, rightMm] = fitter.rowLimits(index, item.boxMm.height());
                const double anchor = item.align == Align::Left    ? item.boxMm.left()
                                      : item.align == Align::Right ? item.boxMm.right()
                                                                   : item.boxMm.center().x();
                const double roomMm = item.align == Align::Left    ? rightMm - anchor
                                      : item.align == Align::Right ? anchor - leftMm
                                                                   : 2 * std::min(anchor - leftMm, rightMm - anchor);
                lineWidth = std::max(roomMm, 1.0) * layout_.dotsPerMmX;
            }
            text = layOutText(item, size, lineWidth, QTextOption::WordWrap, &metrics);
            if (last && text.wordTooWide)  // no size leaves the word whole: break it inside the box
                text = layOutText(item, size, lineWidth, QTextOption::WrapAtWordBoundaryOrAnywhere, &metrics);
            const double width = item.autoSize ? std::min(text.longestLine, lineWidth) : designDots.width();
            const double left = item.autoSize ? anchoredLeft(designDots, item.align, width) : anchorLeft;
            boxDots = QRectF(left, designDots.top(), width, std::max(designDots.height(), text.height));
            const QRectF across = layout_.toMm(boxDots).translated(-band);
            const double roomDown = fitter.bottomLimit(index, across) - item.boxMm.top();
            if (last || (!text.wordTooWide && text.height <= roomDown * layout_.dotsPerMmY + 1e-6))
                break;
        }

        Placed p;
        p.text = std::move(text.text);
        p.boxDots = boxDots;
        p.label.name = item.name;
        p.label.boxMm = layout_.toMm(p.boxDots).translated(-band);
        for (int i = 0; i < p.text->lineCount(); ++i) {
            QTextLine line = p.text->lineAt(i);
            const double natural = line.naturalTextWidth();
            line.setPosition(QPointF(alignedOffset(item.align, boxDots.width(), natural), line.y()));
            const QRectF lineDots(p.boxDots.left() + line.x(), p.boxDots.top() + line.y(), natural,
                                  line.height());
            p.label.lines.append({p.text->text().mid(line.textStart(), line.textLength()).trimmed(),
                                  layout_.toMm(lineDots).translated(-band)});
        }
        placed_.push_back(std::move(p));
    }
}

PageLayout::~PageLayout() = default;

const LaidOutLabel &PageLayout::label(const QString &name) const {
    const auto it = std::find_if(placed_.begin(), placed_.end(),
                                 [&](const Placed &p) { return p.label.name == name; });
    if (it == placed_.end())
        page_.label(name);  // throws, naming the label
    return it->label;
}

QRectF PageLayout::labelBoxDots(const QString &name) const {
    return bandToDots(label(name).boxMm);
}

QRectF PageLayout::bandToDots(const QRectF &bandMm) const {
    return device_.toDots(bandMm.translated(page_.bandOriginMm()));
}

void PageLayout::paint(QPainter &painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Everything below is drawn in layout dots.
    painter.scale(device_.dotsPerMmX / layout_.dotsPerMmX, device_.dotsPerMmY / layout_.dotsPerMmY);
    const auto inLayoutDots = [&](const QRectF &bandMm) {
        return layout_.toDots(bandMm.translated(page_.bandOriginMm()));
    };

    painter.fillRect(inLayoutDots(QRectF(QPointF(0, 0), page_.band.sizeMm)), Qt::white);

    // A thin line of whole device dots (at least one), so every edge prints equally thick.
    const double outlineDots = std::max(1.0, std::round(kOutlineWidthMm * device_.dotsPerMmX));
    QPen outline(Qt::black);
    outline.setWidthF(outlineDots * layout_.dotsPerMmX / device_.dotsPerMmX);
    outline.setJoinStyle(Qt::MiterJoin);
    painter.setPen(outline);
    painter.setBrush(Qt::white);
    for (const PageShape &shape : page_.shapes)
        painter.drawRect(inLayoutDots(shape.boxMm));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        const Placed &p = placed_[i];
        if (page_.labels[static_cast<qsizetype>(i)].opaque)
            painter.fillRect(p.boxDots, Qt::white);
        p.text->draw(&painter, p.boxDots.topLeft());
    }
    painter.restore();
}

void paintPage(QPainter &painter, const ReportPage &page) {
    if (!painter.isActive())
        throw std::logic_error("paintPage: the painter is not active");
    PageLayout(page, *painter.device()).paint(painter);
}

}  // namespace Report
