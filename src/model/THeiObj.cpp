// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/THeiObj.h"

#include "lang/TLang.h"
#include "model/Angles.h"
#include "model/DayCount.h"
#include "model/LatitudeView.h"
#include "model/ReadingUncertainty.h"
#include "model/SolarNoon.h"
#include "platform/Prompter.h"
#include "store/TComm.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kEquinoxDay = 41353;           // 20 March 2013 as a day count
constexpr double kObliquityDeg = 23.433333333333334;  // 23 deg 26'
constexpr double kDaysPerYear = 365.25;

// The window of plausible school latitudes, 20 to 80 deg inclusive, and one arc-minute.
constexpr double kLatitudeLo = DegToRad(20);
constexpr double kLatitudeHi = DegToRad(80);
constexpr double kArcMinute = DegToRad(1 / 60.0);
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
    EditedMoreShadows.clear();
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
    ShowLatitude();  // nothing measured: no latitude to show
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
    EquinoxDispl = std::sin(DegToRad(kObliquityDeg)) * std::sin(EquinoxAngle);
    EquinoxRadius = std::sqrt(1 - EquinoxDispl * EquinoxDispl);
}

void THeiObj::LoadPlace(int placeNo) {
    NoonFromLongitude = false;
    VirtualPartner = placeNo == VirtualPartnerPlaceNo;
    if (VirtualPartner) {
        PlaceName = lang_.GetText(QStringLiteral("VirtualPartnerPlace"));
        NoonH = ConfiguredNoonH = 12;
        NoonM = ConfiguredNoonM = 0;
    } else if (placeNo >= 1) {
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
        const QString zoneId = comm_.GetValue(QStringLiteral("TimeZone") + s).trimmed();
        const QTimeZone zone = zoneId.isEmpty() ? clock_().timeZone() : QTimeZone(zoneId.toLatin1());
        const std::optional<SolarNoon::ClockTime> trueNoon =
            longitude && zone.isValid() ? SolarNoon::noonClockTime(DayCount::toDate(MeasureDate), *longitude, zone)
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

void THeiObj::TakeReadingNoon(int hour, int minute) {
    NoonFromLongitude = false;
    NoonH = ConfiguredNoonH = hour;
    NoonM = ConfiguredNoonM = minute;
    NoonTimeAngle = hourAngle(NoonH, NoonM);
}

void THeiObj::TakeReadingNoonAngle(double noonTimeAngle) {
    if (!std::isfinite(noonTimeAngle) || std::fabs(noonTimeAngle) > 4 * std::numbers::pi)
        return;
    const long long minutes = std::llround(noonTimeAngle / (2 * std::numbers::pi) * 1440) + 720;
    const int inDay = static_cast<int>(((minutes % 1440) + 1440) % 1440);
    TakeReadingNoon(inDay / 60, inDay % 60);
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
    MoreShadows.assign(EditedMoreShadows.begin(),
                       EditedMoreShadows.begin() +
                           std::min<std::size_t>(EditedMoreShadows.size(), ReadingUncertainty::MaxShadowReadings - 1));
    const bool allPositive = std::all_of(MoreShadows.begin(), MoreShadows.end(), [](std::int32_t r) { return r > 0; });
    if (Shadow <= 0 || Stick <= 0 || !allPositive)
        SunHeightAtCurrTime = static_cast<double>(PiL / 4);
    else if (MoreShadows.empty())
        SunHeightAtCurrTime = std::atan(static_cast<double>(Stick) / static_cast<double>(Shadow));
    else
        SunHeightAtCurrTime = std::atan(static_cast<double>(Stick) / MeanShadow());

    double latitude = 0;
    if (!SolveLatitude(latitude))
        return;
    SunPlaneAngle = static_cast<double>(PiL / 2 - latitude);
    writeLatitudeCaption(latitude);
    State = 2;
}

double THeiObj::Latitude() const { return static_cast<double>(PiL / 2 - SunPlaneAngle); }

std::vector<std::int32_t> THeiObj::ShadowReadings() const {
    std::vector<std::int32_t> readings{Shadow};
    readings.insert(readings.end(), MoreShadows.begin(), MoreShadows.end());
    return readings;
}

double THeiObj::MeanShadow() const { return ReadingUncertainty::spreadOf(ShadowReadings()).meanMm; }

std::optional<double> THeiObj::NoonElevationUncertainty() const {
    if (VirtualPartner)
        return 0.0;
    if (State < 2)
        return std::nullopt;
    ReadingUncertainty::PlaceReading reading;
    reading.stickMm = Stick;
    reading.shadowsMm = ShadowReadings();
    reading.hourAngle = SunOnCurrTimeAngle;
    reading.sinDeclination = EquinoxDispl;
    reading.cosDeclination = EquinoxRadius;
    reading.latitude = Latitude();
    return ReadingUncertainty::noonElevation(reading);
}

void THeiObj::TakeZenithReading() {
    EditedTimH = TimH = NoonH;
    EditedTimM = TimM = NoonM;
    CurrTimeAngle = NoonTimeAngle;
    SunOnCurrTimeAngle = 0;
    EditedMoreShadows.clear();
    MoreShadows.clear();
    SunHeightAtCurrTime = static_cast<double>(PiL / 2);
    const double latitude = std::atan2(EquinoxDispl, EquinoxRadius);  // the declination
    SunPlaneAngle = static_cast<double>(PiL / 2 - latitude);
    writeLatitudeCaption(latitude);
    CalcNoon();
}

void THeiObj::ShowLatitude() {
    if (State >= 2)
        writeLatitudeCaption(Latitude());
    else
        latitudes_.setLatitudeCaption(number_, QString());
}

void THeiObj::writeLatitudeCaption(double latitude) {
    // The caption names where the angle goes with %1; without it the angle follows the text.
    const QString caption = lang_.GetText(QStringLiteral("LatitudeCaption%1").arg(number_));
    const QString angle = AngleToText(latitude);
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
        const QString question = lead + QStringLiteral("\r\n") + yes + u' ' + AngleToText(c1) +
                                 QStringLiteral("\r\n") + no + u' ' + AngleToText(c2);
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

double THeiObj::NoonElevation(double plane, double sinDeclination, double cosDeclination) {
    const double ct = std::cos(plane);
    const double st = std::sin(plane);
    const double radius = ct * cosDeclination - st * sinDeclination;
    const double displ = ct * sinDeclination + st * cosDeclination;
    // The arc sine where it is exact, the arc cosine near the zenith.
    return std::fabs(displ) < 0.6 ? arcSin(displ) : arcCos(radius);
}

double THeiObj::HourAngleAt(double clockMinutes) const {
    return static_cast<double>((clockMinutes / 60.0L - 12) / 24 * 2 * PiL) - NoonTimeAngle;
}

double THeiObj::ClockMinutesAt(double hourAngle) const {
    return static_cast<double>(((hourAngle + static_cast<long double>(NoonTimeAngle)) / (2 * PiL) * 24 + 12) * 60);
}

double THeiObj::SunsetHourAngle() const {
    // Up = y cos H - x: the sun is up while cos H > x / y.
    const double x = -std::cos(SunPlaneAngle) * EquinoxDispl;
    const double y = std::sin(SunPlaneAngle) * EquinoxRadius;
    if (!(y > 0) || !std::isfinite(x) || x >= y)
        return 0;
    if (x <= -y)
        return static_cast<double>(PiL);
    return std::acos(x / y);
}

std::optional<double> THeiObj::ShadowLength(double stick, double hourAngle) const {
    const Direction sun = SunDirection(hourAngle);
    if (!(sun.Up > 0))
        return std::nullopt;
    return stick * std::hypot(sun.South, sun.West) / sun.Up;
}
