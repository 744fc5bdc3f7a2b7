// Every stored point of the shadow-casting dials must be where the ray from the nodus, opposite
// to the sun direction stored with it, meets the plate: checked with plain vector geometry for
// the polar-style and equatorial dials, in both hemispheres, facing beyond east or west, with
// zone times and in local solar time.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "GeometryTestSupport.h"

namespace sundial::testing {
namespace {

struct Case {
  int type;
  double latitude;
  double declination;
  double inclination;
  bool zoneTime;
};

std::string Describe(const Case& c) {
  return "type " + std::to_string(c.type) + " lat " + std::to_string(c.latitude) + " D " +
         std::to_string(c.declination) + " Z " + std::to_string(c.inclination) +
         (c.zoneTime ? " zone time" : " solar time");
}

Plate PlateOf(const Case& c) {
  switch (c.type) {
    case 0: return InclinedPlate(c.declination, 90);
    case 1: return InclinedPlate(0, 0);
    case 2: return InclinedPlate(0, c.latitude);
    case 3: return EquatorialPlate(c.latitude, true);
    case 4: return EquatorialPlate(c.latitude, false);
    default: return InclinedPlate(c.declination, c.inclination);
  }
}

class ShadowChecker {
 public:
  ShadowChecker(const Case& c, const DialModel& m) : case_(c), model_(m), plate_(PlateOf(c)) {}

  void Check(const DialPoint& p, const char* family) {
    if (std::fabs(p.x) >= kNoPointThreshold || std::fabs(p.y) >= kNoPointThreshold) return;
    const double plainAzimuth = p.azimuth + (case_.type == 0 ? model_.planeDeclination : 0.0);
    const Vec sun = SunVector(plainAzimuth, p.altitude);
    if (Dot(sun, plate_.normal) < 0.05) return;  // grazing or behind: the lit side is enough
    const auto expected = Shadow(plate_, model_.gnomonLength, sun);
    const double tol = 1e-7 * (1.0 + std::hypot(expected[0], expected[1]));
    ++checked_;
    if (std::fabs(p.x - expected[0]) > tol || std::fabs(p.y - expected[1]) > tol) {
      if (++failures_ <= 5) {
        ADD_FAILURE() << Describe(case_) << ", " << family << ": stored (" << p.x << ", " << p.y
                      << ") for A " << plainAzimuth << " h " << p.altitude << ", shadow at ("
                      << expected[0] << ", " << expected[1] << ")";
      }
    }
  }

  void Check(const FlaggedDialPoint& f, const char* family) {
    Check(DialPoint{f.time, f.x, f.y, f.azimuth, f.altitude}, family);
  }

  int checked() const { return checked_; }

 private:
  Case case_;
  const DialModel& model_;
  Plate plate_;
  int checked_ = 0;
  int failures_ = 0;
};

template <class Records>
void CheckCurves(ShadowChecker& checker, const Records& records, int points, const char* family) {
  for (const auto& r : records) {
    for (int i = 0; i < points; ++i) checker.Check(r.points[static_cast<std::size_t>(i)], family);
  }
}

TEST(ShadowConsistency, EveryFamilyLiesOnTheShadowOfTheNodus) {
  const std::vector<Case> cases = {
      {0, 45.3825, 30, 90, true},   {0, -33.9, 20, 90, false},  {0, 50, 120, 90, true},
      {0, -40, -150, 90, false},    {0, 8, -75, 90, true},      {1, 45, 0, 0, true},
      {1, -35, 0, 0, false},        {1, 10, 0, 0, true},        {2, 45, 0, 45, false},
      {2, -30, 0, -30, true},       {3, 45, 0, 0, false},       {3, -30, 0, 0, true},
      {4, 45, 0, 0, true},          {4, -30, 0, 0, false},      {11, 45, 30, 60, true},
      {11, -35, -40, 30, false},    {11, 52, 130, 75, true},    {11, 20, -100, 120, false},
  };
  for (const Case& c : cases) {
    auto m = MakeDial(c.type, c.latitude, c.declination, c.inclination);
    if (c.zoneTime) {
      m->localSolarTime = 0;
      m->timeZone = -5;
      m->timeZoneMinutes = 30;
      m->longitude = 80.3;
      m->secondZoneHours = -4;
      m->secondZoneMinutes = 0;
    }
    for (int i = 0; i < 3; ++i) {
      m->dateLineEnabled[static_cast<std::size_t>(i)] = 1;
      m->dateLineDay[static_cast<std::size_t>(i)] = 10 + i;
      m->dateLineMonth[static_cast<std::size_t>(i)] = 2 + 4 * i;
    }
    ComputeDialGeometry(*m);
    const DialGeometry& g = *m->geometry;
    ShadowChecker checker(c, *m);
    for (const auto& line : g.modernHourLines) {
      for (int j = 0; j < 7; ++j) checker.Check(line.dateLineMarks[static_cast<std::size_t>(j)], "modern marks");
      for (const auto& p : line.meanTimeMarks) checker.Check(p, "mean-time marks");
      for (const auto& p : line.meanTimeCurve) checker.Check(p, "mean-time curve");
    }
    CheckCurves(checker, g.modernHourCurves, 95, "modern curves");
    CheckCurves(checker, g.italianHourMarks, 7, "italian marks");
    CheckCurves(checker, g.italianHourCurves, 95, "italian curves");
    CheckCurves(checker, g.babylonianHourCurves, 95, "babylonian curves");
    CheckCurves(checker, g.temporaryHourCurves, 95, "temporary curves");
    CheckCurves(checker, g.referenceHourCurves, 95, "reference curves");
    CheckCurves(checker, g.ascendantLineMarks, 13, "ascendant marks");
    CheckCurves(checker, g.ascendantLineCurves, 95, "ascendant curves");
    CheckCurves(checker, g.eclipticHourCurves, 95, "ecliptic curves");
    CheckCurves(checker, g.azimuthLineMarks, 7, "azimuth marks");
    CheckCurves(checker, g.azimuthLineCurves, 95, "azimuth curves");
    CheckCurves(checker, g.almucantarCurves, 361, "almucantar curves");
    for (const auto& a : g.almucantarMarks) {
      for (int j = 0; j < 7; ++j) {
        checker.Check(a.west.points[static_cast<std::size_t>(j)], "almucantar west");
        checker.Check(a.east.points[static_cast<std::size_t>(j)], "almucantar east");
      }
    }
    for (int e = 0; e < 10; ++e) {
      for (const auto& p : g.dayCurves[static_cast<std::size_t>(e)].points) checker.Check(p, "day curves");
    }
    EXPECT_GT(checker.checked(), 3000) << Describe(c);
  }
}

}  // namespace
}  // namespace sundial::testing
