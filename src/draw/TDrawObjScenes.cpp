// SPDX-License-Identifier: GPL-3.0-or-later
// The two step pictures built from the slots: the shadow scene of one place and the Earth
// cross-section with both places.
#include "draw/TDrawObj.h"

#include "draw/DrawCanvas.h"
#include "draw/SegmentClip.h"
#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/ClockText.h"
#include "model/THeiObj.h"
#include "model/TLogic.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// A sun whose horizontal distance from the zenith is below this (scene units, far below a
// pixel at any window size) stands overhead: rounding noise in its direction gives it no bearing.
constexpr double kOverhead = 1e-9;

constexpr double kEarthRadius = 6000;  // scene units of the Earth picture

// What the shadow scene of a place shows, in words.
QString shadowSceneText(TLang &lang, const THeiObj &hei) {
    const QString time = ClockText(hei.TimH, hei.TimM);
    if (hei.VirtualPartner)
        return lang.GetText(QStringLiteral("picShadowSceneVirtual"), {hei.PlaceName});
    if (hei.State < 2)
        return lang.GetText(QStringLiteral("picShadowScene"), {hei.PlaceName, time});
    QString text = lang.GetText(QStringLiteral("picShadowSceneMeasured"),
                                {hei.PlaceName, time, AngleToText(hei.SunHeightAtCurrTime),
                                 QString::number(std::lround(hei.MeanShadow()))});  // one reading: Shadow
    if (hei.State >= 3)
        text += u' ' + lang.GetText(QStringLiteral("picShadowSceneNoon"), {AngleToText(hei.NoonHeightAngle)});
    return text;
}

}  // namespace

void TDrawObj::describe(const QString &text) {
    if (Image)
        Image->setDescription(text);
}

void TDrawObj::DrawHei(const THeiObj &hei) {
    const double sigma = hei.SunPlaneAngle;  // inclination of the sun's daily path
    const double displ = hei.EquinoxDispl;   // sin of the declination
    const double radius = hei.EquinoxRadius; // cos of the declination
    const double noon = hei.NoonHeightAngle;
    const unsigned state = hei.State;

    Line1.Visible = true;
    Line2.Visible = true;
    Line3.Visible = false;
    Circle1.Visible = true;

    // The sun's daily path: a circle of radius cos(declination) about the point
    // sin(declination) along the celestial pole, tilted by the path's inclination.
    Circle2 = TCircleSlot{-std::sin(sigma) * displ, 0, std::cos(sigma) * displ, radius, sigma, true, true,
                          DrawColor::Yellow};

    const THeiObj::Direction sun = hei.SunDirection(hei.SunOnCurrTimeAngle);
    SunX = sun.South;
    SunY = sun.West;
    SunZ = sun.Up;

    Line4 = TLineSlot{0, 0, 0, SunX, SunY, SunZ, state >= 2, DrawColor::Red};  // the sun ray
    Line7 = TLineSlot{0, 0, 0, SunX, SunY, 0, state >= 2, DrawColor::Red};     // the sun's bearing

    const double d = std::sqrt(SunX * SunX + SunY * SunY);
    Line9.Visible = false;
    Line10.Visible = false;
    if (d > kOverhead && state >= 2) {
        // The stick stands a third of the way toward the sun's bearing; the ray through its top
        // meets the ground at the origin, the tip of its shadow.
        const double x = SunX / 3, y = SunY / 3;
        Line10 = TLineSlot{0, 0, 0, x, y, 0, true, DrawColor::Grey};
        Line9 = TLineSlot{x, y, 0, x, y, SunZ / 3, true, DrawColor::Olive};
        Line7.P2X = SunX / d;
        Line7.P2Y = SunY / d;
    }

    if (state >= 3) {  // the disc moves to noon; ray, stick and shadow stay
        const THeiObj::Direction noonSun = hei.SunDirection(0);
        SunX = noonSun.South;
        SunY = noonSun.West;
        SunZ = noonSun.Up;
    }
    Line5 = TLineSlot{0, 0, 0, std::cos(noon), 0, std::sin(noon), state >= 3, DrawColor::Blue};  // noon ray
    Line8 = TLineSlot{0, 0, 0, 1, 0, 0, state >= 3, DrawColor::Blue};                           // due south

    Redraw();
    describe(shadowSceneText(lang_, hei));
}

