#include <gtest/gtest.h>

#include <cmath>

#include "astro/DailySunTables.h"
#include "astro/SunPath.h"

namespace sundial {
namespace {

TEST(SunPath, EquinoxAtLatitude45) {
  EXPECT_NEAR(SunAzimuthAtDeclination(12, 0, 0, 45), 0, 1e-12);
  EXPECT_NEAR(SunAltitudeAtDeclination(12, 0, 0, 45), 45, 1e-12);
  EXPECT_NEAR(SunAzimuthAtDeclination(18, 0, 0, 45), 90, 1e-12);
  EXPECT_NEAR(SunAltitudeAtDeclination(18, 0, 0, 45), 0, 1e-12);
  EXPECT_NEAR(SunAzimuthAtDeclination(6, 0, 0, 45), -90, 1e-12);
  // Hours beyond the day simply continue the hour angle.
  EXPECT_NEAR(SunAzimuthAtDeclination(30, 0, 0, 45), SunAzimuthAtDeclination(6, 0, 0, 45), 1e-9);
}

TEST(SunPath, SummerSolsticeDateLineAtNoon) {
  EXPECT_NEAR(SunAzimuthOnDateLine(12, 7, 0, 45), 0, 1e-12);
  EXPECT_NEAR(SunAltitudeOnDateLine(12, 7, 0, 45), 68.433333333333334, 1e-9);
  EXPECT_NEAR(SunAltitudeOnDateLine(12, 1, 0, 45), 90 - 45 - 23.433333333333334, 1e-9);
  EXPECT_NEAR(SunAltitudeOnDateLine(12, 4, 0, 45), 45, 1e-9);
}

TEST(SunPath, CorrectionDelaysTheMeridianPassage) {
  // 7.71 degrees east of Greenwich in a zone one hour east.
  const double correction = 7.286666666666666;
  const double noon = 12 + correction / 15;
  EXPECT_NEAR(noon, 12.485778, 1e-6);
  EXPECT_NEAR(SunAzimuthAtDeclination(noon, 10, correction, 45), 0, 1e-9);
  EXPECT_LT(SunAzimuthAtDeclination(noon - 0.01, 10, correction, 45), 0);
  EXPECT_GT(SunAzimuthAtDeclination(noon + 0.01, 10, correction, 45), 0);
}

TEST(SunPath, DayFormsUseTheDailyDeclination) {
  for (int day : {-3, 0, 100, 171, 364, 400}) {
    const double d = DailyDeclinationAt(day);
    EXPECT_EQ(SunAzimuthOnDay(15.3, day, 2, 40), SunAzimuthAtDeclination(15.3, d, 2, 40));
    EXPECT_EQ(SunAltitudeOnDay(15.3, day, 2, 40), SunAltitudeAtDeclination(15.3, d, 2, 40));
  }
}

TEST(SunPath, ZenithSunIsNotLostToRounding) {
  // Sun overhead: the sine of the altitude may round a hair above 1; the altitude stays 90.
  for (double lat = -23.4; lat <= 23.4; lat += 0.3) {
    EXPECT_NEAR(SunAltitudeAtDeclination(12, lat, 0, lat), 90, 1e-6) << lat;
  }
  EXPECT_NEAR(SunAltitudeAtDeclination(0, 90 - 1e-13, 0, -90), -90, 1e-5);
}

TEST(SunPath, NonNumbersAreReplaced) {
  EXPECT_EQ(SunAzimuthAtDeclination(std::nan(""), 0, 0, 45), 180);
  EXPECT_EQ(SunAltitudeAtDeclination(std::nan(""), 0, 0, 45), 0);
  EXPECT_EQ(SunAltitudeAtDeclination(12, 0, 0, INFINITY), 0);
  // The poles are finite.
  EXPECT_TRUE(std::isfinite(SunAzimuthAtDeclination(9, 20, 0, 90)));
  EXPECT_NEAR(SunAltitudeAtDeclination(9, 20, 0, 90), 20, 1e-9);
  EXPECT_NEAR(SunAltitudeAtDeclination(9, 20, 0, -90), -20, 1e-9);
}

}  // namespace
}  // namespace sundial
