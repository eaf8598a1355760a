// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of laying out the result sheet and of painting it, as the preview and printing do.
#include "report/PageLayout.h"
#include "support/PageOutput.h"
#include "report/ResultSheetLayout.h"
#include "support/BenchMain.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

Report::ReportPage filledSheet() {
    Report::ReportPage page = Report::resultSheetPage();
    for (const Report::PageLabel &label : page.labels)
        page.setCaption(label.name, label.name + QStringLiteral(" text"));
    return page;
}

void layoutSheet(benchmark::State &state) {
    const Report::ReportPage page = filledSheet();
    QImage device(1, 1, QImage::Format_RGB32);
    for (auto _ : state) {
        Report::PageLayout layout(page, device);
        benchmark::DoNotOptimize(layout.labelBoxMm(QStringLiteral("PrintYield14")));
    }
}
BENCHMARK(layoutSheet);

void renderSheet(benchmark::State &state) {
    const Report::ReportPage page = filledSheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(Report::renderPageImage(page, static_cast<int>(state.range(0))));
}
BENCHMARK(renderSheet)->Arg(96)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace

BenchProgram benchProgram() { return BenchProgram(BenchProgram::Application::Gui); }
