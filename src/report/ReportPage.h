// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The description of a one-page printed report: the paper, one title band, rectangles and text
// labels. Every length is in millimetres. Shapes and labels are placed from the band's top-left
// corner, and the band's top-left corner sits at the page margins (left and top). Apart from the
// captions, which the program sets at run time by label name, the description is fixed.
namespace Report {

struct PageSetup {
    QSizeF paperMm{210.0, 297.0};                // A4 portrait
    QMarginsF marginsMm{10.0, 10.0, 10.0, 10.0};  // left, top, right, bottom
};

// The one title band, printed once at the top of the page with a white background.
struct PageBand {
    QString name;
    QSizeF sizeMm;
};

// A rectangle with a white fill and a thin black outline.
struct PageShape {
    QString name;
    QRectF boxMm;  // from the band's top-left corner
};

enum class Align { Left, Centre, Right };

struct LabelFont {
    QString face;       // a font family name; fontconfig substitutes what the system lacks
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
};

// A text label. A fixed label keeps its box and aligns its text inside it, wrapping words at the
// box width (a single word wider than the box is broken, so no text sticks out). An auto-size label takes the width of its longest line (lines are separated by '\n')
// and keeps its anchor: a centred label keeps the centre of its design box, a right-aligned one
// the right edge, a left-aligned one the left edge. Either kind grows downwards when its text
// needs more height than the box gives, so no text is ever cut off.
struct PageLabel {
    QString name;
    QRectF boxMm;  // design box from the band's top-left corner
    LabelFont font;
    Align align = Align::Left;
    bool autoSize = false;
    bool opaque = false;    // white background behind the text instead of a transparent one
    bool wordWrap = true;
    QString caption;
};

class ReportPage {
public:
    PageSetup setup;
    PageBand band;
    QList<PageShape> shapes;  // painted in this order, before every label
    QList<PageLabel> labels;  // painted in this order

    // The band's top-left corner in millimetres from the page's top-left corner.
    QPointF bandOriginMm() const { return {setup.marginsMm.left(), setup.marginsMm.top()}; }

    bool hasLabel(const QString &name) const;

    // The label of this name (exact, case-sensitive). Throws std::out_of_range naming the label
    // when the page has none of that name, since that is a fault of the calling program.
    const PageLabel &label(const QString &name) const;
    const PageShape &shape(const QString &name) const;

    // Sets the text shown by the named label; throws std::out_of_range as label() does.
    void setCaption(const QString &name, const QString &text);
    QString caption(const QString &name) const { return label(name).caption; }

    // Empties every caption (a freshly loaded layout).
    void clearCaptions();
};

}  // namespace Report
