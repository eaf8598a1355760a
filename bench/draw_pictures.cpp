// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of one repaint of the step pictures (the shadow scene of a measured place at State 3 and
// the Earth cross-section), at the images' design sizes and on a 3840 x 2160 screen. A repaint
// runs on the user-interface thread after every accept button, so it has to stay well inside one
// 60 Hz frame (16.7 ms). BM_Clear, the bitmap sized and filled black without any drawing, is the
// yardstick measured in the same run.
// Ratios to it:  bench/compare.py --ratio BM_DrawHei/design_529x415:BM_Clear/design_529x415
//                    build-release/bench/bench_draw_pictures
#include "draw/DrawCanvas.h"
#include "draw/TDrawObj.h"
#include "lang/LangView.h"
#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/LatitudeView.h"
#include "model/SessionStore.h"
#include "model/TLogic.h"
#include "platform/ScriptedPrompter.h"
#include "store/TComm.h"
#include "support/BenchMain.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

class ImageCanvas : public DrawCanvas {
public:
    QSize size;
    QImage image;
    QSize clientSize() const override { return size; }
    QImage &bitmap() override { return image; }
    void bitmapChanged() override {}
};

// The language list and the text refresh are the windows' business; nothing here shows them.
// (Declared without `override` so that the fake keeps compiling while the interface grows.)
class NoLangView : public LangView {
public:
    void setLanguageFileCaption(const QString &) override {}
    void setLanguageList(const QStringList &, int) {}
    int languageListIndex() const { return -1; }
    void refreshTexts() {}
};
class NoLatitudes : public LatitudeView {
public:
    void setLatitudeCaption(int, const QString &) override {}
};
class NoSession : public SessionStore {
public:
    void StoreHei(const THeiObj &) override {}
    void StoreLogic(const TLogic &) override {}
};

double deg(double d) { return DegToRad(d); }

void measured(THeiObj &hei, double sunPlane, double noonHeight) {
    hei.SunPlaneAngle = deg(sunPlane);
    hei.EquinoxDispl = std::sin(deg(noonHeight - sunPlane));
    hei.EquinoxRadius = std::cos(deg(noonHeight - sunPlane));
    hei.SunOnCurrTimeAngle = deg(15);
    hei.NoonHeightAngle = deg(noonHeight);
    hei.State = 3;
}

struct Objects {
    ScriptedPrompter prompter;
    TComm comm{prompter, Locale{u'.', u'/'}};
    NoLangView langView;
    TLang lang{comm, prompter, langView};
    NoLatitudes latitudes;
    NoSession session;
    TLogic logic{comm, lang, prompter, latitudes, session};
    ImageCanvas canvas;
    TDrawObj draw{lang, logic, &canvas};

    // The object set up at initSize, painting at paintSize.
    Objects(int kind, QSize initSize, QSize paintSize) {
        for (const char *word : {"North", "South", "East", "West"})
            lang.Texts.setValue(QLatin1String(word), QLatin1String(word));
        // The pictures' descriptions, as worded in the shipped English file.
        lang.Texts.setValue(QStringLiteral("picShadowSceneMeasured"),
                            QStringLiteral("%1 at %2: the sun %3 above the horizon, the stick's shadow %4 mm long."));
        lang.Texts.setValue(QStringLiteral("picShadowSceneNoon"),
                            QStringLiteral("At true solar noon the sun stands %1 above the horizon."));
        lang.Texts.setValue(QStringLiteral("picEarthSection"),
                            QStringLiteral("Place 1 (%1) at latitude %2, place 2 (%3) at latitude %4; the latitudes differ by %5."));
        logic.Init();
        measured(logic.Hei1, 40, 50);
        measured(logic.Hei2, 37, 47);
        canvas.size = initSize;
        draw.Init(kind);
        canvas.size = paintSize;
    }
};

void BM_DrawHei(benchmark::State &state, QSize initSize, QSize paintSize) {
    Objects o(2, initSize, paintSize);
    for (auto _ : state) {
        o.draw.DrawHei(o.logic.Hei1);
        benchmark::DoNotOptimize(o.canvas.image.constBits());
    }
}

// The yardstick: what every repaint costs before it draws anything, sizing and blacking the bitmap.
void BM_Clear(benchmark::State &state, QSize size) {
    Objects o(2, size, size);
    for (auto _ : state) {
        o.draw.ClearPicture();
        benchmark::DoNotOptimize(o.canvas.image.constBits());
    }
}

void BM_DrawEarth(benchmark::State &state, QSize size) {
    Objects o(4, size, size);
    for (auto _ : state) {
        o.draw.DrawEarth();
        benchmark::DoNotOptimize(o.canvas.image.constBits());
    }
}

const QSize kStep2{529, 415};
const QSize kStep4{529, 449};
const QSize k4K{3840, 2160};

BENCHMARK_CAPTURE(BM_DrawHei, design_529x415, kStep2, kStep2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawHei, screen_3840x2160, k4K, k4K)->Unit(benchmark::kMicrosecond);
// set up at the design size, then the window maximised: the scene grows around the old origin
BENCHMARK_CAPTURE(BM_DrawHei, maximised_3840x2160, kStep2, k4K)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Clear, design_529x415, kStep2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Clear, design_529x449, kStep4)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Clear, screen_3840x2160, k4K)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawEarth, design_529x449, kStep4)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawEarth, screen_3840x2160, k4K)->Unit(benchmark::kMicrosecond);

}  // namespace

// Fonts for the compass words and angle texts.
BenchProgram benchProgram() { return BenchProgram(BenchProgram::Application::Gui); }
