// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDate>
#include <QTimeZone>
#include <optional>

// The clock time of true solar noon at a place: the moment the sun crosses the place's meridian,
// as the clocks of a time zone show it on a given date (summer time included). The teacher uses
// it as the place's noon time, from which the measurement's hour angle is counted.
//
// The formulas are those of the NOAA solar calculator (its spreadsheet "General Solar Position
// Calculations"), with the longitude lon in degrees, east positive, and the zone's offset from
// UTC tz in hours on that date:
//     JD  = Julian day of the moment (UTC),  T = (JD - 2451545) / 36525   (Julian centuries)
//     L0  = 280.46646 + T (36000.76983 + 0.0003032 T)          geometric mean longitude of the sun, deg
//     M   = 357.52911 + T (35999.05029 - 0.0001537 T)          geometric mean anomaly of the sun, deg
//     e   = 0.016708634 - T (0.000042037 + 0.0000001267 T)     eccentricity of the Earth's orbit
//     eps = 23 + (26 + (21.448 - T (46.815 + T (0.00059 - 0.001813 T))) / 60) / 60
//           + 0.00256 cos(125.04 - 1934.136 T)                 obliquity of the ecliptic, deg
//     y   = tan^2(eps / 2)
//     EoT = 4 * deg(y sin 2L0 - 2e sin M + 4ey sin M cos 2L0 - y^2/2 sin 4L0 - 5/4 e^2 sin 2M)
//                                                               equation of time, minutes
//     noon = 720 - 4 lon - EoT + 60 tz                          minutes after local midnight
// The equation of time is taken at the noon itself: a first estimate at 12:00 clock time is
// refined once (the equation changes by less than half a minute a day, so once is plenty).
// Against NOAA's published times the result agrees to well within a minute for any date of this
// century.
namespace SolarNoon {

// Equation of time (apparent minus mean solar time) in minutes, at T Julian centuries from
// J2000.0 (1 January 2000, 12:00 UTC).
double equationOfTimeMinutes(double julianCenturies);

// True solar noon at longitude lonDegrees (east positive, -180..180) on the given date, in minutes
// after the zone's local midnight. An invalid date gives nothing.
std::optional<double> clockMinutes(QDate date, double lonDegrees, const QTimeZone &zone);

struct ClockTime {
    int hour = 12;
    int minute = 0;
};

// The same, rounded to the nearest whole minute (halves up), as the hour and minute of a clock.
// Noon falls between 0:00 and 23:59 for any longitude in its range on the zone's own side of the
// date line; a result outside that day is folded into it.
std::optional<ClockTime> noonClockTime(QDate date, double lonDegrees, const QTimeZone &zone);

// A typed longitude in degrees: an optional sign, digits, and "." or "," as decimal separator
// (blanks around it allowed); between -180 and 180 inclusive. Anything else gives nothing.
std::optional<double> parseLongitude(const QString &text);

}  // namespace SolarNoon
