// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/THeiObj.h"

#include "lang/TLang.h"
#include "model/DayCount.h"
#include "model/LatitudeView.h"
#include "model/SolarNoon.h"
#include "model/TLogic.h"
#include "platform/Prompter.h"
#include "store/TComm.h"

#include <cmath>

namespace {

constexpr double kEquinoxDay = 41353;           // 20 March 2013 as a day count
constexpr double kObliquityDeg = 23.433333333333334;  // 23 deg 26'
constexpr double kDaysPerYear = 365.25;

// The window of plausible school latitudes, 20 to 80 deg inclusive, and one arc-minute.
constexpr double kLatitudeLo = TLogic::DegToRad(20);
constexpr double kLatitudeHi = TLogic::DegToRad(80);
constexpr double kArcMinute = TLogic::DegToRad(1 / 60.0);
// The same radians as the literals the model has always used, to the last bit.
static_assert(kLatitudeLo == THeiObj::MinLatitude && kLatitudeHi == THeiObj::MaxLatitude &&
              kArcMinute == 0.0002908882086657216);

// Hour angle of a clock time, from 12:00: 15 deg per hour, widened so no int overflows.
double hourAngle(std::int32_t h, std::int32_t m) {
    return static_cast<double>(((static_cast<long double>(h) - 12) + m / 60.0L) / 24 * 2 * PiL);
}

double arcSin(double x) { return std::atan2(x, std::sqrt(1 - x * x)); }
double arcCos(double x) { return std::atan2(std::sqrt(1 - x * x), x); }

}  // namespace

THeiObj::THeiObj(int number, TComm &comm, TLang &lang, Prompter &prompter, LatitudeView &latitudes,
                 Clock clock)
    : number_(number), comm_(comm), lang_(lang), prompter_(prompter), latitudes_(latitudes),
      clock_(clock ? std::move(clock) : systemClock()) {}

void THeiObj::Init() {
    State = 0;
    ReadingFrom.clear();
    MeasureDate = DayCount::fromDateTime(clock_());
    LoadPlace(-1);
    CalcEquinox();
    EditedTimH = 12;
    EditedTimM = 0;
    AcceptTime();
    EditedStick = 1000;
    EditedShadow = 1000;
    AcceptHeight();
    CalcNoon();
    State = 0;
}

void THeiObj::CalcEquinox() {
    const double d = std::trunc(MeasureDate) - kEquinoxDay;
    double c = d / kDaysPerYear;  // years since the equinox
    if (!std::isfinite(c))
        c = 0;
    // Drop whole years first so that any date takes a few steps; fmod is exact. The steps below
    // then keep c = 1 as it is (a full orbit, 2 pi) and bring negative values into [0, 1).
    if (c > 2) {
        c = std::fmod(c, 1.0);
        if (c == 0)
            c = 1;
    } else if (c < -2) {
        c = std::fmod(c, 1.0) + 0.0;  // + 0.0 turns -0 into 0
    }
    while (c > 1)
        c -= 1;
    while (c < 0)
        c += 1;
    EquinoxAngle = static_cast<double>(c * 2 * PiL);
    EquinoxDispl = std::sin(TLogic::DegToRad(kObliquityDeg)) * std::sin(EquinoxAngle);
    EquinoxRadius = std::sqrt(1 - EquinoxDispl * EquinoxDispl);
}

void THeiObj::LoadPlace(int placeNo) {
    NoonFromLongitude = false;
    if (placeNo >= 1) {
        const QString s = QString::number(placeNo);
        PlaceName = comm_.GetValue(QStringLiteral("Place") + s);
        NoonH = TComm::TextToInt(comm_.GetValue(QStringLiteral("NoonH") + s));
        NoonM = TComm::TextToInt(comm_.GetValue(QStringLiteral("NoonM") + s));
        if (NoonH == 0) {
            NoonH = 12;
            NoonM = 0;
        }
        ConfiguredNoonH = NoonH;
        ConfiguredNoonM = NoonM;
        const std::optional<double> longitude =
            SolarNoon::parseLongitude(comm_.GetValue(QStringLiteral("Longitude") + s));
        const std::optional<SolarNoon::ClockTime> trueNoon =
            longitude ? SolarNoon::clockTime(DayCount::toDate(MeasureDate), *longitude, clock_().timeZone())
                      : std::nullopt;
        if (trueNoon) {
            NoonH = trueNoon->hour;
            NoonM = trueNoon->minute;
            NoonFromLongitude = true;
        }
    } else {
        PlaceName.clear();
        NoonH = 12;
        NoonM = 0;
        ConfiguredNoonH = NoonH;
        ConfiguredNoonM = NoonM;
    }
    NoonTimeAngle = hourAngle(NoonH, NoonM);
}

int THeiObj::ConfiguredNoonOffMinutes() const {
    if (!NoonFromLongitude)
        return 0;
    // Widened: the configured values may be any int. The true noon lies within one day, so the
    // nearer of the two days around it counts (a noon configured as 0:05 is 10 minutes from 23:55).
    const long long configured = (static_cast<long long>(ConfiguredNoonH) * 60 + ConfiguredNoonM) % 1440;
    long long off = configured - (static_cast<long long>(NoonH) * 60 + NoonM);
    off = ((off % 1440) + 1440) % 1440;
    if (off > 720)
        off -= 1440;
    return static_cast<int>(off);
}

void THeiObj::AcceptTime() {
    TimH = EditedTimH;
    TimM = EditedTimM;
    CurrTimeAngle = hourAngle(TimH, TimM);
    SunOnCurrTimeAngle = CurrTimeAngle - NoonTimeAngle;
    State = 1;
}

