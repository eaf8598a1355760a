// SPDX-License-Identifier: GPL-3.0-or-later
// The two step pictures built from the slots: the shadow scene of one place and the Earth
// cross-section with both places.
#include "draw/TDrawObj.h"

#include "draw/DrawCanvas.h"
#include "lang/TLang.h"
#include "model/THeiObj.h"
#include "model/TLogic.h"

#include <cmath>

namespace {

// A sun whose horizontal distance from the zenith is below this (scene units, far below a
// pixel at any window size) stands overhead: rounding noise in its direction gives it no bearing.
constexpr double kOverhead = 1e-9;

constexpr double kEarthRadius = 6000;  // scene units of the Earth picture

// A clock time as it is read out: 9:05.
QString clockTime(std::int32_t hours, std::int32_t minutes) {
    return QStringLiteral("%1:%2").arg(hours).arg(minutes, 2, 10, QLatin1Char('0'));
}

// What the shadow scene of a place shows, in words.
QString shadowSceneText(TLang &lang, const THeiObj &hei) {
    const QString time = clockTime(hei.TimH, hei.TimM);
    if (hei.State < 2)
        return lang.GetText(QStringLiteral("picShadowScene")).arg(hei.PlaceName, time);
    QString text = lang.GetText(QStringLiteral("picShadowSceneMeasured"))
                       .arg(hei.PlaceName, time, TLogic::AngleToText(hei.SunHeightAtCurrTime),
                            QString::number(hei.Shadow));
    if (hei.State >= 3)
        text += u' ' + lang.GetText(QStringLiteral("picShadowSceneNoon")).arg(TLogic::AngleToText(hei.NoonHeightAngle));
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
        const auto besidePlace = [this](double y, double z, double angle) {
            writeText(TLogic::AngleToText(angle), std::int64_t(ProjectX(0, y, z)) + 10,
                      std::int64_t(ProjectY(0, y, z)) - 4, DrawColor::Green);
        };
        besidePlace(p1y, p1z, eta1);
        besidePlace(p2y, p2z, eta2);
        // The difference, a fifth of the way toward the place nearer the equator (place 2 when
        // both lie at the same latitude).
        const bool first = sigma1 > sigma2;
        const double y = 0.2 * (first ? p1y : p2y), z = 0.2 * (first ? p1z : p2z);
        writeText(TLogic::AngleToText(std::fabs(eta1 - eta2)), ProjectX(0, y, z), ProjectY(0, y, z),
                  DrawColor::Yellow);
    });
    // Latitude = 90 deg - sigma.
    const double latitude1 = static_cast<double>(PiL / 2) - sigma1;
    const double latitude2 = static_cast<double>(PiL / 2) - sigma2;
    describe(lang_.GetText(QStringLiteral("picEarthSection"))
                 .arg(logic_.Hei1.PlaceName, TLogic::AngleToText(latitude1), logic_.Hei2.PlaceName,
                      TLogic::AngleToText(latitude2), TLogic::AngleToText(std::fabs(latitude1 - latitude2))));
}
