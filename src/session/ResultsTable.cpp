// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ResultsTable.h"

#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/ClockText.h"
#include "model/ReadingUncertainty.h"
#include "model/TLogic.h"
#include "platform/FileIo.h"
#include "platform/TextEncoding.h"

#include <cmath>
#include <vector>

namespace ResultsTable {

const char *const ResultHeadingKeys[5] = {"csvDistance", "csvDifference", "csvCircumference", "csvUncertainty",
                                         "csvDeviation"};

namespace {

using Text = std::function<QString(const QString &)>;

QString heading(const Text &text, const char *key) { return text(QString::fromLatin1(key)); }

// The place's headings: the readings' columns numbered, one for each reading a place may take.
QStringList placeHeadings(const Text &text) {
    QStringList fields{heading(text, "csvDate"), heading(text, "csvPlace"), heading(text, "csvTime"),
                       heading(text, "csvStick")};
    for (int n = 1; n <= ReadingUncertainty::MaxShadowReadings; ++n)
        fields << FillPlaceholders(heading(text, ShadowReadingKey), {QString::number(n)});
    fields << heading(text, "csvShadows") << heading(text, "csvShadowError") << heading(text, "csvElevation")
           << heading(text, "csvLatitude") << heading(text, "csvNoonElevation");
    return fields;
}

class Writer {
public:
    explicit Writer(NumberFormat format) : format_(format) {}

    QString decimal(double value, int decimals) const {
        return QString::number(std::isfinite(value) ? value : 0.0, 'f', decimals).replace(u'.', format_.decimalMark);
    }
    QString degrees(double radians) const { return decimal(static_cast<double>(radians * 180.0L / PiL), 2); }
    QString text(const QString &value) const { return field(value, format_.separator()); }
    QString row(const QStringList &fields) const { return fields.join(format_.separator()) + QStringLiteral("\r\n"); }
    QString textRow(const QStringList &texts) const {
        QStringList fields;
        for (const QString &t : texts)
            fields << text(t);
        return row(fields);
    }

private:
    NumberFormat format_;
};

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

QString field(const QString &text, QChar separator) {
    QString value = text;
    if (!value.isEmpty() && QStringLiteral("=+-@").contains(value.front()))
        value.prepend(u'\'');
    if (!value.contains(separator) && !value.contains(u'"') && !value.contains(u'\r') && !value.contains(u'\n'))
        return value;
    value.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + value + u'"';
}

QByteArray toBytes(const QList<PlaceRow> &places, const Result &result, const Text &text, NumberFormat format) {
    const Writer w(format);
    QString csv = w.textRow(placeHeadings(text));
    for (const PlaceRow &p : places) {
        QStringList fields{p.date.toString(Qt::ISODate), w.text(p.place), ClockText(p.hour, p.minute),
                           QString::number(p.stickMm)};
        std::vector<std::int32_t> shadows;
        for (int n = 0; n < ReadingUncertainty::MaxShadowReadings; ++n) {
            fields << (n < p.shadowsMm.size() ? QString::number(p.shadowsMm[n]) : QString());
            if (n < p.shadowsMm.size())
                shadows.push_back(p.shadowsMm[n]);
        }
        const ReadingUncertainty::ShadowSpread spread = ReadingUncertainty::spreadOf(shadows);
        // A single reading has no spread to speak of: its standard error stays empty.
        fields << w.decimal(spread.meanMm, 2) << (shadows.size() > 1 ? w.decimal(spread.standardErrorMm, 2) : QString())
               << w.degrees(p.elevation) << w.degrees(p.latitude) << w.degrees(p.noonElevation);
        csv += w.row(fields);
    }
    csv += QStringLiteral("\r\n");
    QStringList resultHeadings;
    for (const char *key : ResultHeadingKeys)
        resultHeadings << heading(text, key);
    csv += w.textRow(resultHeadings);
    const double deviation = std::nearbyint(TLogic::DeviationPercent(result.circumferenceKm) * 10) / 10;
    csv += w.row({QString::number(result.distanceKm), w.degrees(result.difference), QString::number(result.circumferenceKm),
                  result.uncertaintyKm ? QString::number(*result.uncertaintyKm) : QString(),
                  w.decimal(deviation == 0 ? 0.0 : deviation, 1)});
    return TextCodec::Utf8Mark + csv.toUtf8();
}

void write(const TLogic &logic, const Text &text, NumberFormat format, const QString &fileName) {
    const QDate date = logic.MeasureDay();
    FileIo::writeAtomically(fileName,
                            toBytes({rowOf(logic.Hei1, date), rowOf(logic.Hei2, date)}, resultOf(logic), text, format));
}

QString suggestedName(QDate date) {
    return QStringLiteral("Gnomora_Results_%1.csv").arg(date.toString(Qt::ISODate));
}

}  // namespace ResultsTable