void THeiObj::AcceptHeight() {
    Stick = EditedStick;
    Shadow = EditedShadow;
    if (Shadow <= 0 || Stick <= 0)
        SunHeightAtCurrTime = static_cast<double>(PiL / 4);
    else
        SunHeightAtCurrTime = std::atan(static_cast<double>(Stick) / static_cast<double>(Shadow));

    double latitude = 0;
    if (!SolveLatitude(latitude))
        return;
    SunPlaneAngle = static_cast<double>(PiL / 2 - latitude);
    showLatitude(latitude);
    State = 2;
}

void THeiObj::ShowLatitude() { showLatitude(static_cast<double>(PiL / 2 - SunPlaneAngle)); }

void THeiObj::showLatitude(double latitude) {
    // The caption names where the angle goes with %1; without it the angle follows the text.
    const QString caption = lang_.GetText(QStringLiteral("LatitudeCaption%1").arg(number_));
    const QString angle = TLogic::AngleToText(latitude);
    latitudes_.setLatitudeCaption(number_, caption.contains(QLatin1String("%1")) ? caption.arg(angle) : caption + angle);
}

bool THeiObj::SolveLatitude(double &latitude) {
    // sin h = A sin p + B cos p = R sin(p + psi), with A = R cos psi and B = R sin psi.
    const double S = std::sin(SunHeightAtCurrTime);
    const double A = EquinoxDispl;
    const double B = std::cos(SunOnCurrTimeAngle) * EquinoxRadius;
    const double R = std::sqrt(A * A + B * B);
    // psi in the quadrant of (A, B): with a negative declination (A < 0) or the sun more than six
    // hours from noon (B < 0) the principal arctangent alone would solve a different relation.
    double psi;
    if (std::fabs(A) > std::fabs(B) * 0.0000001) {
        psi = std::atan(B / A);
        if (A < 0)
            psi = static_cast<double>(psi + (B >= 0 ? PiL : -PiL));
    } else {
        psi = static_cast<double>(B >= 0 ? PiL / 2 : -PiL / 2);
    }

    if (!(R >= S)) {  // the sun cannot stand this high at this hour and date
        prompter_.showMessage(lang_.GetText(QStringLiteral("msgSunTooHigh")));
        return false;
    }
    const double a = arcSin(S / R);
    const double b = static_cast<double>(PiL - a);
    // The two latitudes with p + psi = pi - a and p + psi = a, as angles in (-pi, pi].
    auto candidate = [psi](double elevationPart) {
        double c = static_cast<double>(PiL - (static_cast<long double>(elevationPart) + psi));
        if (c > PiL)
            c = static_cast<double>(c - 2 * PiL);
        return c;
    };
    const double c1 = candidate(a);
    const double c2 = candidate(b);

    auto inWindow = [](double c) { return c >= kLatitudeLo && c <= kLatitudeHi; };
    // Candidates within an arc-minute are one latitude: no question, but the window applies to it
    // as to two.
    const bool oneLatitude = std::fabs(c1 - c2) < kArcMinute;
    if (oneLatitude && inWindow(c1)) {
        latitude = c1;
    } else if (!inWindow(c1) && inWindow(c2)) {
        latitude = c2;
    } else if (!inWindow(c2) && inWindow(c1)) {
        latitude = c1;
    } else if (inWindow(c1) && inWindow(c2)) {
        // One lookup after the other, so that missing keys join the language file in this order.
        const QString lead = lang_.GetText(QStringLiteral("msgTwoLattitudes"));
        const QString yes = lang_.GetText(QStringLiteral("msgLattitudeYes"));
        const QString no = lang_.GetText(QStringLiteral("msgLattitudeNo"));
        const QString question = lead + QStringLiteral("\r\n") + yes + u' ' + TLogic::AngleToText(c1) +
                                 QStringLiteral("\r\n") + no + u' ' + TLogic::AngleToText(c2);
        switch (prompter_.confirm(question, Prompter::Buttons::YesNo)) {
        case Prompter::Answer::Yes:
            latitude = c1;
            break;
        case Prompter::Answer::No:
            latitude = c2;
            break;
        default:
            return false;
        }
    } else {
        prompter_.showMessage(lang_.GetText(QStringLiteral("msgSunTooHigh2080")));
        return false;
    }
    return true;
}

THeiObj::Direction THeiObj::SunDirection(double hourAngle) const {
    const double ct = std::cos(SunPlaneAngle);
    const double st = std::sin(SunPlaneAngle);
    return Direction{ct * EquinoxRadius * std::cos(hourAngle) - st * EquinoxDispl,
                     std::sin(hourAngle) * EquinoxRadius,
                     st * EquinoxRadius * std::cos(hourAngle) + ct * EquinoxDispl};
}

void THeiObj::CalcNoon() {
    const double ct = std::cos(SunPlaneAngle);
    const double st = std::sin(SunPlaneAngle);
    NoonRadius = ct * EquinoxRadius - st * EquinoxDispl;
    NoonDispl = ct * EquinoxDispl + st * EquinoxRadius;
    NoonHeightAngle = NoonElevation(SunPlaneAngle, EquinoxDispl, EquinoxRadius);
    State = 3;
}

double THeiObj::NoonElevation(double sunPlaneAngle, double equinoxDispl, double equinoxRadius) {
    const double ct = std::cos(sunPlaneAngle);
    const double st = std::sin(sunPlaneAngle);
    const double radius = ct * equinoxRadius - st * equinoxDispl;
    const double displ = ct * equinoxDispl + st * equinoxRadius;
    // The arc sine where it is exact, the arc cosine near the zenith.
    return std::fabs(displ) < 0.6 ? arcSin(displ) : arcCos(radius);
}
