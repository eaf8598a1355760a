// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

FocusRing::FocusRing(QWidget *window) : QWidget(window), window_(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
}

void FocusRing::follow(QWidget *control) {
    if (control_)
        control_->removeEventFilter(this);
    control_ = nullptr;
    const QVariant mark = control ? control->property("focusRing") : QVariant();
    const bool wanted = control && control->window() == window_ && control->parentWidget() &&
                        (!mark.isValid() || mark.toBool());
    if (!wanted) {
        hide();
        return;
    }
    control_ = control;
    control_->installEventFilter(this);
    if (parentWidget() != control->parentWidget())
        setParent(control->parentWidget());
    place();
}

void FocusRing::place() {
    if (!control_ || !control_->isVisible()) {
        hide();
        return;
    }
    setGeometry(control_->geometry().adjusted(-Width, -Width, Width, Width));
    raise();
    show();
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event) {
    if (watched == control_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        case QEvent::ParentChange:
            follow(control_);
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QRect outer = rect();
    const QRect inner = outer.adjusted(Width, Width, -Width, -Width);
    painter.setClipRegion(QRegion(outer).subtracted(QRegion(inner)));
    painter.fillRect(outer, Color);
}
