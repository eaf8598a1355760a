// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/Guard.h"
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace Ui { class PanelStep2; }
class PictureBox;
class StepNavigator;
class Prompter;
class TDrawObj;
class THeiObj;
class TLang;
class TLogic;
class TSession;
struct PartnerReading;

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

    // place: the place shown (none while it is null), as the main window chooses it; comm keeps the
    // folder the file dialogs open in.
    PanelStep2(TLang &lang, TLogic &logic, TSession &session, TComm &comm, TDrawObj &drawing, THeiObj *const &place,
               StepNavigator &steps, Prompter &prompter, Guard guard, QWidget *parent = nullptr);
    ~PanelStep2() override;

    // Stores the place shown into the session record.
    void PanelStep2Exit();
    // Shows the accepted values of the place and the controls its progress allows.
    void ShowMeasurement();
    // Repaints the shadow scene and the plot of the day's shadow beside it.
    void DrawPicture();

    PictureBox *image() const;

    // Chooses the place named in step 1 for place 1 or 2, listing it for this run first when the
    // place lists lack it, with its true noon (none: 12:00); the choice is stored into the session
    // record. The main window sets it; without it a loaded reading keeps the place chosen.
    using PlaceChooser = std::function<void(int placeNumber, const QString &name, std::optional<int> noonH,
                                            std::optional<int> noonM)>;
    void setPlaceChooser(PlaceChooser chooser) { choosePlace_ = std::move(chooser); }

    // Writes the place's accepted reading (once its noon elevation is computed) to a file that the
    // partner school loads, named in the save dialog.
    void btnSaveReadingClick();
    // Fills the place shown from the partner school's reading file, chosen in the open dialog: the
    // place is named after the file's place, then time, shadow and stick go through the checks and
    // accepts of typed values (with their questions), and the noon elevation is computed. A file
    // that is no such reading is refused (msgReadingRefused, or the file error) and nothing
    // changes. A file whose date is not the measurement date is taken, and msgReadingOtherDate
    // says so. The reading keeps the true noon of the partner's clock (PartnerReading::TrueNoon),
    // whatever this computer lists for its place; the place's pupils follow the school.
    void btnLoadReadingClick();

private:
    // The place's latitude under the elevation, shown from State 2 on.
    void showSolvedLatitude(const THeiObj &h);
    // Under the picture, the time the class goes outside: the place's true noon on the
    // measurement day (noonToGoOutText); nothing for the virtual partner, which reads nothing.
    void showNoonToGoOut(const THeiObj &h);
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
    // Whether the reading may fill the place shown: the virtual partner is refused as a place a
    // file names (msgReadingRefused), and so is the school chosen as the other place, which would
    // make both places one (msgReadingForOtherPlace, naming the place the file is for). A measured
    // place (lengths accepted) is replaced only when msgReadingReplaces, naming its school and
    // reading, is answered Yes.
    bool mayTakeReading(const PartnerReading &reading, const QString &shownName);
    // The checks and accepts of the typed values; false when a box was refused.
    bool acceptTypedTime();
    bool acceptTypedLengths();
    // The longitude configured for the place chosen for h, when there is one.
    std::optional<double> longitudeOf(const THeiObj &h) const;
    void btnCalcNoonClick();
    void BtnStep2BackClick();
    void btnSetp2NextClick();

    std::unique_ptr<Ui::PanelStep2> ui;
    TLang &lang_;
    TLogic &logic_;
    TSession &session_;
    TComm &comm_;
    TDrawObj &drawing_;
    THeiObj *const &place_;
    StepNavigator &steps_;
    Prompter &prompter_;
    Guard guard_;
    PlaceChooser choosePlace_;
};
