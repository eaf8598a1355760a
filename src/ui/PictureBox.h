// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "draw/DrawCanvas.h"

#include <QImage>
#include <QWidget>

// An image control: shows its bitmap at its own size from the top-left corner, clipped, never
// stretched. The pictures of the steps are painted straight into the bitmap.
class PictureBox : public QWidget, public DrawCanvas {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return picture_; }
    // The bitmap to paint on; bitmapChanged() shows it.
    QSize clientSize() const override { return size(); }
    QImage &bitmap() override { return picture_; }
    void bitmapChanged() override { update(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage picture_;
};
