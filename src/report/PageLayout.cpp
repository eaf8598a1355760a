// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/PageLayout.h"

#include <QFont>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
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

PageLayout::PageLayout(const ReportPage &page, const QPaintDevice &device)
    : page_(page), device_(DeviceScale::ofDevice(device)) {
    QImage metrics(1, 1, QImage::Format_RGB32);  // the device whose font metrics lay text out
    const int dotsPerMetre = static_cast<int>(std::lround(kLayoutDpi / 0.0254));
    metrics.setDotsPerMeterX(dotsPerMetre);
    metrics.setDotsPerMeterY(dotsPerMetre);

    const QPointF band = page_.bandOriginMm();
    placed_.reserve(page_.labels.size());
    for (const PageLabel &item : page_.labels) {
        Placed p;
        p.text = std::make_unique<QTextLayout>(withLineSeparators(item.caption), fontFor(item.font), &metrics);
        QTextOption option;
        option.setWrapMode(item.wordWrap && !item.autoSize ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                                           : QTextOption::NoWrap);
        p.text->setTextOption(option);

        // Break into lines at the box width (fixed labels) or at explicit breaks only (auto-size).
        const QRectF designDots = layout_.toDots(item.boxMm.translated(band));
        double textHeight = 0.0;
        double longestLine = 0.0;
        p.text->beginLayout();
        for (QTextLine line = p.text->createLine(); line.isValid(); line = p.text->createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(item.autoSize ? 1e9 : designDots.width());
            line.setPosition(QPointF(0.0, textHeight));
            textHeight += line.height();
            longestLine = std::max(longestLine, line.naturalTextWidth());
        }
        p.text->endLayout();

        const double width = item.autoSize ? longestLine : designDots.width();
        const double left = item.autoSize ? anchoredLeft(designDots, item.align, width) : designDots.left();
        p.boxDots = QRectF(left, designDots.top(), width, std::max(designDots.height(), textHeight));

        p.label.name = item.name;
        p.label.boxMm = layout_.toMm(p.boxDots).translated(-band);
        for (int i = 0; i < p.text->lineCount(); ++i) {
            QTextLine line = p.text->lineAt(i);
            const double natural = line.naturalTextWidth();
            line.setPosition(QPointF(alignedOffset(item.align, width, natural), line.y()));
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
