// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// Checks of the numbers typed into the program's boxes, made where a box's value is accepted and
// before it reaches the model. A check gives the value when the text is one the box takes, and
// nothing otherwise; the caller then refuses it with a message naming the box and the form
// expected, and changes nothing. The model keeps its own rules for values that come from
// elsewhere (the session record, the configuration file).
namespace TypedInput {

// Whole numbers from min to max, both included.
struct WholeRange {
    int min;
    int max;
};

inline constexpr WholeRange ClockHour{0, 23};    // hour of the measurement
inline constexpr WholeRange ClockMinute{0, 59};  // minute of the measurement or of true noon
// Hour of true noon in the places editor: a clock hour, but not 0, which the configuration
// reads as "not set" (noon 12:00).
inline constexpr WholeRange NoonHour{1, 23};
inline constexpr WholeRange LengthMm{1, 100'000'000};  // stick and shadow, millimetres (100 km)
inline constexpr WholeRange Copies{1, 999};            // copies of the result sheet in one job
// Half a meridian, km: no two places lie farther apart from north to south.
inline constexpr int MaxDistanceKm = 20'040;

// The text as a whole number within the range: ASCII digits only (no sign, no separators),
// leading zeros allowed ("05" is 5), blanks around the digits ignored.
std::optional<int> wholeNumber(const QString &text, WholeRange range);

// One to five shadow readings, each a whole number of LengthMm, separated by ";" ("812; 815;809").
// Blanks alone separate nothing ("1 000" is no reading, as before); an empty part, a sixth
// reading or a reading out of range gives nothing.
std::optional<std::vector<int>> shadowReadings(const QString &text);

// A distance typed in kilometres, as whole km. Digits, optionally followed by "." or "," (either
// is taken as the decimal separator, whatever the locale) and one or two decimals; blanks around
// ignored. Three digits after the separator are refused: "1.000" or "1,000" is as likely a
// thousand as one. The typed value must lie above 0 and at most at MaxDistanceKm; it is rounded
// to whole km with halves to the even neighbour (812.5 -> 812, 813.5 -> 814) and must then be at
// least 1 km (0.5 is refused).
std::optional<int> distanceKm(const QString &text);

// The years a measurement date may lie in.
inline constexpr WholeRange MeasureYear{1900, 2100};

// A typed calendar date in one of the forms people write by hand: day.month.year,
// day/month/year, day-month-year or year-month-day (the separator used twice), with one or two digits for the day and month (leading zeros
// allowed) and four for the year; blanks around ignored. The day must exist in that month and the
// year lie within MeasureYear. Anything else gives nothing: the order of day and month is never
// guessed.
std::optional<QDate> calendarDate(const QString &text);

}  // namespace TypedInput
