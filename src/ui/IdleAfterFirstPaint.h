// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <functional>

class QWidget;

// Runs work once, when the event loop is idle after the first paint of a window: for work that
// the window may soon need but that must not delay its appearing (loading a decoder, say). The
// object belongs to the window and deletes itself once the work is queued.
class IdleAfterFirstPaint : public QObject {
public:
    IdleAfterFirstPaint(QWidget *window, std::function<void()> work);

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    QWidget *window_;
    std::function<void()> work_;
};
