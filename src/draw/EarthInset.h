// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <optional>

class QFontMetrics;
class QPainter;

// Schools lying close together (a few degrees apart) meet in one point of the Earth picture and
// their elevation texts print over each other. The inset then shows the arc between them
// enlarged, in a framed box in a corner of the picture where it hides nothing:
//   - the vertex of the angle (the Earth's centre), both radii to the places (red) and the arc
//     of the outline between them (green), the places as dots with their names (green);
//   - each place's sun ray (yellow), parallel as in the picture, leaving the place at the angle
//     it makes there with the radius (the mean of the two places' rays is kept);
//   - the angle at the centre marked with an arc and its value (yellow): the difference of the
//     noon elevations, as near the centre of the picture.
// The opening is drawn at 30 degrees whatever the true angle is (an angle stays an angle under
// magnification, so a true 2 degrees would still be a sliver): the box is a sketch of the
// relation, its number is the measured value.
//
// All positions are pixels of the picture's bitmap.
struct EarthInsetScene {
    QSize bitmap;
    QPointF centre;          // the Earth's centre
    double radius = 0;       // the Earth's outline
    std::array<QPointF, 2> place;    // the two places on the outline
    std::array<QPointF, 2> rayEnd;   // the far ends of their sun rays
    std::array<QRect, 2> elevationCell;  // where each place's elevation text stands
    QRect differenceCell;                // where the difference text stands
    std::array<double, 2> sunPlane{};      // 90 deg - latitude of each place, radians
    std::array<double, 2> declination{};   // the sun's declination at each place, radians
    QString angleText;                     // the difference of the noon elevations
    std::array<QString, 2> name;           // the places' names
};

namespace EarthInset {

// Size of the box in pixels.
inline constexpr QSize BoxSize{160, 136};

// A place's name as the inset writes it in `room` pixels: whole when it fits; otherwise the
// words it shares with the other place's name give way to an ellipsis, so that two schools
// named alike up to their number and town still read apart ("…12 …Gdańsku", "…7 …Łodzi");
// what still does not fit is cut at its end.
QString shortName(const QString &name, const QString &other, const QFontMetrics &metrics, int room);

// The inset is wanted: the two elevation texts overlap, and the places are at least an
// arc-minute apart (places on one latitude have no arc to show).
bool needed(const EarthInsetScene &scene);

// The first corner of the bitmap (bottom right, top left, bottom left, top right, 4 pixels in)
// where the box keeps clear of the Earth's outline, every ray and radius, and the texts; nothing
// when there is none, or when a position of the scene is not finite.
std::optional<QRect> placement(const EarthInsetScene &scene);

// Paints the box at the given place: a black ground framed in green, then its content, all of
// it inside the box.
void paint(QPainter &painter, const EarthInsetScene &scene, const QRect &box);

}  // namespace EarthInset
