// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The model's angles: radians in doubles, computed with pi at extended precision, shown to the
// user in one form only.

// pi at the extended precision of long double. Expressions with pi are evaluated in long double
// and rounded to double only at the end.
inline constexpr long double PiL = 3.141592653589793238462643383279502884L;

// x / 360 * 2 pi, in long double; usable in constant expressions, so that angle constants are
// written in degrees.
constexpr double DegToRad(double degrees) { return static_cast<double>(degrees / 360.0L * 2 * PiL); }

// Whole degrees, the degree sign U+00B0, then the rounded minutes and an apostrophe when they
// are not 0: 52.5 deg reads 52°30'. A minute that rounds to 60 is carried (49.9999 deg reads
// 50°); a negative angle has one sign in front (-52.5 deg reads -52°30', -0.5 deg -0°30').
// An angle with no finite value in degrees reads 0°.
QString AngleToText(double radians);
