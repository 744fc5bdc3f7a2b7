// Civil time: Julian days, the calendar, ΔT and local time to Universal Time.
#include "astro/CivilTime.h"

#include <climits>
#include <cmath>

namespace sundial {
namespace {

// Reduces x into [0, period] with a remainder, which gives exactly what repeated addition or
// subtraction of the period would give (both are exact for the magnitudes that occur), and
// keeps the closed range: 720 gives 360, −360 gives 0.
double NormalizePeriod(double x, double period) {
  if (!std::isfinite(x)) return std::nan("");
  if (x < 0) {
    double r = std::fmod(x, period);  // in (−period, 0]
    if (r < 0) r += period;
    return r + 0.0;  // −0 becomes +0
  }
  if (x > period) {
    double r = std::fmod(x, period);  // in [0, period)
    return r == 0 ? period : r;
  }
  return x;
}

// ΔT in seconds every second year from 1620 to 1998 (Meeus, Astronomical Algorithms, ch. 10).
constexpr double kDeltaTTable[190] = {
    121,   112,   103,   95,    88,    82,    77,    72,    68,    63,     // 1620
    60,    56,    53,    51,    48,    46,    44,    42,    40,    38,     // 1640
    35,    33,    31,    29,    26,    24,    22,    20,    18,    16,     // 1660
    14,    12,    11,    10,    9,     8,     7,     7,     7,     7,      // 1680
    7,     7,     8,     8,     9,     9,     9,     9,     9,     10,     // 1700
    10,    10,    10,    10,    10,    10,    10,    11,    11,    11,     // 1720
    11,    11,    12,    12,    12,    12,    13,    13,    13,    14,     // 1740
    14,    14,    14,    15,    15,    15,    15,    15,    16,    16,     // 1760
    16,    16,    16,    16,    16,    16,    15,    15,    14,    13,     // 1780
    13.1,  12.5,  12.2,  12.0,  12.0,  12.0,  12.0,  12.0,  12.0,  11.9,   // 1800
    11.6,  11.0,  10.2,  9.2,   8.2,   7.1,   6.2,   5.6,   5.4,   5.3,    // 1820
    5.4,   5.6,   5.9,   6.2,   6.5,   6.8,   7.1,   7.3,   7.5,   7.6,    // 1840
    7.7,   7.3,   6.2,   5.2,   2.7,   1.4,   -1.2,  -2.8,  -3.8,  -4.8,   // 1860
    -5.5,  -5.3,  -5.6,  -5.7,  -5.9,  -6.0,  -6.3,  -6.5,  -6.2,  -4.7,   // 1880
    -2.8,  -0.1,  2.6,   5.3,   7.7,   10.4,  13.3,  16.0,  18.2,  20.2,   // 1900
    21.2,  22.4,  23.5,  23.8,  24.3,  24.0,  23.9,  23.9,  23.7,  24.0,   // 1920
    24.3,  25.3,  26.2,  27.3,  28.2,  29.1,  30.0,  30.7,  31.4,  32.2,   // 1940
    33.1,  34.0,  35.0,  36.5,  38.3,  40.18, 42.2,  44.5,  46.5,  48.5,   // 1960
    50.54, 52.2,  53.8,  54.9,  55.8,  56.86, 58.31, 59.99, 61.63, 62.97,  // 1980
};

constexpr int kCommonMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace

double DmsToDegrees(double degrees, double minutes, double seconds, int positive) {
  if (positive) return degrees + minutes / 60 + seconds / 3600;
  return -degrees - minutes / 60 - seconds / 3600;
}

double NormalizeDegrees(double x) { return NormalizePeriod(x, 360.0); }

double NormalizeHours(double x) { return NormalizePeriod(x, 24.0); }

int FloorToInt(double x) {
  if (!(x == x)) return 0;
  double f = std::floor(x);
  if (f <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (f >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(f);
}

double JulianDay(int year, int month, double dayWithFraction, int gregorian) {
  if (month < 3) {
    year -= 1;
    month += 12;
  }
  int b = 0;
  if (gregorian) {
    int a = FloorToInt(year * 0.01);
    b = 2 - a + FloorToInt(a * 0.25);
  }
  return FloorToInt(30.6001 * (month + 1)) + FloorToInt(365.25 * (year + 4716)) + b +
         dayWithFraction - 1524.5;
}

void JulianDate::SetCalendar(int year, int month, double day, double hour, double minute,
                             double second, int gregorianRules) {
  double dayWithFraction =
      day + hour * 0.041666666666666664 + minute * 0.0006944444444444445 + second * 1.1574074074074073e-05;
  jd = JulianDay(year, month, dayWithFraction, gregorianRules);
  gregorian = gregorianRules;
}

CalendarDate CalendarFromJulianDay(double jd) {
  const int z = FloorToInt(jd + 0.5);
  const double f = jd + 0.5 - z;
  int a = z;
  if (z >= 2299161) {
    const int alpha = FloorToInt((z - 1867216.25) / 36524.25);
    a = z + 1 + alpha - FloorToInt(alpha / 4.0);
  }
  const int b = a + 1524;
  const int c = FloorToInt((b - 122.1) / 365.25);
  const int d = FloorToInt(365.25 * c);
  const int e = FloorToInt((b - d) / 30.6001);

  CalendarDate out;
  out.day = b - d - FloorToInt(30.6001 * e);
  out.month = e < 14 ? e - 1 : e - 13;
  out.year = out.month > 2 ? c - 4716 : c - 4715;
  out.hour = FloorToInt(24 * f);
  out.minute = FloorToInt(1440 * (f - out.hour / 24.0));
  out.second = 86400 * (f - out.hour / 24.0 - out.minute / 1440.0);
  return out;
}

int IsLeapYear(int year, int gregorian) {
  if (gregorian && year % 100 == 0) return year % 400 == 0 ? 1 : 0;
  return year % 4 == 0 ? 1 : 0;
}

double DecimalYear(double jd) {
  const int year = CalendarFromJulianDay(jd).year;
  const double days = IsLeapYear(year, 1) ? 366 : 365;
  return year + (jd - JulianDay(year, 1, 1.0, 1)) / days;
}

double DeltaT(double jd) {
  const double y = DecimalYear(jd);
  const double u = y - 2000;
  const double t = u * 0.01;
  if (y < 948) return 2177 + 497 * t + 44.1 * t * t;
  if (y < 1620) return 102 + 102 * t + 25.3 * t * t;
  if (y < 1998) {
    const double k = (y - 1620) / 2;
    const int i = static_cast<int>(k);
    return kDeltaTTable[i] + (k - i) * (kDeltaTTable[i + 1] - kDeltaTTable[i]);
  }
  if (y < 2000) return 62.97;
  if (y < 2001) return 63.83;
  if (y < 2002) return 64.09;
  if (y < 2003) return 64.3;
  if (y < 2004) return 64.47;
  if (y < 2005) return 64.57;
  if (y < 2006) return 64.69;
  if (y < 2007) return 64.85;
  if (y < 2008) return 65.15;
  if (y < 2050) return 62.92 + 0.32217 * u + 0.005589 * u * u;
  if (y < 2150) {
    const double c = (y - 1820) / 100;
    return -20 + 32 * c * c - 0.5628 * (2150 - y);
  }
  return 102 + 102 * t + 25.3 * t * t;
}

int DayOfYear(int day, int month) {
  if (month < 1 || month > 12) return 365;
  int n = day;
  for (int m = 0; m < month - 1; ++m) n += kCommonMonthLength[m];
  return n;
}

int DaysInMonth(int year, int month) {
  if (month == 2 && IsLeapYear(year, 1)) return 29;
  if (month < 1 || month > 12) return 31;
  return kCommonMonthLength[month - 1];
}

JulianDate UniversalTimeFromLocal(int year, int month, int day, int hour, int minute,
                                  double second, int zoneHours, unsigned zoneMinutes) {
  const double sign = zoneHours < 0 ? -1.0 : 1.0;
  double a = hour - (zoneHours + sign * static_cast<double>(zoneMinutes) / 60);
  if (a < 0) {
    a += 24;
    if (--day < 1) {
      if (--month < 1) {
        --year;
        month = 12;
      }
      day = DaysInMonth(year, month);
    }
  }
  if (a > 23) {
    a -= 24;
    if (++day > DaysInMonth(year, month)) {
      day = 1;
      if (++month > 12) {
        ++year;
        month = 1;
      }
    }
  }
  return JulianDate::FromCalendar(year, month, day, a, minute, second, 1);
}

ZoneOffset ZoneFromBias(long biasMinutesWest) {
  ZoneOffset z;
  const long east = -biasMinutesWest;
  z.zoneHours = static_cast<int>(east / 60);
  const long rest = east - 60 * static_cast<long>(z.zoneHours);
  z.zoneMinutes = static_cast<unsigned>(rest < 0 ? -rest : rest);
  return z;
}

}  // namespace sundial
