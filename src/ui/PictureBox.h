// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "draw/DrawCanvas.h"

#include <QImage>
#include <QWidget>

// An image control: shows its bitmap at its own size from the top-left corner, clipped, never
// stretched. The pictures of the steps are painted straight into the bitmap, at the screen's
// device pixel ratio; a loaded photograph is shown at its own pixel ratio.
//
// For a screen reader the control is a graphic: its accessible name says which picture it is,
// its description what the picture shows now (set by the drawing object).
class PictureBox : public QWidget, public DrawCanvas {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return picture_; }
    // The bitmap to paint on; bitmapChanged() shows it.
    QSize clientSize() const override { return size(); }
    qreal pixelRatio() const override { return devicePixelRatioF(); }
    QImage &bitmap() override { return picture_; }
    void bitmapChanged() override;
    void setDescription(const QString &text) override;

signals:
    void clicked();
    // A painted picture no longer fits the control (resized, or moved to a screen of another
    // pixel ratio): whoever painted it should paint it again.
    void needsRepaint();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage picture_;
    bool painted_ = false;  // the bitmap was painted by a drawing object, not loaded
};
