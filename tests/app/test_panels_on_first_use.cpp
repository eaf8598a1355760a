// SPDX-License-Identifier: GPL-3.0-or-later
// Every panel but the introduction is built when the class first needs it, not at start, and not
// because another part of the program could use it; what the panels show is what they showed
// when they were built at start.
#include "draw/DrawCanvas.h"
#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "store/TComm.h"
#include "support/MainWindowFixture.h"
#include "ui/PanelStep2.h"
#include "ui/PanelStep4.h"
#include "ui/PanelStep5.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QTabWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A plain bitmap of a chosen size, as the drawing objects paint on.
class PlainCanvas : public DrawCanvas {
public:
    QSize size;
    qreal ratio = 1;
    QImage image;
    QSize clientSize() const override { return size; }
    qreal pixelRatio() const override { return ratio; }
    QImage &bitmap() override { return image; }
    void bitmapChanged() override {}
};

TEST(PanelsOnFirstUse, ThePictureControlsHaveTheirDesignSizes) {
    MainWindowFixture f;
    AppObjects &o = f.objects();
    const Guard guard(o, f.prompter);
    const PanelStep2 measurement(*o.Lang, *o.Logic, *o.Session, *o.Comm, *o.DrawStep2, o.CurrHei, *f.main, f.prompter, guard);
    EXPECT_EQ(measurement.image()->size(), PanelStep2::ImageDesignSize);
    const PanelStep4 comparison(*o.Lang, *o.Logic, *o.Session, *o.Comm, *o.DrawStep4, *f.main, f.prompter, guard);
    EXPECT_EQ(comparison.image()->size(), PanelStep4::ImageDesignSize);
}

TEST(PanelsOnFirstUse, TheShadowSceneOfAPanelBuiltInAnEnlargedWindow) {
    MainWindowFixture f;
    ASSERT_EQ(f.built<PanelStep2>(), nullptr);
    // The drawing objects are set up from the pictures' design sizes all the same.
    const TDrawObj &scene = *f.objects().DrawStep2;
    EXPECT_EQ(QPoint(scene.OriginX, scene.OriginY), QPoint(264, 312));
    EXPECT_EQ(QPoint(f.objects().DrawStep4->OriginX, f.objects().DrawStep4->OriginY), QPoint(212, 247));

    // The window grows before the measurement panel is first entered: the scene is fitted into
    // the grown picture exactly as when the panel was built at start.
    f.main->resize(1300, 900);
    QApplication::processEvents();
    f.choose(1, 0);
    f.choose(2, 1);
    f.click("btnStep1Next");
    QApplication::processEvents();
    PictureBox *image = f.main->panelStep2()->image();
    ASSERT_GT(image->width(), PanelStep2::ImageDesignSize.width());

    PlainCanvas canvas;
    canvas.size = PanelStep2::ImageDesignSize;
    TDrawObj alone(*f.objects().Lang, *f.objects().Logic, &canvas);
    alone.Init(2);
    canvas.size = image->clientSize();
    canvas.ratio = image->pixelRatio();
    alone.DrawHei(f.objects().Logic->Hei1);
    EXPECT_EQ(image->picture(), canvas.image);
}

// The program ended (keeping what it keeps) and started again in the same folder, the main window
// open; the start's question answered as given.
void restart(MainWindowFixture &f, Prompter::Answer answer) {
    f.start->close();
    f.main.reset();
    f.start.reset();
    f.prompter.clear();
    f.prompter.answers.push_back(answer);
    f.startProgram();
    f.openMainWindow();
}

const QStringList AllPanels = {"PanelStep1", "PanelStep2", "PanelStep4", "PanelStep5", "PanelTech"};

TEST(PanelsOnFirstUse, EachIsBuiltWhenTheClassFirstNeedsIt) {
    struct Row {
        const char *why;
        std::function<void(MainWindowFixture &)> act;
        QStringList built;
        int messages = 0;  // the one a refused step shows
    };
    const auto wholeRun = [](MainWindowFixture &f) {
        ClassRun run = f.classRun();
        ASSERT_TRUE(run.wholeRun()) << run.unreached.join(' ').toStdString();
    };
    const Row rows[] = {
        {"the introduction is all a class sees at first", [](MainWindowFixture &) {}, {}},
        {"a step click builds the one panel it opens", [](MainWindowFixture &f) { f.clickStep(2); }, {"PanelStep1"}},
        {"the teacher may go to the technical panel first", [](MainWindowFixture &f) { f.clickStep(7); },
         {"PanelTech"}},
        {"a measurement step without places sends the class to the places panel",
         [](MainWindowFixture &f) { f.clickStep(3); }, {"PanelStep1"}, 1},
        {"computing the circumference fills no result sheet yet", wholeRun,
         {"PanelStep1", "PanelStep2", "PanelStep4"}},
        {"the print step fills the sheet its panel keeps",
         [&](MainWindowFixture &f) {
             wholeRun(f);
             f.clickStep(6);
         },
         {"PanelStep1", "PanelStep2", "PanelStep4", "PanelStep5"}},
        {"a kept lesson goes back into the record; each panel shows it when it is opened",
         [&](MainWindowFixture &f) {
             wholeRun(f);
             restart(f, Prompter::Answer::Yes);
             ASSERT_EQ(f.objects().Logic->EarthState, 2);
         },
         {}},
        {"a language switch looks up every text, those of the panels not opened yet too",
         [](MainWindowFixture &f) {
             f.dir.write(TLang::LanguageFileName(1), AppFixture::shippedFile(TLang::LanguageFileName(1)));
             restart(f, Prompter::Answer::Yes);
             f.clickStep(7);
             f.find<QTabWidget>("TechPageControl")->setCurrentWidget(f.find<QWidget>("LanguagePage"));
             f.find<QComboBox>("cbSelectLang")->setCurrentIndex(1);
             f.click("bOKChooseLang");
             ASSERT_EQ(f.objects().Comm->GetValue("LangFileName"), TLang::LanguageFileName(1));
         },
         AllPanels},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.why);
        MainWindowFixture f;
        row.act(f);
        QStringList built;
        for (const QString &panel : AllPanels)
            if (f.built<QWidget>(panel))
                built << panel;
        EXPECT_EQ(built, row.built);
        EXPECT_EQ(f.prompter.messages.size(), row.messages) << f.prompter.messages.join('|').toStdString();
    }
}

}  // namespace
