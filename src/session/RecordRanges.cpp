// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/RecordRanges.h"

#include "model/Angles.h"
#include "model/THeiObj.h"
#include "model/ReadingUncertainty.h"
#include "model/TypedInput.h"
#include "session/TSession.h"
#include "store/TComm.h"

#include <QDate>
#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double Pi = static_cast<double>(PiL);

struct Range {
    const char *name;  // the key without "Hei" and the place number
    double min, max;
};

constexpr Range whole(const char *name, TypedInput::WholeRange range) { return {name, double(range.min), double(range.max)}; }

// Every value of a place, whatever its State. Clock hour angles are taken over a day and a bit
// (a noon configured up to 24:59); the sun's hour angle is the difference of two of them.
const Range kPlaceRanges[] = {
    {"NoonTimeAngle", -2 * Pi, 2 * Pi},
    {"CurrTimeAngle", -2 * Pi, 2 * Pi},
    {"SunOnCurrTimeAngle", -4 * Pi, 4 * Pi},
    {"EquinoxAngle", 0, 2 * Pi},
    {"EquinoxDispl", -1, 1},  // sine of the declination
    {"EquinoxRadius", 0, 1},  // its cosine
    whole("EditedTimH", TypedInput::ClockHour),
    whole("EditedTimM", TypedInput::ClockMinute),
    whole("TimH", TypedInput::ClockHour),
    whole("TimM", TypedInput::ClockMinute),
    whole("EditedStick", TypedInput::LengthMm),
    whole("EditedShadow", TypedInput::LengthMm),
    whole("Stick", TypedInput::LengthMm),
    whole("Shadow", TypedInput::LengthMm),
    {"SunHeightAtCurrTime", 0, Pi / 2},  // the elevation of a positive stick and shadow
    {"SunAzimuthHeightAtCurrTime", -2 * Pi, 2 * Pi},
    {"SunPlaneAngle", 0, Pi},  // 90 deg - latitude, the latitude within +-90 deg
    {"NoonHeightAngle", -Pi / 2, Pi},
};

// Stored values keep 15 significant digits: what the model computed (a full orbit of 2 pi, say)
// may read back this much beyond its bound.
constexpr double kStoredPrecision = 1e-9;

bool within(double value, double min, double max) { return min <= value && value <= max; }

// The longest texts the program keeps: what an edit box takes (a pupil's name, a place's name in
// the places editor), a place's name in a partner's reading file, a file's name on the disk.
constexpr qsizetype kMaxTypedText = 32767;
constexpr qsizetype kMaxReadingPlaceName = 200;
constexpr qsizetype kMaxFileName = 255;

// A whole number written as the program writes it (no blanks, no "+", no leading zeros) within
// the range.
bool wholeText(const QString &text, TypedInput::WholeRange range) {
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok && QString::number(v) == text && within(v, range.min, range.max);
}

bool readableText(const QString &text, qsizetype maxLength) {
    if (text.size() > maxLength)
        return false;
    for (QChar c : text)
        if (c.category() == QChar::Other_Control)
            return false;
    return true;
}

