// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <memory>

namespace Ui { class PanelStep4; }
class PictureBox;
struct AppObjects;
class StepNavigator;
class Prompter;

// Step 4: both noon elevations and their difference, the distance between the places, and the
// Earth's circumference by proportion (distance / difference = circumference / 360°).
class PanelStep4 : public QWidget {
    Q_OBJECT
public:
    PanelStep4(AppObjects &objects, StepNavigator &steps, Prompter &prompter, QWidget *parent = nullptr);
    ~PanelStep4() override;

    // Stores the comparison into the session record.
    void PanelStep4Exit();
    void ShowComparison();
    void DrawPicture();

    PictureBox *image() const;

private:
    void btnAcceptDistanceClick();
    void btnCalcEarthClick();

    std::unique_ptr<Ui::PanelStep4> ui;
    AppObjects &objects_;
    StepNavigator &steps_;
    Prompter &prompter_;
};
