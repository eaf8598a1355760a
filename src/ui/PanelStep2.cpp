// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelStep2.h"

#include "draw/ShadowDayPlot.h"
#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/ClockText.h"
#include "model/ReadingUncertainty.h"
#include "model/TLogic.h"
#include "model/SolarNoon.h"
#include "model/TypedInput.h"
#include "session/PartnerReading.h"
#include "session/TSession.h"
#include "store/ReadableName.h"
#include "store/TComm.h"
#include "ui/DocumentFolder.h"
#include "ui/Guard.h"
#include "ui/LabelFit.h"
#include "ui/NoonText.h"
#include "ui/PictureBox.h"
#include "ui/RefuseTypedValue.h"
#include "ui/StepNavigator.h"
#include "ui/ToolkitLanguage.h"
#include "ui_PanelStep2.h"

#include <QStringList>
#include <QDir>
#include <QFileInfo>
#include <QTimeZone>

PanelStep2::PanelStep2(TLang &lang, TLogic &logic, TSession &session, TComm &comm, TDrawObj &drawing,
                       THeiObj *const &place, StepNavigator &steps, Prompter &prompter, Guard guard, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::PanelStep2>()), lang_(lang), logic_(logic), session_(session),
      comm_(comm), drawing_(drawing), place_(place), steps_(steps), prompter_(prompter), guard_(guard) {
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
    on(ui->btnSaveReading, &PanelStep2::btnSaveReadingClick);
    on(ui->btnLoadReading, &PanelStep2::btnLoadReadingClick);
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
    ui->btnSaveReading->setVisible(h.State >= 3 && !h.VirtualPartner);  // the virtual partner read nothing

    ui->labPanel2Place->setText(h.PlaceName);
    fitLabelToText(ui->labPanel2Place);
    ui->edTimeH->setText(QString::number(h.TimH));
    ui->edTimeM->setText(QString::number(h.TimM));
    QStringList readings;
    for (std::int32_t r : h.ShadowReadings())
        readings << QString::number(r);
    ui->edShadow->setText(readings.join(QStringLiteral("; ")));
    ui->edShadow->home(false);  // several readings run past the box: the first ones in view
    ui->edStick->setText(QString::number(h.Stick));
    ui->labHeightRes->setText(AngleToText(h.SunHeightAtCurrTime));
    fitLabelToText(ui->labHeightRes);
    ui->labNoonRes->setText(AngleToText(h.NoonHeightAngle));
    fitLabelToText(ui->labNoonRes);
    showSolvedLatitude(h);
    showNoonToGoOut(h);
    showReadings(h);
    showVirtualPartner(h);
}

void PanelStep2::showReadings(const THeiObj &h) {
    const bool repeated = h.State >= 1 && !h.MoreShadows.empty();
    ui->labShadowReadings->setVisible(repeated);
    TLang &lang = lang_;
    ui->edShadow->setToolTip(lang.GetText(QStringLiteral("hintShadowReadings")));
    if (!repeated)
        return;
    const QChar separator = ToolkitLanguage::conventionsOf(lang.Texts.value(ToolkitLanguage::LocaleKey),
                                                           logic_.comm().locale())
                                .decimalSeparator;
    auto decimal = [separator](double mm) {
        return QString::number(mm, 'f', 1).replace(u'.', separator);
    };
    const ReadingUncertainty::ShadowSpread spread = ReadingUncertainty::spreadOf(h.ShadowReadings());
    QStringList readings;
    for (std::int32_t r : h.ShadowReadings())
        readings << QString::number(r);
    ui->labShadowReadings->setText(lang.GetText(QStringLiteral("labShadowReadingsText"),
                                                {readings.join(QStringLiteral(", ")), decimal(spread.meanMm),
                                                 decimal(spread.standardErrorMm)}));
}

void PanelStep2::showVirtualPartner(const THeiObj &h) {
    // Its time is true noon, fixed; it has no stick and no shadow, and its noon elevation is given.
    for (QWidget *w : {static_cast<QWidget *>(ui->edTimeH), static_cast<QWidget *>(ui->edTimeM),
                       static_cast<QWidget *>(ui->btnAcceptTime)})
        w->setEnabled(!h.VirtualPartner);
    if (!h.VirtualPartner)
        return;
    for (QWidget *w : {static_cast<QWidget *>(ui->labEnterHeight), static_cast<QWidget *>(ui->labShadow),
                       static_cast<QWidget *>(ui->edShadow),
                       static_cast<QWidget *>(ui->labShadowmm), static_cast<QWidget *>(ui->labStick),
                       static_cast<QWidget *>(ui->edStick), static_cast<QWidget *>(ui->labStickmm),
                       static_cast<QWidget *>(ui->btnAcceptHeight), static_cast<QWidget *>(ui->labCalcNoon),
                       static_cast<QWidget *>(ui->btnCalcNoon)})
        w->setVisible(false);
}

