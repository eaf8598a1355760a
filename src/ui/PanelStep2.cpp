// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelStep2.h"

#include "draw/ShadowDayPlot.h"
#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/TLogic.h"
#include "model/TypedInput.h"
#include "session/TSession.h"
#include "ui/Guard.h"
#include "ui/LabelFit.h"
#include "ui/PictureBox.h"
#include "ui/RefuseTypedValue.h"
#include "ui/StepNavigator.h"
#include "ui_PanelStep2.h"

#include <cstdlib>

PanelStep2::PanelStep2(TLang &lang, TLogic &logic, TSession &session, TDrawObj &drawing, THeiObj *const &place,
                       StepNavigator &steps, Prompter &prompter, Guard guard, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::PanelStep2>()), lang_(lang), logic_(logic), session_(session),
      drawing_(drawing), place_(place), steps_(steps), prompter_(prompter), guard_(guard) {
    ui->setupUi(this);
    // The buttons act on the place shown, so only while there is one.
    auto on = [this](QPushButton *button, void (PanelStep2::*handler)()) {
        guard_.connect(button, &QPushButton::clicked, this, [this, handler] {
            if (place_)
                (this->*handler)();
        });
    };
    on(ui->btnAcceptTime, &PanelStep2::btnAcceptTimeClick);
    on(ui->btnAcceptHeight, &PanelStep2::btnAcceptHeightClick);
    on(ui->btnCalcNoon, &PanelStep2::btnCalcNoonClick);
    on(ui->BtnStep2Back, &PanelStep2::BtnStep2BackClick);
    on(ui->btnSetp2Next, &PanelStep2::btnSetp2NextClick);
    guard_.connect(ui->ImageShadowDay, &PictureBox::needsRepaint, this, [this] { drawShadowDay(); });
}

PanelStep2::~PanelStep2() = default;

PictureBox *PanelStep2::image() const { return ui->ImageStep2; }

void PanelStep2::PanelStep2Exit() {
    if (place_)
        session_.StoreHei(*place_);
}

void PanelStep2::ShowMeasurement() {
    const THeiObj &h = *place_;
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

    ui->labPanel2Place->setText(h.PlaceName);
    fitLabelToText(ui->labPanel2Place);
    ui->edTimeH->setText(QString::number(h.TimH));
    ui->edTimeM->setText(QString::number(h.TimM));
    ui->edShadow->setText(QString::number(h.Shadow));
    ui->edStick->setText(QString::number(h.Stick));
    ui->labHeightRes->setText(AngleToText(h.SunHeightAtCurrTime));
    fitLabelToText(ui->labHeightRes);
    ui->labNoonRes->setText(AngleToText(h.NoonHeightAngle));
    fitLabelToText(ui->labNoonRes);
    showSolvedLatitude(h);
    showNoonOff(h);
}

void PanelStep2::showNoonOff(const THeiObj &h) {
    const int off = h.ConfiguredNoonOffMinutes();
    const bool far = std::abs(off) > THeiObj::NoonToleranceMinutes;
    ui->labNoonOff->setVisible(far);
    if (!far)
        return;
    auto clock = [](int hour, int minute) { return QStringLiteral("%1:%2").arg(hour).arg(minute, 2, 10, QLatin1Char('0')); };
    ui->labNoonOff->setText(lang_.GetText(QStringLiteral("msgNoonOff"))
                                .arg(clock(h.ConfiguredNoonH, h.ConfiguredNoonM), clock(h.NoonH, h.NoonM),
                                     QString::number(std::abs(off))));
}

void PanelStep2::showSolvedLatitude(const THeiObj &h) {
    // The chosen latitude, right after its caption (whose width depends on the language).
    fitLabelToText(ui->labLatitude);
    ui->labLatitudeRes->setText(AngleToText(h.Latitude()));
    fitLabelToText(ui->labLatitudeRes);
    ui->labLatitudeRes->move(ui->labLatitude->geometry().right() + 7, ui->labLatitude->y());
}

void PanelStep2::DrawPicture() {
    if (place_)
        drawing_.DrawHei(*place_);
    drawShadowDay();
}

void PanelStep2::drawShadowDay() {
    bool shown = false;
    if (place_) {
        const THeiObj &h = *place_;
        const QList<ShadowReading> readings{{h.TimH, h.TimM, h.Shadow}};
        shown = drawing_.DrawShadowDay(h, readings, *ui->ImageShadowDay);
    }
    ui->ImageShadowDay->setVisible(shown);
}

void PanelStep2::btnAcceptTimeClick() {
    using namespace typedinput;
    const std::optional<int> hour = wholeNumber(ui->edTimeH->text(), ClockHour);
    if (!hour)
        return refuseTypedValue(ui->edTimeH, prompter_, lang_.GetText(QStringLiteral("msgBadTimeH")));
    const std::optional<int> minute = wholeNumber(ui->edTimeM->text(), ClockMinute);
    if (!minute)
        return refuseTypedValue(ui->edTimeM, prompter_, lang_.GetText(QStringLiteral("msgBadTimeM")));
    THeiObj &h = *place_;
    h.EditedTimH = *hour;
    h.EditedTimM = *minute;
    h.AcceptTime();
    ShowMeasurement();
    DrawPicture();
}

void PanelStep2::btnAcceptHeightClick() {
    using namespace typedinput;
    // In the order of the boxes on the panel: the shadow above the stick.
    const std::optional<int> shadow = wholeNumber(ui->edShadow->text(), LengthMm);
    if (!shadow)
        return refuseTypedValue(ui->edShadow, prompter_, lang_.GetText(QStringLiteral("msgBadShadow")));
    const std::optional<int> stick = wholeNumber(ui->edStick->text(), LengthMm);
    if (!stick)
        return refuseTypedValue(ui->edStick, prompter_, lang_.GetText(QStringLiteral("msgBadStick")));
    THeiObj &h = *place_;
    h.EditedStick = *stick;
    h.EditedShadow = *shadow;
    h.AcceptHeight();
    ShowMeasurement();
    DrawPicture();
}

void PanelStep2::btnCalcNoonClick() {
    place_->CalcNoon();
    ShowMeasurement();
    DrawPicture();
}

void PanelStep2::BtnStep2BackClick() {
    if (place_ == &logic_.Hei1)
        steps_.imgStep1Click();
    else
        steps_.imgStep2Click();
}

void PanelStep2::btnSetp2NextClick() {
    if (place_ == &logic_.Hei1)
        steps_.imgStep3Click();
    else
        steps_.imgStep4Click();
}
