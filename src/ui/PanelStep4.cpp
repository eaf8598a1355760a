// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelStep4.h"

#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/TLogic.h"
#include "model/TypedInput.h"
#include "session/TSession.h"
#include "store/TComm.h"
#include "ui/Guard.h"
#include "ui/LabelFit.h"
#include "ui/RefuseTypedValue.h"
#include "ui/StepNavigator.h"
#include "ui/ToolkitLanguage.h"
#include "ui_PanelStep4.h"

#include <cmath>
#include <numbers>
#include <optional>

PanelStep4::PanelStep4(TLang &lang, TLogic &logic, TSession &session, const TComm &comm, TDrawObj &drawing,
                       StepNavigator &steps, Prompter &prompter, Guard guard, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::PanelStep4>()), lang_(lang), logic_(logic), session_(session),
      comm_(comm), drawing_(drawing), steps_(steps), prompter_(prompter), guard_(guard) {
    ui->setupUi(this);
    const auto clicked = &QPushButton::clicked;
    guard_.connect(ui->btnAcceptDistance, clicked, this, [this] { btnAcceptDistanceClick(); });
    guard_.connect(ui->btnCalcEarth, clicked, this, [this] { btnCalcEarthClick(); });
    guard_.connect(ui->btnStep4Back, clicked, this, [this] { steps_.imgStep3Click(); });
    guard_.connect(ui->btnStep4Next, clicked, this, [this] { steps_.imgStep5Click(); });
}

PanelStep4::~PanelStep4() = default;

PictureBox *PanelStep4::image() const { return ui->ImageStep4; }

void PanelStep4::hideEvent(QHideEvent *event) {
    QWidget::hideEvent(event);
    guard_([this] { PanelStep4Exit(); });
}

void PanelStep4::PanelStep4Exit() { session_.StoreLogic(logic_); }

void PanelStep4::ShowComparison() {
    const TLogic &logic = logic_;
    auto set = [](QLabel *label, const QString &text) {
        label->setText(text);
        fitLabelToText(label);
    };
    set(ui->labValNoonHei1, AngleToText(logic.NoonHeightAngle1));
    set(ui->labValNoonHei2, AngleToText(logic.NoonHeightAngle2));
    set(ui->labValHeiDiff, AngleToText(logic.HeiDiff));
    ui->edDistance->setText(QString::number(logic.EditedEarthDistance));
    const bool accepted = logic.EarthState >= 1;
    for (QWidget *w : {static_cast<QWidget *>(ui->labPropDistance), static_cast<QWidget *>(ui->labPropAngle),
                       static_cast<QWidget *>(ui->labPropEarth), static_cast<QWidget *>(ui->labProp360),
                       static_cast<QWidget *>(ui->labProp), static_cast<QWidget *>(ui->btnCalcEarth)})
        w->setVisible(accepted);
    const QString km = u' ' + lang_.GetText(QStringLiteral("unitKm"));
    set(ui->labPropDistance, QString::number(logic.EarthDistance) + km);
    set(ui->labPropAngle, AngleToText(logic.HeiDiff));
    // A circumference that belongs to another difference or distance (a place measured again, a
    // size brought back from the session record) would make the proportion false.
    const bool sizeShown = logic.EarthSizeFits(logic.HeiDiff);
    set(ui->labPropEarth, sizeShown ? QString::number(logic.EarthSize) + km : QStringLiteral("???"));
    // How far the shown circumference lies from the meridian's; nothing while "???" stands there.
    ui->labDeviation->setVisible(accepted && sizeShown);
    ui->labDeviationRes->setVisible(accepted && sizeShown);
    set(ui->labDeviationRes,
        sizeShown ? TLogic::DeviationText(logic.EarthSize, deviationSeparator()) : QString());
    set(ui->labProp360, AngleToText(2 * std::numbers::pi));
    // The proportion is drawn with dashes for its fraction bars; a screen reader says it in words.
    TLang &lang = lang_;
    const QString earth = sizeShown ? ui->labPropEarth->text() : lang.GetText(QStringLiteral("accEarthUnknown"));
    const QString formula = lang.GetText(QStringLiteral("accProportion"), {ui->labPropDistance->text(), earth,
                                                                           ui->labPropAngle->text(), ui->labProp360->text()});
    ui->labProp->setAccessibleName(formula);
    ui->labProp->setAccessibleDescription(formula);
    showUncertainty(accepted && sizeShown);
    showVirtualDistance();
}

