// The time formulas of the hour families, checked by what they mean on the sky: at the time an
// Italian, Babylonian, temporary or reference-altitude line gives, the sun stands where that
// hour system says; azimuth lines and almucantars put the sun on their azimuth or altitude.
#include <gtest/gtest.h>

#include <cmath>

#include "GeometryTestSupport.h"
#include "astro/SunPath.h"
#include "geometry/HourFormulas.h"

namespace sundial::testing {
namespace {

double AltitudeAt(double time, double dec, double mc, double lat) {
  return SunAltitudeAtDeclination(time, dec, mc, lat);
}

TEST(HourFormulas, ItalianAndBabylonianHoursCountFromSunsetAndSunrise) {
  const double lat = 45.3825, mc = 7.29;
  for (double dec : {-23.44, -11.48, 0.0, 11.48, 23.44}) {
    const double sunset = ItalianHourTime(24, dec, lat, mc);
    const double sunrise = BabylonianHourTime(0, dec, lat, mc);
    EXPECT_NEAR(AltitudeAt(sunset, dec, mc, lat), 0.0, 1e-9) << dec;
    EXPECT_NEAR(AltitudeAt(sunrise, dec, mc, lat), 0.0, 1e-9) << dec;
    EXPECT_LT(sunrise, 12.0 + mc / 15.0);
    EXPECT_GT(sunset, 12.0 + mc / 15.0);
    // Italian hour 18 is six hours before sunset; Babylonian 3 three hours after sunrise.
    EXPECT_NEAR(ItalianHourTime(18, dec, lat, mc), sunset - 6.0, 1e-12);
    EXPECT_NEAR(BabylonianHourTime(3, dec, lat, mc), sunrise + 3.0, 1e-12);
  }
  // Early Italian hours fall in the morning of the same clock day (24 added once).
  EXPECT_NEAR(ItalianHourTime(12, 0, 0, 0), 6.0, 1e-12);
  EXPECT_NEAR(ItalianHourTime(3, 0, 0, 0), 21.0, 1e-12);
}

TEST(HourFormulas, TemporaryHoursDivideTheDaylightInTwelve) {
  const double lat = -33.9, mc = -4.5;
  for (double dec : {-20.15, 0.0, 20.15}) {
    const double rise = TemporaryHourTime(0, dec, lat, mc);
    const double set = TemporaryHourTime(12, dec, lat, mc);
    EXPECT_NEAR(AltitudeAt(rise, dec, mc, lat), 0.0, 1e-9);
    EXPECT_NEAR(AltitudeAt(set, dec, mc, lat), 0.0, 1e-9);
    EXPECT_NEAR(TemporaryHourTime(6, dec, lat, mc), 12.0 + mc / 15.0, 1e-12);  // true noon
    EXPECT_NEAR(TemporaryHourTime(3, dec, lat, mc), rise + (set - rise) / 4.0, 1e-12);
  }
}

TEST(HourFormulas, ReferenceHoursStartAtTheReferenceAltitude) {
  const double lat = 50, dec = 11.48, mc = 0;
  const double evening = ReferenceHourTime(24, dec, lat, mc, -6, true);
  const double morning = ReferenceHourTime(0, dec, lat, mc, -6, false);
  EXPECT_NEAR(AltitudeAt(evening, dec, mc, lat), -6.0, 1e-9);
  EXPECT_NEAR(AltitudeAt(morning, dec, mc, lat), -6.0, 1e-9);
  EXPECT_GT(evening, 12.0);
  EXPECT_LT(morning, 12.0);
}

// Ecliptic hour 0 (line 0) is sunrise, hour 12 (line 24) sunset.
TEST(HourFormulas, EclipticHoursZeroAndTwelveAreSunriseAndSunset) {
  const double lat = 41.9, mc = 0;
  for (int signDate = 0; signDate < 13; ++signDate) {
    const double lon = SignDateLongitude(signDate);
    const double dec = EclipticDeclination(lon);
    EXPECT_NEAR(dec, SignDateDeclination(signDate), 0.02) << signDate;
    EXPECT_NEAR(AltitudeAt(WrapIntoDay(EclipticHourTime(0, lon, lat, mc)), dec, mc, lat), 0, 1e-6);
    EXPECT_NEAR(AltitudeAt(WrapIntoDay(EclipticHourTime(24, lon, lat, mc)), dec, mc, lat), 0, 1e-6);
  }
  // The solstice sign dates are exact (no rounding beyond the sine's range).
  EXPECT_DOUBLE_EQ(SignDateLongitude(0), -90.0);
  EXPECT_DOUBLE_EQ(SignDateLongitude(6), 90.0);
  EXPECT_DOUBLE_EQ(SignDateLongitude(12), 270.0);
}

TEST(HourFormulas, AscendantLineOfTheSunsOwnPointIsSunrise) {
  // Line 6 is the rising of the vernal point; at the equinox that is sunrise.
  const double lat = 45, mc = 0;
  const double t = AscendantLineTime(6, 0.0, lat, mc);
  EXPECT_NEAR(AltitudeAt(t, 0, mc, lat), 0.0, 1e-9);
}

TEST(HourFormulas, AzimuthLineTakesTheVisibleSun) {
  // Southern mid-latitude, winter-solstice sun at azimuth 70: the sun stands 13.27 degrees up,
  // not at the unreal 129 degrees of the other root.
  const auto h = AzimuthLineAltitude(70, -23.43, -45);
  ASSERT_TRUE(h.has_value());
  EXPECT_NEAR(*h, 13.27, 0.01);

  for (double lat : {-45.0, -10.0, 0.0, 15.0, 45.3825, 70.0}) {
    for (double az = -170; az <= 180; az += 10) {
      for (double dec : {-23.44, -11.48, 0.0, 11.48, 23.44}) {
        const auto alt = AzimuthLineAltitude(az, dec, lat);
        if (!alt) continue;
        ASSERT_LE(std::fabs(*alt), 90.0);
        const double t = TimeOfDirection(az, *alt, lat, 0);
        EXPECT_NEAR(SunAltitudeAtDeclination(t, dec, 0, lat), *alt, 1e-6)
            << "lat " << lat << " az " << az << " dec " << dec;
        if (std::fabs(*alt) > 89.999) continue;  // the zenith stands on every azimuth line
        const double back = SunAzimuthAtDeclination(t, dec, 0, lat);
        EXPECT_NEAR(std::remainder(back - az, 360.0), 0.0, 1e-6)
            << "lat " << lat << " az " << az << " dec " << dec;
      }
    }
  }
  // Near the pole the summer sun circles at about 23 degrees and passes every azimuth; the winter
  // sun in the tropics never stands due north.
  EXPECT_TRUE(AzimuthLineAltitude(90, 23.44, 89.9).has_value());
  EXPECT_FALSE(AzimuthLineAltitude(180, -23.44, 10).has_value());
}

TEST(HourFormulas, AlmucantarPutsTheSunAtItsAltitude) {
  const double lat = 45.3825;
  for (double alt : {0.0, 20.0, 45.0}) {
    for (double dec : {-11.48, 0.0, 23.44}) {
      const double az = AlmucantarAzimuth(alt, dec, lat);
      if (std::isnan(az)) continue;
      for (double a : {az, -az}) {
        const double t = TimeOfDirection(a, alt, lat, 0);
        EXPECT_NEAR(SunAltitudeAtDeclination(t, dec, 0, lat), alt, 1e-6);
        EXPECT_NEAR(SunAzimuthAtDeclination(t, dec, 0, lat), a, 1e-6);
      }
    }
  }
  EXPECT_TRUE(std::isnan(AlmucantarAzimuth(80, -23.44, lat)));  // winter sun never so high
}

TEST(HourFormulas, NoSunsetMeansNoLine) {
  EXPECT_TRUE(std::isnan(SunsetHourAngle(23.44, 80)));
  EXPECT_TRUE(std::isnan(ItalianHourTime(20, 23.44, 80, 0)));
  EXPECT_TRUE(std::isnan(BabylonianHourTime(4, -23.44, -75, 0)));
  EXPECT_TRUE(std::isnan(TemporaryHourTime(6, 20.15, 75, 0)));
}

}  // namespace
}  // namespace sundial::testing
