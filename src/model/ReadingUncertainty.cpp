// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ReadingUncertainty.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace ReadingUncertainty {

ShadowSpread spreadOf(const std::vector<std::int32_t> &readingsMm) {
    ShadowSpread spread;
    const auto n = static_cast<double>(readingsMm.size());
    if (readingsMm.empty())
        return spread;
    double sum = 0;
    for (std::int32_t r : readingsMm)
        sum += r;
    spread.meanMm = sum / n;
    if (readingsMm.size() >= 2) {
        double squares = 0;
        for (std::int32_t r : readingsMm)
            squares += (r - spread.meanMm) * (r - spread.meanMm);
        spread.standardErrorMm = std::sqrt(squares / (n - 1)) / std::sqrt(n);
    }
    spread.uncertaintyMm = std::hypot(spread.standardErrorMm, WholeUnit);
    return spread;
}

std::optional<double> noonElevation(const PlaceReading &reading) {
    const ShadowSpread shadow = spreadOf(reading.shadowsMm);
    const double L = reading.stickMm;
    const double S = shadow.meanMm;
    if (!(L > 0 && S > 0))
        return std::nullopt;
    const double h = std::atan(L / S);
    const double dh = std::hypot(L * shadow.uncertaintyMm, S * WholeUnit) / (L * L + S * S);

    const double p = reading.latitude;
    const double H = reading.hourAngle;
    const double D = std::cos(p) * reading.sinDeclination - std::sin(p) * reading.cosDeclination * std::cos(H);
    if (!(std::fabs(D) > 1e-6))
        return std::nullopt;
    const double fromShadow = std::cos(h) * dh / D;
    const double fromClock = std::cos(p) * reading.cosDeclination * std::sin(H) * ClockHalfMinute / D;
    const double u = std::hypot(fromShadow, fromClock);
    return std::isfinite(u) ? std::optional<double>(u) : std::nullopt;
}

std::optional<std::int32_t> circumferenceKm(std::int32_t distanceKm, double heiDiff, double noonUncertainty1,
                                            double noonUncertainty2) {
    if (!(distanceKm > 0 && heiDiff > 0))
        return std::nullopt;
    const double circumference = 2 * std::numbers::pi * distanceKm / heiDiff;
    const double u = circumference * std::hypot(std::hypot(noonUncertainty1, noonUncertainty2) / heiDiff,
                                                WholeUnit / distanceKm);
    if (!std::isfinite(u) || u >= std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    if (u < 1)
        return 1;
    // Two significant digits: the uncertainty's own first digits are all it can say.
    const double unit = std::pow(10.0, std::max(0.0, std::floor(std::log10(u)) - 1));
    return static_cast<std::int32_t>(std::nearbyint(u / unit) * unit);
}

}  // namespace ReadingUncertainty
