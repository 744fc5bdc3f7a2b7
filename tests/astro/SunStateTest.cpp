#include <gtest/gtest.h>

#include <cmath>

#include "astro/CivilTime.h"
#include "astro/SunState.h"

namespace sundial {
namespace {

// The default dial's place: latitude 45.3825, 7.71 degrees east, standard zone one hour east.
constexpr double kLatitude = 45.3825;
constexpr double kLongitude = -7.713333333333334;

SunState AtDefaultPlace(int year, int month, int day, int hour, int minute, double second) {
  return ComputeSunState(year, month, day, hour, minute, second, 1, 0, kLatitude, kLongitude);
}

TEST(ComputeSunState, AutumnEquinoxNoon2010) {
  const SunState s = AtDefaultPlace(2010, 9, 22, 12, 0, 0);
  EXPECT_NEAR(s.sunAzimuth, -7.708, 0.0005);
  EXPECT_NEAR(s.sunAltitude, 44.621, 0.0005);
  EXPECT_NEAR(s.sunDeclination, 0.262, 0.0005);
  EXPECT_NEAR(s.rightAscension, 11.9597, 0.00005);
  EXPECT_NEAR(s.equationOfTimeSeconds, 434.2, 0.05);
  EXPECT_NEAR(s.deltaTSeconds, 67.02, 0.005);
}

TEST(ComputeSunState, FebruaryMinimumOfTheEquation) {
  const SunState s = AtDefaultPlace(2010, 2, 11, 12, 0, 0);
  EXPECT_NEAR(s.sunAzimuth, -12.143, 0.0005);
  EXPECT_NEAR(s.sunAltitude, 29.832, 0.0005);
  EXPECT_NEAR(s.sunDeclination, -13.979, 0.0005);
  EXPECT_NEAR(s.equationOfTimeSeconds, -852.4, 0.05);
}

TEST(ComputeSunState, NovemberMorningWithSeconds) {
  const SunState s = AtDefaultPlace(2010, 11, 3, 8, 30, 15);
  EXPECT_NEAR(s.sunAzimuth, -54.396, 0.0005);
  EXPECT_NEAR(s.sunAltitude, 11.429, 0.0005);
  EXPECT_NEAR(s.equationOfTimeSeconds, 986.2, 0.05);
}

TEST(ComputeSunState, SummerAfternoonUnderDaylightSaving) {
  // Clock at 14:00 summer time: the model receives the standard hour 13.
  const SunState s = AtDefaultPlace(2010, 7, 15, 13, 0, 0);
  EXPECT_NEAR(s.sunAzimuth, 14.107, 0.0005);
  EXPECT_NEAR(s.sunAltitude, 65.572, 0.0005);
  EXPECT_NEAR(s.sunDeclination, 21.493, 0.0005);
  EXPECT_NEAR(s.equationOfTimeSeconds, -358.4, 0.05);
}

TEST(ComputeSunState, JustAfterMidnightRollsBackToFebruary) {
  const SunState s = AtDefaultPlace(2010, 3, 1, 0, 30, 0);
  EXPECT_NEAR(s.sunAltitude, -52.252, 0.0005);
  EXPECT_NEAR(s.sunDeclination, -7.718, 0.0005);
  const SunState ut = ComputeSunState(2010, 2, 28, 23, 30, 0, 0, 0, kLatitude, kLongitude);
  EXPECT_NEAR(s.sunAltitude, ut.sunAltitude, 1e-9);
}

TEST(ComputeSunState, DaylightSavingHourMinusOneIsTheSameInstant) {
  // 00:30 summer time on 16 July is 23:30 standard time on 15 July.
  const SunState summer = AtDefaultPlace(2010, 7, 16, -1, 30, 0);
  const SunState standard = AtDefaultPlace(2010, 7, 15, 23, 30, 0);
  EXPECT_NEAR(summer.sunAzimuth, standard.sunAzimuth, 1e-9);
  EXPECT_NEAR(summer.sunAltitude, standard.sunAltitude, 1e-9);
  EXPECT_NEAR(summer.equationOfTimeSeconds, standard.equationOfTimeSeconds, 1e-6);
}

TEST(ComputeSunState, FiniteOverCenturiesAndAtThePoles) {
  for (int year = 1600; year <= 2200; year += 25) {
    for (double latitude : {-90.0, -45.0, 0.0, 45.0, 90.0}) {
      const SunState s = ComputeSunState(year, 6, 21, 12, 0, 0, 0, 0, latitude, 0);
      EXPECT_TRUE(std::isfinite(s.sunAzimuth)) << year << " " << latitude;
      EXPECT_TRUE(std::isfinite(s.sunAltitude)) << year << " " << latitude;
      EXPECT_TRUE(std::isfinite(s.equationOfTimeSeconds)) << year;
      EXPECT_LT(std::fabs(s.equationOfTimeSeconds), 20 * 60) << year;
      EXPECT_GT(s.sunAzimuth, -180);
      EXPECT_LE(s.sunAzimuth, 180);
    }
  }
  // At the north pole in June the sun circles at the height of its declination.
  const SunState pole = ComputeSunState(2010, 6, 21, 3, 0, 0, 0, 0, 90, 0);
  EXPECT_NEAR(pole.sunAltitude, pole.sunDeclination, 1e-9);
}

TEST(FormatClockText, LeadingBlankAndTwoDigits) {
  EXPECT_EQ(FormatClockText(0, 30, 0), " 00:30:00");
  EXPECT_EQ(FormatClockText(14, 5, 9), " 14:05:09");
  EXPECT_EQ(FormatClockText(23, -5, -9), " 23:05:09");
}

TEST(FormatEquationText, TruncatesTowardZero) {
  EXPECT_EQ(FormatEquationText(-125.7), "-00:02:05");
  EXPECT_EQ(FormatEquationText(59.9), " 00:00:59");
  EXPECT_EQ(FormatEquationText(0), " 00:00:00");
  EXPECT_EQ(FormatEquationText(434.2), " 00:07:14");
  EXPECT_EQ(FormatEquationText(-852.4), "-00:14:12");
  EXPECT_EQ(FormatEquationText(-0.4), "-00:00:00");
  EXPECT_EQ(FormatEquationText(std::nan("")), " 00:00:00");
  EXPECT_EQ(FormatEquationText(1e9), " 00:16666:40");  // clamped to 1e6 s, every figure kept
}

}  // namespace
}  // namespace sundial
