// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/PartnerReading.h"

#include "model/SolarNoon.h"
#include "model/THeiObj.h"
#include "model/TypedInput.h"
#include "platform/FileIo.h"
#include "store/NameValueList.h"
#include "store/ReadableName.h"

#include <QHash>
#include <QRegularExpression>

#ifndef GNOMORA_VERSION
#define GNOMORA_VERSION "0"
#endif

namespace {

const QString kVersion = QStringLiteral("Version");
const QString kPlace = QStringLiteral("Place");
const QString kDate = QStringLiteral("Date");
const QString kTimeH = QStringLiteral("TimeH");
const QString kTimeM = QStringLiteral("TimeM");
const QString kStick = QStringLiteral("Stick");
const QString kNoonH = QStringLiteral("NoonH");
const QString kNoonM = QStringLiteral("NoonM");
const QString kLongitude = QStringLiteral("Longitude");
const QString kTimeZone = QStringLiteral("TimeZone");
QString shadowKey(int i) { return QStringLiteral("Shadow%1").arg(i); }

// Longer than any place name the places editor shows in full.
constexpr int MaxPlaceNameLength = 200;

bool isPlaceName(const QString &name) {
    if (name.trimmed().isEmpty() || name.size() > MaxPlaceNameLength)
        return false;
    for (QChar c : name)
        if (c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter)
            return false;
    return true;
}

}  // namespace

PartnerReading PartnerReading::of(const THeiObj &place, QDate measureDate, std::optional<double> longitude) {
    PartnerReading r;
    r.PlaceName = place.PlaceName;
    r.MeasureDate = measureDate;
    r.TimH = place.TimH;
    r.TimM = place.TimM;
    r.Stick = place.Stick;
    for (const std::int32_t shadow : place.ShadowReadings())
        r.Shadows.append(shadow);
    r.NoonH = place.NoonH;
    r.NoonM = place.NoonM;
    r.Longitude = longitude;
    r.Version = QStringLiteral(GNOMORA_VERSION);
    return r;
}

std::optional<SolarNoon::ClockTime> PartnerReading::TrueNoon(const QTimeZone &ownZone) const {
    if (NoonH && NoonM)
        return SolarNoon::ClockTime{*NoonH, *NoonM};
    if (!Longitude)
        return std::nullopt;
    return SolarNoon::noonClockTime(MeasureDate, *Longitude, TimeZone.isEmpty() ? ownZone : QTimeZone(TimeZone));
}

namespace PartnerReadingFile {

QString suggestedName(const PartnerReading &reading) {
    QString place = reading.PlaceName;
    place.replace(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f]|\s)")), QStringLiteral("_"));
    return QStringLiteral("Reading_%1_%2.txt").arg(place, reading.MeasureDate.toString(Qt::ISODate));
}

QByteArray toBytes(const PartnerReading &reading) {
    QStringList lines{MarkKey + QStringLiteral("=1"), kVersion + u'=' + reading.Version,
                      kPlace + u'=' + reading.PlaceName, kDate + u'=' + reading.MeasureDate.toString(Qt::ISODate),
                      kTimeH + u'=' + QString::number(reading.TimH), kTimeM + u'=' + QString::number(reading.TimM),
                      kStick + u'=' + QString::number(reading.Stick)};
    for (int i = 0; i < reading.Shadows.size(); ++i)
        lines << shadowKey(i + 1) + u'=' + QString::number(reading.Shadows[i]);
    if (reading.NoonH && reading.NoonM)
        lines << kNoonH + u'=' + QString::number(*reading.NoonH) << kNoonM + u'=' + QString::number(*reading.NoonM);
    if (reading.Longitude)
        lines << kLongitude + u'=' + QString::number(*reading.Longitude, 'f', 4);
    NameValueList file(lines);
    if (!file.linesItCannotHold().isEmpty())
        file.setEncoding(TextEncoding::Utf8WithMark);
    return file.toBytes();
}

void write(const PartnerReading &reading, const QString &fileName) {
    FileIo::writeAtomically(fileName, toBytes(reading));
}

