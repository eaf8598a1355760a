// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartText.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

namespace {

// Read-only static text whose lines a screen reader reads through the text interface (the
// desktop's accessibility bridge publishes no value of static text): the whole text, its words
// and lines, and where each character is on the screen. No caret, no selection, nothing to scroll.
class StartTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit StartTextAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::StaticText) {}

    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return startText().toPlainText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State shown = QAccessibleWidget::state();
        shown.readOnly = true;
        shown.multiLine = true;
        return shown;
    }

    QString text(int startOffset, int endOffset) const override {
        return startText().toPlainText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(startText().toPlainText().size()); }
    QRect characterRect(int offset) const override {
        const QTextDocument &document = startText().laidOutDocument();
        const QTextBlock block = document.findBlock(offset);
        if (!block.isValid() || !block.layout())
            return QRect();
        const int inBlock = offset - block.position();
        const QTextLine line = block.layout()->lineForTextPosition(inBlock);
        if (!line.isValid())
            return QRect();
        const qreal left = line.cursorToX(inBlock);
        const qreal right = inBlock < line.textStart() + line.textLength() ? line.cursorToX(inBlock + 1) : left;
        const QPointF origin = block.layout()->position() + startText().contentsRect().topLeft();
        const QRect local = QRectF(left, line.y(), right - left, line.height()).translated(origin).toAlignedRect();
        return QRect(startText().mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint &point) const override {
        const QPointF inField = startText().mapFromGlobal(point) - startText().contentsRect().topLeft();
        return startText().laidOutDocument().documentLayout()->hitTest(inField, Qt::ExactHit);
    }
    QString attributes(int, int *startOffset, int *endOffset) const override {
        *startOffset = 0;  // one face and colour throughout
        *endOffset = characterCount();
        return QString();
    }

    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    void scrollToSubstring(int, int) override {}

private:
    const StartText &startText() const { return *static_cast<const StartText *>(widget()); }
};

QAccessibleInterface *startTextFactory(const QString &className, QObject *object) {
    if (className == QLatin1String("StartText") && object && object->isWidgetType())
        return new StartTextAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

}  // namespace

StartText::StartText(QWidget *parent) : QFrame(parent) {
    static const bool registered = [] {
        QAccessible::installFactory(startTextFactory);
        return true;
    }();
    (void)registered;
    // The frame a text box has.
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    document_.setDocumentMargin(3);
    document_.setDefaultFont(font());
    document_.setUndoRedoEnabled(false);
}

void StartText::setPlainText(const QString &text) {
    const QString before = document_.toPlainText();
    document_.setPlainText(text);
    update();
    // A screen reader that shows the text learns that it changed (a new language, say).
    QAccessibleTextUpdateEvent event(this, 0, before, text);
    QAccessible::updateAccessibility(&event);
}

void StartText::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange)
        document_.setDefaultFont(font());
    QFrame::changeEvent(event);
}

const QTextDocument &StartText::laidOutDocument() const {
    document_.setTextWidth(contentsRect().width());
    return document_;
}

void StartText::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const QRect field = contentsRect();
    painter.fillRect(field, palette().brush(QPalette::Base));
    laidOutDocument();
    painter.save();
    painter.translate(field.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), field.size()));
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.clip = QRectF(0, 0, field.width(), field.height());
    document_.documentLayout()->draw(&painter, context);
    painter.restore();
    QFrame::paintEvent(event);  // the frame
}
