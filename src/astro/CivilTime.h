// Civil time under the sun model: angle and time units, Julian days and the civil calendar,
// ΔT, the day numbering of the daily sun tables and the local clock reading turned into
// Universal Time.
//
// Conventions used throughout the astronomy: angles in degrees (radians only inside the
// trigonometric calls), times of day in decimal hours, ΔT and the equation of time in seconds.
// Latitude positive north, longitude positive WEST, time zones positive EAST (whole hours plus
// minutes that take the sign of the hours), hour angles positive west, azimuths from the south,
// positive toward the west.
#pragma once

namespace sundial {

inline constexpr double DegToRad = 0.017453292519943295;    // π / 180
inline constexpr double RadToDeg = 57.29577951308232;       // 180 / π
inline constexpr double RadToHours = 3.819718634205488;     // 12 / π
inline constexpr double DegToHours = 0.06666666666666667;   // 1 / 15
inline constexpr double ArcsecToDeg = 0.0002777777777777778;  // 1 / 3600
inline constexpr double ArcminToDeg = 0.016666666666666666;   // 1 / 60

// Degrees, minutes and seconds to decimal degrees; negative when `positive` is 0.
double DmsToDegrees(double degrees, double minutes, double seconds, int positive);

// x reduced into the closed range [0, 360]: a positive whole multiple of 360 gives 360, a
// negative one 0. A NaN or an infinity gives NaN at once.
double NormalizeDegrees(double x);

// x reduced into the closed range [0, 24], in the same way as NormalizeDegrees.
double NormalizeHours(double x);

// The greatest integer not above x (clamped to the range of int; NaN gives 0).
int FloorToInt(double x);

// Julian day of a calendar date, Meeus, Astronomical Algorithms, ch. 7. The flag chooses the
// Gregorian (non-zero) or Julian (0) rules; there is no automatic switch in 1582.
double JulianDay(int year, int month, double dayWithFraction, int gregorian);

// A civil date and time of day, as read back from a Julian day.
struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  double second = 0;
};

// Calendar date and time of day of a Julian day, Meeus ch. 7; the calendar switches to the
// Gregorian rules automatically at 1582 October 15.
CalendarDate CalendarFromJulianDay(double jd);

// An instant as a Julian day with the calendar rules it was given in.
struct JulianDate {
  double jd = 0;
  int gregorian = 1;

  // Sets the instant from a calendar date and a time of day (hours, minutes, seconds).
  void SetCalendar(int year, int month, double day, double hour, double minute, double second,
                   int gregorianRules);
  // Sets the instant from a Julian day; the calendar flag keeps its value.
  void SetJulianDay(double julianDay) { jd = julianDay; }

  static JulianDate FromCalendar(int year, int month, double day, double hour, double minute,
                                 double second, int gregorianRules = 1) {
    JulianDate d;
    d.SetCalendar(year, month, day, hour, minute, second, gregorianRules);
    return d;
  }
};

// 1 when the year has 366 days under the chosen calendar rules, else 0.
int IsLeapYear(int year, int gregorian);

// The year with its fraction: January 1 at 0h is exactly the whole year.
double DecimalYear(double jd);

// ΔT = TT − UT in seconds for a Julian day in Universal Time: the historical two-yearly table
// from 1620 to 1998, the yearly values 2000 to 2007, the polynomial of Espenak and Meeus for
// 2008 to 2050, the Morrison–Stephenson parabola beyond and before.
double DeltaT(double jd);

// Day of a common year, 1..365, from the fixed month lengths (February always 28): leap years
// give 29 February and 1 March the same number. A month outside 1..12 gives 365.
int DayOfYear(int day, int month);

// Length of a month under the Gregorian rules (28 or 29 for February).
int DaysInMonth(int year, int month);

// The instant in Universal Time of a local STANDARD-time clock reading (the clock hour lowered
// by one while daylight saving is in force, so hour may be −1) in a zone zoneHours east of
// Greenwich plus zoneMinutes taking the sign of the hours. The date rolls back or forward one
// day as needed; an hour between 23 and 24 UT becomes a small negative hour of the next day.
JulianDate UniversalTimeFromLocal(int year, int month, int day, int hour, int minute,
                                  double second, int zoneHours, unsigned zoneMinutes);

// A standard-time zone as the sun model takes it.
struct ZoneOffset {
  int zoneHours = 0;         // whole hours east of Greenwich
  unsigned zoneMinutes = 0;  // further minutes, with the sign of zoneHours
};

// Splits the run-time library's time-zone bias (minutes WEST of Greenwich, standard time):
// −60 gives 1 h 0 min, −330 gives 5 h 30 min, 210 gives −3 h 30 min.
ZoneOffset ZoneFromBias(long biasMinutesWest);

}  // namespace sundial
