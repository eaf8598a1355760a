// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDate>
#include <QDateTime>

// Dates as a day count: days since 30 December 1899 (day 0), the fraction being the time of day.
// Before day 0 the whole part still counts the day and the fraction is added away from zero
// (-1.25 is 29 December 1899, 06:00), so truncating toward zero always gives the day.
namespace DayCount {

inline const QDate Epoch{1899, 12, 30};

// An invalid date or time counts as day 0, midnight.
double fromDateTime(const QDateTime &moment);

// The calendar day of a day count (its whole part); an invalid date when it has no calendar day.
QDate toDate(double days);

}  // namespace DayCount
