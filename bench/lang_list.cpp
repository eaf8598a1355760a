// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of filling the technical panel's language list when every one of the 100 numbered language
// files exists (Gnomo_Language_0.ini .. _99.ini, each a copy of the shipped Polish file, about
// 7 kB): all 100 files are read and decoded for their display names.
//   BM_FillLangList            the language object alone, with a view that only keeps the names
//   techClick/handler          a click on the technical step button of the main window, coming
//                              from the introduction: the panel is entered and the list filled into
//                              its combo box
//   techClick/events           the same click, then the event loop until the window is repainted,
//                              as a user sees it
// The windows run on Qt's offscreen platform in a temporary working folder; the files are read
// from the system's file cache after the first round. BM_ReadFiles, the 100 files read into memory
// and nothing more, is the yardstick measured in the same run.
// Ratios to it:  bench/compare.py --ratio BM_FillLangList:BM_ReadFiles build-release/bench/bench_lang_list
#include "app/TStartForm.h"
#include "lang/LangView.h"
#include "lang/TLang.h"
#include "platform/ScriptedPrompter.h"
#include "store/TComm.h"
#include "support/BenchMain.h"
#include "ui/PanelTech.h"
#include "ui/StepButton.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

const QString ShippedPolish = QStringLiteral(GNOMORA_SOURCE_DIR "/data/Gnomo_Language_0.ini");
const QString SampleConfiguration = QStringLiteral(GNOMORA_SOURCE_DIR "/data/Gnomora_Cfg.ini");

// Keeps the names the language object hands over, as the panel's combo box would.
class NamesOnlyView : public LangView {
public:
    QStringList items;
    void setLanguageFileCaption(const QString &) override {}
    void setLanguageList(const QStringList &newItems, int) override { items = newItems; }
};

void BM_FillLangList(benchmark::State &state) {
    ScriptedPrompter prompter;
    TComm comm{prompter, Locale{u'.', u'/'}};
    NamesOnlyView view;
    TLang lang{comm, prompter, view};
    comm.Init();
    lang.Init();
    for (auto _ : state) {
        lang.FillLangList();
        benchmark::DoNotOptimize(view.items.size());
    }
    if (view.items.size() != TLang::LanguageFileCount || !prompter.messages.isEmpty())
        state.SkipWithError("the list does not hold the 100 files");
    state.counters["files"] = static_cast<double>(view.items.size());
}
BENCHMARK(BM_FillLangList)->Unit(benchmark::kMillisecond);

// The yardstick: reading the 100 files' bytes, which any list of their names needs.
void BM_ReadFiles(benchmark::State &state) {
    for (auto _ : state) {
        qsizetype bytes = 0;
        for (int n = 0; n < TLang::LanguageFileCount; ++n) {
            QFile file(TLang::LanguageFileName(n));
            if (file.open(QIODevice::ReadOnly))
                bytes += file.readAll().size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ReadFiles)->Unit(benchmark::kMillisecond);

// Both windows, the main one open, as the start button opens it.
struct Windows {
    ScriptedPrompter prompter;
    TStartForm start{prompter, Locale{u'.', u'/'}, [] { return QDateTime(QDate(2013, 6, 20), QTime(10, 0)); }};
    TMainForm main{start.objects(), prompter};

    Windows() {
        start.setMainForm(&main);
        start.show();
        start.btnStartEnterClick();
        QApplication::setActiveWindow(&main);
        QApplication::processEvents();
    }
};

enum class Until { Handler, Repainted };

void techClick(benchmark::State &state, Until until) {
    Windows windows;
    auto clickStep = [&](int index) { QTest::mouseClick(windows.main.stepButton(index), Qt::LeftButton); };
    for (auto _ : state) {
        state.PauseTiming();
        clickStep(1);  // from the introduction, painted
        QApplication::processEvents();
        state.ResumeTiming();

        clickStep(7);
        if (until == Until::Repainted)
            QApplication::processEvents();

        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (windows.main.currentPanel() != static_cast<QWidget *>(windows.main.panelTech()) ||
        windows.start.objects().Lang->LangFiles.size() != TLang::LanguageFileCount)
        state.SkipWithError("the technical panel did not open with the 100 files listed");
}
BENCHMARK_CAPTURE(techClick, handler, Until::Handler)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(techClick, events, Until::Repainted)->Unit(benchmark::kMillisecond);

bool seedWorkingFolder(const QDir &dir) {
    for (int n = 0; n < TLang::LanguageFileCount; ++n)
        if (!QFile::copy(ShippedPolish, dir.filePath(TLang::LanguageFileName(n))))
            return false;
    return QFile::copy(SampleConfiguration, dir.filePath(QStringLiteral("Gnomora_Cfg.ini")));
}

std::unique_ptr<QTemporaryDir> work;

}  // namespace

BenchProgram benchProgram() {
    BenchProgram program(BenchProgram::Application::Widgets);
    program.prepare = [](int, char **) -> std::optional<int> {
        work = std::make_unique<QTemporaryDir>();
        if (work->isValid() && seedWorkingFolder(QDir(work->path())) && QDir::setCurrent(work->path()))
            return std::nullopt;
        std::fprintf(stderr, "cannot prepare the working folder with 100 language files from %s\n",
                     qPrintable(ShippedPolish));
        return 1;
    };
    program.finish = [] { work.reset(); };
    return program;
}
