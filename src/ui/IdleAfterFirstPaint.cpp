// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/IdleAfterFirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

IdleAfterFirstPaint::IdleAfterFirstPaint(QWidget *window, std::function<void()> work)
    : QObject(window), window_(window), work_(std::move(work)) {
    // The window's own paint event may be left out when its children cover it: any widget of the
    // window counts.
    QCoreApplication::instance()->installEventFilter(this);
}

bool IdleAfterFirstPaint::eventFilter(QObject *receiver, QEvent *event) {
    if (event->type() == QEvent::Paint && receiver->isWidgetType() &&
        static_cast<QWidget *>(receiver)->window() == window_) {
        QCoreApplication::instance()->removeEventFilter(this);
        // A zero timer fires once the events waiting now, the rest of this paint among them, are done.
        QTimer::singleShot(0, window_, std::move(work_));
        deleteLater();
    }
    return false;
}
