// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LabelFit.h"

#include <QLabel>
#include <QStyle>
#include <QTextDocument>

namespace {

// The labels whose size is only their one line of text plus margins; any other (empty, wrapped,
// rich text, framed, indented, with a mnemonic, showing a picture) is left to QLabel itself.
bool isPlainLineLabel(const QLabel *label) {
    const Qt::TextFormat format = label->textFormat();
    const bool plain =
        format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(label->text()));
    return plain && !label->text().isEmpty() && !label->wordWrap() && label->frameWidth() == 0 &&
           label->indent() <= 0 && !label->buddy() && label->pixmap().isNull() && !label->movie() &&
           label->picture().isNull();
}

}  // namespace

void fitLabelToText(QLabel *label) {
    if (!isPlainLineLabel(label)) {
        label->adjustSize();
        return;
    }
    label->ensurePolished();
    const QString text = label->text();
    const Qt::LayoutDirection direction = text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    // Centring only moves the text; leaving it out keeps its size free of rounding.
    const int alignment =
        QStyle::visualAlignment(direction, label->alignment()) & ~(Qt::AlignVCenter | Qt::AlignHCenter);
    const int flags = alignment | Qt::TextExpandTabs;
    const QSize textSize = label->fontMetrics().boundingRect(0, 0, 2000, 2000, flags, text).size();
    const QMargins margins = label->contentsMargins();
    const int extra = 2 * label->margin();
    const QSize size(textSize.width() + extra + margins.left() + margins.right(),
                     textSize.height() + extra + margins.top() + margins.bottom());
    label->resize(size.expandedTo(label->minimumSize()));
}
