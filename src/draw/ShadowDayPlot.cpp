// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/ShadowDayPlot.h"

#include "draw/DrawCanvas.h"
#include "draw/DrawSlots.h"
#include "draw/TDrawObj.h"
#include "lang/TLang.h"
#include "model/ClockText.h"
#include "model/THeiObj.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace {

constexpr int kSamples = 240;     // points of the curve between sunrise and sunset
constexpr int kTextRow = 14;      // the height of a row of text above or below the plot area
constexpr int kMargin = 6;        // pixels between the box's sides and the plot area
constexpr double kDotRadius = 3;  // the readings' dots
constexpr int kTick = 3;          // length of the ticks beside the axes
constexpr int kValueColumn = 40;  // room left of the length axis for its numbers
constexpr double kMinutesPerDay = 24 * 60;

// The smallest of 1, 1.5, 2, 2.5, 3, 4, 5, 6 and 8 times a power of ten that is at least v (1 for
// nothing usable): a round length that leaves little of the plot unused.
double roundUp(double v) {
    if (!(v > 0) || !std::isfinite(v))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(v)));
    for (const double step : {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0})
        if (step * power >= v * (1 - 1e-12))
            return step * power;
    return 10 * power;
}

// A clock time of the measurement day as it is read out, 9:05; times past midnight wrap.
QString clockText(double minutes) {
    const long whole = std::lround(minutes);
    const long inDay = ((whole % 1440) + 1440) % 1440;
    return ClockText(inDay / 60, inDay % 60);
}

QString millimetres(double length) { return QString::number(std::lround(length)); }