void PanelStep4::showVirtualDistance() {
    const TLogic &logic = logic_;
    const THeiObj *partner = logic.Hei1.VirtualPartner ? &logic.Hei1 : logic.Hei2.VirtualPartner ? &logic.Hei2 : nullptr;
    ui->labVirtualDistance->setVisible(partner != nullptr);
    if (!partner)
        return;
    const THeiObj &school = partner == &logic.Hei1 ? logic.Hei2 : logic.Hei1;
    // The partner's latitude is the sun's declination: north of the equator from March to
    // September, south of it in the other half of the year.
    const double latitude = partner->Latitude();
    ui->labVirtualDistance->setText(
        lang_.GetText(latitude >= 0 ? QStringLiteral("labVirtualDistanceNorth") : QStringLiteral("labVirtualDistanceSouth"),
                      {school.PlaceName, AngleToText(std::fabs(latitude))}));
}

void PanelStep4::showUncertainty(bool sizeShown) {
    const TLogic &logic = logic_;
    std::optional<std::int32_t> uncertainty;
    if (sizeShown)
        uncertainty = logic.EarthUncertaintyKm();
    for (QWidget *w : {static_cast<QWidget *>(ui->labUncertainty), static_cast<QWidget *>(ui->labUncertaintyRes),
                       static_cast<QWidget *>(ui->labUncertaintyVerdict),
                       static_cast<QWidget *>(ui->labUncertaintyIncludes)})
        w->setVisible(uncertainty.has_value());
    if (!uncertainty)
        return;
    TLang &lang = lang_;
    ui->labUncertaintyRes->setText(
        lang.GetText(QStringLiteral("labUncertaintyText"), {QString::number(logic.EarthSize), QString::number(*uncertainty)}));
    fitLabelToText(ui->labUncertaintyRes);
    const QString verdict = logic.MeridianWithinUncertainty(*uncertainty) ? QStringLiteral("labMeridianInside")
                                                                           : QStringLiteral("labMeridianOutside");
    ui->labUncertaintyVerdict->setText(lang.GetText(verdict, {QString::number(TLogic::MeridionalCircumferenceKm)}));
    fitLabelToText(ui->labUncertaintyVerdict);
}

QChar PanelStep4::deviationSeparator() const {
    return ToolkitLanguage::conventionsOf(lang_.Texts.value(ToolkitLanguage::LocaleKey), comm_.locale())
        .decimalSeparator;
}

void PanelStep4::DrawPicture() {
    drawing_.DrawEarth();
}

void PanelStep4::btnAcceptDistanceClick() {
    if (acceptTypedDistance()) {
        ShowComparison();
        DrawPicture();
    }
}

void PanelStep4::btnCalcEarthClick() {
    const TLogic &logic = logic_;
    if (ui->edDistance->text() != QString::number(logic.EditedEarthDistance) && !acceptTypedDistance())
        return;
    logic_.CalcEarth();
    ShowComparison();
    DrawPicture();
}

bool PanelStep4::acceptTypedDistance() {
    TLang &lang = lang_;
    if (ui->edDistance->text().trimmed().isEmpty()) {
        refuseTypedValue(ui->edDistance, prompter_, lang.GetText(QStringLiteral("msgNoDistance")));
        return false;
    }
    const std::optional<int> km = TypedInput::distanceKm(ui->edDistance->text());
    if (!km) {
        refuseTypedValue(ui->edDistance, prompter_, lang.GetText(QStringLiteral("msgBadDistance")));
        return false;
    }
    logic_.AcceptDistance(*km);
    return true;
}
