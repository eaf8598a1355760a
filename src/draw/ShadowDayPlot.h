// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>

class QPainter;
class THeiObj;

// One shadow reading of a place as the plot marks it: the clock time it was taken at and its
// length in millimetres.
struct ShadowReading {
    int hour = 12;
    int minute = 0;
    int shadowMm = 0;
};

// The length of the stick's shadow through the measurement day at a place, as a small plot beside
// the shadow scene: the pupils see the shadow shrink toward true noon and grow again, and where
// their readings lie on that curve.
//   - the time axis runs from sunrise to sunset (a whole day when the sun does not set), whole
//     hours ticked and some of them numbered; the length axis from 0 to a round length (`top`)
//     above the readings and well above the shortest shadow, with a few round lengths numbered
//     beside it and its unit at its top;
//   - the curve (yellow) is the model's: the sun's elevation e over the day from the place's
//     latitude and the date's declination, and the shadow stick / tan(e); toward sunrise and
//     sunset it leaves the plot at the top;
//   - the shortest shadow, at true noon, is a blue bar up from the time axis; each reading is a
//     red dot; a legend above the plot says what the dot and the bar are.
// The texts are light green on the black ground, far above the 4.5:1 contrast that small text
// needs to be read at a glance. Times are clock minutes after midnight of the measurement day,
// lengths millimetres.
struct ShadowDayScene {
    double sunrise = 0, sunset = 0;  // the span of the time axis
    bool sunSets = true;             // false: the sun stays up and the axis spans a whole day
    QList<QPointF> curve;            // (time, length) from sunrise to sunset
    QPointF noon;                    // true noon and the shortest shadow
    QList<QPointF> readings;         // (time, length) of each reading
    double stick = 0;
    double top = 0;                  // the length at the top of the length axis
    QString noonText;                // the legend of the bar: the shortest shadow
    QString readingText;             // the legend of the dots: the class's reading
    QString unitText;                // the unit of the length axis
};

namespace ShadowDayPlot {

// The scene of a place with its latitude solved, for a stick of the place's accepted length:
// nothing when the latitude is not solved (State below 2), the stick has no length, the sun
// does not rise on the day or its true noon is no clock time of the day (a damaged value: the
// day's span would then come from it). The virtual partner read nothing: its scene has no
// readings. The texts are left empty.
std::optional<ShadowDayScene> scene(const THeiObj &hei, const QList<ShadowReading> &readings);

// The colour of the plot's texts (light green, 144, 238, 144).
inline constexpr std::uint32_t TextColor = 0x90EE90;

// The area of the box the curve is drawn in: inside the rows of texts above and below it and
// right of the column of the length axis's numbers.
QRect plotArea(const QRect &box);

// Where a (time, length) point stands in the box. Lengths beyond the top stand above the plot
// area (held to a finite distance).
QPointF toPixel(const ShadowDayScene &scene, const QRect &box, QPointF point);

// Paints the plot filling the box: a black ground, then axes, curve, bar, dots and texts.
void paint(QPainter &painter, const ShadowDayScene &scene, const QRect &box);

}  // namespace ShadowDayPlot