Parsed fromLines(QStringList lines) {
    Parsed result;
    auto fault = [&result](const QString &what) {
        result.fault = what;
        return result;
    };
    // Blanks around "=" and at either end of the value are no part of either.
    auto keyOf = [](const QString &line) { return NameValueList::keyOf(line).trimmed(); };
    auto valueOf = [](const QString &line) { return NameValueList::valueOf(line).trimmed(); };
    if (lines.isEmpty() || keyOf(lines.first()) != MarkKey || valueOf(lines.first()) != QStringLiteral("1"))
        return fault(lines.isEmpty() || lines.first().isEmpty() ? MarkKey : lines.first());  // names what is missing

    // Each known key once; nothing else but blank lines (as mail programs add them).
    QStringList known{kVersion, kPlace, kDate, kTimeH, kTimeM, kStick, kNoonH, kNoonM, kLongitude, kTimeZone};
    for (int i = 1; i <= PartnerReading::MaxShadows; ++i)
        known << shadowKey(i);
    QHash<QString, QString> values;  // known key -> value
    QHash<QString, QString> lineOf;  // known key -> its line
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        const QString key = keyOf(line);
        if (!NameValueList::hasKey(line) || !known.contains(key) || values.contains(key))
            return fault(line);
        values.insert(key, valueOf(line));
        lineOf.insert(key, line);
    }

    using namespace TypedInput;
    PartnerReading r;
    auto whole = [&](const QString &key, WholeRange range, int &into) {
        // Digits only, as the boxes take them.
        const std::optional<int> v = wholeNumber(values.value(key), range);
        if (!v)
            return false;
        into = *v;
        return true;
    };
    for (const QString &key : {kVersion, kPlace, kDate, kTimeH, kTimeM, kStick, shadowKey(1)})
        if (!values.contains(key))
            return fault(key);
    r.Version = values.value(kVersion);
    if (r.Version.size() > 40)
        return fault(lineOf.value(kVersion));
    r.PlaceName = ReadableName::of(values.value(kPlace));
    if (!isPlaceName(r.PlaceName))
        return fault(lineOf.value(kPlace));
    r.MeasureDate = QDate::fromString(values.value(kDate), Qt::ISODate);
    if (!r.MeasureDate.isValid() || r.MeasureDate.year() < MeasureYear.min || r.MeasureDate.year() > MeasureYear.max
        || values.value(kDate).size() != 10)
        return fault(lineOf.value(kDate));
    if (!whole(kTimeH, ClockHour, r.TimH))
        return fault(lineOf.value(kTimeH));
    if (!whole(kTimeM, ClockMinute, r.TimM))
        return fault(lineOf.value(kTimeM));
    if (!whole(kStick, LengthMm, r.Stick))
        return fault(lineOf.value(kStick));
    // Shadow1, Shadow2 ... without a gap.
    for (int i = 1; i <= PartnerReading::MaxShadows; ++i) {
        if (!values.contains(shadowKey(i))) {
            for (int j = i + 1; j <= PartnerReading::MaxShadows; ++j)
                if (values.contains(shadowKey(j)))
                    return fault(lineOf.value(shadowKey(j)));
            break;
        }
        int shadow = 0;
        if (!whole(shadowKey(i), LengthMm, shadow))
            return fault(lineOf.value(shadowKey(i)));
        r.Shadows << shadow;
    }
    if (values.contains(kNoonH) != values.contains(kNoonM))
        return fault(values.contains(kNoonH) ? kNoonM : kNoonH);
    if (values.contains(kNoonH)) {
        int h = 0, m = 0;
        if (!whole(kNoonH, NoonHour, h))
            return fault(lineOf.value(kNoonH));
        if (!whole(kNoonM, ClockMinute, m))
            return fault(lineOf.value(kNoonM));
        r.NoonH = h;
        r.NoonM = m;
    }
    if (values.contains(kLongitude)) {
        r.Longitude = SolarNoon::parseLongitude(values.value(kLongitude));
        if (!r.Longitude)
            return fault(lineOf.value(kLongitude));
    }
    if (values.contains(kTimeZone)) {
        r.TimeZone = values.value(kTimeZone).toLatin1();
        if (values.value(kTimeZone).size() > 64 || !QTimeZone(r.TimeZone).isValid())
            return fault(lineOf.value(kTimeZone));
    }
    result.reading = r;
    return result;
}

Parsed read(const QString &fileName) {
    NameValueList file;
    file.load(fileName, FileKind::Reading);
    return fromLines(file.lines());
}

}  // namespace PartnerReadingFile
