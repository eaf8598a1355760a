// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

// What repeated shadow readings are worth, and how much that leaves of the Earth's circumference.
//
// A place may read its shadow up to five times at one clock time. The readings' mean goes into
// the elevation; their spread is the standard error of that mean, s / sqrt(n) with s the sample
// standard deviation (n - 1 in its denominator): the mean is what the model uses, so its own
// uncertainty is the one that counts, and it shrinks as the class reads more often.
//
// No value is exact, so no uncertainty is ever 0. Each is read to a whole unit, which leaves a
// uniform error of half a unit either way, whose standard uncertainty is 0.5 / sqrt(3) units:
//  - the stick and every shadow, whole millimetres; the mean of the shadows keeps the whole
//    resolution (readings that agree to the millimetre may all be off by the same rounding);
//  - the distance, whole kilometres.
// The shadow's mean so carries hypot(standard error, 0.5 / sqrt(3)) mm.
//
// Three things make a place's noon elevation uncertain, taken as independent and added in
// quadrature:
//  - the shadow S and the stick L: h = atan(L / S), so dh = (L dS (-) S dL) / (L^2 + S^2);
//  - the clock, read to the whole minute: half a minute of time either way, that is an hour
//    angle of pi / 1440 radians, taken whole as the uncertainty of H (a school clock is seldom
//    closer to the true time than that).
// The latitude p solves sin h = sin p sin d + cos p cos d cos H (d the declination). With
//     D = cos p sin d - sin p cos d cos H
// its changes are dp = cos h / D * dh and dp = cos p cos d sin H / D * dH; the noon elevation
// 90 deg - p + d moves by as much as the latitude. (At true noon the clock drops out: the shadow
// is shortest and hardly changes in a minute.)
//
// The circumference C = 2 pi * distance / diff, with diff the difference of the noon elevations,
// has the relative uncertainty of the distance and of diff added in quadrature; d(diff) adds the
// two places' uncertainties in quadrature.
//
// Lengths are millimetres, angles radians, the circumference whole kilometres.
namespace ReadingUncertainty {

// At most this many readings of one shadow.
inline constexpr int MaxShadowReadings = 5;

// Half a minute of clock time as an hour angle: 0.5 / 1440 of a full turn.
inline constexpr double ClockHalfMinute = 3.141592653589793238462643383279502884 / 1440;

// The standard uncertainty of a value read to a whole unit (millimetre, kilometre): 0.5 / sqrt(3).
inline constexpr double WholeUnit = 0.28867513459481288225;

// The mean of the readings, the standard error of that mean (0 for a single reading or readings
// that agree) and the mean's standard uncertainty, which adds the ruler's whole millimetre.
struct ShadowSpread {
    double meanMm = 0;
    double standardErrorMm = 0;
    double uncertaintyMm = 0;
};
ShadowSpread spreadOf(const std::vector<std::int32_t> &readingsMm);

// One place's reading as the model solved it.
struct PlaceReading {
    double stickMm = 0;
    std::vector<std::int32_t> shadowsMm;  // every reading, the first included
    double hourAngle = 0;                 // the sun's hour angle at the reading (0 at true noon)
    double sinDeclination = 0;
    double cosDeclination = 1;
    double latitude = 0;                  // the one the model chose
};

// The standard uncertainty of the place's noon elevation, radians; nothing where the latitude
// hardly depends on the elevation in a usable way (the two latitudes the hour allows meet there).
std::optional<double> noonElevation(const PlaceReading &reading);

// The uncertainty of a circumference computed from the distance and the difference of the noon
// elevations and the distance's whole kilometre, km, rounded to two significant digits (1 284
// reads 1 300, 87 reads 87) and never below 1; nothing for a difference or distance that gives
// no circumference.
std::optional<std::int32_t> circumferenceKm(std::int32_t distanceKm, double heiDiff, double noonUncertainty1,
                                            double noonUncertainty2);

// Whether a value lies within +-uncertainty of the result.
inline bool inside(std::int32_t valueKm, std::int32_t resultKm, std::int32_t uncertaintyKm) {
    return static_cast<std::int64_t>(valueKm) >= std::int64_t{resultKm} - uncertaintyKm &&
           static_cast<std::int64_t>(valueKm) <= std::int64_t{resultKm} + uncertaintyKm;
}

}  // namespace ReadingUncertainty
