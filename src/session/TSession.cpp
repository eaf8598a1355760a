// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/TSession.h"

#include "model/ReadingUncertainty.h"
#include "model/THeiObj.h"
#include "model/TLogic.h"
#include "model/TypedInput.h"
#include "store/TComm.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>
#include <variant>

namespace {

// The stored fields of a place in the order of their keys: key = "Hei" + name + place number.
using HeiField = std::variant<std::uint8_t THeiObj::*, std::int32_t THeiObj::*, double THeiObj::*>;
struct HeiKey {
    const char *name;
    HeiField field;
};
const HeiKey kHeiKeys[] = {
    {"State", &THeiObj::State},
    {"NoonTimeAngle", &THeiObj::NoonTimeAngle},
    {"CurrTimeAngle", &THeiObj::CurrTimeAngle},
    {"SunOnCurrTimeAngle", &THeiObj::SunOnCurrTimeAngle},
    {"EquinoxAngle", &THeiObj::EquinoxAngle},
    {"EquinoxDispl", &THeiObj::EquinoxDispl},
    {"EquinoxRadius", &THeiObj::EquinoxRadius},
    {"EditedTimH", &THeiObj::EditedTimH},
    {"EditedTimM", &THeiObj::EditedTimM},
    {"TimH", &THeiObj::TimH},
    {"TimM", &THeiObj::TimM},
    {"EditedStick", &THeiObj::EditedStick},
    {"EditedShadow", &THeiObj::EditedShadow},
    {"Stick", &THeiObj::Stick},
    {"Shadow", &THeiObj::Shadow},
    {"SunHeightAtCurrTime", &THeiObj::SunHeightAtCurrTime},
    {"SunAzimuthHeightAtCurrTime", &THeiObj::SunAzimuthHeightAtCurrTime},
    {"SunPlaneAngle", &THeiObj::SunPlaneAngle},
    {"NoonHeightAngle", &THeiObj::NoonHeightAngle},
};

QString keyOfPlace(const char *name, const THeiObj &hei) {
    return QStringLiteral("Hei") + QLatin1String(name) + QString::number(hei.Number());
}

// A stored progress value outside 0..max (only a damaged record holds one) counts as 0.
std::uint8_t toState(int value, int max) {
    return static_cast<std::uint8_t>(value >= 0 && value <= max ? value : 0);
}

const QString kPersons[2][4] = {
    {QStringLiteral("Person11"), QStringLiteral("Person12"), QStringLiteral("Person13"), QStringLiteral("Person14")},
    {QStringLiteral("Person21"), QStringLiteral("Person22"), QStringLiteral("Person23"), QStringLiteral("Person24")},
};

// The further shadow readings of a place as "815;809;811", and back. Absent (a single reading,
// or a record from before readings were repeated) reads as none.
QString moreShadowsText(const std::vector<std::int32_t> &readings) {
    QStringList texts;
    for (std::int32_t r : readings)
        texts << QString::number(r);
    return texts.join(u';');
}

std::optional<std::vector<std::int32_t>> moreShadowsOf(const QString &text) {
    std::vector<std::int32_t> readings;
    if (text.isEmpty())
        return readings;
    static const QRegularExpression wholeNumber(QStringLiteral("^\\d{1,10}$"));
    const QStringList parts = text.split(u';');
    if (parts.size() >= ReadingUncertainty::MaxShadowReadings)
        return std::nullopt;
    for (const QString &part : parts) {
        const qint64 v = wholeNumber.match(part).hasMatch() ? part.toLongLong() : -1;
        if (v < TypedInput::LengthMm.min || v > TypedInput::LengthMm.max)
            return std::nullopt;
        readings.push_back(static_cast<std::int32_t>(v));
    }
    return readings;
}

QString placeKey(const char *name, int place) {
    return QStringLiteral("Hei") + QLatin1String(name) + QString::number(place);
}

}  // namespace

namespace {
const char *const kMoreShadows = "MoreShadows";
const char *const kVirtual = "Virtual";
}  // namespace

bool TSession::HoldsVirtualPartner(const NameValueList &values, int place) {
    return values.value(placeKey(kVirtual, place)) == QStringLiteral("1");
}

bool TSession::HoldsReadings(const NameValueList &values, int place) {
    return moreShadowsOf(values.value(placeKey(kMoreShadows, place))).has_value();
}

void TSession::StorePlaces(const PlacesChoice &choice) {
    Values.setValue(QStringLiteral("PlaceSelect1"), QString::number(choice.PlaceIndex1));
    Values.setValue(QStringLiteral("PlaceName1"), choice.PlaceText1);
    for (int i = 0; i < 4; ++i)
        Values.setValue(kPersons[0][i], choice.Persons1[i]);
    Values.setValue(QStringLiteral("PlaceSelect2"), QString::number(choice.PlaceIndex2));
    Values.setValue(QStringLiteral("PlaceName2"), choice.PlaceText2);
    for (int i = 0; i < 4; ++i)
        Values.setValue(kPersons[1][i], choice.Persons2[i]);
    const bool chosen = choice.PlaceIndex1 >= 0 && choice.PlaceIndex2 >= 0 &&
                        !choice.PlaceText1.isEmpty() && !choice.PlaceText2.isEmpty() &&
                        choice.PlaceIndex1 != choice.PlaceIndex2;
    Values.setValue(QStringLiteral("PlaceState"), chosen ? QStringLiteral("1") : QStringLiteral("0"));
}

