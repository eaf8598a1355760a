// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TStartForm.h"
#include "ui/QtPrompter.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <cstdio>

namespace {

// Without a display the toolkit would abort with a cryptic message; say what is missing instead.
bool displayAvailable() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char **argv) {
    if (!displayAvailable()) {
        std::fputs("Gnomora needs a graphical desktop: no display was found (DISPLAY is not set).\n"
                   "Start it from a desktop session, or under Xvfb for testing.\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gnomora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Gnomora"));

    QtPrompter prompter;
    TStartForm startForm(prompter);
    TMainForm mainForm(startForm.objects(), prompter);
    startForm.setMainForm(&mainForm);
    startForm.show();
    return QApplication::exec();
}