void PanelStep2::showNoonToGoOut(const THeiObj &h) {
    const bool shown = !h.VirtualPartner && !h.PlaceName.isEmpty();
    ui->labTrueNoon->setVisible(shown);
    if (shown)
        ui->labTrueNoon->setText(noonToGoOutText(lang_, logic_, {h.NoonH, h.NoonM, h.NoonFromLongitude}));
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
        QList<ShadowReading> readings;
        for (const std::int32_t shadow : h.ShadowReadings())
            readings.append({h.TimH, h.TimM, shadow});
        shown = drawing_.DrawShadowDay(h, readings, *ui->ImageShadowDay);
    }
    ui->ImageShadowDay->setVisible(shown);
}

// A refused box keeps what was typed, for the class to mend.
void PanelStep2::btnAcceptTimeClick() {
    using namespace TypedInput;
    THeiObj &h = *place_;
    if (!h.ReadingFrom.isEmpty() && wholeNumber(ui->edTimeH->text(), ClockHour) &&
        wholeNumber(ui->edTimeM->text(), ClockMinute)) {
        // The class's own time counts from the noon listed for the place, no longer the file's.
        h.ReadingFrom.clear();
        session_.StoreHei(h);
        session_.RestoreHei(h);
    }
    if (!acceptTypedTime())
        return;
    place_->ReadingFrom.clear();
    ShowMeasurement();
    DrawPicture();
}

bool PanelStep2::acceptTypedTime() {
    using namespace TypedInput;
    const std::optional<int> hour = wholeNumber(ui->edTimeH->text(), ClockHour);
    if (!hour) {
        refuseTypedValue(ui->edTimeH, prompter_, lang_.GetText(QStringLiteral("msgBadTimeH")));
        return false;
    }
    const std::optional<int> minute = wholeNumber(ui->edTimeM->text(), ClockMinute);
    if (!minute) {
        refuseTypedValue(ui->edTimeM, prompter_, lang_.GetText(QStringLiteral("msgBadTimeM")));
        return false;
    }
    THeiObj &h = *place_;
    h.EditedTimH = *hour;
    h.EditedTimM = *minute;
    h.AcceptTime();
    return true;
}

void PanelStep2::btnAcceptHeightClick() {
    if (!acceptTypedLengths())
        return;
    place_->ReadingFrom.clear();
    ShowMeasurement();
    DrawPicture();
}

bool PanelStep2::acceptTypedLengths() {
    using namespace TypedInput;
    // In the order of the boxes on the panel: the shadow above the stick. A ";" marks repeated
    // readings; without one the box holds a single reading, checked as it always was.
    std::vector<int> shadows;
    if (ui->edShadow->text().contains(u';')) {
        const std::optional<std::vector<int>> readings = shadowReadings(ui->edShadow->text());
        if (!readings) {
            refuseTypedValue(ui->edShadow, prompter_, lang_.GetText(QStringLiteral("msgBadShadowReadings")));
            return false;
        }
        shadows = *readings;
    } else {
        const std::optional<int> shadow = wholeNumber(ui->edShadow->text(), LengthMm);
        if (!shadow) {
            refuseTypedValue(ui->edShadow, prompter_, lang_.GetText(QStringLiteral("msgBadShadow")));
            return false;
        }
        shadows = {*shadow};
    }
    const std::optional<int> stick = wholeNumber(ui->edStick->text(), LengthMm);
    if (!stick) {
        refuseTypedValue(ui->edStick, prompter_, lang_.GetText(QStringLiteral("msgBadStick")));
        return false;
    }
    THeiObj &h = *place_;
    h.EditedStick = *stick;
    h.EditedShadow = shadows.front();
    h.EditedMoreShadows.assign(shadows.begin() + 1, shadows.end());
    h.AcceptHeight();
    return true;
}

std::optional<double> PanelStep2::longitudeOf(const THeiObj &h) const {
    const int placeNo =
        TComm::TextToInt(session_.GetValue(QStringLiteral("PlaceSelect%1").arg(h.Number()))) + 1;
    if (placeNo < 1)
        return std::nullopt;
    return SolarNoon::parseLongitude(logic_.comm().GetValue(QStringLiteral("Longitude%1").arg(placeNo)));
}

void PanelStep2::btnSaveReadingClick() {
    const THeiObj &h = *place_;
    if (h.State < 3)
        return;
    const PartnerReading reading = PartnerReading::of(h, logic_.MeasureDay(), longitudeOf(h));
    TLang &lang = lang_;
    // Named in the class's language after the place and the day: "Odczyt_Kraków_2013-06-20.txt".
    const QString proposed = DocumentFolder::fileName(lang.GetText(QStringLiteral("fileReading")),
                                                      {reading.PlaceName, reading.MeasureDate.toString(Qt::ISODate)},
                                                      QStringLiteral(".txt"));
    const QString fileName =
        prompter_.chooseFile(Prompter::FileAccess::Save, lang.GetText(QStringLiteral("btnSaveReading")),
                             DocumentFolder::proposedPath(comm_, proposed), lang.GetText(QStringLiteral("dlgReadingFiles")));
    if (fileName.isEmpty())
        return;
    DocumentFolder::remember(comm_, fileName);
    PartnerReadingFile::write(reading, fileName);
    prompter_.showMessage(DocumentFolder::savedText(lang.GetText(QStringLiteral("msgFileSaved")), fileName));
}

