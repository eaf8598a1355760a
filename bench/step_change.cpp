// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of changing step in the main window, from the click on a step button to the painted panel.
// The run is a realistic one, so that every step opens for real (no refusal message): the sample
// configuration with its photographs, place 1 and place 2 chosen, both measured, the distance
// accepted and the Earth's circumference computed. Each iteration first enters the step before
// (untimed, painted), then clicks the step's button and measures one of:
//   handler   the click's handler alone (store the panels left, check, show, refresh, draw)
//   events    the handler, then the event loop until the window is repainted (only the parts that
//             changed, as a user sees it)
//   grab      the handler, then a paint of the whole window into an image (an upper bound)
// The counter "paints" is the number of widget paint events per iteration.
// Also: choosing a place on step 1, which decodes its photograph and two person photographs; the
// first opening of step 1, of step 2 and of the technical panel in freshly opened windows, when
// those panels are built; and the print preview of step 5, from the click on its button until its
// page is painted, opened for the first time over fresh windows (the dialog is built; the print
// module was loaded by an earlier opening) and opened again (the dialog is kept).
// The windows run on Qt's offscreen platform in a temporary working folder seeded from data/.
// Every repaint has to stay well inside one 60 Hz frame (16.7 ms), every step change well under
// the 100 ms a user would notice.
// Medians of five runs:  bench_step_change --benchmark_repetitions=5 --benchmark_min_time=0.2
//                        --benchmark_report_aggregates_only=true
#include "app/TStartForm.h"
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "platform/ScriptedPrompter.h"
#include "store/TComm.h"
#include "support/BenchMain.h"
#include "support/ClassRun.h"
#include "ui/PanelStep1.h"
#include "ui/StepButton.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

const QString ShippedData = QStringLiteral(GNOMORA_SOURCE_DIR "/data");

// Counts the paint events of all widgets.
class PaintCounter : public QObject {
public:
    long long paints = 0;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override {
        if (event->type() == QEvent::Paint && receiver->isWidgetType())
            ++paints;
        return false;
    }
};

// Closes the print preview as soon as its page view has been painted.
class PreviewCloser : public QObject {
public:
    PreviewCloser() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override {
        if (event->type() == QEvent::Paint && receiver->isWidgetType() && receiver->parent() &&
            qobject_cast<QPrintPreviewWidget *>(receiver->parent()->parent()))
            if (auto *dialog = qobject_cast<QPrintPreviewDialog *>(static_cast<QWidget *>(receiver)->window()))
                QTimer::singleShot(0, dialog, &QDialog::reject);
        return false;
    }
};

void settle();

// Both windows, the main one open and taken through a whole run.
struct Run {
    ScriptedPrompter prompter;
    TStartForm start{prompter, Locale{u'.', u'/'}, [] { return QDateTime(QDate(2013, 6, 20), QTime(10, 0)); }};
    TMainForm main{start.objects(), prompter};
    PaintCounter counter;
    ClassRun steps{main};
    bool completed = false;

    Run() {
        start.setMainForm(&main);
        start.show();
        start.btnStartEnterClick();
        QApplication::setActiveWindow(&main);
        QApplication::processEvents();
        QApplication::instance()->installEventFilter(&counter);
        completed = steps.wholeRun();
        QApplication::processEvents();
    }

    // Every control reached, nothing refused, nothing reported, the circumference still computed.
    bool realistic() {
        const TLogic &logic = *start.objects().Logic;
        return completed && prompter.messages.isEmpty() && prompter.questions.isEmpty() && logic.Hei1.State >= 3 &&
               logic.Hei2.State >= 3 && logic.EarthState == 2;
    }

    // Opens the print preview from step 5 and returns once its page has been painted and it is
    // closed.
    void preview() {
        PreviewCloser closer;
        main.findChild<QPushButton *>(QStringLiteral("btnPreview"))->click();
    }

    void clickStep(int index) { steps.clickStep(index); }
};

Run *run = nullptr;

enum class Until { Handler, Events, Grab };

// The step buttons 1..7 and the handler each runs.
const char *const Handlers[8] = {"",           "imgStep0Click", "imgStep1Click", "imgStep2Click",
                                 "imgStep3Click", "imgStep4Click", "imgStep5Click", "imgTechClick"};

void settle() {
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
}

void measureAction(benchmark::State &state, Until until, const std::function<void()> &prepare,
                   const std::function<void()> &act) {
    QImage image(run->main.size(), QImage::Format_ARGB32_Premultiplied);
    long long paints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        prepare();
        settle();
        const long long before = run->counter.paints;
        state.ResumeTiming();

        act();
        if (until == Until::Events)
            settle();
        else if (until == Until::Grab)
            run->main.render(&image);

        state.PauseTiming();
        paints += run->counter.paints - before;
        settle();  // what the handler alone left to the event loop
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(static_cast<double>(paints), benchmark::Counter::kAvgIterations);
    if (!run->realistic())
        state.SkipWithError("a step was refused or the run lost its measurements");
}

void stepChange(benchmark::State &state, int step, Until until) {
    const int from = step == 1 ? 2 : step - 1;
    measureAction(state, until, [from] { run->clickStep(from); }, [step] { run->clickStep(step); });
    if (run->start.objects().Comm->ActiveStep != step)
        state.SkipWithError("the step did not open");
}

