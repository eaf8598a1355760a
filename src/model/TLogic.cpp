// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TLogic.h"

#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/DayCount.h"
#include "model/LatitudeView.h"
#include "model/ReadingUncertainty.h"
#include "model/SessionStore.h"
#include "platform/Prompter.h"
#include "store/TComm.h"

#include <cmath>
#include <limits>

TLogic::TLogic(TComm &comm, TLang &lang, Prompter &prompter, LatitudeView &latitudes,
               SessionStore &session, Clock clock)
    : Hei1(1, comm, lang, prompter, latitudes, measureClock(clock)),
      Hei2(2, comm, lang, prompter, latitudes, measureClock(clock)),
      comm_(comm), lang_(lang), prompter_(prompter), session_(session),
      clock_(clock ? std::move(clock) : systemClock()) {}

Clock TLogic::measureClock(Clock clock) {
    // Called before the members below the places exist: it keeps only the pointer to this object.
    return [this, clock = clock ? std::move(clock) : systemClock()] {
        QDateTime now = clock();
        if (measureDay_.isValid())
            now.setDate(measureDay_);
        return now;
    };
}

namespace {

// A place loaded only to read its noon shows no latitude.
class NoLatitudeShown : public LatitudeView {
public:
    void setLatitudeCaption(int, const QString &) override {}
};

}  // namespace

std::optional<TLogic::PlaceNoon> TLogic::NoonOf(int placeNo) const {
    if (placeNo < 1 || placeNo == THeiObj::VirtualPartnerPlaceNo)
        return std::nullopt;
    NoLatitudeShown noLabel;
    THeiObj place(0, comm_, lang_, prompter_, noLabel, [this] {
        QDateTime now = clock_();
        if (measureDay_.isValid())
            now.setDate(measureDay_);
        return now;
    });
    place.MeasureDate = DayCount::fromDateTime(QDateTime(MeasureDay().isValid() ? MeasureDay() : clock_().date(), QTime(12, 0)));
    place.LoadPlace(placeNo);
    if (place.PlaceName.isEmpty())
        return std::nullopt;
    return PlaceNoon{place.NoonH, place.NoonM, place.NoonFromLongitude};
}

void TLogic::Init() {
    measureDay_ = clock_().date();
    Hei1.Init();
    Hei2.Init();
    EarthState = 0;
    session_.StoreHei(Hei1);
    session_.StoreHei(Hei2);
    session_.StoreLogic(*this);
}

void TLogic::Clear() {
    Hei1.Init();
    Hei2.Init();
    EarthState = 0;
    Printed = false;
}

bool TLogic::ChangeMeasureDay(QDate day) {
    if (!day.isValid() || day == measureDay_)
        return day.isValid();
    // The virtual partner is no measurement of the class's: it moves to the new date unasked.
    auto measured = [](const THeiObj &hei) { return hei.State > 0 && !hei.VirtualPartner; };
    if ((measured(Hei1) || measured(Hei2)) &&
        prompter_.confirm(lang_.GetText(QStringLiteral("msgChangeMeasureDate")), Prompter::Buttons::OkCancel) !=
            Prompter::Answer::Ok)
        return false;
    measureDay_ = day;
    for (THeiObj *hei : {&Hei1, &Hei2}) {
        hei->MeasureDate = DayCount::fromDateTime(QDateTime(day, QTime(12, 0)));
        hei->CalcEquinox();
        hei->State = 0;
        if (hei->VirtualPartner)  // it needs no reading: the new date's declination is its latitude
            hei->TakeZenithReading();
    }
    session_.StoreHei(Hei1);
    session_.StoreHei(Hei2);
    session_.StoreLogic(*this);
    return true;
}

void TLogic::SetMeasureDay(QDate day) {
    if (!day.isValid())
        return;
    measureDay_ = day;
    for (THeiObj *hei : {&Hei1, &Hei2})
        hei->MeasureDate = DayCount::fromDateTime(QDateTime(day, QTime(12, 0)));
}

double TLogic::DeviationPercent(std::int32_t earthSizeKm) {
    return (static_cast<double>(earthSizeKm) - MeridionalCircumferenceKm) / MeridionalCircumferenceKm * 100;
}

QString TLogic::DeviationText(std::int32_t earthSizeKm, QChar decimalSeparator) {
    const double tenths = std::nearbyint(DeviationPercent(earthSizeKm) * 10);
    QString text = QString::number(std::fabs(tenths) / 10, 'f', 1);
    text.replace(u'.', decimalSeparator);
    if (tenths > 0)
        text.prepend(u'+');
    else if (tenths < 0)
        text.prepend(u'-');
    return text + QStringLiteral(" %");
}

void TLogic::AcceptDistance() {
    EarthDistance = EditedEarthDistance;
    EarthState = 1;
}

void TLogic::AcceptDistance(std::int32_t typedKm) {
    EditedEarthDistance = typedKm;
    AcceptDistance();
}

void TLogic::CalcEarth() {
    if (EarthDistance <= 0) {
        prompter_.showMessage(lang_.GetText(QStringLiteral("msgNoDistance")));
        return;
    }
    if (!(HeiDiff > 0 && std::isfinite(HeiDiff))) {
        prompter_.showMessage(lang_.GetText(QStringLiteral("msgNoAngleDiff")));
        return;
    }
    const long double size = std::nearbyint(exactEarthSize(HeiDiff, EarthDistance));
    if (size > std::numeric_limits<std::int32_t>::max()) {
        prompter_.showMessage(lang_.GetText(QStringLiteral("msgEarthTooLarge")));
        return;
    }
    EarthSize = static_cast<std::int32_t>(size);
    EarthState = 2;
}

long double TLogic::exactEarthSize(double noonDifference, std::int32_t distanceKm) {
    return 2 * PiL / noonDifference * distanceKm;
}

bool TLogic::EarthSizeFits(double noonDifference) const {
    if (EarthState < 2 || EarthDistance <= 0 || !(noonDifference > 0 && std::isfinite(noonDifference)))
        return false;
    // The difference may have come back through the session record with 15 significant digits,
    // and the two noon elevations may lie close together, so allow a relative 1e-9 beyond the
    // half kilometre of the rounding.
    const long double exact = exactEarthSize(noonDifference, EarthDistance);
    return std::abs(EarthSize - exact) <= 0.5L + 1e-9L * exact;
}

std::optional<std::int32_t> TLogic::EarthUncertaintyKm() const {
    const double heiDiff = std::fabs(Hei1.NoonHeightAngle - Hei2.NoonHeightAngle);
    if (!EarthSizeFits(heiDiff))
        return std::nullopt;
    const std::optional<double> u1 = Hei1.NoonElevationUncertainty();
    const std::optional<double> u2 = Hei2.NoonElevationUncertainty();
    if (!u1 || !u2)
        return std::nullopt;
    return ReadingUncertainty::circumferenceKm(EarthDistance, heiDiff, *u1, *u2);
}

bool TLogic::MeridianWithinUncertainty(std::int32_t uncertaintyKm) const {
    return ReadingUncertainty::inside(MeridionalCircumferenceKm, EarthSize, uncertaintyKm);
}

QString TLogic::ShortDateFormat() const {
    const QChar sep = comm_.locale().dateSeparator;
    // Letters would read as date fields and a quote starts literal text: quote them.
    QString sepText(sep);
    if (sep == u'\'')
        sepText = QStringLiteral("''");
    else if (sep.isLetter())
        sepText = u'\'' + sepText + u'\'';
    return QStringLiteral("dd") + sepText + QStringLiteral("MM") + sepText + QStringLiteral("yyyy");
}
