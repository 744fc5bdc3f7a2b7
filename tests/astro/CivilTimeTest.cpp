#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

#include "astro/CivilTime.h"

namespace sundial {
namespace {

TEST(Reductions, KeepTheClosedRange) {
  EXPECT_EQ(NormalizeDegrees(720), 360);
  EXPECT_EQ(NormalizeDegrees(360), 360);
  EXPECT_EQ(NormalizeDegrees(-360), 0);
  EXPECT_FALSE(std::signbit(NormalizeDegrees(-360)));
  EXPECT_EQ(NormalizeDegrees(-1), 359);
  EXPECT_EQ(NormalizeDegrees(0), 0);
  EXPECT_DOUBLE_EQ(NormalizeDegrees(1000.25), 280.25);
  EXPECT_DOUBLE_EQ(NormalizeDegrees(-1000.25), 79.75);
  EXPECT_EQ(NormalizeHours(48), 24);
  EXPECT_EQ(NormalizeHours(-24), 0);
  EXPECT_DOUBLE_EQ(NormalizeHours(-0.5), 23.5);
  EXPECT_DOUBLE_EQ(NormalizeHours(25.5), 1.5);
}

TEST(Reductions, MatchRepeatedSubtractionOnSiderealSizedValues) {
  for (double x = -7300.3; x < 7300; x += 17.77) {
    double y = x;
    while (y < 0) y += 360;
    while (y > 360) y -= 360;
    EXPECT_EQ(NormalizeDegrees(x), y) << x;
  }
}

TEST(Reductions, ReturnAtOnceOnNonFiniteAndHugeValues) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(std::isnan(NormalizeDegrees(std::nan(""))));
  EXPECT_TRUE(std::isnan(NormalizeDegrees(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(NormalizeHours(-std::numeric_limits<double>::infinity())));
  const double big = NormalizeDegrees(1e300);
  EXPECT_GE(big, 0);
  EXPECT_LE(big, 360);
  const double small = NormalizeHours(-1e300);
  EXPECT_GE(small, 0);
  EXPECT_LE(small, 24);
  // Repeated subtraction would never end; a generous bound only guards against that.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(FloorToInt, RoundsDownAndSurvivesNonFinite) {
  EXPECT_EQ(FloorToInt(2.7), 2);
  EXPECT_EQ(FloorToInt(-2.3), -3);
  EXPECT_EQ(FloorToInt(-2.0), -2);
  EXPECT_EQ(FloorToInt(std::nan("")), 0);
  EXPECT_EQ(FloorToInt(1e300), std::numeric_limits<int>::max());
}

TEST(DmsToDegrees, SignFollowsTheFlag) {
  EXPECT_DOUBLE_EQ(DmsToDegrees(23, 26, 21.448, 1), 23.43929111111111);
  EXPECT_DOUBLE_EQ(DmsToDegrees(7, 30, 0, 0), -7.5);
}

TEST(JulianDay, MeeusExamples) {
  EXPECT_EQ(JulianDay(2000, 1, 1.5, 1), 2451545.0);
  EXPECT_NEAR(JulianDay(1957, 10, 4.81, 1), 2436116.31, 1e-9);
  EXPECT_EQ(JulianDay(333, 1, 27.5, 0), 1842713.0);
  EXPECT_EQ(JulianDay(1987, 4, 10.0, 1), 2446895.5);
}

TEST(JulianDate, SetFromCalendarAndFromJulianDay) {
  JulianDate d;
  EXPECT_EQ(d.jd, 0);
  EXPECT_EQ(d.gregorian, 1);
  d.SetCalendar(1987, 4, 10, 19, 21, 0, 1);
  EXPECT_NEAR(d.jd, 2446896.30625, 1e-9);
  d.gregorian = 0;
  d.SetJulianDay(2451545.0);
  EXPECT_EQ(d.jd, 2451545.0);
  EXPECT_EQ(d.gregorian, 0);
}

TEST(CalendarFromJulianDay, MeeusExamples) {
  CalendarDate c = CalendarFromJulianDay(2436116.31);
  EXPECT_EQ(c.year, 1957);
  EXPECT_EQ(c.month, 10);
  EXPECT_EQ(c.day, 4);
  EXPECT_EQ(c.hour, 19);
  EXPECT_EQ(c.minute, 26);
  EXPECT_NEAR(c.second, 24, 0.01);
  c = CalendarFromJulianDay(2451545.0);
  EXPECT_EQ(c.year, 2000);
  EXPECT_EQ(c.month, 1);
  EXPECT_EQ(c.day, 1);
  EXPECT_EQ(c.hour, 12);
  EXPECT_EQ(c.minute, 0);
  EXPECT_EQ(c.second, 0);
  c = CalendarFromJulianDay(1842713.0);  // before 1582: Julian calendar
  EXPECT_EQ(c.year, 333);
  EXPECT_EQ(c.month, 1);
  EXPECT_EQ(c.day, 27);
}

TEST(CalendarFromJulianDay, RoundTripsEveryMonthFrom1600To2200) {
  for (int year = 1600; year <= 2200; year += 7) {
    for (int month = 1; month <= 12; ++month) {
      const CalendarDate c = CalendarFromJulianDay(JulianDay(year, month, 28.75, 1));
      EXPECT_EQ(c.year, year);
      EXPECT_EQ(c.month, month);
      EXPECT_EQ(c.day, 28);
      EXPECT_EQ(c.hour, 18);
    }
  }
}

TEST(IsLeapYear, CenturiesFollowTheCalendar) {
  EXPECT_EQ(IsLeapYear(2000, 1), 1);
  EXPECT_EQ(IsLeapYear(1900, 1), 0);
  EXPECT_EQ(IsLeapYear(1900, 0), 1);
  EXPECT_EQ(IsLeapYear(2012, 1), 1);
  EXPECT_EQ(IsLeapYear(2010, 1), 0);
}

TEST(DecimalYear, NewYearIsTheWholeYear) {
  EXPECT_EQ(DecimalYear(JulianDay(2010, 1, 1.0, 1)), 2010.0);
  EXPECT_DOUBLE_EQ(DecimalYear(JulianDay(2012, 1, 184.0, 1)), 2012.5);
}

TEST(DeltaT, EachRangeOfTheTable) {
  EXPECT_NEAR(DeltaT(JulianDay(2010, 1, 1.0, 1)), 66.7006, 1e-9);
  EXPECT_DOUBLE_EQ(DeltaT(JulianDay(2000, 1, 1.0, 1)), 63.83);
  EXPECT_DOUBLE_EQ(DeltaT(JulianDay(1998, 7, 2.0, 1)), 62.97);
  EXPECT_NEAR(DeltaT(JulianDay(1621, 1, 1.0, 1)), 116.5, 1e-9);
  EXPECT_NEAR(DeltaT(JulianDay(1700, 1, 1.0, 1)), 7.0, 1e-9);
  EXPECT_NEAR(DeltaT(JulianDay(2200, 1, 1.0, 1)), 407.2, 1e-9);
  EXPECT_NEAR(DeltaT(JulianDay(900, 1, 1.0, 1)), 2046.1, 1e-9);  // decimal year 900.0
  EXPECT_NEAR(DeltaT(JulianDay(1997, 12, 31.99, 1)), 62.97, 0.01);
  // The 2050..2150 parabola meets its neighbours within a few seconds.
  EXPECT_NEAR(DeltaT(JulianDay(2049, 12, 31.9, 1)), DeltaT(JulianDay(2050, 1, 1.0, 1)), 2);
}

TEST(DeltaT, FiniteFrom1600To2200) {
  for (int year = 1600; year <= 2200; ++year) {
    EXPECT_TRUE(std::isfinite(DeltaT(JulianDay(year, 6, 15.0, 1)))) << year;
  }
}

TEST(DayOfYear, FixedCommonYear) {
  EXPECT_EQ(DayOfYear(1, 1), 1);
  EXPECT_EQ(DayOfYear(1, 3), 60);
  EXPECT_EQ(DayOfYear(29, 2), 60);  // shares its number with 1 March
  EXPECT_EQ(DayOfYear(31, 12), 365);
  EXPECT_EQ(DayOfYear(5, 13), 365);
  EXPECT_EQ(DayOfYear(5, 0), 365);
}

void ExpectUt(const JulianDate& d, int year, int month, int day, double hour) {
  EXPECT_NEAR(d.jd, JulianDay(year, month, day + hour / 24, 1), 1e-9)
      << year << "-" << month << "-" << day << " " << hour;
}

TEST(UniversalTimeFromLocal, RollsTheDateAcrossMidnight) {
  ExpectUt(UniversalTimeFromLocal(2010, 3, 1, 0, 30, 0, 1, 0), 2010, 2, 28, 23.5);
  ExpectUt(UniversalTimeFromLocal(2012, 3, 1, 0, 30, 0, 1, 0), 2012, 2, 29, 23.5);
  ExpectUt(UniversalTimeFromLocal(2010, 6, 10, 23, 30, 0, -5, 0), 2010, 6, 11, 4.5);
  ExpectUt(UniversalTimeFromLocal(2010, 1, 1, 0, 0, 0, 1, 0), 2009, 12, 31, 23);
  ExpectUt(UniversalTimeFromLocal(2010, 12, 31, 22, 0, 0, -3, 30), 2011, 1, 1, 1.5);
  ExpectUt(UniversalTimeFromLocal(2010, 7, 15, 13, 0, 0, 1, 0), 2010, 7, 15, 12);
}

TEST(UniversalTimeFromLocal, ZoneMinutesTakeTheSignOfTheHours) {
  ExpectUt(UniversalTimeFromLocal(2010, 7, 15, 12, 0, 0, 5, 30), 2010, 7, 15, 6.5);
  ExpectUt(UniversalTimeFromLocal(2010, 7, 15, 12, 0, 0, -3, 30), 2010, 7, 15, 15.5);
}

TEST(UniversalTimeFromLocal, DaylightSavingHourMinusOneIsTheSameInstant) {
  // 00:30 summer time in zone +1 is 23:30 standard time of the day before.
  const JulianDate summer = UniversalTimeFromLocal(2010, 7, 15, -1, 30, 0, 1, 0);
  const JulianDate standard = UniversalTimeFromLocal(2010, 7, 14, 23, 30, 0, 1, 0);
  EXPECT_NEAR(summer.jd, standard.jd, 1e-9);
  ExpectUt(summer, 2010, 7, 14, 22.5);
  // The same on the first of a month and of a year.
  EXPECT_NEAR(UniversalTimeFromLocal(2011, 1, 1, -1, 30, 0, 1, 0).jd,
              UniversalTimeFromLocal(2010, 12, 31, 23, 30, 0, 1, 0).jd, 1e-9);
}

TEST(ZoneFromBias, SplitsMinutesWest) {
  ZoneOffset z = ZoneFromBias(-60);
  EXPECT_EQ(z.zoneHours, 1);
  EXPECT_EQ(z.zoneMinutes, 0u);
  z = ZoneFromBias(-330);
  EXPECT_EQ(z.zoneHours, 5);
  EXPECT_EQ(z.zoneMinutes, 30u);
  z = ZoneFromBias(210);
  EXPECT_EQ(z.zoneHours, -3);
  EXPECT_EQ(z.zoneMinutes, 30u);
  z = ZoneFromBias(0);
  EXPECT_EQ(z.zoneHours, 0);
  EXPECT_EQ(z.zoneMinutes, 0u);
}

}  // namespace
}  // namespace sundial
