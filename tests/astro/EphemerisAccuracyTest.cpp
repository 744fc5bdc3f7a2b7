// The solar theory against outside authorities, with the worst deviation printed so that the
// accuracy is a number anyone can reproduce.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "astro/CivilTime.h"
#include "astro/SolarPosition.h"
#include "astro/SunState.h"

namespace sundial {
namespace {

// The worked example of the NREL Solar Position Algorithm (I. Reda and A. Andreas, Solar
// Energy 76, 2004, table A4.1): Golden, Colorado, 2003 October 17 at 12:30:30 local time in
// zone −7. The published geocentric values are right ascension 202.22741°, declination
// −9.31434°, Greenwich apparent sidereal time 318.5119°, local hour angle 11.105900°, and the
// topocentric azimuth 194.34024° from the north. That algorithm leaves out the FK5 correction
// (0.09″), and uses ΔT = 67 s where ours gives 64.47 s: both well below 0.0001°.
TEST(EphemerisAccuracy, NrelSolarPositionAlgorithmExample) {
  const double latitude = 39.742476;
  const double longitudeWest = 105.1786;
  const SunState s = ComputeSunState(2003, 10, 17, 12, 30, 30, -7, 0, latitude, longitudeWest);
  const double jd = UniversalTimeFromLocal(2003, 10, 17, 12, 30, 30, -7, 0).jd;
  EXPECT_NEAR(jd, 2452930.312847, 1e-6);

  const double alpha = 202.22741, delta = -9.31434, hourAngle = 11.105900;
  const double phi = latitude * DegToRad;
  const double referenceAltitude =
      RadToDeg * std::asin(std::sin(phi) * std::sin(delta * DegToRad) +
                           std::cos(phi) * std::cos(delta * DegToRad) * std::cos(hourAngle * DegToRad));

  const double dAlpha = s.rightAscension * 15 - alpha;
  const double dDelta = s.sunDeclination - delta;
  const double dSidereal = GreenwichApparentSiderealTime(jd) * 15 - 318.5119;
  const double dAltitude = s.sunAltitude - referenceAltitude;
  const double dAzimuth = s.sunAzimuth + 180 - 194.34024;
  std::printf("NREL SPA example: dRA %.6f° dDec %.6f° dGAST %.6f° dAlt %.6f° dAz %.6f°\n", dAlpha,
              dDelta, dSidereal, dAltitude, dAzimuth);
  EXPECT_NEAR(dAlpha, 0, 2e-4);
  EXPECT_NEAR(dDelta, 0, 1e-4);
  EXPECT_NEAR(dSidereal, 0, 1e-4);
  EXPECT_NEAR(dAltitude, 0, 1e-3);
  EXPECT_NEAR(dAzimuth, 0, 2e-3);  // topocentric there, geocentric here
}

// Equinoxes and solstices of the U.S. Naval Observatory, to the minute of UT: at those
// instants the apparent longitude is 0, 90, 180 or 270 degrees. Half a minute of the sun's
// motion is 0.00034°; the theory itself is good to about 0.0003°.
TEST(EphemerisAccuracy, EquinoxesAndSolsticesOfTheNavalObservatory) {
  struct Instant {
    int year, month, day, hour, minute;
    double longitude;
  };
  const Instant instants[] = {
      {2000, 3, 20, 7, 35, 0},    {2000, 6, 21, 1, 48, 90},   {2000, 9, 22, 17, 27, 180},
      {2000, 12, 21, 13, 37, 270}, {2010, 3, 20, 17, 32, 0},   {2010, 6, 21, 11, 28, 90},
      {2010, 9, 23, 3, 9, 180},   {2010, 12, 21, 23, 38, 270}, {2020, 3, 20, 3, 50, 0},
      {2020, 6, 20, 21, 43, 90},  {2020, 9, 22, 13, 31, 180}, {2020, 12, 21, 10, 2, 270},
  };
  double worst = 0;
  for (const Instant& i : instants) {
    const SunState s = ComputeSunState(i.year, i.month, i.day, i.hour, i.minute, 0, 0, 0, 45, 0);
    const double d = std::remainder(s.apparentLongitude - i.longitude, 360.0);
    worst = std::fmax(worst, std::fabs(d));
    EXPECT_NEAR(d, 0, 6e-4) << i.year << "-" << i.month << "-" << i.day;
    if (i.longitude == 0 || i.longitude == 180) {
      EXPECT_NEAR(s.sunDeclination, 0, 3e-4);
      EXPECT_NEAR(std::remainder(s.rightAscension - i.longitude / 15, 24.0), 0, 1e-4);
    }
  }
  std::printf("USNO equinoxes and solstices: worst apparent longitude %.5f° (%.0f s of the sun's "
              "motion)\n",
              worst, worst / 360 * 365.2422 * 86400);
}

}  // namespace
}  // namespace sundial
