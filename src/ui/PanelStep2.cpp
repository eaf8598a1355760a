// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelStep2.h"

#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/TLogic.h"
#include "model/SolarNoon.h"
#include "model/TypedInput.h"
#include "session/PartnerReading.h"
#include "store/TComm.h"
#include "session/TSession.h"
#include "ui/AppObjects.h"
#include "ui/Guard.h"
#include "ui/LabelFit.h"
#include "ui/StepNavigator.h"
#include "ui/TypedField.h"
#include "ui_PanelStep2.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <cstdlib>

PanelStep2::PanelStep2(AppObjects &objects, StepNavigator &steps, Prompter &prompter, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::PanelStep2>()), objects_(objects), steps_(steps),
      prompter_(prompter), guard_(objects, prompter) {
    ui->setupUi(this);
    // The buttons act on the place shown, so only while there is one.
    auto on = [this](QPushButton *button, void (PanelStep2::*handler)()) {
        guard_.connect(button, &QPushButton::clicked, this, [this, handler] {
            if (objects_.CurrHei)
                (this->*handler)();
        });
    };
    on(ui->btnAcceptTime, &PanelStep2::btnAcceptTimeClick);
    on(ui->btnAcceptHeight, &PanelStep2::btnAcceptHeightClick);
    on(ui->btnCalcNoon, &PanelStep2::btnCalcNoonClick);
    on(ui->BtnStep2Back, &PanelStep2::BtnStep2BackClick);
    on(ui->btnSetp2Next, &PanelStep2::btnSetp2NextClick);
    on(ui->btnSaveReading, &PanelStep2::btnSaveReadingClick);
    on(ui->btnLoadReading, &PanelStep2::btnLoadReadingClick);
}

PanelStep2::~PanelStep2() = default;

PictureBox *PanelStep2::image() const { return ui->ImageStep2; }

void PanelStep2::PanelStep2Exit() {
    if (objects_.exist() && objects_.CurrHei)
        objects_.Session->StoreHei(*objects_.CurrHei);
}

void PanelStep2::ShowMeasurement() {
    const THeiObj &h = *objects_.CurrHei;
    for (QWidget *w : {static_cast<QWidget *>(ui->labEnterHeight), static_cast<QWidget *>(ui->labShadow),
                       static_cast<QWidget *>(ui->edShadow), static_cast<QWidget *>(ui->labShadowmm),
                       static_cast<QWidget *>(ui->labStick), static_cast<QWidget *>(ui->edStick),
                       static_cast<QWidget *>(ui->labStickmm), static_cast<QWidget *>(ui->btnAcceptHeight),
                       static_cast<QWidget *>(ui->labHeightAngle), static_cast<QWidget *>(ui->labHeightRes)})
        w->setVisible(h.State >= 1);
    ui->labCalcNoon->setVisible(h.State >= 2);
    ui->btnCalcNoon->setVisible(h.State >= 2);
    ui->labLatitude->setVisible(h.State >= 2);
    ui->labLatitudeRes->setVisible(h.State >= 2);
    ui->labNoonAngle->setVisible(h.State >= 3);
    ui->labNoonRes->setVisible(h.State >= 3);
    ui->btnSaveReading->setVisible(h.State >= 3);

    ui->labPanel2Place->setText(h.PlaceName);
    fitLabelToText(ui->labPanel2Place);
    ui->edTimeH->setText(QString::number(h.TimH));
    ui->edTimeM->setText(QString::number(h.TimM));
    ui->edShadow->setText(QString::number(h.Shadow));
    ui->edStick->setText(QString::number(h.Stick));
    ui->labHeightRes->setText(TLogic::AngleToText(h.SunHeightAtCurrTime));
    fitLabelToText(ui->labHeightRes);
    ui->labNoonRes->setText(TLogic::AngleToText(h.NoonHeightAngle));
    fitLabelToText(ui->labNoonRes);
    showLatitude(h);
    showNoonOff(h);
}

