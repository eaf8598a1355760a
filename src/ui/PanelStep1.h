// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "session/TSession.h"
#include "ui/Guard.h"
#include "ui/PictureSlots.h"

#include <QWidget>
#include <deque>
#include <memory>

namespace Ui { class PanelStep1; }
class QComboBox;
class DateBox;
class QLineEdit;
class StepNavigator;
class TComm;
class TLang;
class TLogic;
class TextSlot;
class PictureSlot;
class Prompter;

// Step 1: the class chooses place 1 and place 2 from the configured places and names up to four
// pupils for each. Choosing a place fills in its photograph and first two persons.
class PanelStep1 : public QWidget {
    Q_OBJECT
public:
    // closing: the main window's flag, true while it is being closed (nothing is stored then).
    PanelStep1(TLang &lang, TLogic &logic, TSession &session, TComm &comm, StepNavigator &steps, Prompter &prompter,
               Guard guard, const bool &closing, QWidget *parent = nullptr);
    ~PanelStep1() override;

    // Stores the choices into the session record unless the window is closing.
    void PanelStep1Exit();
    // Stores the choices into the session record.
    void storeChoice();
    // Asks first while the run holds unprinted measured values, then clears all (ClearAll).
    void btnClearAllClick();
    // Clears the choices and names, re-initialises both places and stores everything again.
    void ClearAll();

    PlacesChoice choice() const;
    QComboBox *placeList(int placeNumber) const;
    // Adds the virtual partner to the end of both place lists, named in the language shown.
    void addVirtualPartner();
    // The place index chosen in a list as the session record keeps it: the row, or
    // THeiObj::VirtualPartnerPlaceNo - 1 for the virtual partner wherever it stands; -1 for none.
    int chosenPlaceIndex(int placeNumber) const;
    QLineEdit *personField(int placeNumber, int person) const;
    // The names last filled in from the configuration are forgotten when the window is shown.
    void forgetFilledPersons();
    // The pupils' names as the session record holds them (a kept lesson being continued).
    void restorePersons(const TSession &session);
    // The photographs of the chosen places and of their persons, as choosing the places shows
    // them, the names left as they are (a kept lesson being continued). A picture that cannot be
    // read is reported and hidden.
    void showChosenPlaces();
    // Chooses the school at list position index for place 1 or 2, as a loaded reading does, and
    // stores the choice. The pupils follow their school: a new school's first two persons are
    // filled in and every name of the school chosen before goes (the sheet names who measured).
    void chooseSchool(int placeNumber, int index);

    // The date of the measurement (edMeasureDate): it shows the model's date whenever the panel
    // is shown. A date the user settles on (Enter, leaving the box, a day picked in the calendar)
    // goes to TLogic::ChangeMeasureDay; refused there (the question answered Cancel), the box
    // shows the model's date again. A text that is no date the box takes is refused with
    // msgBadDate; the model keeps its date and the box shows it again, selected.
    void edMeasureDateChange();
    void showMeasureDate();
    // Beside each chosen place's photographs, the time its class goes outside on the measurement
    // day (noonToGoOutText); nothing for no place or the virtual partner.
    void showNoonsToGoOut();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cbPlaceSelect1Change();
    void cbPlaceSelect2Change();
    void showPlace(int placeNumber);
    void btnStep1BackClick();
    void btnStep1NextClick();

    std::unique_ptr<Ui::PanelStep1> ui;
    TLang &lang_;
    TLogic &logic_;
    TSession &session_;
    TComm &comm_;
    StepNavigator &steps_;
    Prompter &prompter_;
    Guard guard_;
    const bool &closing_;
    bool changingDate_ = false;  // the date question is open: the box's signals wait
    // Each place's boxes and images as the configuration fills them, kept for the panel's life.
    struct PlaceControls {
        PlaceControls(QLineEdit *person1, QLineEdit *person2, PictureBox *place, PictureBox *person1Image,
                      PictureBox *person2Image);
        PlaceControls(const PlaceControls &) = delete;
        LineEditSlot name1, name2;
        PictureBoxSlot image, image1, image2;
        PlaceSlots placeSlots;
    };
    std::deque<PlaceControls> places_;  // place 1, place 2 (a deque: the slots point into each)
};
