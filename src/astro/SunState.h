// The present sun as seen from the dial's place, computed once a second by the window's tick
// from the local clock reading, and the two texts the tick shows beneath the dial.
#pragma once

#include <string>

namespace sundial {

struct SunState {
  double apparentLongitude = 0;      // degrees, apparent ecliptic longitude λ
  double sunAzimuth = 0;             // degrees from the south, positive west, (−180, 180]
  double sunAltitude = 0;            // degrees above the horizon (geometric, no refraction)
  double rightAscension = 0;         // hours, [0, 24)
  double sunDeclination = 0;         // degrees
  double equationOfTimeSeconds = 0;  // apparent minus mean solar time, seconds
  double deltaTSeconds = 0;          // TT − UT, seconds
};

// The sun for a local STANDARD-time clock reading (the clock hour lowered by one while daylight
// saving is in force, so hour may be −1) in the zone zoneHours east of Greenwich plus
// zoneMinutes with the sign of the hours, at latitude (north positive) and longitude (WEST
// positive) in degrees. Meeus, Astronomical Algorithms, ch. 12, 13, 22, 25 and 28.
SunState ComputeSunState(int year, int month, int day, int hour, int minute, double second,
                         int zoneHours, unsigned zoneMinutes, double latitude, double longitude);

// The clock line of the display: " HH:MM:SS" with the clock hour as shown (daylight saving
// included) and the magnitudes of minute and second.
std::string FormatClockText(int hour, int minute, int second);

// The equation-of-time line: whole minutes and seconds of equationSeconds, truncated toward
// zero, as "-00:MM:SS" when it is negative and " 00:MM:SS" otherwise.
std::string FormatEquationText(double equationSeconds);

}  // namespace sundial