void PanelStep2::showNoonOff(const THeiObj &h) {
    const int off = h.ConfiguredNoonOffMinutes();
    const bool far = std::abs(off) > THeiObj::NoonToleranceMinutes;
    ui->labNoonOff->setVisible(far);
    if (!far)
        return;
    auto clock = [](int hour, int minute) { return QStringLiteral("%1:%2").arg(hour).arg(minute, 2, 10, QLatin1Char('0')); };
    ui->labNoonOff->setText(objects_.Lang->GetText(QStringLiteral("msgNoonOff"))
                                .arg(clock(h.ConfiguredNoonH, h.ConfiguredNoonM), clock(h.NoonH, h.NoonM),
                                     QString::number(std::abs(off))));
}

void PanelStep2::showLatitude(const THeiObj &h) {
    // The chosen latitude, right after its caption (whose width depends on the language).
    fitLabelToText(ui->labLatitude);
    ui->labLatitudeRes->setText(TLogic::AngleToText(static_cast<double>(PiL / 2 - h.SunPlaneAngle)));
    fitLabelToText(ui->labLatitudeRes);
    ui->labLatitudeRes->move(ui->labLatitude->geometry().right() + 7, ui->labLatitude->y());
}

void PanelStep2::DrawPicture() {
    if (objects_.DrawStep2 && objects_.CurrHei)
        objects_.DrawStep2->DrawHei(*objects_.CurrHei);
}

// A refused box keeps what was typed, for the class to mend.
void PanelStep2::btnAcceptTimeClick() {
    if (!acceptTypedTime())
        return;
    objects_.CurrHei->ReadingFrom.clear();
    ShowMeasurement();
    DrawPicture();
}

bool PanelStep2::acceptTypedTime() {
    using namespace typedinput;
    const std::optional<int> hour = wholeNumber(ui->edTimeH->text(), ClockHour);
    if (!hour) {
        refuseTypedValue(ui->edTimeH, prompter_, objects_.Lang->GetText(QStringLiteral("msgBadTimeH")));
        return false;
    }
    const std::optional<int> minute = wholeNumber(ui->edTimeM->text(), ClockMinute);
    if (!minute) {
        refuseTypedValue(ui->edTimeM, prompter_, objects_.Lang->GetText(QStringLiteral("msgBadTimeM")));
        return false;
    }
    THeiObj &h = *objects_.CurrHei;
    h.EditedTimH = *hour;
    h.EditedTimM = *minute;
    h.AcceptTime();
    return true;
}

void PanelStep2::btnAcceptHeightClick() {
    if (!acceptTypedLengths())
        return;
    objects_.CurrHei->ReadingFrom.clear();
    ShowMeasurement();
    DrawPicture();
}

bool PanelStep2::acceptTypedLengths() {
    using namespace typedinput;
    // In the order of the boxes on the panel: the shadow above the stick.
    const std::optional<int> shadow = wholeNumber(ui->edShadow->text(), LengthMm);
    if (!shadow) {
        refuseTypedValue(ui->edShadow, prompter_, objects_.Lang->GetText(QStringLiteral("msgBadShadow")));
        return false;
    }
    const std::optional<int> stick = wholeNumber(ui->edStick->text(), LengthMm);
    if (!stick) {
        refuseTypedValue(ui->edStick, prompter_, objects_.Lang->GetText(QStringLiteral("msgBadStick")));
        return false;
    }
    THeiObj &h = *objects_.CurrHei;
    h.EditedStick = *stick;
    h.EditedShadow = *shadow;
    h.AcceptHeight();
    return true;
}

std::optional<double> PanelStep2::longitudeOf(const THeiObj &h) const {
    const int placeNo =
        TComm::TextToInt(objects_.Session->GetValue(QStringLiteral("PlaceSelect%1").arg(h.Number()))) + 1;
    if (placeNo < 1)
        return std::nullopt;
    return SolarNoon::parseLongitude(objects_.Comm->GetValue(QStringLiteral("Longitude%1").arg(placeNo)));
}

