// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SolarNoon.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>
#include <numbers>

namespace {

double rad(double degrees) { return degrees * std::numbers::pi / 180; }
double deg(double radians) { return radians * 180 / std::numbers::pi; }

// Julian day of the given number of minutes after UTC midnight of the date.
double julianDay(QDate date, double utcMinutes) {
    // QDate's Julian day number is that of the noon of the date; midnight is half a day earlier.
    return static_cast<double>(date.toJulianDay()) - 0.5 + utcMinutes / 1440;
}

}  // namespace

namespace SolarNoon {

double equationOfTimeMinutes(double T) {
    const double L0 = std::fmod(280.46646 + T * (36000.76983 + T * 0.0003032), 360.0);
    const double M = 357.52911 + T * (35999.05029 - 0.0001537 * T);
    const double e = 0.016708634 - T * (0.000042037 + 0.0000001267 * T);
    const double eps0 = 23 + (26 + (21.448 - T * (46.815 + T * (0.00059 - T * 0.001813))) / 60) / 60;
    const double eps = eps0 + 0.00256 * std::cos(rad(125.04 - 1934.136 * T));
    const double y = std::pow(std::tan(rad(eps / 2)), 2);
    return 4 * deg(y * std::sin(2 * rad(L0)) - 2 * e * std::sin(rad(M)) +
                   4 * e * y * std::sin(rad(M)) * std::cos(2 * rad(L0)) - 0.5 * y * y * std::sin(4 * rad(L0)) -
                   1.25 * e * e * std::sin(2 * rad(M)));
}

std::optional<double> clockMinutes(QDate date, double lonDegrees, const QTimeZone &zone) {
    if (!date.isValid() || !std::isfinite(lonDegrees))
        return std::nullopt;
    // The zone's offset at the local noon of that date: summer time counts when it is in force.
    const QDateTime localNoon(date, QTime(12, 0), zone.isValid() ? zone : QTimeZone::utc());
    const double offsetMinutes = localNoon.offsetFromUtc() / 60.0;
    double noon = 720;
    for (int pass = 0; pass < 2; ++pass) {
        const double T = (julianDay(date, noon - offsetMinutes) - 2451545) / 36525;
        noon = 720 - 4 * lonDegrees - equationOfTimeMinutes(T) + offsetMinutes;
    }
    return noon;
}

std::optional<ClockTime> noonClockTime(QDate date, double lonDegrees, const QTimeZone &zone) {
    const std::optional<double> minutes = clockMinutes(date, lonDegrees, zone);
    if (!minutes)
        return std::nullopt;
    int whole = static_cast<int>(std::floor(*minutes + 0.5));
    whole = ((whole % 1440) + 1440) % 1440;
    return ClockTime{whole / 60, whole % 60};
}

std::optional<double> parseLongitude(const QString &text) {
    static const QRegularExpression form(QStringLiteral("^\\s*([+-]?)(\\d{1,3})(?:[.,](\\d{1,9}))?\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const double value = (m.captured(2) + u'.' + (m.captured(3).isEmpty() ? QStringLiteral("0") : m.captured(3)))
                             .toDouble();
    if (value > 180)
        return std::nullopt;
    return m.captured(1) == u'-' ? -value : value;
}

}  // namespace SolarNoon
