// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QPointer>
#include <QWidget>

// A ring around the control that has the keyboard focus in one window: Width pixels wide, just
// outside the control, in a dark blue that stands out on the window's grey (the style's own
// focus mark is a thin line that a projector loses). The ring is a transparent child of the
// control's parent, raised above its siblings and following the control as it moves; mouse
// clicks go through it.
//
// A control whose dynamic property "focusRing" is false (one that shows its focus itself, or a
// whole panel) gets no ring.
class FocusRing : public QWidget {
    Q_OBJECT
public:
    static constexpr int Width = 3;
    static inline const QColor Color{0, 70, 190};

    // Follows the focus inside window (and lives as long as it does).
    explicit FocusRing(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void follow(QWidget *control);
    void place();

    QWidget *window_;
    QPointer<QWidget> control_;
};
