// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/RecordRanges.h"

#include "model/Angles.h"
#include "model/THeiObj.h"
#include "model/TypedInput.h"
#include "session/TSession.h"
#include "store/TComm.h"

#include <QDate>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double Pi = static_cast<double>(PiL);

struct Range {
    const char *name;  // the key without "Hei" and the place number
    double min, max;
};

constexpr Range whole(const char *name, TypedInput::WholeRange range) { return {name, double(range.min), double(range.max)}; }

// Every value of a place, whatever its State. Clock hour angles are taken over a day and a bit
// (a noon configured up to 24:59); the sun's hour angle is the difference of two of them.
const Range kPlaceRanges[] = {
    {"NoonTimeAngle", -2 * Pi, 2 * Pi},
    {"CurrTimeAngle", -2 * Pi, 2 * Pi},
    {"SunOnCurrTimeAngle", -4 * Pi, 4 * Pi},
    {"EquinoxAngle", 0, 2 * Pi},
    {"EquinoxDispl", -1, 1},  // sine of the declination
    {"EquinoxRadius", 0, 1},  // its cosine
    whole("EditedTimH", TypedInput::ClockHour),
    whole("EditedTimM", TypedInput::ClockMinute),
    whole("TimH", TypedInput::ClockHour),
    whole("TimM", TypedInput::ClockMinute),
    whole("EditedStick", TypedInput::LengthMm),
    whole("EditedShadow", TypedInput::LengthMm),
    whole("Stick", TypedInput::LengthMm),
    whole("Shadow", TypedInput::LengthMm),
    {"SunHeightAtCurrTime", 0, Pi / 2},  // the elevation of a positive stick and shadow
    {"SunAzimuthHeightAtCurrTime", -2 * Pi, 2 * Pi},
    {"SunPlaneAngle", 0, Pi},  // 90 deg - latitude, the latitude within +-90 deg
    {"NoonHeightAngle", -Pi / 2, Pi},
};

// Stored values keep 15 significant digits: what the model computed (a full orbit of 2 pi, say)
// may read back this much beyond its bound.
constexpr double kStoredPrecision = 1e-9;

bool within(double value, double min, double max) { return min <= value && value <= max; }

bool placeHolds(const NameValueList &values, const TComm &comm, int place) {
    auto value = [&](const char *name) {
        return comm.TextToFloat(values.value(QStringLiteral("Hei") + QLatin1String(name) + QString::number(place)));
    };
    for (const Range &range : kPlaceRanges)
        if (!within(value(range.name), range.min - kStoredPrecision, range.max + kStoredPrecision))
            return false;
    const double state = value("State");
    // Solved: the latitude is one the measurement takes (the virtual partner's is the declination).
    const double latitude = Pi / 2 - value("SunPlaneAngle");
    if (state >= 2 && !TSession::HoldsVirtualPartner(values, place) && !within(latitude, THeiObj::MinLatitude - kStoredPrecision, THeiObj::MaxLatitude + kStoredPrecision))
        return false;
    // Computed: the noon elevation is the one the latitude and the date give.
    if (state >= 3) {
        const double noon = THeiObj::NoonElevation(value("SunPlaneAngle"), value("EquinoxDispl"), value("EquinoxRadius"));
        if (!(std::fabs(value("NoonHeightAngle") - noon) <= kStoredPrecision))
            return false;
    }
    return true;
}

bool comparisonHolds(const NameValueList &values, const TComm &comm) {
    const int earthProgress = TComm::TextToInt(values.value(QStringLiteral("EarthState")));
    const int distance = TComm::TextToInt(values.value(QStringLiteral("EarthDistance")));
    const int size = TComm::TextToInt(values.value(QStringLiteral("EarthSize")));
    // A distance is accepted only as typed; before that it is 0 or the one of a cleared run.
    if (!within(distance, earthProgress >= 1 ? 1 : 0, TypedInput::MaxDistanceKm))
        return false;
    if (!within(size, earthProgress >= 2 ? 1 : 0, std::numeric_limits<std::int32_t>::max()))
        return false;
    const double difference = comm.TextToFloat(values.value(QStringLiteral("HeiDiff")));
    if (!within(difference, 0, 2 * Pi + kStoredPrecision))
        return false;
    const QDate day = QDate::fromString(values.value(QStringLiteral("MeasureDate")), Qt::ISODate);
    return within(day.year(), TypedInput::MeasureYear.min, TypedInput::MeasureYear.max);
}

}  // namespace

namespace RecordRanges {

bool hold(const NameValueList &values, const TComm &comm) {
    return placeHolds(values, comm, 1) && placeHolds(values, comm, 2) && comparisonHolds(values, comm);
}

}  // namespace RecordRanges