QPen pen(std::uint32_t color, double width) {
    return QPen(DrawColor::toQColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

namespace ShadowDayPlot {

std::optional<ShadowDayScene> scene(const THeiObj &hei, const QList<ShadowReading> &readings) {
    const double stick = hei.Stick;
    if (hei.State < 2 || !(stick > 0))
        return std::nullopt;
    const double sunset = hei.SunsetHourAngle();
    const std::optional<double> shortest = hei.ShadowLength(stick, 0);
    if (!(sunset > 0) || !shortest || !std::isfinite(*shortest))
        return std::nullopt;
    ShadowDayScene s;
    s.stick = stick;
    s.sunSets = sunset < std::numbers::pi;
    s.sunrise = hei.ClockMinutesAt(-sunset);
    s.sunset = hei.ClockMinutesAt(sunset);
    s.noon = QPointF(hei.ClockMinutesAt(0), *shortest);
    // The time axis spans at most a day around a noon of the day, so its ticks are few whatever
    // the place's values hold.
    if (!(s.noon.x() >= 0 && s.noon.x() <= kMinutesPerDay) || !(s.sunset > s.sunrise))
        return std::nullopt;
    double longestReading = 0;
    if (!hei.VirtualPartner)
        for (const ShadowReading &r : readings) {
            s.readings.append(QPointF(r.hour * 60.0 + r.minute, r.shadowMm));
            longestReading = std::max(longestReading, double(r.shadowMm));
        }
    s.top = roundUp(std::max({3 * *shortest, stick, 1.2 * longestReading}));
    for (int i = 0; i <= kSamples; ++i) {
        const double hourAngle = sunset * (2.0 * i / kSamples - 1);
        // At sunrise and sunset themselves the shadow has no length.
        if (const std::optional<double> length = hei.ShadowLength(stick, hourAngle); length && std::isfinite(*length))
            s.curve.append(QPointF(hei.ClockMinutesAt(hourAngle), *length));
    }
    return s;
}

QRect plotArea(const QRect &box) {
    return box.adjusted(kMargin + kValueColumn, kTextRow + 2, -kMargin, -(kTextRow + kTick + 1));
}

QPointF toPixel(const ShadowDayScene &s, const QRect &box, QPointF point) {
    // From the first to the last pixel of the area: its left and bottom edges are the axes.
    const QRect area = plotArea(box);
    // A reading far outside the day only stands beyond the plot's side.
    const double across = std::clamp((point.x() - s.sunrise) / (s.sunset - s.sunrise), -1.0, 2.0);
    // Far beyond the top the curve is only a line leaving the plot.
    const double up = std::clamp(point.y() / s.top, -1.0, 100.0);
    return QPointF(area.left() + across * (area.right() - area.left()), area.bottom() - up * (area.bottom() - area.top()));
}

void paint(QPainter &painter, const ShadowDayScene &s, const QRect &box) {
    painter.save();
    painter.fillRect(box, Qt::black);
    painter.setClipRect(box);
    painter.setBrush(Qt::NoBrush);
    // Framed as the Earth picture's inset: the plot lies over the shadow scene's black sky.
    painter.setPen(pen(DrawColor::Green, 1));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const QRect area = plotArea(box);
    const QFontMetrics metrics = painter.fontMetrics();
    const QPen textPen = pen(ShadowDayPlot::TextColor, 1);

    // The axes, and the whole hours on the time axis: numbered every 1, 2, 3 or 6 hours, as
    // many as leave room between their numbers. The hours are counted from the axis's span,
    // which lies within two days.
    painter.setPen(pen(DrawColor::Green, 1));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.bottomLeft(), area.topLeft());
    const double minutesPerPixel = (s.sunset - s.sunrise) / std::max(1, area.width());
    const int labelRoom = metrics.horizontalAdvance(QStringLiteral("00")) + 8;
    int every = 6;
    for (const int hours : {1, 2, 3})
        if (hours * 60 / minutesPerPixel >= labelRoom) {
            every = hours;
            break;
        }
    const int firstHour = int(std::ceil(std::clamp(s.sunrise, -kMinutesPerDay, 2 * kMinutesPerDay) / 60));
    const int lastHour = int(std::floor(std::clamp(s.sunset, -kMinutesPerDay, 2 * kMinutesPerDay) / 60));
    for (int hour = firstHour; hour <= lastHour; ++hour) {
        const int x = int(std::lround(toPixel(s, box, QPointF(hour * 60.0, 0)).x()));
        painter.setPen(pen(DrawColor::Green, 1));
        painter.drawLine(QPoint(x, area.bottom()), QPoint(x, area.bottom() + kTick));
        if (hour % every != 0)
            continue;
        const QString text = QString::number(((hour % 24) + 24) % 24);
        const int left = std::clamp(x - metrics.horizontalAdvance(text) / 2, box.left(),
                                    box.right() + 1 - metrics.horizontalAdvance(text));
        painter.setPen(textPen);
        painter.drawText(QPoint(left, area.bottom() + kTick + 1 + metrics.ascent()), text);
    }

    // A few round lengths numbered left of the length axis: quarters, halves or only the top,
    // as many as the height leaves room for; 0 is where the time axis is.
    int parts = 1;
    for (const int n : {4, 2})
        if (area.height() / n >= metrics.height() + 2 && std::fmod(s.top, n) == 0) {
            parts = n;
            break;
        }
    for (int i = 1; i <= parts; ++i) {
        const double length = s.top * i / parts;
        const int y = int(std::lround(toPixel(s, box, QPointF(s.sunrise, length)).y()));
        painter.setPen(pen(DrawColor::Green, 1));
        painter.drawLine(QPoint(area.left() - kTick, y), QPoint(area.left(), y));
        const QString text = millimetres(length);
        painter.setPen(textPen);
        painter.drawText(QPoint(std::max(box.left() + 2, area.left() - kTick - 2 - metrics.horizontalAdvance(text)),
                                y - metrics.height() / 2 + metrics.ascent()),
                         text);
    }

    // The shortest shadow as a bar from the time axis, then the curve over it, then the readings.
    painter.setClipRect(area.adjusted(-1, -1, 1, 1));
    const QPointF noon = toPixel(s, box, s.noon);
    painter.setPen(pen(DrawColor::Blue, 3));
    painter.drawLine(QPointF(noon.x(), area.bottom()), noon);
    QPolygonF curve;
    for (const QPointF &point : s.curve)
        curve << toPixel(s, box, point);
    painter.setPen(pen(DrawColor::Yellow, 2));
    painter.drawPolyline(curve);
    painter.setPen(pen(DrawColor::Red, 1));
    painter.setBrush(DrawColor::toQColor(DrawColor::Red));
    for (const QPointF &reading : s.readings)
        painter.drawEllipse(toPixel(s, box, reading), kDotRadius, kDotRadius);
    painter.setBrush(Qt::NoBrush);

    // Above the plot: the unit at the top of the length axis, and at the right the legend, a red
    // dot for the readings (when there are any) and a blue bar for the shortest shadow. Where the
    // row is short the legend comes first: the readings' entry takes the unit's place (the noon
    // entry names millimetres too), and the bar's entry stays when there is room for nothing else.
    painter.setClipRect(box);
    const int rowTop = box.top() + 2, baseline = rowTop + metrics.ascent();
    const int rowMiddle = rowTop + metrics.height() / 2;
    const int swatch = 10, gap = 4, entryGap = 8;
    const int noonWidth = swatch + gap + metrics.horizontalAdvance(s.noonText);
    const int readingWidth = swatch + gap + metrics.horizontalAdvance(s.readingText);
    const int unitLeft = area.left() + kTick + 2;
    const int unitRight = unitLeft + metrics.horizontalAdvance(s.unitText) + entryGap;
    int x = box.right() - 2 - noonWidth;
    const int readingLeft = x - entryGap - readingWidth;
    const bool readingShown = !s.readings.isEmpty() && readingLeft >= unitLeft;
    const bool unitShown = readingShown ? readingLeft >= unitRight : x >= unitRight;
    painter.setPen(textPen);
    if (unitShown)
        painter.drawText(QPoint(unitLeft, baseline), s.unitText);
    if (readingShown) {
        painter.setPen(pen(DrawColor::Red, 1));
        painter.setBrush(DrawColor::toQColor(DrawColor::Red));
        painter.drawEllipse(QPointF(readingLeft + swatch / 2.0, rowMiddle), kDotRadius, kDotRadius);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(textPen);
        painter.drawText(QPoint(readingLeft + swatch + gap, baseline), s.readingText);
    }
    x = std::max(x, box.left() + 2);
    painter.setPen(pen(DrawColor::Blue, 3));
    painter.drawLine(QPoint(x + swatch / 2, rowTop + 2), QPoint(x + swatch / 2, rowTop + metrics.height() - 2));
    painter.setPen(textPen);
    painter.drawText(QPoint(x + swatch + gap, baseline), s.noonText);
    painter.restore();
}

}  // namespace ShadowDayPlot

namespace {

// What the plot shows, in words.
QString describeShadowDay(TLang &lang, const THeiObj &hei, const ShadowDayScene &s) {
    const QString stick = millimetres(s.stick);
    QString text = s.sunSets ? lang.GetText(QStringLiteral("picShadowDay"),
                                                 {hei.PlaceName, stick, clockText(s.sunrise), clockText(s.sunset)})
                             : lang.GetText(QStringLiteral("picShadowDayAllDay"), {hei.PlaceName, stick});
    text += u' ' + lang.GetText(QStringLiteral("picShadowDayNoon"), {clockText(s.noon.x()), millimetres(s.noon.y())});
    // Readings taken at one time are told together: "812, 815 mm at 10:30".
    std::map<double, QStringList> byTime;
    for (const QPointF &r : s.readings)
        byTime[r.x()] << millimetres(r.y());
    for (const auto &[time, lengths] : byTime)
        text += u' ' + lang.GetText(QStringLiteral("picShadowDayReadings"), {clockText(time), lengths.join(QStringLiteral(", "))});
    return text;
}

}  // namespace

bool TDrawObj::DrawShadowDay(const THeiObj &hei, const QList<ShadowReading> &readings, DrawCanvas &plot) {
    std::optional<ShadowDayScene> scene = ShadowDayPlot::scene(hei, readings);
    if (!scene)
        return false;
    scene->noonText = lang_.GetText(QStringLiteral("plotNoonShadow"), {clockText(scene->noon.x()), millimetres(scene->noon.y())});
    scene->readingText = lang_.GetText(QStringLiteral("plotReading"));
    scene->unitText = lang_.GetText(QStringLiteral("unitMm"));
    if (sizeBitmapOf(plot)) {
        QPainter painter(&plot.bitmap());
        if (painter.isActive()) {
            preparePicturePainter(painter, plot.bitmap().devicePixelRatio());
            ShadowDayPlot::paint(painter, *scene, QRect(QPoint(0, 0), plot.clientSize()));
            painter.end();
            plot.bitmapChanged();
        }
    }
    plot.setDescription(describeShadowDay(lang_, hei, *scene));
    return true;
}