// Choosing place 1 again on step 1: its persons and three photographs are loaded and shown.
void choosePlace(benchmark::State &state, Until until) {
    measureAction(state, until, [] { run->clickStep(2); }, [] { run->steps.choose(1, 1); });
}

// Both windows freshly opened on the introduction, as at the start of a lesson.
struct FreshWindows {
    ScriptedPrompter prompter;
    TStartForm start{prompter, Locale{u'.', u'/'}, [] { return QDateTime(QDate(2013, 6, 20), QTime(10, 0)); }};
    TMainForm main{start.objects(), prompter};

    FreshWindows() {
        start.setMainForm(&main);
        start.show();
        start.btnStartEnterClick();
        settle();
    }

    // Both places chosen on step 1, so that the measurement step opens.
    void choosePlaces() {
        ClassRun(main).choosePlaces();
        settle();
    }
};

// A second working folder for the fresh windows: the run's windows hold the first one, and a
// second copy of the program in a held folder asks whether to go on.
QString freshFolder;

// The first click on step 1, on step 2 (with both places chosen) or on the technical panel: the
// panel is built, filled and painted.
void firstOpening(benchmark::State &state, int step) {
    bool opened = true;
    const QString runFolder = QDir::currentPath();
    for (auto _ : state) {
        state.PauseTiming();
        QDir::setCurrent(freshFolder);
        auto windows = std::make_unique<FreshWindows>();
        if (step == 3)
            windows->choosePlaces();
        state.ResumeTiming();

        QTest::mouseClick(windows->main.stepButton(step), Qt::LeftButton);
        settle();

        state.PauseTiming();
        opened = opened && windows->start.objects().Comm->ActiveStep == step && windows->prompter.messages.isEmpty() &&
                 windows->prompter.questions.isEmpty();
        windows.reset();
        QDir::setCurrent(runFolder);
        state.ResumeTiming();
    }
    if (!opened)
        state.SkipWithError("the panel did not open");
}

// The print preview opened for the first time over windows that were taken through a whole run
// (built in a second working folder each time), or opened again in the run's windows.
void previewOpening(benchmark::State &state, bool first) {
    const QString runFolder = QDir::currentPath();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Run> fresh;
        if (first) {
            QDir::setCurrent(freshFolder);
            fresh = std::make_unique<Run>();
        }
        Run &windows = first ? *fresh : *run;
        windows.clickStep(6);
        settle();
        state.ResumeTiming();

        windows.preview();

        state.PauseTiming();
        if (!windows.realistic())
            state.SkipWithError("the preview was refused");
        fresh.reset();
        QDir::setCurrent(runFolder);
        state.ResumeTiming();
    }
}

bool copyTree(const QString &from, const QString &to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

std::unique_ptr<QTemporaryDir> work, fresh;  // the run's working folder and the fresh windows' one
std::unique_ptr<Run> windows;

}  // namespace

BenchProgram benchProgram() {
    BenchProgram program(BenchProgram::Application::Widgets);
    program.prepare = [](int, char **) -> std::optional<int> {
        work = std::make_unique<QTemporaryDir>();
        fresh = std::make_unique<QTemporaryDir>();
        if (!work->isValid() || !fresh->isValid() || !copyTree(ShippedData, work->path()) ||
            !copyTree(ShippedData, fresh->path()) || !QDir::setCurrent(work->path())) {
            std::fprintf(stderr, "cannot seed the working folders from %s\n", qPrintable(ShippedData));
            return 1;
        }
        freshFolder = fresh->path();
        windows = std::make_unique<Run>();
        run = windows.get();
        if (!run->realistic()) {
            std::fprintf(stderr, "the run did not end with the Earth computed: %s %s\n",
                         qPrintable(run->prompter.messages.join(QStringLiteral(" | "))),
                         qPrintable(run->steps.unreached.join(u' ')));
            return 1;
        }

        // The print module and the toolkit's print support are loaded once per process: not measured.
        run->clickStep(6);
        settle();
        run->preview();

        const std::pair<const char *, Until> modes[] = {
            {"handler", Until::Handler}, {"events", Until::Events}, {"grab", Until::Grab}};
        for (int step = 1; step <= 7; ++step)
            for (const auto &[mode, until] : modes)
                benchmark::RegisterBenchmark((std::string(Handlers[step]) + "/" + mode).c_str(), stepChange, step,
                                             until)
                    ->Unit(benchmark::kMillisecond);
        for (const auto &[mode, until] : modes)
            benchmark::RegisterBenchmark((std::string("choosePlace1/") + mode).c_str(), choosePlace, until)
                ->Unit(benchmark::kMillisecond);
        for (int step : {2, 3, 7})
            benchmark::RegisterBenchmark((std::string("firstOpening/") + Handlers[step]).c_str(), firstOpening, step)
                ->Unit(benchmark::kMillisecond);

        benchmark::RegisterBenchmark("preview/first", previewOpening, true)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("preview/again", previewOpening, false)->Unit(benchmark::kMillisecond);
        return std::nullopt;
    };
    program.finish = [] {
        windows.reset();
        fresh.reset();
        work.reset();
    };
    return program;
}
