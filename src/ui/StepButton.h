// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/PictureBox.h"

// One of the seven step buttons of the main window's right-hand column: an image whose bitmap the
// window paints (fill colour by state, three lines of text), reporting clicks and mouse moves.
class StepButton : public PictureBox {
    Q_OBJECT
public:
    explicit StepButton(QWidget *parent = nullptr);

signals:
    void mouseMoved();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
};
