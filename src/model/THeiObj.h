// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Clock.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class TComm;
class TLang;
class Prompter;
class LatitudeView;

// One place's measurement (one school) and the astronomy behind it.
//
// The pupils note the local clock time and the lengths of a vertical stick and its shadow. From
// the shadow the place gets the sun's elevation h; from the date the sun's declination d; from the
// clock time and the place's time of true noon the sun's hour angle H. The latitude p then solves
//     sin h = sin p * sin d + cos p * cos d * cos H,
// and the sun's elevation at true noon follows as 90 deg - p + d.
//
// The model: a circular orbit run through uniformly in 365.25 days from the March equinox of
// 20 March 2013, an obliquity of 23 deg 26', and an hour angle advancing 15 deg per clock hour from
// the configured time of true noon (12:00 is hour angle 0 when noon is at 12:00).
//
// Angles are radians. Lengths are whole millimetres (only their ratio counts), times whole hours
// and minutes, taken as they come: any int is accepted and none overflows.
//
// The window writes the Edited* fields and calls the accept operations; the accepted fields keep
// what the last accept used. The model never throws: refusals are messages through the Prompter
// (keys msgSunTooHigh, msgSunTooHigh2080), questions go through Prompter::confirm.
//
// TLogic owns the two places of a run and gives each its number (1 or 2); the number chooses the
// latitude label and the session record's key suffix.
class THeiObj {
public:
    THeiObj(int number, TComm &comm, TLang &lang, Prompter &prompter, LatitudeView &latitudes,
            Clock clock);
    THeiObj(const THeiObj &) = delete;
    THeiObj &operator=(const THeiObj &) = delete;

    // Unit vector toward the sun in the place's horizon frame; Up is the sine of the elevation.
    struct Direction {
        double South, West, Up;
    };

    // Starting values: today's date, no place (noon 12:00), time 12:00, stick = shadow = 1000
    // (45 deg, latitude 45 deg + declination), noon elevation computed; then State 0 so that the
    // place counts as not measured, and its latitude label emptied.
    void Init();

    // EquinoxAngle, EquinoxDispl, EquinoxRadius from the day of MeasureDate.
    void CalcEquinox();

    // PlaceName, NoonH, NoonM from the configuration keys Place<n>, NoonH<n>, NoonM<n> and the
    // hour angle of true noon. placeNo < 1: no place, noon 12:00. A noon hour that is missing,
    // not a number or 0 means 12:00 (the minute is dropped too). A place with a longitude
    // (Longitude<n>, degrees east) takes instead the clock time of true solar noon there on the
    // day of MeasureDate, in the time zone of the clock (summer time included); its configured
    // noon is kept in ConfiguredNoonH/M to be compared. A school in another time zone than the
    // computer's names it (TimeZone<n>, an IANA id such as Europe/Kyiv): its clocks count then;
    // a zone this computer does not know leaves the configured noon. VirtualPartnerPlaceNo names
    // the virtual partner (its name from the language file, noon 12:00).
    void LoadPlace(int placeNo);

    // A partner school's reading was taken by its own clock: the true noon its file gives holds
    // for that reading, whatever the configuration lists for the place. Nothing to compare it with.
    void TakeReadingNoon(int hour, int minute);
    // The same noon again from its hour angle (NoonTimeAngle, radians from 12:00), as the session
    // record keeps it for a loaded reading: to the nearest minute of one day.
    void TakeReadingNoonAngle(double noonTimeAngle);

    // How far the configured noon lies from the true noon the longitude gives, in minutes
    // (positive: configured later); 0 for a place whose noon is the configured one.
    int ConfiguredNoonOffMinutes() const;
    // Beyond this the configured noon is worth a word to the teacher (the sun's hour angle moves
    // 2.5 deg in 10 minutes).
    static constexpr int NoonToleranceMinutes = 10;

    // The latitudes a measurement may give, 20 and 80 deg in radians: schools lie between them.
    static constexpr double MinLatitude = 0.3490658503988659;
    static constexpr double MaxLatitude = 1.3962634015954636;

    // TimH, TimM := EditedTimH, EditedTimM; the hour angles of the measurement; State 1.
    //   CurrTimeAngle = ((TimH - 12) + TimM / 60) / 24 * 2 pi,  SunOnCurrTimeAngle = that - NoonTimeAngle
    void AcceptTime();

    // Stick, Shadow, MoreShadows := EditedStick, EditedShadow, EditedMoreShadows; the sun's
    // elevation atan(Stick / mean shadow) (45 deg when the stick or a reading is not positive); then the latitude, asking the user when two latitudes between
    // 20 and 80 deg fit (two within an arc-minute count as one). A latitude outside that window
    // is refused with msgSunTooHigh2080. On success SunPlaneAngle = 90 deg - latitude, the latitude label shows it
    // and State is 2; on a refusal or a closed question State and SunPlaneAngle stay.
    void AcceptHeight();

    // The latitude that SunPlaneAngle stands for: 90 deg - SunPlaneAngle.
    double Latitude() const;

    // Every shadow reading, the first (Shadow) then the further ones (MoreShadows), millimetres.
    std::vector<std::int32_t> ShadowReadings() const;
    // The shadow the elevation was computed from: the mean of the readings, millimetres.
    double MeanShadow() const;
    // The standard uncertainty of the noon elevation from the readings' spread, the ruler's whole
    // millimetres and the whole-minute clock (ReadingUncertainty), radians: 0 for the virtual
    // partner, nothing before the latitude is solved or where no uncertainty follows.
    std::optional<double> NoonElevationUncertainty() const;