void PanelStep2::btnSaveReadingClick() {
    const THeiObj &h = *objects_.CurrHei;
    if (h.State < 3)
        return;
    const PartnerReading reading = PartnerReading::of(h, objects_.Logic->MeasureDay(), longitudeOf(h));
    TLang &lang = *objects_.Lang;
    const QString fileName =
        prompter_.chooseFile(Prompter::FileAccess::Save, lang.GetText(QStringLiteral("btnSaveReading")),
                             PartnerReadingFile::suggestedName(reading), lang.GetText(QStringLiteral("dlgReadingFiles")));
    if (!fileName.isEmpty())
        PartnerReadingFile::write(reading, fileName);
}

void PanelStep2::btnLoadReadingClick() {
    TLang &lang = *objects_.Lang;
    const QString fileName = prompter_.chooseFile(Prompter::FileAccess::Open, lang.GetText(QStringLiteral("btnLoadReading")),
                                                  QString(), lang.GetText(QStringLiteral("dlgReadingFiles")));
    if (fileName.isEmpty())
        return;
    // A file that cannot be read whole throws here, before anything has changed.
    const PartnerReadingFile::Parsed parsed = PartnerReadingFile::read(fileName);
    const QString shownName = QDir::toNativeSeparators(fileName);
    if (!parsed.reading) {
        prompter_.showMessage(lang.GetText(QStringLiteral("msgReadingRefused")).arg(shownName, parsed.fault));
        return;
    }
    const PartnerReading &reading = *parsed.reading;
    THeiObj &h = *objects_.CurrHei;
    if (choosePlace_) {
        choosePlace_(h.Number(), reading.PlaceName, reading.NoonH, reading.NoonM);
        // The place's name and true noon come with the choice; the values stay as they are.
        objects_.Session->StoreHei(h);
        objects_.Session->RestoreHei(h);
    }

    // As the class would type them. Until a place keeps repeated readings, it takes their mean.
    long long shadowSum = 0;
    for (int shadow : reading.Shadows)
        shadowSum += shadow;
    const double meanShadow = static_cast<double>(shadowSum) / static_cast<double>(reading.Shadows.size());
    ui->edTimeH->setText(QString::number(reading.TimH));
    ui->edTimeM->setText(QString::number(reading.TimM));
    ui->edShadow->setText(QString::number(static_cast<long long>(std::nearbyint(meanShadow))));
    ui->edStick->setText(QString::number(reading.Stick));
    if (acceptTypedTime()) {
        h.ReadingFrom = QFileInfo(fileName).fileName();
        if (acceptTypedLengths() && h.State == 2)
            h.CalcNoon();
    }
    objects_.Session->StoreHei(h);
    ShowMeasurement();
    DrawPicture();

    const QDate measureDay = objects_.Logic->MeasureDay();
    if (reading.MeasureDate != measureDay) {
        const QString format = objects_.Logic->ShortDateFormat();
        prompter_.showMessage(lang.GetText(QStringLiteral("msgReadingOtherDate"))
                                  .arg(shownName, reading.MeasureDate.toString(format), measureDay.toString(format)));
    }
}

void PanelStep2::btnCalcNoonClick() {
    objects_.CurrHei->CalcNoon();
    ShowMeasurement();
    DrawPicture();
}

void PanelStep2::BtnStep2BackClick() {
    if (objects_.CurrHei == &objects_.Logic->Hei1)
        steps_.imgStep1Click();
    else
        steps_.imgStep2Click();
}

void PanelStep2::btnSetp2NextClick() {
    if (objects_.CurrHei == &objects_.Logic->Hei1)
        steps_.imgStep3Click();
    else
        steps_.imgStep4Click();
}
