// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/Guard.h"
#include <QSize>
#include <QWidget>
#include <memory>

namespace Ui { class PanelStep2; }
class PictureBox;
class StepNavigator;
class Prompter;
class TDrawObj;
class THeiObj;
class TLang;
class TLogic;
class TSession;

// Steps 2 and 3: the measurement at one place (the one the main window's CurrHei points at). The time, then stick
// and shadow, then the noon elevation are accepted stage by stage; each accept hands the typed
// values to the place, refreshes the panel and repaints the shadow scene. Typed values are checked
// first (hour 0-23, minute 0-59, shadow and stick whole millimetres from 1 to 100 000 000): the
// first box that holds anything else is refused with its message (msgBadTimeH, msgBadTimeM,
// msgBadShadow, msgBadStick) and neither the place nor the boxes change. The shadow box takes up
// to five readings at the same clock time, separated by ";" (msgBadShadowReadings); the
// elevation then uses their mean.
class PanelStep2 : public QWidget {
    Q_OBJECT
public:
    // The size of the picture control in the panel's design.
    static constexpr QSize ImageDesignSize{529, 415};

    // place: the place shown (none while it is null), as the main window chooses it.
    PanelStep2(TLang &lang, TLogic &logic, TSession &session, TDrawObj &drawing, THeiObj *const &place,
               StepNavigator &steps, Prompter &prompter, Guard guard, QWidget *parent = nullptr);
    ~PanelStep2() override;

    // Stores the place shown into the session record.
    void PanelStep2Exit();
    // Shows the accepted values of the place and the controls its progress allows.
    void ShowMeasurement();
    // Repaints the shadow scene and the plot of the day's shadow beside it.
    void DrawPicture();

    PictureBox *image() const;

private:
    // The place's latitude under the elevation, shown from State 2 on.
    void showSolvedLatitude(const THeiObj &h);
    // A word under the picture when the place's configured noon lies more than
    // THeiObj::NoonToleranceMinutes from the true noon its longitude gives (msgNoonOff).
    void showNoonOff(const THeiObj &h);
    // The plot of the shadow's length through the day, under the scene and the step buttons;
    // shown once the place's latitude is solved.
    void drawShadowDay();
    // The shadow readings, their mean and spread, shown where the place read its shadow more
    // than once (labShadowReadingsText).
    void showReadings(const THeiObj &h);
    // The virtual partner takes no reading: its time is fixed and its length boxes and buttons are
    // hidden.
    void showVirtualPartner(const THeiObj &h);
    void btnAcceptTimeClick();
    void btnAcceptHeightClick();
    void btnCalcNoonClick();
    void BtnStep2BackClick();
    void btnSetp2NextClick();

    std::unique_ptr<Ui::PanelStep2> ui;
    TLang &lang_;
    TLogic &logic_;
    TSession &session_;
    TDrawObj &drawing_;
    THeiObj *const &place_;
    StepNavigator &steps_;
    Prompter &prompter_;
    Guard guard_;
};