int TDrawObj::clearOfRay(const QRect &cell, const TLineSlot &ray) const {
    const QPointF a(projectedColumn(ray.P1X, ray.P1Y, ray.P1Z), projectedRow(ray.P1X, ray.P1Y, ray.P1Z));
    const QPointF b(projectedColumn(ray.P2X, ray.P2Y, ray.P2Z), projectedRow(ray.P2X, ray.P2Y, ray.P2Z));
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y()) ||
        std::fabs(b.x() - a.x()) < 1)
        return 0;
    const auto meets = [&](int shift) {
        QPointF p = a, q = b;
        return clipToRect(p, q, QRectF(cell.translated(0, shift)).adjusted(-kRayClearance, -kRayClearance,
                                                                            kRayClearance, kRayClearance));
    };
    if (!meets(0))
        return 0;
    // Away from the ray: down when it passes above the cell's centre, up when below.
    const double rayRow = a.y() + (cell.center().x() - a.x()) * (b.y() - a.y()) / (b.x() - a.x());
    const int step = rayRow < cell.center().y() ? 1 : -1;
    for (int shift = step; std::abs(shift) <= 3 * cell.height(); shift += step)
        if (!meets(shift))
            return shift;
    return 0;  // a ray along the text: it stays where it was
}

void TDrawObj::DrawEarth() {
    const double sigma1 = logic_.Hei1.SunPlaneAngle, eta1 = logic_.Hei1.NoonHeightAngle;
    const double sigma2 = logic_.Hei2.SunPlaneAngle, eta2 = logic_.Hei2.NoonHeightAngle;
    const double r = kEarthRadius;

    Circle1 = TCircleSlot{0, 0, 0, r, static_cast<double>(PiL / 2), true, false, DrawColor::Green};

    // A place at latitude 90 deg - sigma on the outline; its sun ray leaves it at the declination
    // eta - sigma above the equator's plane, so the rays of one date are parallel.
    const double p1y = r * std::sin(sigma1), p1z = r * std::cos(sigma1);
    Line5 = TLineSlot{0, p1y, p1z, 0, p1y + 3 * r * std::cos(eta1 - sigma1), p1z + 3 * r * std::sin(eta1 - sigma1),
                      true, DrawColor::Yellow};
    Line8 = TLineSlot{0, p1y, p1z, 0, 0, 0, true, DrawColor::Red};
    const double p2y = r * std::sin(sigma2), p2z = r * std::cos(sigma2);
    Line4 = TLineSlot{0, p2y, p2z, 0, p2y + 3 * r * std::cos(eta2 - sigma2), p2z + 3 * r * std::sin(eta2 - sigma2),
                      true, DrawColor::Yellow};
    Line7 = TLineSlot{0, p2y, p2z, 0, 0, 0, true, DrawColor::Red};

    redrawThen([&] {
        drawEarthInset();
        if (!ShowAngles)
            return;
        // Each place's elevation 10 pixels right of it and 4 up. Places far enough apart for
        // their texts not to touch may still have one place's ray run through the other's text:
        // that text moves up or down clear of the ray. Texts that would touch stand one under
        // the other (the lower place's below); the inset shows the places apart.
        const QFontMetrics metrics = painter_->fontMetrics();
        struct Beside {
            QString text;
            std::int64_t column, row;
            QRect cell;
        };
        const auto besidePlace = [&](double y, double z, double angle) {
            Beside b{AngleToText(angle), std::int64_t(ProjectX(0, y, z)) + 10, std::int64_t(ProjectY(0, y, z)) - 4, {}};
            const auto held = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, -1'000'000, 1'000'000)); };
            b.cell = QRect(held(b.column), held(b.row), metrics.horizontalAdvance(b.text), metrics.height());
            return b;
        };
        Beside texts[2] = {besidePlace(p1y, p1z, eta1), besidePlace(p2y, p2z, eta2)};
        const bool apart = !texts[0].cell.intersects(texts[1].cell);
        const bool oneText = texts[0].cell == texts[1].cell && texts[0].text == texts[1].text;  // one place
        if (!apart && !oneText) {
            const int lower = texts[0].row > texts[1].row ? 0 : 1;
            texts[lower].row = texts[1 - lower].row + metrics.height();
        }
        const TLineSlot *otherRay[2] = {&Line4, &Line5};
        for (int i = 0; i < 2; ++i)
            writeText(texts[i].text, texts[i].column, texts[i].row + (apart ? clearOfRay(texts[i].cell, *otherRay[i]) : 0),
                      DrawColor::Green);
        // The difference, a fifth of the way toward the place nearer the equator (place 2 when
        // both lie at the same latitude).
        const bool first = sigma1 > sigma2;
        const double y = 0.2 * (first ? p1y : p2y), z = 0.2 * (first ? p1z : p2z);
        writeText(AngleToText(std::fabs(eta1 - eta2)), ProjectX(0, y, z), ProjectY(0, y, z),
                  DrawColor::Yellow);
    });
    const double latitude1 = logic_.Hei1.Latitude();
    const double latitude2 = logic_.Hei2.Latitude();
    describe(lang_.GetText(QStringLiteral("picEarthSection"),
                           {logic_.Hei1.PlaceName, AngleToText(latitude1), logic_.Hei2.PlaceName,
                            AngleToText(latitude2), AngleToText(std::fabs(latitude1 - latitude2))}));
}
