// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/DeferredCanvas.h"
#include "ui/Guard.h"
#include "ui/ModulePrintBackEnd.h"
#include "ui/PanelViews.h"
#include "ui/StepNavigator.h"

#include <QMargins>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace Ui { class MainForm; }
class QStackedWidget;
struct AppObjects;
class Prompter;
class StepButton;
class PanelStep0;
class PanelStep1;
class PanelStep2;
class PanelStep4;
class PanelStep5;
class PanelTech;
class THeiObj;
namespace Report { class ReportPage; }

// The wizard: seven step buttons on the right select the introduction, the places, the two
// measurements, the comparison, the print page and the technical panel. Every step is entered by
// one protocol: the panels built so far store what they show (storeShownPanels), the step's
// prerequisites are checked (a failed check shows a message and enters the missing step instead),
// then the step's panel is shown and refreshed from what was stored. Entering the step shown
// therefore keeps what it shows.
//
// What the language, the model and the configuration objects tell the panels goes through the
// window's panel views (views()), which hold it until the panels are built.
//
// Closing the window only hides it; the start window owns the shared objects and ends the run.
class TMainForm : public QWidget, public StepNavigator {
    Q_OBJECT
public:
    // `printer` prints and previews the result sheet (by default the print module's).
    TMainForm(AppObjects &objects, Prompter &prompter, Printing::PrintBackEnd &printer = ModulePrintBackEnd::instance(),
              QWidget *parent = nullptr);
    ~TMainForm() override;

    // Each showing (and each language refresh): texts, place lists, the step last shown.
    void FormShow();
    // The language changed: every panel is built (so that the language file gets all its missing
    // keys, also those of the panels not opened yet), then the window is shown again (FormShow).
    void refreshTexts();
    // Run when the window has been closed (the start window then offers to save the settings).
    void setClosedHandler(std::function<void()> handler) { closed_ = std::move(handler); }

    // Step entries.
    void imgStep0Click() override;
    void imgStep1Click() override;
    void imgStep2Click() override;
    void imgStep3Click() override;
    void imgStep4Click() override;
    void imgStep5Click() override;
    void imgTechClick() override;
    void btnResetClick();

    // Stores into the session record what the panels built so far show: the choices of step 1,
    // the place on the measurement panel, the comparison. A panel never built has shown nothing
    // and stores nothing, so a record restored from a kept lesson stays as it is. Every step
    // entry runs this first; ending the run runs it before the lesson is kept.
    void storeShownPanels();

    // Chooses the place of that name for place 1 or 2 in step 1 and stores the choice, listing the
    // place for this run first (with its true noon) when the configuration lacks it.
    void choosePlace(int placeNumber, const QString &name, std::optional<int> noonH, std::optional<int> noonM);

    void RedrawStepButtons();
    void Panel1Resize();

    // What the language, the model and the configuration objects show in the panels.
    PanelViews &views() { return views_; }

    StepButton *stepButton(int index) const { return stepButtons_.at(index - 1); }
    QWidget *currentPanel() const;
    // Every panel but the introduction is built when first needed.
    PanelStep1 *panelStep1() { return &step1(); }
    PanelStep2 *panelStep2() { return &step2(); }
    PanelStep4 *panelStep4() { return &step4(); }
    PanelStep5 *panelStep5() { return &step5(); }
    PanelTech *panelTech() { return &tech(); }
    // The picture controls of the measurement panels as the drawing objects see them, from before
    // the panels are built.
    DrawCanvas *canvasStep2() { return &canvasStep2_; }
    DrawCanvas *canvasStep4() { return &canvasStep4_; }
    bool closing() const { return Closing; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void DrawStepButton(StepButton *image, int index);
    // The texts of the window and of every panel built so far.
    void applyWindowTexts();
    void applyPanelTexts(QWidget *panel);
    // Building the panels not shown at start (the places panel's and the teacher's panel's many
    // edit boxes above all) would lengthen the time to the first paint, so each is built on its
    // first use (the shared objects exist by then); what the program tells them before that waits
    // in the panel views and is handed over then.
    PanelStep1 &step1();
    PanelStep2 &step2();
    PanelStep4 &step4();
    PanelStep5 &step5();
    PanelTech &tech();
    // Unless the panel is there: makes it (make gets the page stack to build it in) and adopts
    // it; true when it was built now. Its objects are the shared ones, which exist by then.
    template <typename Panel, typename Make>
    bool buildOnce(Panel *&slot, Make make);
    // A panel with a picture repaints it whenever its control changes size or pixel ratio; the
    // drawing object's stand-in control hands over to it.
    template <typename Panel>
    void connectPicture(Panel &panel, DeferredCanvas &canvas);
    // A panel joins the window's page stack, its texts applied, named as its step button.
    void adoptPanel(QWidget *panel);
    // Names each panel built so far as its step button.
    void namePanels();
    // The window at its design size, or as large as the screen's available area allows with a
    // window frame of these margins (before the window is shown its real frame is not known);
    // centred.
    void placeOnScreen(QMargins frame);
    void showPanel(QWidget *panel);
    void focusPanel(QWidget *panel);
    void onFocusChanged(QWidget *old, QWidget *now);
    // The entry checks; each shows its message and enters the missing step when it fails.
    bool checkPlaces();
    bool checkAngles();
    bool checkEarth();
    // Steps 2 and 3: the measurement panel for one place.
    void enterMeasurement(std::uint8_t step, THeiObj &place);

    std::unique_ptr<Ui::MainForm> ui;
    AppObjects &objects_;
    Prompter &prompter_;
    Printing::PrintBackEnd &printer_;
    Guard guard_;
    std::function<void()> closed_;
    std::array<StepButton *, 7> stepButtons_{};
    PanelStep0 *step0_;
    PanelStep1 *step1_ = nullptr;
    PanelStep2 *step2_ = nullptr;
    PanelStep4 *step4_ = nullptr;
    PanelStep5 *step5_ = nullptr;
    DeferredCanvas canvasStep2_;
    DeferredCanvas canvasStep4_;
    PanelTech *tech_ = nullptr;
    PanelViews views_;  // what the panels are told, built or not
    bool Closing = false;
};
