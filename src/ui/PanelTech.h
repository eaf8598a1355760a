// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/Guard.h"
#include <QStringList>
#include <QTimeZone>
#include <QWidget>
#include <memory>

namespace Ui { class PanelTech; }
class QLineEdit;
class QPushButton;
class PlacesView;
class Prompter;
class TComm;
class TLang;
class TLogic;

// The teacher's corner: the language page (switch the language of both windows, or load the file
// in use again after it was edited), the places editor and the solved latitudes.
class PanelTech : public QWidget {
    Q_OBJECT
public:
    // places: the places editor as the configuration reads it (the main window's panel views).
    PanelTech(TLang &lang, const TLogic &logic, TComm &comm, PlacesView &places, Prompter &prompter, Guard guard,
              QWidget *parent = nullptr);
    ~PanelTech() override;

    QLineEdit *placesField(const QString &controlName) const;
    void setLatitudeCaption(int placeNumber, const QString &caption);
    void setLanguageFileCaption(const QString &fileName);
    void setLanguageList(const QStringList &items, int index);
    int languageListIndex() const;
    // The time zone whose clocks the true-noon buttons read: the system's, summer time included.
    void setTimeZone(const QTimeZone &zone) { timeZone_ = zone; }

private:
    void bOKChooseLangClick();
    void bOKLangIniChangesClick();
    // Saves the places editor, once every noon time in it is one the configuration keeps.
    void btnSavePlacesClick();
    // The noon boxes of the five places, place by place, hour then minute: a whole hour from 1 to
    // 23 and a whole minute from 0 to 59. The first box that holds anything else is refused with
    // the caption of its place and msgBadNoonH or msgBadNoonM, and false is returned.
    bool noonTimesTyped();
    // The longitude boxes: empty, or degrees from -180 to 180 ("." or "," before the decimals).
    // The first box that holds anything else is refused like a noon box, with msgBadLongitude.
    bool longitudesTyped();
    // Fills place n's noon hour and minute with the clock time of true solar noon at its
    // longitude on the measurement date, in the panel's time zone. An empty or unusable longitude
    // is refused with msgBadLongitude and nothing changes; so is, with msgNoonOutsideHours, a
    // noon whose hour the noon boxes do not take. The editor is saved as usual.
    void btnSolarNoonClick(int n);
    void refuseLongitude(int n);

    std::unique_ptr<Ui::PanelTech> ui;
    TLang &lang_;
    const TLogic &logic_;
    TComm &comm_;
    PlacesView &places_;
    Prompter &prompter_;
    Guard guard_;
    QTimeZone timeZone_ = QTimeZone::systemTimeZone();
};
