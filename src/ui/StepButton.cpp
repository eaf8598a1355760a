// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StepButton.h"

#include "ui/WindowFont.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor TextColor(255, 255, 0);
const int LineTops[3] = {10, 25, 40};

}  // namespace

StepButton::StepButton(QWidget *parent) : QWidget(parent) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

void StepButton::setFace(const QColor &fill, const QStringList &lines) {
    if (fill == fill_ && lines == lines_ && !stale_)
        return;
    fill_ = fill;
    lines_ = lines;
    stale_ = true;
    update();
}

const QImage &StepButton::picture() const {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    if (!stale_ && picture_.size() == size)
        return picture_;
    picture_ = QImage(size, QImage::Format_RGB32);
    picture_.fill(fill_);
    QPainter painter(&picture_);
    static const QFont font = windowFont(14, true);  // a 17-pixel character cell
    painter.setFont(font);
    painter.setPen(TextColor);
    for (int i = 0; i < lines_.size() && i < 3; ++i)
        painter.drawText(QRect(10, LineTops[i], size.width(), 17), Qt::AlignLeft | Qt::AlignTop, lines_[i]);
    stale_ = false;
    return picture_;
}

void StepButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture());
}

void StepButton::mouseMoveEvent(QMouseEvent *) { emit mouseMoved(); }

void StepButton::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
