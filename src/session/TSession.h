// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/SessionStore.h"
#include "store/NameValueList.h"

#include <QChar>
#include <QString>
#include <array>

class TComm;
class THeiObj;
class TLogic;

// What step 1 shows when it is left: the selected entry (index and text) of each place list,
// index -1 for no selection, and the four pupils' names of each place.
struct PlacesChoice {
    int PlaceIndex1 = -1;
    QString PlaceText1;
    std::array<QString, 4> Persons1;  // edPersonSelect11..14
    int PlaceIndex2 = -1;
    QString PlaceText2;
    std::array<QString, 4> Persons2;  // edPersonSelect21..24
};

// The record of the current run, in memory only: the choices of step 1, every field of both
// places and the comparison, as name=value lines. Panels store their part when they are left and
// reload it when they are shown, so moving between steps always works from the stored values.
//
// Keys of a place end in its number (1 for Logic's Hei1, 2 for Hei2): HeiState1, HeiTimH2...
// Integers are stored as decimal text; floating-point values as text of at most 15 significant
// digits (FloatToText) with the locale's decimal separator, so they come back to 15 digits.
// Absent and empty are the same; reading an absent number gives 0.
//
// The numbers are converted with the conversions and the locale of the configuration (TComm)
// that the model objects were made with, so the record can exist before the configuration.
class TSession : public SessionStore {
public:
    void Init() { Values.clear(); }
    void Done() { Values.clear(); }

    // PlaceSelect1, PlaceName1, Person11..14, PlaceSelect2, PlaceName2, Person21..24, PlaceState.
    // PlaceState is "1" when both places are chosen (selected, with a non-empty name) and differ.
    void StorePlaces(const PlacesChoice &choice);

    // Writes every Hei key of the place: HeiState .. HeiNoonHeightAngle; then HeiMoreShadows
    // ("815;809;811", the readings after the first), HeiVirtual ("1") and HeiReadingFrom (the
    // file of a loaded reading), each only where it applies.
    void StoreHei(const THeiObj &hei) override;
    // Reloads the place: the place and its noon time from the configuration (place number
    // PlaceSelect<n> + 1; absent means place 1, -1 means none), then every stored field but
    // NoonTimeAngle, which follows from the noon time (a reading loaded from a file keeps the noon
    // it was taken by: HeiNoonTimeAngle is read back for it). The virtual partner then takes its zenith
    // reading afresh; a place that was the virtual partner and is now another starts afresh.
    void RestoreHei(THeiObj &hei) const;

    // EarthState, HeiDiff, EarthDistance, EarthSize, and the date of the measurement (MeasureDate,
    // ISO form yyyy-MM-dd).
    void StoreLogic(const TLogic &logic) override;
    // Reloads the comparison; the noon elevations come from HeiNoonHeightAngle1/2 and HeiDiff is
    // computed from them, never read, so it matches the places as last stored.
    void RestoreLogic(TLogic &logic) const;

    // The date of the measurement from MeasureDate; false (nothing changed) when the record holds
    // no valid date.
    bool RestoreMeasureDay(TLogic &logic) const;

    // Goes on with a kept lesson: the record becomes this one, and the model takes from it the
    // date of the measurement, both places (each measured place showing its latitude again) and
    // the comparison, unprinted. The place lists, the pupils' names and the photographs follow
    // from the record when the places panel is built.
    void RestoreLesson(const NameValueList &record, TLogic &logic, TComm &comm);

    // Whether a record holds every value that StoreHei (both places) and StoreLogic write, each
    // readable as what it stands for: whole numbers, progress values in their range, decimal
    // numbers in comm's conventions, a date. A record that lacks one was not written by them.
    static bool IsComplete(const NameValueList &values, const TComm &comm);

    // Whether the record's place (1 or 2) is the virtual partner (HeiVirtual<n>).
    static bool HoldsVirtualPartner(const NameValueList &values, int place);
    // Whether the record's further shadow readings of the place (HeiMoreShadows<n>, absent for a
    // single reading) are ones the program writes: at most four, each a length a box takes.
    static bool HoldsReadings(const NameValueList &values, int place);

    QString GetValue(const QString &name) const { return Values.value(name); }

    // The places listed for this run only (TComm::RunPlaces), kept with the prefix "Run"
    // (RunPlace6, RunNoonH6 ...), so that a kept lesson names its partner's place again.
    void StoreRunPlaces(const NameValueList &runPlaces);
    NameValueList RestoreRunPlaces() const;
    static inline const QString RunPrefix = QStringLiteral("Run");

    // How many of Person11..Person14 are filled: the proposed number of printed copies.
    int CountPersons1() const;

    // At most 15 significant digits, the shortest such text: plain for 0 and magnitudes in
    // [0.0001, 1e15), otherwise mantissa "E" exponent ("1.5E-5", "2E15"). Non-finite values,
    // which no conversion would read back, are written as "0"; magnitudes whose 15-digit text
    // would leave the double range, as 1.79769313486231E308.
    static QString FloatToText(double value, QChar decimalSeparator);
    // The record with the decimal mark of every decimal number (the places' angles, HeiDiff) set
    // to `mark`, whichever of "." and "," it was written with; every other value as it is.
    static NameValueList WithDecimalMark(const NameValueList &values, QChar mark);

    NameValueList Values;

    // The record of the lesson kept in the working folder when this run began, where this run did
    // not go on with it (the question was closed unanswered): another lesson, which this run
    // neither replaces nor removes without asking. Empty when there was none or it is continued.
    NameValueList OtherKeptLesson;
};
