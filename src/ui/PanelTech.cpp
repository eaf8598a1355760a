// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PanelTech.h"

#include "lang/TLang.h"
#include "model/ClockText.h"
#include "model/SolarNoon.h"
#include "model/TLogic.h"
#include "model/TypedInput.h"
#include "store/TComm.h"
#include "session/SavePermission.h"
#include "ui/Guard.h"
#include "ui/LabelFit.h"
#include "ui/RefuseTypedValue.h"
#include "ui_PanelTech.h"

#include <QLineEdit>

PanelTech::PanelTech(TLang &lang, const TLogic &logic, TComm &comm, PlacesView &places, Prompter &prompter,
                     Guard guard, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::PanelTech>()), lang_(lang), logic_(logic), comm_(comm),
      places_(places), prompter_(prompter), guard_(guard) {
    ui->setupUi(this);
    const auto clicked = &QPushButton::clicked;
    guard_.connect(ui->bOKChooseLang, clicked, this, [this] { bOKChooseLangClick(); });
    guard_.connect(ui->bOKLangIniChanges, clicked, this, [this] { bOKLangIniChangesClick(); });
    guard_.connect(ui->btnSavePlaces, clicked, this, [this] { btnSavePlacesClick(); });
    for (int n = 1; n <= TComm::PlaceCount; ++n) {
        auto *button = ui->TechPagePlaces->findChild<QPushButton *>(QStringLiteral("btnSolarNoon%1").arg(n));
        guard_.connect(button, clicked, this, [this, n] { btnSolarNoonClick(n); });
    }
}

PanelTech::~PanelTech() = default;

QLineEdit *PanelTech::placesField(const QString &controlName) const {
    return ui->TechPagePlaces->findChild<QLineEdit *>(controlName);
}

void PanelTech::setLatitudeCaption(int placeNumber, const QString &caption) {
    QLabel *label = placeNumber == 1 ? ui->labTech1 : ui->LabTech2;
    label->setText(caption);
    fitLabelToText(label);
}

void PanelTech::setLanguageFileCaption(const QString &fileName) {
    ui->labApplyIniChangesFile->setText(fileName);
    fitLabelToText(ui->labApplyIniChangesFile);
}

void PanelTech::setLanguageList(const QStringList &items, int index) {
    ui->cbSelectLang->clear();
    ui->cbSelectLang->addItems(items);
    ui->cbSelectLang->setCurrentIndex(index);  // a position beyond the items chooses none
}

int PanelTech::languageListIndex() const { return ui->cbSelectLang->currentIndex(); }

void PanelTech::bOKChooseLangClick() { lang_.SelectLang(ui->cbSelectLang->currentIndex()); }

void PanelTech::bOKLangIniChangesClick() { lang_.ReloadLang(); }

void PanelTech::btnSavePlacesClick() {
    if (noonTimesTyped() && longitudesTyped() && mayWriteConfiguration(comm_, lang_, prompter_))
        comm_.SavePlaces(places_, [this] { return lang_.GetText(QStringLiteral("msgSaveCfgAsUtf8")); });
}

bool PanelTech::noonTimesTyped() {
    using namespace TypedInput;
    TLang &lang = lang_;
    for (int n = 1; n <= TComm::PlaceCount; ++n) {
        const QString place = QString::number(n);
        const struct {
            const char *field;
            WholeRange range;
            const char *message;
        } boxes[] = {{"edNoonH", NoonHour, "msgBadNoonH"}, {"edNoonM", ClockMinute, "msgBadNoonM"}};
        for (const auto &box : boxes) {
            QLineEdit *edit = placesField(QLatin1String(box.field) + place);
            if (!wholeNumber(edit->text(), box.range)) {
                // The caption of the place's row ("Place 3:") names the box's place.
                refuseTypedValue(edit, prompter_,
                                 lang.GetText(QStringLiteral("labPlace") + place) + u' ' +
                                     lang.GetText(QLatin1String(box.message)));
                return false;
            }
        }
    }
    return true;
}

bool PanelTech::longitudesTyped() {
    for (int n = 1; n <= TComm::PlaceCount; ++n) {
        const QString text = placesField(QStringLiteral("edLongitude%1").arg(n))->text();
        if (!text.trimmed().isEmpty() && !SolarNoon::parseLongitude(text)) {
            refuseLongitude(n);
            return false;
        }
    }
    return true;
}

void PanelTech::refuseLongitude(int n) {
    const QString place = QString::number(n);
    refuseTypedValue(placesField(QStringLiteral("edLongitude") + place), prompter_,
                     lang_.GetText(QStringLiteral("labPlace") + place) + u' ' +
                         lang_.GetText(QStringLiteral("msgBadLongitude")));
}

void PanelTech::btnSolarNoonClick(int n) {
    const QString place = QString::number(n);
    const std::optional<double> longitude = SolarNoon::parseLongitude(placesField("edLongitude" + place)->text());
    // A school in another time zone names it in the configuration (TimeZone<n>): its clocks count.
    const QString zoneId = comm_.GetValue("TimeZone" + place).trimmed();
    const QTimeZone named = zoneId.isEmpty() ? QTimeZone() : QTimeZone(zoneId.toLatin1());  // "" is the system's
    const QTimeZone &zone = named.isValid() ? named : timeZone_;
    const std::optional<SolarNoon::ClockTime> noon =
        longitude ? SolarNoon::noonClockTime(logic_.MeasureDay(), *longitude, zone) : std::nullopt;
    if (!noon)
        return refuseLongitude(n);
    const QString minute = QStringLiteral("%1").arg(noon->minute, 2, 10, QLatin1Char('0'));
    // Far from the zone's meridian noon can fall in the hour after midnight, which the noon boxes
    // do not take (an hour 0 reads as "not set"): refused here rather than on saving.
    if (noon->hour < TypedInput::NoonHour.min || noon->hour > TypedInput::NoonHour.max) {
        refuseTypedValue(placesField("edLongitude" + place), prompter_,
                         lang_.GetText(QStringLiteral("labPlace") + place) + u' ' +
                             lang_.GetText(QStringLiteral("msgNoonOutsideHours"), {ClockText(noon->hour, noon->minute)}));
        return;
    }
    placesField("edNoonH" + place)->setText(QString::number(noon->hour));
    placesField("edNoonM" + place)->setText(minute);
}
