// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartText.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>

namespace {

class StartTextAccessible : public QAccessibleWidget {
public:
    explicit StartTextAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return static_cast<const StartText *>(widget())->toPlainText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State shown = QAccessibleWidget::state();
        shown.readOnly = true;
        return shown;
    }
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
    document_.setPlainText(text);
    update();
    QAccessibleValueChangeEvent event(this, text);
    QAccessible::updateAccessibility(&event);
}

void StartText::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange)
        document_.setDefaultFont(font());
    QFrame::changeEvent(event);
}

void StartText::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const QRect field = contentsRect();
    painter.fillRect(field, palette().brush(QPalette::Base));
    document_.setTextWidth(field.width());
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
