// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TypedInput.h"

#include "model/ReadingUncertainty.h"

#include <QRegularExpression>
#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <cstdint>

namespace TypedInput {

namespace {

bool allDigits(QStringView text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The value of a run of ASCII digits, or nothing when it exceeds limit (so no overflow).
std::optional<std::int64_t> digitsValue(QStringView digits, std::int64_t limit) {
    std::int64_t value = 0;
    for (QChar c : digits) {
        value = value * 10 + (c.unicode() - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<int> wholeNumber(const QString &text, WholeRange range) {
    const QStringView digits = QStringView(text).trimmed();
    if (!allDigits(digits))
        return std::nullopt;
    const auto value = digitsValue(digits, range.max);
    if (!value || *value < range.min)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<int> distanceKm(const QString &text) {
    const QStringView number = QStringView(text).trimmed();
    const auto separator = std::find_if(number.begin(), number.end(), [](QChar c) { return c == u'.' || c == u','; });
    const QStringView whole = number.first(separator - number.begin());
    const QStringView decimals = separator == number.end() ? QStringView() : number.sliced(whole.size() + 1);
    if (!allDigits(whole))
        return std::nullopt;
    if (separator != number.end() && (decimals.size() > 2 || !allDigits(decimals)))
        return std::nullopt;
    const auto km = digitsValue(whole, MaxDistanceKm);
    if (!km)
        return std::nullopt;
    // The decimals in hundredths of a kilometre: "5" is 50, "05" is 5.
    const std::int64_t hundredths = decimals.isEmpty() ? 0 : *digitsValue(decimals, 99) * (decimals.size() == 1 ? 10 : 1);
    if (*km == MaxDistanceKm && hundredths > 0)
        return std::nullopt;
    const bool up = hundredths > 50 || (hundredths == 50 && *km % 2 == 1);
    const std::int64_t rounded = *km + (up ? 1 : 0);
    if (rounded < 1)
        return std::nullopt;
    return static_cast<int>(rounded);
}

std::optional<QDate> calendarDate(const QString &text) {
    static const QRegularExpression dayFirst(QStringLiteral("^([0-9]{1,2})([./-])([0-9]{1,2})\\2([0-9]{4})$"));
    static const QRegularExpression yearFirst(QStringLiteral("^([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})$"));
    const QString typed = text.trimmed();
    int year = 0, month = 0, day = 0;
    if (const QRegularExpressionMatch m = dayFirst.match(typed); m.hasMatch()) {
        day = m.captured(1).toInt();
        month = m.captured(3).toInt();
        year = m.captured(4).toInt();
    } else if (const QRegularExpressionMatch m = yearFirst.match(typed); m.hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(2).toInt();
        day = m.captured(3).toInt();
    } else {
        return std::nullopt;
    }
    if (year < MeasureYear.min || year > MeasureYear.max || !QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

std::optional<std::vector<int>> shadowReadings(const QString &text) {
    const QStringList parts = text.split(u';');
    if (parts.size() > ReadingUncertainty::MaxShadowReadings)
        return std::nullopt;
    std::vector<int> readings;
    for (const QString &part : parts) {
        const std::optional<int> mm = wholeNumber(part, LengthMm);
        if (!mm)
            return std::nullopt;
        readings.push_back(*mm);
    }
    return readings;
}

}  // namespace TypedInput
