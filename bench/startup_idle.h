// SPDX-License-Identifier: GPL-3.0-or-later
// How every program of bench/startup.sh ends: once it has nothing left to do after its windows'
// first paint, not at that paint. Work queued by the paint or by the window's activation (a
// repaint when a control takes the focus, a module loaded when the loop is idle) is part of
// starting, and is counted for Gnomora and the yardsticks alike.
#pragma once
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <ctime>

// Ends the process when every window given has been painted, no event at all (paint, timer,
// window system, posted call) has reached any object for QuietMs, and no object of the
// application, its widgets or its windows holds a timer. Before it ends, it prints on standard
// output the monotonic clock at the last event ("idle-at <ns>"), so that the wall time measured
// from outside can stop there instead of at the end of the quiet wait.
class QuitWhenIdle : public QObject {
public:
    static constexpr int QuietMs = 100;

    explicit QuitWhenIdle(QList<QWidget *> windows) : pending_(std::move(windows)) {
        quiet_.setSingleShot(true);
        quiet_.setInterval(QuietMs);
        connect(&quiet_, &QTimer::timeout, this, [this] { checkIdle(); });
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override {
        if (receiver == &quiet_)
            return false;
        if (!pending_.isEmpty()) {
            if (event->type() == QEvent::Paint && receiver->isWidgetType() &&
                pending_.removeOne(static_cast<QWidget *>(receiver)->window()) && pending_.isEmpty()) {
                lastEvent_ = now();
                quiet_.start();
            }
            return false;
        }
        ++events_;
        lastEvent_ = now();
        return false;
    }

private:
    static long long now() {
        timespec clock;
        clock_gettime(CLOCK_MONOTONIC, &clock);
        return clock.tv_sec * 1000000000LL + clock.tv_nsec;
    }

    // A timer of any object that the application, a widget or a window owns.
    bool timerPending() const {
        QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
        auto holdsTimer = [&](QObject *owner) {
            QList<QObject *> objects = owner->findChildren<QObject *>();
            objects.prepend(owner);
            for (QObject *object : objects)
                if (object != &quiet_ && !dispatcher->registeredTimers(object).isEmpty())
                    return true;
            return false;
        };
        if (holdsTimer(qApp))
            return true;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (holdsTimer(widget))
                return true;
        for (QWindow *window : QGuiApplication::allWindows())
            if (holdsTimer(window))
                return true;
        return false;
    }

    void checkIdle() {
        if (events_ != eventsAtArming_ || timerPending()) {
            eventsAtArming_ = events_;
            quiet_.start();
            return;
        }
        std::printf("idle-at %lld\n", lastEvent_);
        std::fflush(stdout);
        std::_Exit(0);  // without tearing the windows down: what is counted is the start alone
    }

    QList<QWidget *> pending_;
    QTimer quiet_;
    unsigned long events_ = 0;
    unsigned long eventsAtArming_ = 0;
    long long lastEvent_ = 0;
};
