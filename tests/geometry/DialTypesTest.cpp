// Style values and the worked cases of the polar-style, equatorial, analemmatic and sky-map
// dials.
#include <gtest/gtest.h>

#include <cmath>

#include "GeometryTestSupport.h"
#include "astro/DailySunTables.h"

namespace sundial::testing {
namespace {

TEST(PolarStyleDials, StyleValuesOfTheWallFacingSouth) {
  auto m = ComputedDial(0, 45.3825, 0);
  EXPECT_NEAR(m->substyleAngle, 0.0, 1e-12);
  EXPECT_NEAR(m->styleHeight, 90 - 45.3825, 1e-12);
  EXPECT_NEAR(m->styleLength, 25 / std::sin((90 - 45.3825) * kRad), 1e-12);
}

TEST(PolarStyleDials, SixOClockLineOfTheSouthWallGetsNoHalfTurn) {
  auto m = ComputedDial(0, 45, 0);
  // H = -90 exactly: atan2 alone, no half turn (that applies strictly beyond 90).
  EXPECT_NEAR(m->geometry->modernHourLines[12].lineAngle, -90.0, 1e-9);
  EXPECT_NEAR(m->geometry->modernHourLines[11].lineAngle, -180.0 + std::atan2(std::cos(45 * kRad) * std::tan(-97.5 * kRad), 1.0) / kRad, 1e-9);
}

TEST(PolarStyleDials, InclinedVerticalPlateReproducesTheWall) {
  for (double lat : {45.3825, -33.0}) {
    for (double dec : {30.0, -60.0, 135.0}) {
      auto wall = ComputedDial(0, lat, dec);
      auto inclined = ComputedDial(11, lat, dec, 90);
      EXPECT_NEAR(inclined->styleHeight, -wall->styleHeight, 1e-9);
      const auto& a = wall->geometry->italianHourCurves;
      const auto& b = inclined->geometry->italianHourCurves;
      for (std::size_t i = 0; i < a.size(); ++i) {
        for (int k = 0; k < 95; ++k) {
          const DialPoint& p = a[i].points[static_cast<std::size_t>(k)];
          const DialPoint& q = b[i].points[static_cast<std::size_t>(k)];
          if (std::fabs(p.x) > 1e6 || std::fabs(p.y) > 1e6) continue;
          const double tol = 1e-8 * (1 + std::fabs(p.x) + std::fabs(p.y));
          EXPECT_NEAR(p.x, q.x, tol);
          EXPECT_NEAR(p.y, q.y, tol);
        }
      }
      // The wall stores azimuths from its own direction, the inclined plate plain ones.
      const DialPoint& p = wall->geometry->dayCurves[6].points[120];
      const DialPoint& q = inclined->geometry->dayCurves[6].points[120];
      EXPECT_NEAR(std::remainder(p.azimuth + dec - q.azimuth, 360.0), 0.0, 1e-9);
    }
  }
}

TEST(PolarStyleDials, HorizontalDialOnTheEquatorHasAnInfiniteStyle) {
  auto m = ComputedDial(1, 0);
  EXPECT_TRUE(std::isinf(m->styleLength));
  for (const HourLineRecord& line : m->geometry->modernHourLines) {
    EXPECT_NEAR(std::sin(line.lineAngle * kRad), 0.0, 1e-12) << line.hour;  // all parallel
  }
}

TEST(EquatorialDials, EquinoxCrossingIsAbsent) {
  auto m = ComputedDial(3, 45);
  for (const HourLineRecord& line : m->geometry->modernHourLines) {
    const DialPoint& equinox = line.dateLineMarks[3];
    EXPECT_EQ(equinox.time, kNoPoint);
    const double x = line.lineAngle * kRad;
    EXPECT_DOUBLE_EQ(equinox.x, kNoPoint * std::sin(x));
    EXPECT_DOUBLE_EQ(equinox.y, -kNoPoint * std::cos(x));
    const DialPoint& summer = line.dateLineMarks[6];
    EXPECT_NEAR(summer.time, 25 / std::tan(DateLineDeclination(7) * kRad), 1e-9);
  }
  EXPECT_NEAR(m->geometry->modernHourLines[30].lineAngle, 45.0, 1e-12);
}

TEST(EquatorialDials, EveryFamilyGivesTheSameSunTheSamePoint) {
  // Summer for the upper face, winter for the lower: a Babylonian mark on a date line is also
  // a point of that date line's day curve at the same clock time.
  for (int type : {3, 4}) {
    auto m = ComputedDial(type, 45.3825);
    const int line = type == 3 ? 6 : 0;  // date line 7 or 1
    const auto& marks = m->geometry->babylonianHourMarks;
    int compared = 0;
    for (const LineMarks& mark : marks) {
      const DialPoint& p = mark.points[static_cast<std::size_t>(line)];
      if (p.altitude <= 0) continue;
      // Day-curve point at the same time: interpolate along the 0.1 h sweep.
      const int k = static_cast<int>(std::floor(p.time * 10));
      if (k < 0 || k >= 240) continue;
      const DialPoint& a = m->geometry->dayCurves[static_cast<std::size_t>(line)].points[static_cast<std::size_t>(k)];
      const DialPoint& b = m->geometry->dayCurves[static_cast<std::size_t>(line)].points[static_cast<std::size_t>(k + 1)];
      const double f = p.time * 10 - k;
      // The day curve is a circle: interpolate the angle, not the chord.
      const double r = std::hypot(a.x, a.y);
      const double angA = std::atan2(a.x, -a.y), angB = std::atan2(b.x, -b.y);
      const double ang = angA + f * std::remainder(angB - angA, 2 * std::numbers::pi);
      EXPECT_NEAR(p.x, r * std::sin(ang), 1e-6 * r) << "type " << type << " time " << p.time;
      EXPECT_NEAR(p.y, -r * std::cos(ang), 1e-6 * r) << "type " << type << " time " << p.time;
      ++compared;
    }
    EXPECT_GT(compared, 10);
  }
}

TEST(AnalemmaticDials, NoonPointAndLineAngle) {
  auto m = ComputedDial(5, 45);
  const HourLineRecord& noon = m->geometry->modernHourLines[24];
  for (int j = 0; j < 7; ++j) {
    EXPECT_NEAR(noon.dateLineMarks[static_cast<std::size_t>(j)].x, 0.0, 1e-12);
    EXPECT_NEAR(noon.dateLineMarks[static_cast<std::size_t>(j)].y, -75 * std::sin(45 * kRad), 1e-12);
    EXPECT_NEAR(noon.dateLineMarks[static_cast<std::size_t>(j)].time, 75 * std::sin(45 * kRad), 1e-12);
  }
  EXPECT_NEAR(noon.lineAngle, 0.0, 1e-12);
  // Every point of an hour line is the same hour point, whatever the date.
  const LineCurve& three = m->geometry->modernHourCurves[30];
  for (int k = 1; k < 95; ++k) EXPECT_EQ(three.points[static_cast<std::size_t>(k)].x, three.points[0].x);
}

TEST(AnalemmaticDials, GnomonScaleOnTheEquatorFollowsTheDeclination) {
  // At latitude 0 the ellipse closes to a segment, but the gnomon still moves along the scale:
  // (0, -M cos(0) tan(dec)), not all at 0.
  auto m = ComputedDial(5, 0);
  for (int j = 1; j <= 7; ++j) {
    const PlanePoint& p = m->geometry->analemmaticScale[static_cast<std::size_t>(j - 1)];
    EXPECT_EQ(p.x, 0.0);
    EXPECT_NEAR(p.y, -75 * std::tan(DateLineDeclination(j) * kRad), 1e-12);
  }
  EXPECT_NEAR(m->geometry->analemmaticScale[0].y, 32.5, 0.1);
  for (const HourLineRecord& line : m->geometry->modernHourLines) {
    EXPECT_NEAR(line.dateLineMarks[0].y, 0.0, 1e-12);  // minor axis 0
  }
}

TEST(AnalemmaticDials, DecliningPlateSubstyleFollowsTheScale) {
  auto m = ComputedDial(6, 45, 30);
  const PlanePoint& summer = m->geometry->analemmaticScale[6];
  EXPECT_NEAR(summer.x, -75 * std::sin(30 * kRad) * std::cos(45 * kRad) * std::tan(DateLineDeclination(7) * kRad), 1e-12);
  EXPECT_NEAR(m->substyleAngle, std::atan2(summer.x, summer.y) / kRad, 1e-12);
  // Azimuths are stored from the plate's direction.
  const DialPoint& p = m->geometry->dayCurves[3].points[120];  // equinox noon: sun due south
  EXPECT_NEAR(p.azimuth, -30.0, 1e-9);
}

// Sky maps: the map of a direction, by plain vector geometry.
std::array<double, 2> SkyMap(int type, double m, double declination, const Vec& s) {
  if (type == 7) return {-m * s[1], -m * s[0]};
  if (type == 8) return {-m * s[1] / (1 + s[2]), -m * s[0] / (1 + s[2])};
  const Plate plate = InclinedPlate(declination, 90);
  const double along = Dot(s, plate.xAxis), up = s[2];
  if (type == 9) return {-m * along, m * up};
  const double k = 1 + Dot(s, plate.normal);
  return {-m * along / k, m * up / k};
}

TEST(SkyProjectionDials, EveryPointLiesWhereTheMapPutsItsDirection) {
  for (int type : {7, 8, 9, 10}) {
    for (double lat : {45.3825, -30.0}) {
      const double dec = type >= 9 ? 35.0 : 0.0;
      auto m = ComputedDial(type, lat, dec);
      const DialGeometry& g = *m->geometry;
      int checked = 0;
      auto check = [&](const DialPoint& p) {
        if (std::fabs(p.x) >= kNoPointThreshold) return;
        const Vec s = SunVector(p.azimuth + (type >= 9 ? dec : 0.0), p.altitude);
        if (type == 8 && s[2] < -0.9) return;
        if (type == 10 && Dot(s, InclinedPlate(dec, 90).normal) < -0.9) return;
        const auto e = SkyMap(type, 75, dec, s);
        EXPECT_NEAR(p.x, e[0], 1e-8 * (1 + std::fabs(e[0]))) << "type " << type;
        EXPECT_NEAR(p.y, e[1], 1e-8 * (1 + std::fabs(e[1]))) << "type " << type;
        ++checked;
      };
      for (const auto& c : g.italianHourCurves) for (int k = 0; k < 95; ++k) check(c.points[static_cast<std::size_t>(k)]);
      for (const auto& c : g.azimuthLineCurves) for (int k = 0; k < 95; ++k) check(c.points[static_cast<std::size_t>(k)]);
      for (int e = 0; e < 7; ++e) for (const auto& p : g.dayCurves[static_cast<std::size_t>(e)].points) check(p);
      for (const auto& line : g.modernHourLines) {
        for (int j = 0; j < 7; ++j) {
          const DialPoint& p = line.dateLineMarks[static_cast<std::size_t>(j)];
          check(p);
          EXPECT_NEAR(p.time, std::hypot(p.x, p.y), 1e-9);
        }
        EXPECT_NEAR(line.lineAngle, std::atan2(-line.dateLineMarks[6].x, -line.dateLineMarks[6].y) / kRad, 1e-12);
      }
      EXPECT_GT(checked, 2000);
    }
  }
}

TEST(SkyProjectionDials, ZenithAtTheCentreAndHorizonOnTheRim) {
  for (int type : {7, 8}) {
    auto m = ComputedDial(type, 45);
    const auto& zenith = m->geometry->almucantarCurves[18];
    const auto& horizon = m->geometry->almucantarCurves[0];
    for (int a = 0; a <= 360; a += 15) {
      EXPECT_NEAR(zenith.points[static_cast<std::size_t>(a)].x, 0.0, 1e-9);
      EXPECT_NEAR(zenith.points[static_cast<std::size_t>(a)].y, 0.0, 1e-9);
      const auto& p = horizon.points[static_cast<std::size_t>(a)];
      EXPECT_NEAR(std::hypot(p.x, p.y), 75.0, 1e-9);
    }
  }
  // Type 9: the direction straight out of the plate on the horizon maps to the centre.
  auto wall = ComputedDial(9, 45, 20);
  const auto& p = wall->geometry->almucantarCurves[0].points[20];  // azimuth 20 = D
  EXPECT_NEAR(p.azimuth, 0.0, 1e-12);
  EXPECT_NEAR(p.x, 0.0, 1e-9);
  EXPECT_NEAR(p.y, 0.0, 1e-9);
}

TEST(SkyProjectionDials, StereographicMapsKeepEastAndWestApart) {
  for (int type : {8, 10}) {
    auto m = ComputedDial(type, 45);
    const auto& summer = m->geometry->dayCurves[6].points;
    for (int k = 0; k <= 120; k += 10) {
      const DialPoint& morning = summer[static_cast<std::size_t>(120 - k)];
      const DialPoint& afternoon = summer[static_cast<std::size_t>(120 + k)];
      EXPECT_NEAR(morning.x, -afternoon.x, 1e-9) << "type " << type;
      EXPECT_NEAR(morning.y, afternoon.y, 1e-9) << "type " << type;
    }
  }
}

TEST(SkyProjectionDials, NoMeanTimeFigures) {
  auto m = ComputedDial(7, 45);
  for (const auto& line : m->geometry->modernHourLines) {
    EXPECT_EQ(line.meanTimeCurve[100].x, 0.0);
    EXPECT_EQ(line.meanTimeMarks[5].y, 0.0);
  }
}

}  // namespace
}  // namespace sundial::testing
