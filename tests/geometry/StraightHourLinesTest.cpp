// The modern hour lines of the polar-style dials are straight lines through the style root (the
// point where the line through the nodus parallel to the earth's axis meets the plate): their
// lineAngle gives the side on which the shadow falls while the sun lights the plate, and the time
// field of each date-line mark is its distance from the root.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "GeometryTestSupport.h"
#include "astro/DailySunTables.h"
#include "geometry/AngleMath.h"

namespace sundial::testing {
namespace {

struct LineCase {
  int type;
  double latitude;
  double declination;
  double inclination;
  double correction;  // longitudeCorrection, made from a zone at longitude 0
};

std::unique_ptr<DialModel> DialFor(const LineCase& c) {
  auto m = MakeDial(c.type, c.latitude, c.declination, c.inclination);
  if (c.correction != 0) {
    m->localSolarTime = 0;
    m->longitude = 0;
    m->timeZone = static_cast<std::int32_t>(c.correction / 15.0);
  }
  ComputeDialGeometry(*m);
  return m;
}

Plate PlateFor(const LineCase& c) {
  if (c.type == 1) return InclinedPlate(0, 0);
  return InclinedPlate(c.declination, c.type == 0 ? 90 : c.inclination);
}

TEST(StraightHourLines, PassThroughTheStyleRootOnTheSideOfTheirAngle) {
  const LineCase cases[] = {
      {0, 45.3825, 30, 90, 0},   {0, -30, 20, 90, 0},      {0, 50, 120, 90, 0},
      {0, -40, -150, 90, 0},     {0, 45, -20, 90, 120},    {0, -25, 10, 90, -150},
      {1, 45, 0, 0, 0},          {1, -35, 0, 0, 0},        {1, 60, 0, 0, 120},
      {11, 45, 30, 60, 0},       {11, -35, -40, 30, 0},    {11, 52, 130, 75, 0},
      {11, 40, 15, 50, 135},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.type) + " lat " + std::to_string(c.latitude) +
                 " D " + std::to_string(c.declination) + " mc " + std::to_string(c.correction));
    auto m = DialFor(c);
    const Plate plate = PlateFor(c);
    const auto root = StyleRoot(plate, m->gnomonLength, c.latitude);
    // The side is that of the lit plate for the south-facing walls and the northern horizontal
    // dial; north-facing walls and southern horizontal dials keep the opposite ray.
    const bool sideChecked = (c.type != 0 || std::fabs(c.declination) < 90) && (c.type != 1 || c.latitude > 0);
    int lit = 0;
    for (int i = 0; i < kModernHourLineCount; ++i) {
      const HourLineRecord& line = m->geometry->modernHourLines[static_cast<std::size_t>(i)];
      const double x = line.lineAngle * kRad;
      // Types 0 and 11 measure the angle from the downward direction, the horizontal dial from
      // the north (upward in the picture).
      const double ux = std::sin(x);
      const double uy = c.type == 1 ? -std::cos(x) : std::cos(x);
      auto check = [&](const DialPoint& p, bool isMark) {
        if (std::fabs(p.x) > 1e6 || std::fabs(p.y) > 1e6) return;
        const double plain = p.azimuth + (c.type == 0 ? c.declination : 0.0);
        const double lighting = Dot(SunVector(plain, p.altitude), plate.normal);
        const double dx = p.x - root[0], dy = p.y - root[1];
        const double dist = std::hypot(dx, dy);
        EXPECT_NEAR(ux * dy - uy * dx, 0.0, 1e-8 * (1 + dist)) << "hour " << line.hour;
        if (isMark) {
          EXPECT_NEAR(p.time, dist, 1e-8 * (1 + dist)) << "hour " << line.hour;
        }
        if (sideChecked && lighting > 0.02 && p.altitude > 0 && dist > 1e-6) {
          ++lit;
          EXPECT_GT(ux * dx + uy * dy, 0.0) << "hour " << line.hour << " angle " << line.lineAngle;
        }
      };
      for (int j = 0; j < 7; ++j) check(line.dateLineMarks[static_cast<std::size_t>(j)], true);
      for (int k = 0; k < 95; ++k) {
        check(m->geometry->modernHourCurves[static_cast<std::size_t>(i)].points[static_cast<std::size_t>(k)], false);
      }
    }
    if (sideChecked) {
      EXPECT_GT(lit, 100);
    }
  }
}

TEST(StraightHourLines, HorizontalDialAnglesFollowTheSineOfTheLatitude) {
  for (double lat : {52.0, 23.0, -41.0}) {
    auto m = ComputedDial(1, lat);
    for (const HourLineRecord& line : m->geometry->modernHourLines) {
      const double h = 15.0 * (line.hour - 12.0);
      if (std::fabs(std::cos(h * kRad)) < 1e-9) continue;
      EXPECT_NEAR(std::tan(line.lineAngle * kRad), std::sin(lat * kRad) * std::tan(h * kRad), 1e-9)
          << "lat " << lat << " hour " << line.hour;
    }
  }
}

TEST(StraightHourLines, SouthernVerticalDialDistanceIsTheTrueOne) {
  // Latitude -10, facing south, gnomon 25: the noon line meets the winter-solstice date line
  // (declination -23.43) about 100.26 from the dial centre.
  auto m = ComputedDial(0, -10, 0);
  const HourLineRecord& noon = m->geometry->modernHourLines[24];
  EXPECT_NEAR(noon.dateLineMarks[0].time, 100.26, 0.01);
}

TEST(StraightHourLines, PolarDialLinesAreParallelWithoutCentre) {
  auto m = ComputedDial(2, 45, 0, 45);
  EXPECT_EQ(m->styleLength, kPolarInfinite);
  for (const HourLineRecord& line : m->geometry->modernHourLines) {
    EXPECT_EQ(line.lineAngle, 0.0);
    const double h = 15.0 * (line.hour - 12.0);
    for (int j = 0; j < 7; ++j) {
      const DialPoint& p = line.dateLineMarks[static_cast<std::size_t>(j)];
      EXPECT_EQ(p.time, kPolarInfinite);
      if (std::fabs(std::cos(h * kRad)) > 0.2) {
        EXPECT_NEAR(p.x, 25 * std::tan(h * kRad), 1e-9) << "hour " << line.hour;
        EXPECT_NEAR(p.y, 25 * std::tan(DateLineDeclination(j + 1) * kRad) / std::cos(h * kRad), 1e-9);
      }
    }
  }
}

}  // namespace
}  // namespace sundial::testing
