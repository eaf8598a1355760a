// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/EarthInset.h"

#include "draw/DrawCanvas.h"
#include "draw/SegmentClip.h"
#include "draw/DrawSlots.h"
#include "draw/TDrawObj.h"
#include "model/Angles.h"
#include "model/TLogic.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace {

constexpr double kArcMinute = std::numbers::pi / 10800;
constexpr double kOpeningDeg = 30;   // the drawn opening of the angle
constexpr double kMeanDirDeg = 45;   // the drawn direction of the places' mean radius
constexpr int kClearance = 3;        // pixels kept free around the box

double rad(double degrees) { return degrees * std::numbers::pi / 180; }

bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// Whether the segment a-b passes through the rectangle.
bool segmentMeets(QPointF a, QPointF b, const QRectF &r) { return clipToRect(a, b, r); }

// Whether the rectangle reaches the circle's outline or inside.
bool circleMeets(QPointF centre, double radius, const QRectF &r) {
    const double x = std::clamp(centre.x(), r.left(), r.right());
    const double y = std::clamp(centre.y(), r.top(), r.bottom());
    return std::hypot(x - centre.x(), y - centre.y()) <= radius + 1;
}

bool hidesSomething(const EarthInsetScene &s, const QRect &box) {
    const QRectF area = QRectF(box).adjusted(-kClearance, -kClearance, kClearance, kClearance);
    if (circleMeets(s.centre, s.radius, area))
        return true;
    for (int i = 0; i < 2; ++i)
        if (segmentMeets(s.place[i], s.rayEnd[i], area) || segmentMeets(s.place[i], s.centre, area) ||
            area.intersects(s.elevationCell[i]))
            return true;
    return area.intersects(s.differenceCell);
}

// A point at the given distance from the vertex in a drawn direction (degrees, counter-clockwise
// from the right, the screen's y axis pointing down).
QPointF polar(QPointF vertex, double length, double directionDeg) {
    return vertex + QPointF(length * std::cos(rad(directionDeg)), -length * std::sin(rad(directionDeg)));
}

}  // namespace

