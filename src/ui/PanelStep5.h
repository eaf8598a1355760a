// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <functional>
#include <memory>

namespace Ui { class PanelStep5; }
struct AppObjects;
class StepNavigator;
class Prompter;

// Step 5: the result sheet, previewed or printed with one copy per participant of place 1, and
// the button that ends the run and starts a new one.
class PanelStep5 : public QWidget {
    Q_OBJECT
public:
    PanelStep5(AppObjects &objects, StepNavigator &steps, Prompter &prompter, QWidget *parent = nullptr);
    ~PanelStep5() override;

    // The work of entering the step: the proposed number of copies, then the sheet's captions.
    void EnterStep();

    // The main window's reset (btnReset) runs this.
    void setResetHandler(std::function<void()> handler) { reset_ = std::move(handler); }

private:
    std::unique_ptr<Ui::PanelStep5> ui;
    AppObjects &objects_;
    StepNavigator &steps_;
    Prompter &prompter_;
    std::function<void()> reset_;
};
