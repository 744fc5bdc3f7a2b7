#include <gtest/gtest.h>

#include <cmath>

#include "astro/CivilTime.h"
#include "astro/SolarPosition.h"

namespace sundial {
namespace {

// Meeus, Astronomical Algorithms, example 25.b: 1992 October 13.0 TD. Agreement to the
// published digits needs every row of the VSOP87 and nutation tables.
TEST(SolarPosition, Meeus1992October13) {
  const double jde = 2448908.5;
  EXPECT_NEAR(EarthHeliocentricLongitude(jde), 19.907372, 1e-6);
  EXPECT_NEAR(EarthHeliocentricLatitude(jde) * 3600, -0.00000312 * 3600 * 57.29577951308232,
              0.01);
  EXPECT_NEAR(EarthSunDistance(jde), 0.99760775, 1e-8);
  EXPECT_NEAR(SunGeometricLongitude(jde), 199.907372, 1e-6);
  EXPECT_NEAR(SunApparentLongitude(jde), 199.90606, 5e-6);
  EXPECT_NEAR(SunApparentLatitude(jde) * 3600, 0.62, 0.01);
  EXPECT_NEAR(TrueObliquity(jde), 23.440144, 1e-6);
  const EquatorialPosition eq =
      EclipticToEquatorial(SunApparentLongitude(jde), SunApparentLatitude(jde), TrueObliquity(jde));
  EXPECT_NEAR(eq.rightAscension, 13.225212, 1e-6);
  EXPECT_NEAR(eq.declination, -7.783871, 1e-6);
  EXPECT_NEAR(EquationOfTime(jde), 13.709, 5e-4);
}

// Meeus examples 22.a and 12.a/12.b: 1987 April 10.
TEST(SolarPosition, Meeus1987April10) {
  const double jd = 2446895.5;
  EXPECT_NEAR(NutationInLongitude(jd), -3.788, 5e-4);
  EXPECT_NEAR(NutationInObliquity(jd), 9.443, 5e-4);
  EXPECT_NEAR(MeanObliquity(jd), 23.440946, 1e-6);
  EXPECT_NEAR(TrueObliquity(jd), 23.443569, 1e-6);
  EXPECT_NEAR(GreenwichMeanSiderealTime(jd) * 15, 197.693195, 1e-6);
  // Apparent sidereal time 13h10m46.1351s (Meeus example 12.a).
  EXPECT_NEAR(GreenwichApparentSiderealTime(jd) * 3600, 13 * 3600 + 10 * 60 + 46.1351, 1e-3);
  EXPECT_NEAR(GreenwichMeanSiderealTime(2446896.30625) * 15, 128.737873, 1e-6);
}

TEST(SolarPosition, RightAscensionStaysWithinTheDay) {
  // Just east of the vernal equinox point, on the ecliptic: α a hair below 24 hours.
  const EquatorialPosition below = EclipticToEquatorial(-1e-4, 0, 23.44);
  EXPECT_LT(below.rightAscension, 24);
  EXPECT_GT(below.rightAscension, 23.9999);
  const EquatorialPosition tiny = EclipticToEquatorial(-1e-15, 0, 23.44);
  EXPECT_GE(tiny.rightAscension, 0);
  EXPECT_LT(tiny.rightAscension, 24);
  EXPECT_NEAR(EclipticToEquatorial(90, 0, 23.44).declination, 23.44, 1e-12);
  EXPECT_NEAR(EclipticToEquatorial(90, 0, 23.44).rightAscension, 6, 1e-12);
}

TEST(SolarPosition, EquationOfTimeComesModuloOneDay) {
  // 11 February 2010: about −14 minutes, which the operation returns as 1440 − 14.
  const double jde = JulianDay(2010, 2, 11.5, 1);
  const double e = EquationOfTime(jde);
  EXPECT_GT(e, 1420);
  EXPECT_LE(e, 1440);
  EXPECT_NEAR(EquationOfTime(JulianDay(2010, 11, 3.5, 1)), 16.4, 0.1);
}

TEST(SolarPosition, FiniteFrom1600To2200) {
  for (int year = 1600; year <= 2200; year += 3) {
    const double jde = JulianDay(year, 3, 21.3, 1);
    EXPECT_TRUE(std::isfinite(SunApparentLongitude(jde))) << year;
    EXPECT_TRUE(std::isfinite(EquationOfTime(jde))) << year;
    EXPECT_TRUE(std::isfinite(GreenwichApparentSiderealTime(jde))) << year;
    EXPECT_NEAR(TrueObliquity(jde), 23.44, 0.1) << year;
    EXPECT_NEAR(EarthSunDistance(jde), 0.996, 0.02) << year;
    // The place computed in one pass (the saver's, once a second) is the one-by-one place, to
    // the last bit: the picture and `sundial sun` must agree.
    const SunPlace p = ComputeSunPlace(jde);
    EXPECT_EQ(p.apparentLongitude, SunApparentLongitude(jde)) << year;
    EXPECT_EQ(p.apparentLatitude, SunApparentLatitude(jde)) << year;
    EXPECT_EQ(p.trueObliquity, TrueObliquity(jde)) << year;
    EXPECT_EQ(p.nutationInLongitude, NutationInLongitude(jde)) << year;
    const double alpha =
        EclipticToEquatorial(p.apparentLongitude, p.apparentLatitude, p.trueObliquity)
            .rightAscension;
    EXPECT_EQ(EquationOfTimeAt(jde, alpha, p.trueObliquity, p.nutationInLongitude),
              EquationOfTime(jde))
        << year;
  }
}

}  // namespace
}  // namespace sundial
