// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PictureBox.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {

// A picture is a graphic to assistive technology (a plain widget would be an unnamed "client").
QAccessibleInterface *pictureBoxFactory(const QString &className, QObject *object) {
    if (className == QLatin1String("PictureBox") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

}  // namespace

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {
    static const bool registered = [] {
        QAccessible::installFactory(pictureBoxFactory);
        return true;
    }();
    (void)registered;
}

void PictureBox::setPicture(const QImage &picture) {
    picture_ = picture;
    painted_ = false;
    update();
}

void PictureBox::bitmapChanged() {
    painted_ = true;
    update();
}

void PictureBox::setDescription(const QString &text) {
    if (text != accessibleDescription())
        setAccessibleDescription(text);  // tells a listening screen reader
}

void PictureBox::paintEvent(QPaintEvent *) {
    // A painted picture made for another pixel ratio would be blurred: it is painted afresh.
    if (painted_ && !picture_.isNull() && picture_.devicePixelRatio() != devicePixelRatioF())
        emit needsRepaint();
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}

void PictureBox::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (painted_ && !picture_.isNull())
        emit needsRepaint();
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