namespace EarthInset {

QString shortName(const QString &name, const QString &other, const QFontMetrics &metrics, int room) {
    if (metrics.horizontalAdvance(name) <= room)
        return name;
    const QStringList words = name.split(u' ', Qt::SkipEmptyParts);
    const QStringList otherWords = other.split(u' ', Qt::SkipEmptyParts);
    QStringList kept;
    bool skipped = false;
    for (const QString &word : words) {
        if (otherWords.contains(word)) {
            skipped = true;
            continue;
        }
        kept << (skipped ? QStringLiteral("\u2026") + word : word);
        skipped = false;
    }
    if (skipped && !kept.isEmpty())
        kept.last() += QStringLiteral("\u2026");
    const QString distinct = kept.isEmpty() ? name : kept.join(u' ');
    return metrics.horizontalAdvance(distinct) <= room ? distinct : metrics.elidedText(distinct, Qt::ElideRight, room);
}

bool needed(const EarthInsetScene &s) {
    return s.elevationCell[0].intersects(s.elevationCell[1]) &&
           std::fabs(s.sunPlane[0] - s.sunPlane[1]) >= kArcMinute;
}

std::optional<QRect> placement(const EarthInsetScene &s) {
    if (!finite(s.centre) || !std::isfinite(s.radius))
        return std::nullopt;
    for (int i = 0; i < 2; ++i)
        if (!finite(s.place[i]) || !finite(s.rayEnd[i]))
            return std::nullopt;
    const int w = BoxSize.width(), h = BoxSize.height(), m = 4;
    const int right = s.bitmap.width() - m - w, bottom = s.bitmap.height() - m - h;
    if (right < m || bottom < m)
        return std::nullopt;  // the bitmap is too small for the box
    for (const QPoint corner : {QPoint(right, bottom), QPoint(m, m), QPoint(m, bottom), QPoint(right, m)}) {
        const QRect box(corner, BoxSize);
        if (!hidesSomething(s, box))
            return box;
    }
    return std::nullopt;
}

void paint(QPainter &painter, const EarthInsetScene &s, const QRect &box) {
    painter.save();
    painter.fillRect(box, Qt::black);
    painter.setPen(QPen(DrawColor::toQColor(DrawColor::Green), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setClipRect(box.adjusted(1, 1, -1, -1));

    // The place farther north (smaller sun-plane angle) is drawn above the other.
    const int upper = s.sunPlane[0] <= s.sunPlane[1] ? 0 : 1;
    const int lower = 1 - upper;
    const QPointF vertex(box.left() + 22, box.bottom() - 14);
    const double length = 108;
    std::array<double, 2> direction{};
    direction[upper] = kMeanDirDeg + kOpeningDeg / 2;
    direction[lower] = kMeanDirDeg - kOpeningDeg / 2;
    std::array<QPointF, 2> at;
    for (int i = 0; i < 2; ++i)
        at[i] = polar(vertex, length, direction[i]);

    auto pen = [](std::uint32_t color, double width) {
        return QPen(DrawColor::toQColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    };

    // The outline's arc, a little beyond both places.
    painter.setPen(pen(DrawColor::Green, 2));
    const QRectF circle(vertex.x() - length, vertex.y() - length, 2 * length, 2 * length);
    const double from = direction[lower] - 5, span = kOpeningDeg + 10;
    painter.drawArc(circle, int(std::lround(from * 16)), int(std::lround(span * 16)));

    // The sun rays keep the mean of the true angles between ray and radius at the two places:
    // the picture turns the mean radius to the drawn direction and the rays with it.
    const double meanLatitudeDeg = 90 - (s.sunPlane[0] + s.sunPlane[1]) / 2 * 180 / std::numbers::pi;
    const double meanDeclinationDeg = (s.declination[0] + s.declination[1]) / 2 * 180 / std::numbers::pi;
    const double rayDeg = meanDeclinationDeg + kMeanDirDeg - meanLatitudeDeg;
    for (int i = 0; i < 2; ++i) {
        painter.setPen(pen(DrawColor::Red, 2));
        painter.drawLine(vertex, at[i]);
        painter.setPen(pen(DrawColor::Yellow, 2));
        painter.drawLine(at[i], polar(at[i], 44, rayDeg));
    }

    // The angle at the centre and its value, below the lower radius.
    painter.setPen(pen(DrawColor::Yellow, 1));
    const double mark = 24;
    painter.drawArc(QRectF(vertex.x() - mark, vertex.y() - mark, 2 * mark, 2 * mark),
                    int(std::lround(direction[lower] * 16)), int(std::lround(kOpeningDeg * 16)));
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(QPointF(vertex.x() + 32, vertex.y() - 13 + metrics.ascent()), s.angleText);

    // The places and their names, left of each place, each between the radii around it. A name
    // too long for its room keeps what tells it from the other (shortName).
    painter.setPen(pen(DrawColor::Green, 1));
    painter.setBrush(DrawColor::toQColor(DrawColor::Green));
    for (int i = 0; i < 2; ++i)
        painter.drawEllipse(at[i], 2.5, 2.5);
    // Where a radius crosses a row of pixels.
    auto radiusAt = [&](int place, double row) { return vertex.x() + (vertex.y() - row) / std::tan(rad(direction[place])); };
    for (int i = 0; i < 2; ++i) {
        const double top = at[i].y() - metrics.height() / 2.0, bottom = top + metrics.height();
        double rightEdge = at[i].x() - 7;
        double leftEdge = box.left() + 4;
        if (i == lower) {
            // Clear of both red radii, two pixels from each: the upper one is farthest right at
            // the text's top row, the lower one farthest left at its bottom row.
            leftEdge = radiusAt(upper, top) + 3;
            rightEdge = std::min(rightEdge, radiusAt(lower, bottom) - 3);
        }
        const int room = int(rightEdge - leftEdge);
        if (room <= 0)
            continue;
        const QString text = shortName(s.name[i], s.name[1 - i], metrics, room);
        painter.drawText(QPointF(rightEdge - metrics.horizontalAdvance(text), top + metrics.ascent()), text);
    }
    painter.restore();
}

}  // namespace EarthInset

void TDrawObj::drawEarthInset() {
    if (!ShowInset || !painter_ || !Image)
        return;
    const THeiObj *heis[2] = {&logic_.Hei1, &logic_.Hei2};
    // The inset is for two real places: absurd angles (a damaged record) get none.
    for (const THeiObj *hei : heis)
        for (const double angle : {hei->SunPlaneAngle, hei->NoonHeightAngle})
            if (!std::isfinite(angle) || std::fabs(angle) > 2 * std::numbers::pi)
                return;
    constexpr double r = 6000;  // the Earth's radius in scene units, as DrawEarth draws it
    EarthInsetScene scene;
    scene.bitmap = Image->clientSize();
    scene.centre = QPointF(ProjectX(0, 0, 0), ProjectY(0, 0, 0));
    scene.radius = r * Scale;
    const QFontMetrics metrics = painter_->fontMetrics();
    for (int i = 0; i < 2; ++i) {
        const double sigma = heis[i]->SunPlaneAngle, eta = heis[i]->NoonHeightAngle;
        const double y = r * std::sin(sigma), z = r * std::cos(sigma);
        const double ry = y + 3 * r * std::cos(eta - sigma), rz = z + 3 * r * std::sin(eta - sigma);
        scene.place[i] = QPointF(projectedColumn(0, y, z), projectedRow(0, y, z));
        scene.rayEnd[i] = QPointF(projectedColumn(0, ry, rz), projectedRow(0, ry, rz));
        // Where DrawEarth writes the place's elevation: 10 pixels right of it, 4 up.
        const QString text = AngleToText(eta);
        // Widened: absurd model values project to the ends of the int range.
        const auto cellCorner = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, -1'000'000, 1'000'000)); };
        scene.elevationCell[i] = QRect(cellCorner(std::int64_t{ProjectX(0, y, z)} + 10),
                                       cellCorner(std::int64_t{ProjectY(0, y, z)} - 4),
                                       metrics.horizontalAdvance(text), metrics.height());
        scene.sunPlane[i] = sigma;
        scene.declination[i] = eta - sigma;
        scene.name[i] = heis[i]->PlaceName;
    }
    const bool first = scene.sunPlane[0] > scene.sunPlane[1];
    const QPointF near = 0.2 * (first ? scene.place[0] : scene.place[1]) + 0.8 * scene.centre;
    scene.angleText = AngleToText(std::fabs(heis[0]->NoonHeightAngle - heis[1]->NoonHeightAngle));
    scene.differenceCell = QRect(near.toPoint(), QSize(metrics.horizontalAdvance(scene.angleText), metrics.height()));
    if (!EarthInset::needed(scene))
        return;
    if (const std::optional<QRect> box = EarthInset::placement(scene))
        EarthInset::paint(*painter_, scene, *box);
}
