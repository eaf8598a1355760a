// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/THeiObj.h"
#include "platform/Clock.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>

class SessionStore;

// The measurement model's root: the two places, the comparison of their noon elevations, the
// distance between them and the Earth's circumference that follows by proportion:
//     circumference = 2 pi / |noon elevation 1 - noon elevation 2| * distance.
// Distances and the circumference are whole kilometres; angles radians.
//
// NoonHeightAngle1/2 and HeiDiff are filled by the session record (TSession::RestoreLogic) from
// the stored noon elevations, each time the comparison is shown. Refusals are messages through
// the Prompter (msgNoDistance, msgNoAngleDiff); nothing is thrown.
class TLogic {
public:
    // All references must outlive the object. The clock gives the date of the measurement.
    TLogic(TComm &comm, TLang &lang, Prompter &prompter, LatitudeView &latitudes,
           SessionStore &session, Clock clock = systemClock());
    TLogic(const TLogic &) = delete;
    TLogic &operator=(const TLogic &) = delete;

    // Initialises both places (each showing its latitude), EarthState 0, and stores both places
    // and the comparison into the session record, which from then on holds every key of them.
    void Init();
    // The places live as long as this object; nothing to release before it goes.
    void Done() {}

    // EarthDistance := EditedEarthDistance; EarthState 1 (the old EarthSize stays in the field).
    void AcceptDistance();
    // The distance typed (km) becomes EditedEarthDistance and is accepted.
    void AcceptDistance(std::int32_t typedKm);
    // EarthSize and EarthState 2 when the distance and the noon elevation difference are
    // positive; otherwise msgNoDistance (tested first) or msgNoAngleDiff and nothing changes.
    // A circumference beyond the int range (a vanishingly small difference) is refused with
    // msgEarthTooLarge.
    void CalcEarth();

    // The short date format of the program, "dd/MM/yyyy" with the locale's date separator in
    // place of the slash, in the form QDate::toString understands; the result sheet's date.
    QString ShortDateFormat() const;

    const TComm &comm() const { return comm_; }

    // The date of the measurement at both places: the run's date when it starts, or the one the
    // class chose on step 1 (the partner school's readings may come a day later). Every place
    // initialised from then on takes it; the result sheet prints it.
    QDate MeasureDay() const { return measureDay_; }
    // Moves the measurement to another date. Places measured on the old date (State above 0)
    // are not recomputed behind the user's back: when there are any, msgChangeMeasureDate asks first
    // (OK or Cancel; false and nothing changed unless OK), then every place takes the new date
    // and falls back to State 0, keeping its typed values for the next accept. Both places and
    // the comparison are stored into the session record. An invalid date changes nothing.
    bool ChangeMeasureDay(QDate day);
    // Takes the date as it is, without a question or a change of State: a session record that
    // holds it is being restored, with every place's values computed for it.
    void SetMeasureDay(QDate day);

    // The date of the measurement is today's.
    bool MeasuresToday() const { return measureDay_ == clock_().date(); }

    // The clock time a configured place's class counts from on the measurement day, as a place
    // loaded for it would take it (THeiObj::LoadPlace): true noon from its longitude, or the
    // noon configured for a place without one (fromLongitude false). Nothing for no place, an
    // unnamed place or the virtual partner, which reads nothing.
    struct PlaceNoon {
        int hour = 12;
        int minute = 0;
        bool fromLongitude = false;
    };
    std::optional<PlaceNoon> NoonOf(int placeNo) const;

    // The Earth's meridional circumference, km: a north-south measurement compares with it.
    static constexpr std::int32_t MeridionalCircumferenceKm = 40008;
    // How far a circumference lies from it, in per cent: (km - 40008) / 40008 * 100.
    static double DeviationPercent(std::int32_t earthSizeKm);
    // That deviation as text with one decimal, its sign and " %": "+1.3 %", "-0.4 %", "0.0 %"
    // (a value that rounds to zero has no sign).
    static QString DeviationText(std::int32_t earthSizeKm, QChar decimalSeparator);

    THeiObj Hei1;  // place 1
    THeiObj Hei2;  // place 2
    std::uint8_t EarthState = 0;  // 0 nothing, 1 distance accepted, 2 circumference computed
    double NoonHeightAngle1 = 0;  // noon elevations as last stored in the session record
    double NoonHeightAngle2 = 0;
    double HeiDiff = 0;           // |NoonHeightAngle1 - NoonHeightAngle2|
    std::int32_t EditedEarthDistance = 0;  // km, as typed
    std::int32_t EarthDistance = 0;        // km, accepted
    std::int32_t EarthSize = 0;            // km
    bool Printed = false;  // the result sheet was printed since the last clearing

    // A printer took the result sheet: the run's values are kept on paper from now on.
    void SheetPrinted() { Printed = true; }
    // The run holds measured values (a time, lengths, a distance) that no printed sheet has kept
    // yet: clearing them or ending the program asks first.
    bool HoldsUnprintedWork() const { return !Printed && (Hei1.State > 0 || Hei2.State > 0 || EarthState > 0); }
    // Clear-all: both places initialised again, nothing compared, nothing printed; the date of the
    // measurement stays. The caller stores the cleared values into the session record.
    void Clear();

    // The circumference is computed (EarthState 2) and belongs to this difference of the noon
    // elevations (radians) and the accepted distance: it is what CalcEarth would give for them,
    // to the rounding of whole km. A place measured again since then needs a new computation
    // before the comparison shows it or a sheet is printed. It is judged from the values alone,
    // so it holds after any store and restore through the session record.
    bool EarthSizeFits(double noonDifference) const;

    // The uncertainty of the computed circumference, km (two significant digits, at least 1),
    // propagated from both places' readings and the distance (ReadingUncertainty): wherever the
    // circumference fits the difference of the places' noon elevations; nothing otherwise.
    std::optional<std::int32_t> EarthUncertaintyKm() const;
    // Whether the meridional circumference lies within the result +- that uncertainty.
    bool MeridianWithinUncertainty(std::int32_t uncertaintyKm) const;

private:
    // 2 pi / noonDifference * distance, km, unrounded.
    static long double exactEarthSize(double noonDifference, std::int32_t distanceKm);

    // The clock of the places: the run's clock with the measurement's date in place of today's.
    Clock measureClock(Clock clock);

    TComm &comm_;
    TLang &lang_;
    Prompter &prompter_;
    SessionStore &session_;
    Clock clock_;
    QDate measureDay_;
};