    // The place number of the virtual partner: the place on the class's meridian where the sun
    // stands at the zenith at true noon on the measurement date. Above every configured place.
    static constexpr int VirtualPartnerPlaceNo = 100;
    // The virtual partner's reading, which needs no measuring: at true noon (12:00, hour angle 0)
    // the sun stands overhead (elevation 90 deg, no shadow), so its latitude is the declination
    // and its noon elevation 90 deg. The latitude label shows it; State 3.
    void TakeZenithReading();

    // Writes Latitude() with its caption in the current language into the place's latitude
    // label once the latitude is solved (State 2 on); before, the label shows nothing.
    void ShowLatitude();

    // The noon elevation from SunPlaneAngle and the declination (whatever State is); State 3.
    //   NoonRadius = cos(SunPlaneAngle + d), NoonDispl = sin(SunPlaneAngle + d)
    void CalcNoon();

    // The sun's elevation at true noon for a daily path inclined by `plane` to the horizon and a
    // declination given by its sine and cosine: what CalcNoon computes, within
    // [-pi/2, pi] (past pi/2 the sun stands north of the zenith).
    static double NoonElevation(double plane, double sinDeclination, double cosDeclination);

    // The sun's direction at the given hour angle (radians from true noon, positive afternoon).
    Direction SunDirection(double hourAngle) const;

    // The sun's hour angle at a clock time of the measurement day (minutes after midnight, may
    // run past either end of the day), as AcceptTime reckons it from the place's true noon; and
    // back.
    double HourAngleAt(double clockMinutes) const;
    double ClockMinutesAt(double hourAngle) const;

    // The hour angle at which the sun sets on the measurement day (it rises at the negative one):
    // where SunDirection's Up is 0. pi when it stays above the horizon all day, 0 when it does not
    // rise (and for a sun plane that stands for no latitude).
    double SunsetHourAngle() const;

    // The length of the shadow that a vertical stick of the given length casts on level ground
    // at the given hour angle, in the stick's unit; nothing when the sun is not above the horizon.
    std::optional<double> ShadowLength(double stick, double hourAngle) const;

    int Number() const { return number_; }
    const TComm &comm() const { return comm_; }

    std::uint8_t State = 0;  // 0 nothing, 1 time accepted, 2 latitude solved, 3 noon elevation
    QString PlaceName;       // empty: no place chosen
    std::int32_t NoonH = 0;  // clock time of true local noon (12 when not configured)
    std::int32_t NoonM = 0;
    double MeasureDate = 0;         // days since 30 Dec 1899 (DayCount); only the day counts
    double NoonTimeAngle = 0;       // hour angle of the noon clock time, from 12:00
    double CurrTimeAngle = 0;       // hour angle of the measurement clock time, from 12:00
    double SunOnCurrTimeAngle = 0;  // the sun's hour angle at the measurement (0 at true noon)
    double EquinoxAngle = 0;        // the Earth's orbit position since the March equinox, [0, 2 pi]
    double EquinoxDispl = 0;        // sin of the declination
    double EquinoxRadius = 0;       // cos of the declination
    std::int32_t EditedTimH = 0;
    std::int32_t EditedTimM = 0;
    std::int32_t TimH = 0;
    std::int32_t TimM = 0;
    std::int32_t EditedStick = 0;   // millimetres
    std::int32_t EditedShadow = 0;
    std::int32_t Stick = 0;
    std::int32_t Shadow = 0;
    // Further shadow readings at the same clock time (up to ReadingUncertainty::MaxShadowReadings
    // in all), millimetres; none for a single reading, which then behaves as Shadow alone.
    std::vector<std::int32_t> EditedMoreShadows;
    std::vector<std::int32_t> MoreShadows;
    double SunHeightAtCurrTime = 0;         // the sun's elevation at the measurement
    double SunAzimuthHeightAtCurrTime = 0;  // kept in the session record; nothing computes it
    double SunPlaneAngle = 0;    // inclination of the sun's daily path to the horizon: 90 deg - latitude
    double NoonHeightAngle = 0;  // the sun's elevation at true noon
    double NoonRadius = 0;       // cos of the noon elevation
    double NoonDispl = 0;        // sin of the noon elevation
    bool NoonFromLongitude = false;       // NoonH/M are the true noon at the place's longitude
    std::int32_t ConfiguredNoonH = 12;    // the configuration's noon, as read without a longitude
    std::int32_t ConfiguredNoonM = 0;
    bool VirtualPartner = false;          // the place is the virtual partner (LoadPlace)
    // The file the accepted reading was loaded from (the partner school's reading), or empty when
    // the class typed it. Init empties it.
    QString ReadingFrom;

private:
    // The latitude label of this place: its caption from the language file with the angle.
    void writeLatitudeCaption(double latitudeRadians);
    // The latitude fitting the measured elevation, or false when none is to be taken (the user
    // has then been told, or closed the question).
    bool SolveLatitude(double &latitude);

    int number_;
    TComm &comm_;
    TLang &lang_;
    Prompter &prompter_;
    LatitudeView &latitudes_;
    Clock clock_;
};