void TSession::StoreHei(const THeiObj &hei) {
    const QChar separator = hei.comm().locale().decimalSeparator;
    for (const HeiKey &key : kHeiKeys) {
        const QString text = std::visit(
            [&](auto member) {
                using Field = std::remove_cvref_t<decltype(hei.*member)>;
                if constexpr (std::is_same_v<Field, double>)
                    return FloatToText(hei.*member, separator);
                else
                    return QString::number(hei.*member);
            },
            key.field);
        Values.setValue(keyOfPlace(key.name, hei), text);
    }
    // Written only where they apply, so that a record of single readings stays as it always was.
    Values.setValue(keyOfPlace(kMoreShadows, hei), moreShadowsText(hei.MoreShadows));
    Values.setValue(keyOfPlace(kVirtual, hei), hei.VirtualPartner ? QStringLiteral("1") : QString());
    Values.setValue(keyOfPlace("ReadingFrom", hei), hei.ReadingFrom);
}

void TSession::RestoreHei(THeiObj &hei) const {
    const TComm &comm = hei.comm();
    // The list index of the chosen place, plus 1; an index at the end of the int range names no
    // place that could exist.
    const std::int64_t placeNo =
        std::int64_t{TComm::TextToInt(Values.value(QStringLiteral("PlaceSelect") + QString::number(hei.Number())))} + 1;
    const int place = placeNo <= std::numeric_limits<int>::max() ? static_cast<int>(placeNo) : 0;
    hei.LoadPlace(place);
    for (const HeiKey &key : kHeiKeys) {
        if (qstrcmp(key.name, "NoonTimeAngle") == 0)
            continue;
        const QString text = Values.value(keyOfPlace(key.name, hei));
        std::visit(
            [&](auto member) {
                using Field = std::remove_cvref_t<decltype(hei.*member)>;
                if constexpr (std::is_same_v<Field, double>)
                    hei.*member = comm.TextToFloat(text);
                else if constexpr (std::is_same_v<Field, std::uint8_t>)
                    hei.*member = toState(TComm::TextToInt(text), 3);
                else
                    hei.*member = TComm::TextToInt(text);
            },
            key.field);
    }
    hei.MoreShadows = moreShadowsOf(Values.value(keyOfPlace(kMoreShadows, hei))).value_or(std::vector<std::int32_t>{});
    hei.EditedMoreShadows = hei.MoreShadows;
    const bool wasVirtual = HoldsVirtualPartner(Values, hei.Number());
    if (hei.VirtualPartner) {
        hei.TakeZenithReading();
    } else if (wasVirtual) {
        // The virtual partner's values are no measurement of the place chosen now: it starts afresh.
        hei.Init();
        hei.LoadPlace(place);
    }
    hei.ReadingFrom = Values.value(keyOfPlace("ReadingFrom", hei));
    // A partner's reading keeps the noon of its own clock, which the configuration may not know.
    if (!hei.ReadingFrom.isEmpty())
        hei.TakeReadingNoonAngle(comm.TextToFloat(Values.value(keyOfPlace("NoonTimeAngle", hei))));
}

void TSession::StoreLogic(const TLogic &logic) {
    Values.setValue(QStringLiteral("EarthState"), QString::number(logic.EarthState));
    Values.setValue(QStringLiteral("HeiDiff"), FloatToText(logic.HeiDiff, logic.comm().locale().decimalSeparator));
    Values.setValue(QStringLiteral("EarthDistance"), QString::number(logic.EarthDistance));
    Values.setValue(QStringLiteral("EarthSize"), QString::number(logic.EarthSize));
    Values.setValue(QStringLiteral("MeasureDate"), logic.MeasureDay().toString(Qt::ISODate));
}

void TSession::RestoreLesson(const NameValueList &record, TLogic &logic, TComm &comm) {
    Values = record;
    comm.RunPlaces = RestoreRunPlaces();  // before the places, which may be listed for this run only
    RestoreMeasureDay(logic);
    for (THeiObj *hei : {&logic.Hei1, &logic.Hei2}) {
        RestoreHei(*hei);
        if (hei->State >= 2)
            hei->ShowLatitude();
    }
    RestoreLogic(logic);
    logic.Printed = false;
}

bool TSession::RestoreMeasureDay(TLogic &logic) const {
    const QDate day = QDate::fromString(Values.value(QStringLiteral("MeasureDate")), Qt::ISODate);
    if (!day.isValid())
        return false;
    logic.SetMeasureDay(day);
    return true;
}

