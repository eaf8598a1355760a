// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The offscreen platform warns each time the start button raises the main window; nothing else is
// silenced.
QtMessageHandler defaultMessageHandler = nullptr;
void quietRaise(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (message != QLatin1String("This plugin does not support raise()"))
        defaultMessageHandler(type, context, message);
}

std::unique_ptr<QCoreApplication> makeApplication(BenchProgram::Application kind, int &argc, char **argv) {
    switch (kind) {
    case BenchProgram::Application::Core:
        return std::make_unique<QCoreApplication>(argc, argv);
    case BenchProgram::Application::Gui:
        return std::make_unique<QGuiApplication>(argc, argv);
    case BenchProgram::Application::Widgets:
        break;
    }
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

int main(int argc, char **argv) {
    const BenchProgram program = benchProgram();
    if (program.application != BenchProgram::Application::Core && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (program.application == BenchProgram::Application::Widgets)
        defaultMessageHandler = qInstallMessageHandler(quietRaise);
    const std::unique_ptr<QCoreApplication> app = makeApplication(program.application, argc, argv);
    if (program.prepare)
        if (const std::optional<int> code = program.prepare(argc, argv))
            return *code;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (program.finish)
        program.finish();
    return 0;
}
