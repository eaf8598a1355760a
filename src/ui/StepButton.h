// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>

// One of the seven step buttons of the main window's right-hand column: a bitmap as large as the
// button, filled with the colour of its state and carrying three lines of bold yellow text,
// reporting clicks and mouse moves.
//
// The window sets the face (colour and texts) whenever the buttons change; the bitmap is painted
// from it only when it is needed, so that repeated changes before a paint cost nothing.
class StepButton : public QWidget {
    Q_OBJECT
public:
    explicit StepButton(QWidget *parent = nullptr);

    void setFace(const QColor &fill, const QStringList &lines);
    // The bitmap of the current face at the button's current size.
    const QImage &picture() const;

signals:
    void clicked();
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor fill_ = Qt::black;
    QStringList lines_;
    mutable QImage picture_;
    mutable bool stale_ = true;
};