void PanelStep2::btnLoadReadingClick() {
    TLang &lang = lang_;
    const QString fileName = prompter_.chooseFile(
        Prompter::FileAccess::Open, lang.GetText(QStringLiteral("btnLoadReading")), DocumentFolder::startFolder(comm_),
        lang.GetText(QStringLiteral("dlgReadingFiles")) + QStringLiteral(";;") + lang.GetText(QStringLiteral("dlgAllFiles")));
    if (fileName.isEmpty())
        return;
    DocumentFolder::remember(comm_, fileName);
    // A file that cannot be read whole throws here, before anything has changed.
    const PartnerReadingFile::Parsed parsed = PartnerReadingFile::read(fileName);
    const QString shownName = QDir::toNativeSeparators(fileName);
    if (!parsed.reading) {
        prompter_.showMessage(lang.GetText(QStringLiteral("msgReadingRefused"), {shownName, parsed.fault}));
        return;
    }
    const PartnerReading &reading = *parsed.reading;
    if (!mayTakeReading(reading, shownName))
        return;
    THeiObj &h = *place_;
    if (choosePlace_) {
        choosePlace_(h.Number(), reading.PlaceName, reading.NoonH, reading.NoonM);
        // The place's name and listed noon come with the choice; the values stay as they are.
        h.ReadingFrom.clear();
        session_.StoreHei(h);
        session_.RestoreHei(h);
    }
    // The reading was taken by the partner's clock: its true noon holds, not the one listed here.
    if (const std::optional<SolarNoon::ClockTime> noon = reading.TrueNoon(QTimeZone::systemTimeZone()))
        h.TakeReadingNoon(noon->hour, noon->minute);

    // As the class would type them: repeated readings separated by semicolons.
    QStringList shadows;
    for (int shadow : reading.Shadows)
        shadows << QString::number(shadow);
    ui->edTimeH->setText(QString::number(reading.TimH));
    ui->edTimeM->setText(QString::number(reading.TimM));
    ui->edShadow->setText(shadows.join(QStringLiteral("; ")));
    ui->edStick->setText(QString::number(reading.Stick));
    if (acceptTypedTime()) {
        h.ReadingFrom = QFileInfo(fileName).fileName();
        if (acceptTypedLengths() && h.State == 2)
            h.CalcNoon();
    }
    session_.StoreHei(h);
    ShowMeasurement();
    DrawPicture();

    const QDate measureDay = logic_.MeasureDay();
    if (reading.MeasureDate != measureDay) {
        const QString format = logic_.ShortDateFormat();
        prompter_.showMessage(lang.GetText(QStringLiteral("msgReadingOtherDate"),
                                               {shownName, reading.MeasureDate.toString(format), measureDay.toString(format)}));
    }
}

bool PanelStep2::mayTakeReading(const PartnerReading &reading, const QString &shownName) {
    TLang &lang = lang_;
    const THeiObj &h = *place_;
    // The virtual partner is no school that measured.
    if (ReadableName::same(reading.PlaceName, lang.GetText(QStringLiteral("VirtualPartnerPlace")))) {
        prompter_.showMessage(
            lang.GetText(QStringLiteral("msgReadingRefused"), {shownName, QStringLiteral("Place=") + reading.PlaceName}));
        return false;
    }
    // A school's own file loaded where the partner's was meant would make both places one.
    const int other = h.Number() == 1 ? 2 : 1;
    const QString otherName = session_.GetValue(QStringLiteral("PlaceName%1").arg(other));
    if (!otherName.isEmpty() && ReadableName::same(reading.PlaceName, otherName)) {
        prompter_.showMessage(lang.GetText(QStringLiteral("msgReadingForOtherPlace"),
                                           {shownName, reading.PlaceName, QString::number(other), QString::number(h.Number())}));
        return false;
    }
    if (h.State < 2)
        return true;
    // A measured place: what goes is named, and only Yes replaces it.
    QStringList shadows;
    for (std::int32_t shadow : h.ShadowReadings())
        shadows << QString::number(shadow);
    const QString text = lang.GetText(QStringLiteral("msgReadingReplaces"),
                                      {QString::number(h.Number()), h.PlaceName, ClockText(h.TimH, h.TimM),
                                       QString::number(h.Stick), shadows.join(QStringLiteral("; ")), reading.PlaceName,
                                       shownName});
    return prompter_.confirm(text, Prompter::Buttons::YesNo) == Prompter::Answer::Yes;
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
