// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/PanelStep1.h"
#include "ui/StepButton.h"
#include "ui/TMainForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

// One reading at a place: the clock time of the shadow's end and both lengths in millimetres.
struct Reading {
    const char *hour;
    const char *minute;
    const char *shadow;
    const char *stick = "1000";
};

// A class run taken with the mouse through the main window, as the window tests and the
// step-change benchmark take it. A class can only use what it sees: each control is looked up
// by name among the panels built so far (none is built here that the class did not open) and
// must be shown. Every step returns whether it reached all its controls; the first one it did
// not reach ends the step and is named in `unreached`.
class ClassRun {
public:
    explicit ClassRun(TMainForm &window) : window_(window) {}

    // Place 1 read at 12:05, place 2 at 11:40 (both noon elevations a few degrees apart with
    // the usual places), 1000 km apart: every step then opens without a message.
    static constexpr Reading FirstReading{"12", "5", "800"};
    static constexpr Reading SecondReading{"11", "40", "1000"};

    bool clickStep(int index) {
        StepButton *button = window_.stepButton(index);
        if (!button->isVisible())
            return miss("step button");
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }
    bool click(const char *button) {
        auto *b = shown<QPushButton>(button);
        if (b)
            QTest::mouseClick(b, Qt::LeftButton);
        return b;
    }
    bool type(const char *box, const QString &text) {
        auto *edit = shown<QLineEdit>(box);
        if (edit)
            edit->setText(text);
        return edit;
    }
    // Chooses item `index` of place `place`'s list on the places step, as the user's choice does.
    bool choose(int place, int index) {
        auto *panel = window_.findChild<PanelStep1 *>();
        if (!panel || !panel->isVisible())
            return miss("PanelStep1");
        QComboBox *list = panel->placeList(place);
        list->setCurrentIndex(index);
        emit list->activated(index);
        return true;
    }

    bool acceptTime(const char *hour, const char *minute) {
        return type("edTimeH", QString::fromUtf8(hour)) && type("edTimeM", QString::fromUtf8(minute)) &&
               click("btnAcceptTime");
    }
    bool acceptLengths(const char *stick, const char *shadow) {
        return type("edStick", QString::fromUtf8(stick)) && type("edShadow", QString::fromUtf8(shadow)) &&
               click("btnAcceptHeight");
    }
    // The reading accepted on the measurement panel, noon not computed yet.
    bool read(const Reading &r) { return acceptTime(r.hour, r.minute) && acceptLengths(r.stick, r.shadow); }
    // The reading accepted and the noon elevation computed.
    bool measure(const Reading &r) { return read(r) && click("btnCalcNoon"); }
    bool compare(const char *km) {
        return type("edDistance", QString::fromUtf8(km)) && click("btnAcceptDistance") && click("btnCalcEarth");
    }

    // Step 1 opened, place 1 set to the second listed place and place 2 to the first.
    bool choosePlaces() { return clickStep(2) && choose(1, 1) && choose(2, 0); }
    // From the places step to the computed circumference.
    bool measureAndCompare(const Reading &first = FirstReading, const Reading &second = SecondReading,
                           const char *km = "1000") {
        return click("btnStep1Next") && measure(first) && click("btnSetp2Next") && measure(second) &&
               click("btnSetp2Next") && compare(km);
    }
    bool wholeRun(const Reading &first = FirstReading, const Reading &second = SecondReading) {
        return choosePlaces() && measureAndCompare(first, second);
    }

    QStringList unreached;  // the controls a step needed but could not find shown

private:
    template <typename T> T *shown(const char *name) {
        T *control = window_.findChild<T *>(QLatin1String(name));
        if (!control || !control->isVisible()) {
            miss(name);
            return nullptr;
        }
        return control;
    }
    bool miss(const char *name) {
        unreached.append(QLatin1String(name));
        return false;
    }

    TMainForm &window_;
};
