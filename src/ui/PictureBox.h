// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QWidget>

// An image control: shows its bitmap at its own size from the top-left corner, clipped, never
// stretched. The pictures of the steps are painted straight into the bitmap.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return picture_; }
    // The bitmap to paint on; call update() afterwards.
    QImage &bitmap() { return picture_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage picture_;
};
