// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/Guard.h"
#include <QSize>
#include <QWidget>
#include <memory>

namespace Ui { class PanelStep4; }
class PictureBox;
class StepNavigator;
class Prompter;
class TComm;
class TDrawObj;
class TLang;
class TLogic;
class TSession;

// Step 4: both noon elevations and their difference, the distance between the places, and the
// Earth's circumference by proportion (distance / difference = circumference / 360°).
class PanelStep4 : public QWidget {
    Q_OBJECT
public:
    // The size of the picture control in the panel's design.
    static constexpr QSize ImageDesignSize{529, 449};

    PanelStep4(TLang &lang, TLogic &logic, TSession &session, const TComm &comm, TDrawObj &drawing,
               StepNavigator &steps, Prompter &prompter, Guard guard, QWidget *parent = nullptr);
    ~PanelStep4() override;

    // Stores the comparison into the session record. Runs when the main window's focus leaves
    // the panel and whenever the panel is hidden, so that leaving it by any way stores it, even
    // with the focus on the panel itself or nowhere.
    void PanelStep4Exit();
    void ShowComparison();
    void DrawPicture();

    PictureBox *image() const;

protected:
    void hideEvent(QHideEvent *event) override;

private:
    // The circumference with its uncertainty, whether the meridian's 40008 km lies within it and
    // what the uncertainty includes, shown with every circumference shown.
    void showUncertainty(bool sizeShown);
    // With the virtual partner: which distance to type, from the school north or south to the
    // partner's latitude (the sun's declination), as measured on a map.
    void showVirtualDistance();
    // The decimal mark of the deviation: the class's language's (its file's Locale), or the
    // user's own when the file names no locale.
    QChar deviationSeparator() const;
    void btnAcceptDistanceClick();
    // Computes the circumference; a distance typed and not yet accepted is accepted first.
    void btnCalcEarthClick();
    // Accepts the distance typed in edDistance ("." or "," as decimal separator, rounded to whole
    // km). An empty box is answered with msgNoDistance, any other text that is no distance the
    // program takes with msgBadDistance; then nothing changes and false is returned.
    bool acceptTypedDistance();

    std::unique_ptr<Ui::PanelStep4> ui;
    TLang &lang_;
    TLogic &logic_;
    TSession &session_;
    const TComm &comm_;
    TDrawObj &drawing_;
    StepNavigator &steps_;
    Prompter &prompter_;
    Guard guard_;
};
