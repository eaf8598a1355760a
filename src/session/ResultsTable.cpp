// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ResultsTable.h"

#include "model/Angles.h"
#include "model/TLogic.h"
#include "platform/FileIo.h"
#include "platform/TextEncoding.h"

#include <cmath>

namespace ResultsTable {

const char *const PlaceHeadingKeys[8] = {"csvDate",      "csvPlace",     "csvTime",     "csvStick",
                                         "csvShadows",   "csvElevation", "csvLatitude", "csvNoonElevation"};
const char *const ResultHeadingKeys[5] = {"csvDistance", "csvDifference", "csvCircumference", "csvUncertainty",
                                          "csvDeviation"};

namespace {

QString degrees(double radians) {
    const double value = static_cast<double>(radians * 180.0L / PiL);
    return QString::number(std::isfinite(value) ? value : 0.0, 'f', 2);
}

QString row(const QStringList &fields) { return fields.join(u',') + QStringLiteral("\r\n"); }

QString headings(const char *const *keys, int count, const std::function<QString(const QString &)> &text) {
    QStringList fields;
    for (int i = 0; i < count; ++i)
        fields << field(text(QString::fromLatin1(keys[i])));
    return row(fields);
}

}  // namespace

PlaceRow rowOf(const THeiObj &place, QDate date) {
    PlaceRow r;
    r.date = date;
    r.place = place.PlaceName;
    r.hour = place.TimH;
    r.minute = place.TimM;
    r.stickMm = place.Stick;
    for (const std::int32_t shadow : place.ShadowReadings())
        r.shadowsMm.append(shadow);
    r.elevation = place.SunHeightAtCurrTime;
    r.latitude = place.Latitude();
    r.noonElevation = place.NoonHeightAngle;
    return r;
}

Result resultOf(const TLogic &logic) {
    return {logic.EarthDistance, logic.HeiDiff, logic.EarthSize, logic.EarthUncertaintyKm()};
}

QString field(const QString &text, bool isText) {
    QString value = text;
    if (isText && !value.isEmpty() && QStringLiteral("=+-@").contains(value.front()))
        value.prepend(u'\'');
    if (!value.contains(u',') && !value.contains(u'"') && !value.contains(u'\r') && !value.contains(u'\n'))
        return value;
    value.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + value + u'"';
}

QByteArray toBytes(const QList<PlaceRow> &places, const Result &result,
                   const std::function<QString(const QString &key)> &text) {
    QString csv = headings(PlaceHeadingKeys, 8, text);
    for (const PlaceRow &p : places) {
        QStringList shadows;
        for (int shadow : p.shadowsMm)
            shadows << QString::number(shadow);
        csv += row({p.date.toString(Qt::ISODate), field(p.place),
                    QStringLiteral("%1:%2").arg(p.hour).arg(p.minute, 2, 10, QLatin1Char('0')),
                    QString::number(p.stickMm), field(shadows.join(u' '), false), degrees(p.elevation),
                    degrees(p.latitude), degrees(p.noonElevation)});
    }
    csv += QStringLiteral("\r\n");
    csv += headings(ResultHeadingKeys, 5, text);
    const double deviation = std::nearbyint(TLogic::DeviationPercent(result.circumferenceKm) * 10) / 10;
    csv += row({QString::number(result.distanceKm), degrees(result.difference), QString::number(result.circumferenceKm),
                result.uncertaintyKm ? QString::number(*result.uncertaintyKm) : QString(),
                QString::number(deviation == 0 ? 0.0 : deviation, 'f', 1)});
    return TextCodec::Utf8Mark + csv.toUtf8();
}

void write(const TLogic &logic, const std::function<QString(const QString &key)> &text, const QString &fileName) {
    const QDate date = logic.MeasureDay();
    FileIo::writeAtomically(fileName,
                            toBytes({rowOf(logic.Hei1, date), rowOf(logic.Hei2, date)}, resultOf(logic), text));
}

QString suggestedName(QDate date) {
    return QStringLiteral("Gnomora_Results_%1.csv").arg(date.toString(Qt::ISODate));
}

}  // namespace ResultsTable
