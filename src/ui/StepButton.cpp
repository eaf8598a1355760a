// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StepButton.h"

#include "ui/WindowFont.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <cmath>

namespace {

const QColor TextColor(255, 255, 0);
const QColor OutlineColor(0, 0, 0);
const int LineTops[3] = {10, 25, 40};

}  // namespace

StepButton::StepButton(QWidget *parent) : QWidget(parent) {
    registerStepButtonAccessibility();
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    setProperty("focusRing", false);  // the ring is painted inside the button
}

void StepButton::setFace(const QColor &fill, const QStringList &lines) {
    if (fill == fill_ && lines == lines_ && !stale_)
        return;
    const bool renamed = lines != lines_;
    fill_ = fill;
    lines_ = lines;
    stale_ = true;
    update();
    if (renamed) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void StepButton::setCurrent(bool current) {
    if (current == current_)
        return;
    current_ = current;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void StepButton::setShortcut(const QKeySequence &keys) {
    shortcut_ = keys;
    auto *shortcut = new QShortcut(keys, this);  // active anywhere in the button's window
    connect(shortcut, &QShortcut::activated, this, &StepButton::clicked);
}

QString StepButton::accessibleText() const {
    QStringList shown;
    for (const QString &line : lines_)
        if (!line.trimmed().isEmpty())
            shown << line.trimmed();
    return shown.join(QStringLiteral(", "));
}

const QImage &StepButton::picture() const {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    const qreal ratio = devicePixelRatioF();
    if (!stale_ && picture_.deviceIndependentSize() == QSizeF(size) && picture_.devicePixelRatio() == ratio)
        return picture_;
    picture_ = QImage(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio)),
                      QImage::Format_RGB32);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(fill_);
    QPainter painter(&picture_);
    paintLines(painter, size.width(), ratio);
    stale_ = false;
    return picture_;
}

void StepButton::paintLines(QPainter &painter, int width, qreal ratio) const {
    static const QFont font = windowFont(14, true);  // a 17-pixel character cell
    painter.setFont(font);
    for (int i = 0; i < lines_.size() && i < 3; ++i) {
        const QRect box(10, LineTops[i], width, 17);
        // The outline: the text once more in black one pixel off in each of the eight directions.
        // Where a pixel is a whole number of device pixels the black text is drawn once into a
        // layer placed eight times: the same pixels for a third of the work.
        if (ratio == std::floor(ratio)) {
            const QRect area = box.adjusted(-2, -2, 2, 2);
            QImage layer(int(std::ceil(area.width() * ratio)), int(std::ceil(area.height() * ratio)),
                         QImage::Format_ARGB32_Premultiplied);
            layer.setDevicePixelRatio(ratio);
            layer.fill(Qt::transparent);
            QPainter layerPainter(&layer);
            layerPainter.setFont(font);
            layerPainter.setPen(OutlineColor);
            layerPainter.drawText(box.translated(-area.topLeft()), Qt::AlignLeft | Qt::AlignTop, lines_[i]);
            layerPainter.end();
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if (dx || dy)
                        painter.drawImage(QPointF(area.left() + dx, area.top() + dy), layer);
        } else {
            painter.setPen(OutlineColor);
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if (dx || dy)
                        painter.drawText(box.translated(dx, dy), Qt::AlignLeft | Qt::AlignTop, lines_[i]);
        }
        painter.setPen(TextColor);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, lines_[i]);
    }
}

void StepButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    // Where a pixel is a whole number of device pixels the face is painted straight onto the
    // window, the same pixels as the bitmap without the memory of one; elsewhere the bitmap is
    // placed, whose edges fall on whole device pixels.
    const qreal ratio = devicePixelRatioF();
    if (ratio == std::floor(ratio)) {
        painter.fillRect(rect(), fill_);
        paintLines(painter, width(), ratio);
    } else {
        painter.drawImage(QPoint(0, 0), picture());
    }
    if (!hasFocus())
        return;
    // A light band outside a dark one: one of the two stands out on every fill.
    const int band = FocusRingWidth / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::NoBrush);
    const QRect outer = rect();
    const QRect inner = outer.adjusted(band, band, -band, -band);
    const QRect core = inner.adjusted(band, band, -band, -band);
    painter.setClipRegion(QRegion(outer).subtracted(QRegion(inner)));
    painter.fillRect(outer, Qt::white);
    painter.setClipRegion(QRegion(inner).subtracted(QRegion(core)));
    painter.fillRect(inner, Qt::black);
}

void StepButton::keyPressEvent(QKeyEvent *event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const int key = event->key();
    if (plain && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (!event->isAutoRepeat())
            emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StepButton::focusInEvent(QFocusEvent *event) {
    QWidget::focusInEvent(event);
    update();
}

void StepButton::focusOutEvent(QFocusEvent *event) {
    QWidget::focusOutEvent(event);
    update();
}

void StepButton::enterEvent(QEnterEvent *event) {
    // The pointing hand is set when the pointer first comes: setting it at start would look it up
    // in the desktop's cursor themes before the window is even shown.
    if (!testAttribute(Qt::WA_SetCursor))
        setCursor(Qt::PointingHandCursor);
    QWidget::enterEvent(event);
}

void StepButton::mouseMoveEvent(QMouseEvent *) { emit mouseMoved(); }

void StepButton::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

// --- Accessibility ---------------------------------------------------------------------------

namespace {

// A step button as assistive technology sees it: a push button named by its three lines,
// checkable, checked while its step is shown, pressed by its default action.
class StepButtonAccessible : public QAccessibleWidget {
public:
    explicit StepButtonAccessible(StepButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isCurrent();
        return s;
    }
    QString text(QAccessible::Text t) const override;
    QStringList keyBindingsForAction(const QString &actionName) const override {
        if (actionName == pressAction() && !button()->shortcut().isEmpty())
            return {button()->shortcut().toString(QKeySequence::NativeText)};
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &actionName) override {
        if (actionName == pressAction())
            emit button()->clicked();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    StepButton *button() const { return static_cast<StepButton *>(widget()); }
};

QString StepButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name)
        return button()->accessibleText();
    if (t == QAccessible::Accelerator)
        return button()->shortcut().toString(QKeySequence::NativeText);
    return QAccessibleWidget::text(t);
}

QAccessibleInterface *stepButtonFactory(const QString &className, QObject *object) {
    if (className == QLatin1String("StepButton") && object && object->isWidgetType())
        return new StepButtonAccessible(static_cast<StepButton *>(object));
    return nullptr;
}

}  // namespace

void registerStepButtonAccessibility() {
    static const bool registered = [] {
        QAccessible::installFactory(stepButtonFactory);
        return true;
    }();
    (void)registered;
}
