// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QImage>
#include <QKeySequence>
#include <QStringList>
#include <QWidget>

// One of the seven step buttons of the main window's right-hand column: a face as large as the
// button, filled with the colour of its state and carrying three lines of bold yellow text,
// reporting clicks and mouse moves. The pointer over it is a pointing hand.
//
// The window sets the face (colour and texts) whenever the buttons change; it is painted only
// when the button is, so that repeated changes before a paint cost nothing. The letters have a
// one-pixel black outline, so that they stay readable on every fill (yellow on the green of the
// current step alone would be too faint), and the face is painted at the screen's device pixel
// ratio.
//
// The keyboard reaches the buttons with Tab (a click does not take the focus, so that clicking
// leaves the panel as it is); a focused button shows a ring (two pixels white, two black, just
// inside its edge) and Space or Enter click it. A screen reader sees a push button named by the
// three lines, checked while its step is the current one, with its shortcut key.
class StepButton : public QWidget {
    Q_OBJECT
public:
    // Width of the focus ring in logical pixels: a light and a dark band of half of it each.
    static constexpr int FocusRingWidth = 4;

    explicit StepButton(QWidget *parent = nullptr);

    void setFace(const QColor &fill, const QStringList &lines);
    // Whether the button's step is the one shown (for assistive technology; the fill shows it).
    void setCurrent(bool current);
    bool isCurrent() const { return current_; }
    // A key that clicks the button from anywhere in its window.
    void setShortcut(const QKeySequence &keys);
    QKeySequence shortcut() const { return shortcut_; }
    // The three lines as one name.
    QString accessibleText() const;
    // The current face at the button's current size as a bitmap, without the focus ring: the
    // pixels the button shows.
    const QImage &picture() const;

signals:
    void clicked();
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The three outlined lines of text on a face `width` logical pixels wide, at `ratio` device
    // pixels per pixel.
    void paintLines(QPainter &painter, int width, qreal ratio) const;

    QColor fill_ = Qt::black;
    QStringList lines_;
    bool current_ = false;
    QKeySequence shortcut_;
    mutable QImage picture_;
    mutable bool stale_ = true;
};

// Makes the step buttons known to the accessibility framework (as push buttons with their state);
// the StepButton constructor calls it, and calling it again does nothing.
void registerStepButtonAccessibility();