// The places known for this run only, as the record keeps them (RunPlace<n>, RunNoonH<n>,
// RunNoonM<n>): numbered without a gap from the first place after the configured ones, each
// named as a partner's reading file names a place, its noon both hour and minute or neither, as
// that file gives them. No other key begins with "Run". Gives how many there are, or -1.
int runPlaceCount(const NameValueList &values) {
    static const QRegularExpression runKey(QStringLiteral("^Run(Place|NoonH|NoonM)([1-9][0-9]{0,2})$"));
    const QString prefix = TSession::RunPrefix;
    int count = 0;
    for (const QString &line : values.lines()) {
        const QString key = NameValueList::keyOf(line);
        if (!NameValueList::hasKey(line) || !key.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QRegularExpressionMatch m = runKey.match(key);
        const int n = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (n <= TComm::PlaceCount || n >= THeiObj::VirtualPartnerPlaceNo)
            return -1;
        if (m.captured(1) == u"Place")
            ++count;
    }
    for (int n = TComm::PlaceCount + 1; n <= TComm::PlaceCount + count; ++n) {
        auto value = [&](const char *name) { return values.value(prefix + QLatin1String(name) + QString::number(n)); };
        const QString name = value("Place");
        if (name.trimmed().isEmpty() || !readableText(name, kMaxReadingPlaceName))
            return -1;
        const QString noonH = value("NoonH"), noonM = value("NoonM");
        if (noonH.isEmpty() != noonM.isEmpty())
            return -1;
        if (!noonH.isEmpty() && !(wholeText(noonH, TypedInput::NoonHour) && wholeText(noonM, TypedInput::ClockMinute)))
            return -1;
    }
    // A noon of a place with no name (or after a gap) is no place of the list.
    for (const QString &line : values.lines()) {
        static const QRegularExpression number(QStringLiteral("[0-9]+$"));
        const QString key = NameValueList::keyOf(line);
        if (key.startsWith(prefix) && number.match(key).captured().toInt() > TComm::PlaceCount + count)
            return -1;
    }
    return count;
}

// The chosen entry of a place list (PlaceSelect<k>, absent before step 1 was first left): none
// (-1), a configured place, a place of this run, or the virtual partner, which the list shows
// last; the names of step 1 and the pupils as long as their boxes take.
bool choiceHolds(const NameValueList &values, int place, int runPlaces) {
    const QString index = values.value(QStringLiteral("PlaceSelect") + QString::number(place));
    if (!index.isEmpty() && !wholeText(index, {-1, TComm::PlaceCount + runPlaces - 1}) &&
        index != QString::number(THeiObj::VirtualPartnerPlaceNo - 1))
        return false;
    if (!readableText(values.value(QStringLiteral("PlaceName") + QString::number(place)), kMaxTypedText))
        return false;
    for (int person = 1; person <= 4; ++person)
        if (!readableText(values.value(QStringLiteral("Person%1%2").arg(place).arg(person)), kMaxTypedText))
            return false;
    return true;
}

bool placeHolds(const NameValueList &values, const TComm &comm, int place) {
    auto value = [&](const char *name) {
        return comm.TextToFloat(values.value(QStringLiteral("Hei") + QLatin1String(name) + QString::number(place)));
    };
    for (const Range &range : kPlaceRanges)
        if (!within(value(range.name), range.min - kStoredPrecision, range.max + kStoredPrecision))
            return false;
    const double state = value("State");
    const bool virtualPartner = TSession::HoldsVirtualPartner(values, place) ||
                                values.value(QStringLiteral("PlaceSelect") + QString::number(place)) ==
                                    QString::number(THeiObj::VirtualPartnerPlaceNo - 1);
    // A loaded reading names its file; the file's time was accepted with it.
    const QString readingFrom = values.value(QStringLiteral("HeiReadingFrom") + QString::number(place));
    if (!readableText(readingFrom, kMaxFileName) || (!readingFrom.isEmpty() && state < 1))
        return false;
    // Solved: the elevation is the one the stick and the mean of every shadow reading give (the
    // virtual partner's is the zenith, whatever its lengths).
    if (state >= 2 && !virtualPartner) {
        std::vector<std::int32_t> readings{static_cast<std::int32_t>(value("Shadow"))};
        const QString more = values.value(QStringLiteral("HeiMoreShadows") + QString::number(place));
        for (const QString &reading : more.split(u';', Qt::SkipEmptyParts))
            readings.push_back(reading.toInt());
        const double mean = ReadingUncertainty::spreadOf(readings).meanMm;
        if (!(std::fabs(value("SunHeightAtCurrTime") - std::atan(value("Stick") / mean)) <= kStoredPrecision))
            return false;
    }
    // Solved: the latitude is one the measurement takes (the virtual partner's is the declination).
    const double latitude = Pi / 2 - value("SunPlaneAngle");
    if (state >= 2 && !virtualPartner && !within(latitude, THeiObj::MinLatitude - kStoredPrecision, THeiObj::MaxLatitude + kStoredPrecision))
        return false;
    // Computed: the noon elevation is the one the latitude and the date give.
    if (state >= 3) {
        const double noon = THeiObj::NoonElevation(value("SunPlaneAngle"), value("EquinoxDispl"), value("EquinoxRadius"));
        if (!(std::fabs(value("NoonHeightAngle") - noon) <= kStoredPrecision))
            return false;
    }
    return true;
}

bool comparisonHolds(const NameValueList &values, const TComm &comm) {
    const int earthProgress = TComm::TextToInt(values.value(QStringLiteral("EarthState")));
    const int distance = TComm::TextToInt(values.value(QStringLiteral("EarthDistance")));
    const int size = TComm::TextToInt(values.value(QStringLiteral("EarthSize")));
    // A distance is accepted only as typed; before that it is 0 or the one of a cleared run.
    if (!within(distance, earthProgress >= 1 ? 1 : 0, TypedInput::MaxDistanceKm))
        return false;
    if (!within(size, earthProgress >= 2 ? 1 : 0, std::numeric_limits<std::int32_t>::max()))
        return false;
    const double difference = comm.TextToFloat(values.value(QStringLiteral("HeiDiff")));
    if (!within(difference, 0, 2 * Pi + kStoredPrecision))
        return false;
    const QDate day = QDate::fromString(values.value(QStringLiteral("MeasureDate")), Qt::ISODate);
    return within(day.year(), TypedInput::MeasureYear.min, TypedInput::MeasureYear.max);
}

}  // namespace

namespace RecordRanges {

bool hold(const NameValueList &values, const TComm &comm) {
    // Each key once: a second line of a key would be read by one part of the program and not by another.
    QSet<QString> keys;
    for (const QString &line : values.lines())
        if (NameValueList::hasKey(line)) {
            const QString key = NameValueList::keyOf(line).toCaseFolded();
            if (keys.contains(key))
                return false;
            keys.insert(key);
        }
    const int runPlaces = runPlaceCount(values);
    return runPlaces >= 0 && choiceHolds(values, 1, runPlaces) && choiceHolds(values, 2, runPlaces) &&
           placeHolds(values, comm, 1) && placeHolds(values, comm, 2) && comparisonHolds(values, comm);
}

}  // namespace RecordRanges
