// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StepButton.h"

StepButton::StepButton(QWidget *parent) : PictureBox(parent) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

void StepButton::mouseMoveEvent(QMouseEvent *) { emit mouseMoved(); }
