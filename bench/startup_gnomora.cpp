// SPDX-License-Identifier: GPL-3.0-or-later
// Gnomora as bench/startup.sh times it: the program as shipped, which opens the main window as the
// start button does and ends the process as soon as both windows have been painted, without
// tearing them down: what is timed is the start alone.
#include "app/Program.h"
#include "app/TStartForm.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <memory>

namespace {

// Ends the process once both windows have had their first paint.
class QuitAfterPaint : public QObject {
public:
    QuitAfterPaint(QWidget *first, QWidget *second) : pending_{first, second} { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override {
        if (event->type() == QEvent::Paint && receiver->isWidgetType() &&
            pending_.removeOne(static_cast<QWidget *>(receiver)->window()) && pending_.isEmpty())
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        return false;
    }

private:
    QList<QWidget *> pending_;
};

}  // namespace

int main(int argc, char **argv) {
    std::unique_ptr<QuitAfterPaint> quitAfterPaint;
    return runProgram(argc, argv, [&](TStartForm &start, TMainForm &main) {
        quitAfterPaint = std::make_unique<QuitAfterPaint>(&start, &main);
        QTimer::singleShot(0, &start, &TStartForm::btnStartEnterClick);
    });
}