void TSession::RestoreLogic(TLogic &logic) const {
    const TComm &comm = logic.comm();
    logic.EarthState = toState(TComm::TextToInt(Values.value(QStringLiteral("EarthState"))), 2);
    logic.NoonHeightAngle1 = comm.TextToFloat(Values.value(QStringLiteral("HeiNoonHeightAngle1")));
    logic.NoonHeightAngle2 = comm.TextToFloat(Values.value(QStringLiteral("HeiNoonHeightAngle2")));
    logic.HeiDiff = std::fabs(logic.NoonHeightAngle1 - logic.NoonHeightAngle2);
    logic.EditedEarthDistance = logic.EarthDistance = TComm::TextToInt(Values.value(QStringLiteral("EarthDistance")));
    logic.EarthSize = TComm::TextToInt(Values.value(QStringLiteral("EarthSize")));
}

bool TSession::IsComplete(const NameValueList &values, const TComm &comm) {
    static const QRegularExpression wholeNumber(QStringLiteral("^-?\\d{1,10}$"));
    auto whole = [&](const QString &text, qint64 lo, qint64 hi) {
        if (!wholeNumber.match(text).hasMatch())
            return false;
        const qint64 v = text.toLongLong();
        return v >= lo && v <= hi;
    };
    auto decimal = [&](const QString &text) { return text == QStringLiteral("0") || comm.TextToFloat(text) != 0; };
    for (int place = 1; place <= 2; ++place) {
        for (const HeiKey &key : kHeiKeys) {
            const QString text = values.value(QStringLiteral("Hei") + QLatin1String(key.name) + QString::number(place));
            const bool readable = std::visit(
                [&](auto member) {
                    using Field = std::remove_cvref_t<decltype(std::declval<THeiObj &>().*member)>;
                    if constexpr (std::is_same_v<Field, double>)
                        return decimal(text);
                    else if constexpr (std::is_same_v<Field, std::uint8_t>)
                        return whole(text, 0, 3);
                    else
                        return whole(text, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
                },
                key.field);
            if (!readable)
                return false;
        }
        if (!HoldsReadings(values, place))
            return false;
    }
    constexpr qint64 intMin = std::numeric_limits<std::int32_t>::min(), intMax = std::numeric_limits<std::int32_t>::max();
    return whole(values.value(QStringLiteral("EarthState")), 0, 2) && decimal(values.value(QStringLiteral("HeiDiff"))) &&
           whole(values.value(QStringLiteral("EarthDistance")), intMin, intMax) &&
           whole(values.value(QStringLiteral("EarthSize")), intMin, intMax) &&
           QDate::fromString(values.value(QStringLiteral("MeasureDate")), Qt::ISODate).isValid();
}

int TSession::CountPersons1() const {
    int count = 0;
    for (const QString &key : kPersons[0])
        if (!Values.value(key).isEmpty())
            ++count;
    return count;
}

QString TSession::FloatToText(double value, QChar decimalSeparator) {
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    // Above the largest 15-digit number below the double range, rounding to nearest would give a
    // text that reads back as out of range (and so as 0): take that number instead.
    constexpr double kLargest15 = 1.79769313486231e308;
    if (std::fabs(value) > kLargest15)
        value = std::copysign(kLargest15, value);
    // Round to 15 significant digits: "d.dddddddddddddde+XX".
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    QString digits = scientific.left(1) + scientific.mid(2, e - 2);
    const int exponent = scientific.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    QString text = value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= -4 && exponent < 15) {
        if (exponent >= 0) {
            const qsizetype intDigits = exponent + 1;
            if (digits.size() <= intDigits)
                text += digits + QString(intDigits - digits.size(), u'0');
            else
                text += digits.left(intDigits) + decimalSeparator + digits.mid(intDigits);
        } else {
            text += u'0' + QString(decimalSeparator) + QString(-exponent - 1, u'0') + digits;
        }
    } else {
        text += digits.left(1);
        if (digits.size() > 1)
            text += decimalSeparator + digits.mid(1);
        text += u'E' + QString::number(exponent);
    }
    return text;
}

NameValueList TSession::WithDecimalMark(const NameValueList &values, QChar mark) {
    NameValueList marked = values;
    auto remark = [&](const QString &key) {
        QString text = values.value(key);
        if (text.isEmpty())
            return;
        for (QChar &c : text)
            if (c == u'.' || c == u',')
                c = mark;
        marked.setValue(key, text);
    };
    for (int place = 1; place <= 2; ++place)
        for (const HeiKey &key : kHeiKeys)
            if (std::holds_alternative<double THeiObj::*>(key.field))
                remark(placeKey(key.name, place));
    remark(QStringLiteral("HeiDiff"));
    return marked;
}

void TSession::StoreRunPlaces(const NameValueList &runPlaces) {
    for (const QString &line : runPlaces.lines())
        if (NameValueList::hasKey(line))
            Values.setValue(RunPrefix + NameValueList::keyOf(line), NameValueList::valueOf(line));
}

NameValueList TSession::RestoreRunPlaces() const {
    NameValueList runPlaces;
    for (const QString &line : Values.lines()) {
        const QString key = NameValueList::keyOf(line);
        if (NameValueList::hasKey(line) && key.startsWith(RunPrefix) && key.size() > RunPrefix.size())
            runPlaces.setValue(key.mid(RunPrefix.size()), NameValueList::valueOf(line));
    }
    return runPlaces;
}
