// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of bench/startup.sh: a bare Qt Widgets program that shows one window (a label and
// a button) and ends when it has nothing left to do after its first paint. Gnomora's start-up to
// both windows painted and idle is measured against it, as whole processes.
//   --standard-icon   also gives the button the style's "apply" icon (as Gnomora's start button
//                     has), to show what that icon costs on its own.
//   --families A,B    sets the window's font families, as Gnomora's windows ask for Tahoma and
//                     MS Sans Serif before DejaVu Sans, to show what matching absent fonts costs.
#include "startup_idle.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype families = arguments.indexOf(QStringLiteral("--families"));
    if (families > 0 && families + 1 < arguments.size()) {
        QFont font = window.font();
        font.setFamilies(arguments[families + 1].split(u','));
        font.setPointSize(8);
        window.setFont(font);
    }
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("A bare Qt window")));
    auto *button = new QPushButton(QStringLiteral("Start"));
    if (arguments.contains(QStringLiteral("--standard-icon")))
        button->setIcon(window.style()->standardIcon(QStyle::SP_DialogApplyButton));
    layout->addWidget(button);
    window.resize(426, 209);
    std::unique_ptr<QuitWhenIdle> quit;
    if (qEnvironmentVariableIsSet("GNOMORA_QUIT_WHEN_IDLE"))
        quit = std::make_unique<QuitWhenIdle>(QList<QWidget *>{&window});
    window.show();
    return QApplication::exec();
}
