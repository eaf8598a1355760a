// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Angles.h"

#include <cmath>

QString AngleToText(double radians) {
    double deg = static_cast<double>(radians / (2 * PiL) * 360);
    if (!std::isfinite(deg))
        return QStringLiteral("0\u00B0");
    // Angles come back from the session record with 15 significant digits, which can put an
    // exact 45° a few 1e-14 degrees below 45 (it would read 44°60'). Such noise is snapped to the
    // nearest millionth of a minute before the minutes are rounded.
    if (std::abs(deg) < 1e6)
        deg = std::nearbyint(deg * 60e6) / 60e6;
    // Rounded to whole minutes first, so that 59.5' and more carry into the next degree; in long
    // double the product is exact, so a half minute is a true half (to the even neighbour).
    const long double totalMinutes = std::nearbyint(std::fabs(static_cast<long double>(deg)) * 60);
    const long double minutes = std::fmod(totalMinutes, 60.0L);
    const long double whole = (totalMinutes - minutes) / 60;
    QString text = QString::number(static_cast<double>(whole), 'f', 0) + QChar(0x00B0);
    if (minutes != 0)
        text += QString::number(static_cast<int>(minutes)) + u'\'';
    // One sign in front of the whole angle, and none for an angle that reads as 0.
    if (deg < 0 && totalMinutes != 0)
        text.prepend(u'-');
    return text;
}
