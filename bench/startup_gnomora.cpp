// SPDX-License-Identifier: GPL-3.0-or-later
// Gnomora as bench/startup.sh times it: the program as shipped, which opens the main window as the
// start button does and ends the process once both windows have been painted and nothing is left
// to do (bench/startup_idle.h), without tearing them down: what is timed is the start alone.
#include "app/Program.h"
#include "app/TStartForm.h"
#include "startup_idle.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <QTimer>
#include <memory>

int main(int argc, char **argv) {
    std::unique_ptr<QuitWhenIdle> quitWhenIdle;
    return runProgram(argc, argv, [&](TStartForm &start, TMainForm &main) {
        quitWhenIdle = std::make_unique<QuitWhenIdle>(QList<QWidget *>{&start, &main});
        QTimer::singleShot(0, &start, &TStartForm::btnStartEnterClick);
    });
}
