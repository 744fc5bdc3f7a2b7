// The fine traces of the dial read on a receiving outline, checked with plain geometry: every
// stored point lies on the outline of its own step of the year and on the rod's shadow line for
// the sun it stores, and the sun it stores is the sun of its time and day.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "astro/DailySunTables.h"
#include "astro/SunPath.h"
#include "geometry/HourFormulas.h"
#include "geometry/ReceivingOutlineTrace.h"
#include "model/DialModel.h"

namespace sundial {
namespace {

constexpr double kPi = 3.141592653589793;
double Rad(double d) { return d * kPi / 180.0; }

DialModel TracedDial(bool ellipse, bool forward) {
  DialModel m;
  m.dialType = 12;
  m.latitude = 45.0;
  m.planeDeclination = 20.0;
  m.planeInclination = 60.0;
  m.gnomonLength = 25.0;
  m.localSolarTime = 1;
  m.extraLength = 25.0;
  m.extraValue3 = 10.0;
  m.extraValue4 = 5.0;
  m.extraValue5 = 15.0;
  m.extraSwitch1 = forward ? 1 : 0;
  m.extraSwitch2 = ellipse ? 1 : 0;
  m.extraCoord1 = 25.0;
  m.extraCoord2 = 20.0;
  m.extraCoord3 = 40.0;
  m.extraCoord4 = 10.0;
  m.extraCoord5 = 30.0;
  m.extraCoord6 = -5.0;
  m.extraCoord7 = 3.0;
  m.referenceAltitude = -6.0;
  return m;
}

std::unique_ptr<FineDialGeometry> Trace(const DialModel& m) {
  auto fine = std::make_unique<FineDialGeometry>();
  TraceReceivingOutline(m, 0.0, *fine);
  return fine;
}

// The shadows of the two rod points for a sun of azimuth A and altitude h, by the plate turn of
// the inclined declining dial written out with its angles (elevation e above the plate, bearing
// w on it).
void RodShadows(const DialModel& m, double azimuth, double altitude, double p1[2], double p2[2]) {
  const double a = std::cos(Rad(altitude)) * std::cos(Rad(azimuth));
  const double b = -std::cos(Rad(altitude)) * std::sin(Rad(azimuth));
  const double c = std::sin(Rad(altitude));
  const double d = Rad(m.planeDeclination), z = Rad(m.planeInclination);
  const double p = std::cos(d) * a - std::sin(d) * b;
  const double q = std::sin(d) * a + std::cos(d) * b;
  const double n = std::sin(z) * p + std::cos(z) * c;
  const double r = std::cos(z) * p - std::sin(z) * c;
  const double e = std::atan(n / std::sqrt(r * r + q * q));
  const double w = std::atan2(-q, r);
  const double dx = std::sin(w) / std::tan(e), dy = -std::cos(w) / std::tan(e);
  p1[0] = m.extraLength * dx;
  p1[1] = m.extraLength * dy;
  p2[0] = m.extraValue3 + m.extraValue5 * dx;
  p2[1] = m.extraValue4 + m.extraValue5 * dy;
}

// 1 on the outline of trace step s; the turn carries the first half-axis from +x toward +y.
double OutlineMeasure(const DialModel& m, int s, double x, double y) {
  const double a = m.extraCoord2 + s * (m.extraCoord3 - m.extraCoord2) / 3650.0;
  const double b = m.extraCoord4 + s * (m.extraCoord5 - m.extraCoord4) / 3650.0;
  const double t = Rad(m.extraCoord1);
  const double u = (x - m.extraCoord7) * std::cos(t) + (y - m.extraCoord6) * std::sin(t);
  const double v = -(x - m.extraCoord7) * std::sin(t) + (y - m.extraCoord6) * std::cos(t);
  if (m.extraSwitch2 != 0) return std::sqrt(u * u / (a * a) + v * v / (b * b));
  return std::max(std::fabs(u / a), std::fabs(v / b));
}

// Distance of (x, y) from the rod's shadow line, relative to the size of the figure.
double OffShadowLine(const double p1[2], const double p2[2], double x, double y) {
  const double dx = p2[0] - p1[0], dy = p2[1] - p1[1];
  const double len = std::hypot(dx, dy);
  return std::fabs((x - p1[0]) * dy - (y - p1[1]) * dx) / len /
         (1.0 + std::hypot(x, y) + std::hypot(p1[0], p1[1]));
}

struct Tally {
  int read = 0;
  int missed = 0;
  int absent = 0;
};

// Every point of one fine line against its step's outline and its sun's rod shadow.
void CheckLine(const DialModel& m, const DialPoint* points, int count, bool yearSteps,
               int fixedStep, Tally& tally, const char* what, int line) {
  for (int k = 0; k < count; ++k) {
    const DialPoint& p = points[k];
    if (p.x == kOutlineMissed) {
      EXPECT_EQ(p.y, kOutlineMissed);
      ++tally.missed;
      continue;
    }
    if (std::fabs(p.x) >= kNoPointThreshold) {
      ++tally.absent;
      continue;
    }
    ++tally.read;
    const int step = !yearSteps ? fixedStep : (m.extraSwitch1 != 0 ? k : 3649 - k);
    ASSERT_NEAR(OutlineMeasure(m, step, p.x, p.y), 1.0, 1e-9) << what << " " << line << " " << k;
    double p1[2], p2[2];
    RodShadows(m, p.azimuth, p.altitude, p1, p2);
    ASSERT_NEAR(OffShadowLine(p1, p2, p.x, p.y), 0.0, 1e-7) << what << " " << line << " " << k;
  }
}

template <typename Lines>
void CheckFamily(const DialModel& m, const Lines& lines, Tally& tally, const char* what) {
  for (std::size_t j = 0; j < lines.size(); ++j) {
    CheckLine(m, lines[j].points.data(), kFineYearPointCount, true, 0, tally, what,
              static_cast<int>(j));
  }
}

void CheckAlmucantars(const DialModel& m, const FineDialGeometry& fine, Tally& tally) {
  for (const auto& half : fine.almucantarCurvesFine) {
    for (int k = 0; k < kFineYearPointCount; ++k) {
      const FlaggedDialPoint& f = half.points[k];
      const DialPoint p{f.time, f.x, f.y, f.azimuth, f.altitude};
      if (f.valid != 0) {
        EXPECT_EQ(f.altitude, half.altitude);
      }
      CheckLine(m, &p, 1, false, m.extraSwitch1 != 0 ? k : 3649 - k, tally, "almucantar", k);
    }
  }
}

TEST(ReceivingOutlineTrace, EveryPointLiesOnItsStepsOutlineAndOnTheRodsShadow) {
  for (bool ellipse : {true, false}) {
    const DialModel m = TracedDial(ellipse, true);
    const auto fine = Trace(m);
    Tally tally;
    CheckFamily(m, fine->modernHourCurvesFine, tally, "modern");
    CheckFamily(m, fine->italianHourCurvesFine, tally, "italian");
    CheckFamily(m, fine->babylonianHourCurvesFine, tally, "babylonian");
    CheckFamily(m, fine->temporaryHourCurvesFine, tally, "temporary");
    CheckFamily(m, fine->referenceHourCurvesFine, tally, "reference");
    CheckFamily(m, fine->ascendantLineCurvesFine, tally, "ascendant");
    CheckFamily(m, fine->eclipticHourCurvesFine, tally, "ecliptic");
    CheckFamily(m, fine->azimuthLineCurvesFine, tally, "azimuth");
    CheckAlmucantars(m, *fine, tally);
    for (int n = 0; n < 13; ++n) {
      CheckLine(m, fine->dayCurvesFine[n].points.data(), kFineDayPointCount, false,
                kMonthLineTraceSteps[n], tally, "month", n);
    }
    // Most points are read; the figure is neither all misses nor all absent.
    EXPECT_GT(tally.read, 600000) << ellipse;
    EXPECT_GT(tally.missed, 0) << ellipse;
  }
}

TEST(ReceivingOutlineTrace, StoredSunIsTheSunOfTheLinesTimeAndDay) {
  DialModel m = TracedDial(true, true);
  m.showMeanTimeFallingHalf = 1;
  const auto fine = Trace(m);
  for (int j : {10, 24, 31}) {  // 5 h, noon, 15.5 h
    for (int k = 0; k < kFineYearPointCount; k += 7) {
      const DialPoint& p = fine->modernHourCurvesFine[j].points[k];
      double hour = 0.5 * j - DailyEquationOfTime(0.1 * k) / 3600.0;
      if (hour < 0) hour += 24.0;
      EXPECT_NEAR(p.time, hour, 1e-12);
      const double dec = DailyDeclination(0.1 * k);
      EXPECT_NEAR(p.azimuth, SunAzimuthAtDeclination(hour, dec, 0.0, m.latitude), 1e-9);
      EXPECT_NEAR(p.altitude, SunAltitudeAtDeclination(hour, dec, 0.0, m.latitude), 1e-9);
    }
  }
  // Italian hour 18 (six hours before sunset) on the day of the equinox, with the sunset from
  // the closed formula: at latitude 45 and declination 0 the sun sets at 18 h.
  const int equinoxStep = 794;  // day index 79.4, where the table crosses zero
  const double dec = DailyDeclination(0.1 * equinoxStep);
  const double sunset = 12.0 + std::acos(-std::tan(Rad(45.0)) * std::tan(Rad(dec))) * 12.0 / kPi;
  EXPECT_NEAR(fine->italianHourCurvesFine[36].points[equinoxStep].time, sunset - 6.0, 1e-9);
  EXPECT_NEAR(fine->babylonianHourCurvesFine[12].points[equinoxStep].time, 24.0 - sunset + 6.0,
              1e-9);
  // The fine day curve of 1 June (month line 5) in mean time: the sun of its own day at the
  // clock time less the equation of time of that day.
  const DialPoint& p = fine->dayCurvesFine[5].points[1500];
  const double hour = 15.0 - DailyEquationOfTime(151) / 3600.0;
  EXPECT_NEAR(p.azimuth, SunAzimuthOnDay(hour, 151, 0.0, m.latitude), 1e-9);
  EXPECT_NEAR(p.altitude, SunAltitudeOnDay(hour, 151, 0.0, m.latitude), 1e-9);
}

TEST(ReceivingOutlineTrace, BackwardTraceReadsEachDayOnTheOutlineOfItsPlaceInTheTrace) {
  // A growing outline: traced backward, day k is read on the outline of step 3649 - k.
  const DialModel backward = TracedDial(true, false);
  const auto fine = Trace(backward);
  Tally tally;
  CheckFamily(backward, fine->modernHourCurvesFine, tally, "modern");
  CheckFamily(backward, fine->azimuthLineCurvesFine, tally, "azimuth");
  for (int m = 0; m < 13; ++m) {  // the year end is traced first
    CheckLine(backward, fine->dayCurvesFine[m].points.data(), kFineDayPointCount, false,
              kMonthLineTraceSteps[12 - m], tally, "month", m);
  }
  EXPECT_GT(tally.read, 100000);

  // A fixed outline (equal start and end sizes): both directions store the same points, each
  // day at its own place, so that the backward array read from its end is the year reversed.
  auto fixedDial = [](bool forward) {
    DialModel m = TracedDial(false, forward);
    m.extraCoord3 = m.extraCoord2;
    m.extraCoord5 = m.extraCoord4;
    return m;
  };
  const DialModel fixedForward = fixedDial(true);
  const DialModel fixedBackward = fixedDial(false);
  const auto f = Trace(fixedForward);
  const auto b = Trace(fixedBackward);
  for (int j = 0; j < kModernHourLineCount; ++j) {
    for (int k = 0; k < kFineYearPointCount; ++k) {
      const DialPoint& pf = f->modernHourCurvesFine[j].points[k];
      const DialPoint& pb = b->modernHourCurvesFine[j].points[k];
      ASSERT_EQ(pf.x, pb.x);
      ASSERT_EQ(pf.y, pb.y);
      ASSERT_EQ(pf.altitude, pb.altitude);
    }
  }
  // ... and every point of that dial lies on the one outline of the first step.
  Tally fixedTally;
  for (int j = 0; j < kModernHourLineCount; ++j) {
    CheckLine(fixedForward, f->modernHourCurvesFine[j].points.data(), kFineYearPointCount, false, 0,
              fixedTally, "fixed", j);
  }
  EXPECT_GT(fixedTally.read, 10000);
}

TEST(ReceivingOutlineTrace, MissesAreMarkedAndTheNextStepIsReadNormally) {
  // A circle at the origin growing from 0.5 to 40: the noon shadow misses it while the circle
  // is smaller than the line's distance from the centre, and is read again from the first step
  // it reaches.
  DialModel m = TracedDial(true, true);
  m.extraCoord1 = 0;
  m.extraCoord2 = m.extraCoord4 = 0.5;
  m.extraCoord3 = m.extraCoord5 = 40.0;
  m.extraCoord6 = m.extraCoord7 = 0.0;
  const auto fine = Trace(m);
  int misses = 0;
  int readAfterMiss = 0;
  for (int j : {16, 24, 30}) {
    const auto& points = fine->modernHourCurvesFine[j].points;
    for (int k = 0; k < kFineYearPointCount; ++k) {
      const DialPoint& p = points[k];
      double p1[2], p2[2];
      RodShadows(m, p.azimuth, p.altitude, p1, p2);
      const double dx = p2[0] - p1[0], dy = p2[1] - p1[1];
      const double distance = std::fabs(p1[0] * dy - p1[1] * dx) / std::hypot(dx, dy);
      const double radius = 0.5 + k * 39.5 / 3650.0;
      if (std::fabs(distance - radius) < 1e-6) continue;
      if (distance > radius) {
        ASSERT_EQ(p.x, kOutlineMissed) << j << " " << k;
        ASSERT_EQ(p.y, kOutlineMissed);
        ++misses;
      } else {
        ASSERT_LT(std::fabs(p.x), kNoPointThreshold) << j << " " << k;
        if (k > 0 && points[k - 1].x == kOutlineMissed) ++readAfterMiss;
      }
    }
  }
  EXPECT_GT(misses, 0);
  EXPECT_GT(readAfterMiss, 0);
}

// Bit for bit, so that a NaN or the sign of a zero counts as well.
bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool SamePoint(const DialPoint& a, const DialPoint& b) {
  return SameBits(a.time, b.time) && SameBits(a.x, b.x) && SameBits(a.y, b.y) &&
         SameBits(a.azimuth, b.azimuth) && SameBits(a.altitude, b.altitude);
}
bool SamePoint(const FlaggedDialPoint& a, const FlaggedDialPoint& b) {
  return a.valid == b.valid && SameBits(a.time, b.time) && SameBits(a.x, b.x) &&
         SameBits(a.y, b.y) && SameBits(a.azimuth, b.azimuth) && SameBits(a.altitude, b.altitude);
}

// The first point (family, line, step) where two traces differ, or "" when none does.
std::string FirstDifference(const FineDialGeometry& a, const FineDialGeometry& b) {
  std::string where;
  auto family = [&](const char* name, const auto& linesA, const auto& linesB) {
    for (std::size_t j = 0; j < linesA.size() && where.empty(); ++j) {
      for (std::size_t k = 0; k < linesA[j].points.size(); ++k) {
        if (!SamePoint(linesA[j].points[k], linesB[j].points[k])) {
          where = std::string(name) + " " + std::to_string(j) + " " + std::to_string(k);
          return;
        }
      }
    }
  };
  family("modern", a.modernHourCurvesFine, b.modernHourCurvesFine);
  family("italian", a.italianHourCurvesFine, b.italianHourCurvesFine);
  family("babylonian", a.babylonianHourCurvesFine, b.babylonianHourCurvesFine);
  family("temporary", a.temporaryHourCurvesFine, b.temporaryHourCurvesFine);
  family("reference", a.referenceHourCurvesFine, b.referenceHourCurvesFine);
  family("ascendant", a.ascendantLineCurvesFine, b.ascendantLineCurvesFine);
  family("ecliptic", a.eclipticHourCurvesFine, b.eclipticHourCurvesFine);
  family("azimuth", a.azimuthLineCurvesFine, b.azimuthLineCurvesFine);
  family("almucantar", a.almucantarCurvesFine, b.almucantarCurvesFine);
  family("day", a.dayCurvesFine, b.dayCurvesFine);
  return where;
}

TEST(ReceivingOutlineTrace, TwoThreadsTraceEveryPointAsOneDoes) {
  // Both directions through the year (the halves then meet at opposite ends of the arrays),
  // with a user date line whose curve is read on the outline of its day.
  for (bool forward : {true, false}) {
    DialModel m = TracedDial(!forward, forward);
    m.dateLineEnabled[0] = 1;
    m.dateLineDay[0] = 10;
    m.dateLineMonth[0] = 8;
    auto one = std::make_unique<FineDialGeometry>();
    auto two = std::make_unique<FineDialGeometry>();
    TraceReceivingOutline(m, 2.5, *one, TraceThreads::One);
    TraceReceivingOutline(m, 2.5, *two, TraceThreads::Two);
    EXPECT_EQ(FirstDifference(*one, *two), "") << forward;
  }
}

TEST(ReceivingOutlineTrace, DegenerateRodsAndOutlinesStoreMarkersOnly) {
  auto everyPointIsAMarkerOrFinite = [](const FineDialGeometry& fine) {
    for (const auto& line : fine.modernHourCurvesFine) {
      for (const DialPoint& p : line.points) {
        const bool marker = p.x == kOutlineMissed || p.x == kNoPoint;
        if (!marker && !(std::isfinite(p.x) && std::isfinite(p.y))) return false;
      }
    }
    return true;
  };
  // Both rod points on the plate at the origin: the rod casts no line.
  DialModel flat = TracedDial(true, true);
  flat.extraLength = 0;
  flat.extraValue3 = flat.extraValue4 = flat.extraValue5 = 0;
  auto fine = Trace(flat);
  for (const auto& line : fine->italianHourCurvesFine) {
    for (const DialPoint& p : line.points) {
      ASSERT_TRUE(p.x == kOutlineMissed || p.x == kNoPoint);
    }
  }
  // Outlines of no size, a vertical rod over a horizontal plate (its noon shadow parallel to
  // the sides of an unturned rectangle), a first rod point at the plate, non-finite values.
  DialModel cases[5] = {TracedDial(true, true), TracedDial(false, true), TracedDial(false, true),
                        TracedDial(false, false), TracedDial(true, true)};
  cases[0].extraCoord2 = cases[0].extraCoord3 = 0;
  cases[1].extraCoord4 = cases[1].extraCoord5 = 0;
  cases[2].planeInclination = 0;
  cases[2].planeDeclination = 0;
  cases[2].extraCoord1 = 0;
  cases[2].extraValue3 = cases[2].extraValue4 = 0;
  cases[3].extraLength = 0;
  cases[4].latitude = std::nan("");
  cases[4].extraCoord1 = std::numeric_limits<double>::infinity();
  for (int c = 0; c < 5; ++c) {
    fine = Trace(cases[c]);
    EXPECT_TRUE(everyPointIsAMarkerOrFinite(*fine)) << c;
    if (c == 2 || c == 3) {  // what is read still lies on outline and shadow
      Tally tally;
      CheckFamily(cases[c], fine->modernHourCurvesFine, tally, "degenerate");
      EXPECT_GT(tally.read, 0) << c;
    }
  }
}

TEST(ReceivingOutlineTrace, FamiliesKeepTheTimesOfTheirFormulas) {
  DialModel m = TracedDial(true, true);
  m.latitude = 52.0;
  m.referenceSide = 1;
  const double mc = 7.5;
  auto fine = std::make_unique<FineDialGeometry>();
  TraceReceivingOutline(m, mc, *fine);
  for (int k = 0; k < kFineYearPointCount; k += 13) {
    const double day = 0.1 * k;
    const double dec = DailyDeclination(day);
    // The sun's ecliptic longitude: rising half up to the summer solstice of the table (day
    // 171), falling half to the winter solstice (day 354).
    double longitude =
        std::asin(std::clamp(std::sin(Rad(dec)) / std::sin(Rad(23.44)), -1.0, 1.0)) * 180 / kPi;
    if (day > 171 && day <= 354) longitude = 180 - longitude;
    auto expectTime = [&](const DialPoint& p, double time, const char* what, int j) {
      if (!std::isfinite(time)) {
        EXPECT_EQ(p.x, kNoPoint) << what << j << " " << k;
        return;
      }
      EXPECT_NEAR(p.time, time, 1e-9) << what << j << " " << k;
      EXPECT_NEAR(p.altitude, SunAltitudeAtDeclination(time, dec, mc, m.latitude), 1e-9)
          << what << j << " " << k;
    };
    for (int j = 0; j < kModernHourLineCount; ++j) {
      expectTime(fine->italianHourCurvesFine[j].points[k],
                 ItalianHourTime(0.5 * j, dec, m.latitude, mc), "italian", j);
      expectTime(fine->babylonianHourCurvesFine[j].points[k],
                 BabylonianHourTime(0.5 * j, dec, m.latitude, mc), "babylonian", j);
      expectTime(fine->referenceHourCurvesFine[j].points[k],
                 ReferenceHourTime(0.5 * j, dec, m.latitude, mc, -6.0, true), "reference", j);
    }
    for (int j = 0; j < kHalfDayLineCount; ++j) {
      expectTime(fine->temporaryHourCurvesFine[j].points[k],
                 TemporaryHourTime(0.5 * j, dec, m.latitude, mc), "temporary", j);
      expectTime(fine->ascendantLineCurvesFine[j].points[k],
                 AscendantLineTime(j, longitude, m.latitude, mc), "ascendant", j);
      expectTime(fine->eclipticHourCurvesFine[j].points[k],
                 EclipticHourTime(j, longitude, m.latitude, mc), "ecliptic", j);
    }
    for (int j = 0; j < kAzimuthLineCount; ++j) {
      const DialPoint& p = fine->azimuthLineCurvesFine[j].points[k];
      const double azimuth = fine->azimuthLineCurvesFine[j].label;
      const auto altitude = AzimuthLineAltitude(azimuth, dec, m.latitude);
      ASSERT_EQ(altitude.has_value(), p.x != kNoPoint) << j << " " << k;
      if (!altitude) continue;
      EXPECT_NEAR(p.altitude, *altitude, 1e-9);
      EXPECT_NEAR(p.time, TimeOfDirection(azimuth, *altitude, m.latitude, mc), 1e-9);
    }
    for (int j = 0; j < kAlmucantarCount; ++j) {
      const double azimuth = AlmucantarAzimuth(5.0 * j, dec, m.latitude);
      const FlaggedDialPoint& west = fine->almucantarCurvesFine[2 * j].points[k];
      const FlaggedDialPoint& east = fine->almucantarCurvesFine[2 * j + 1].points[k];
      ASSERT_EQ(west.valid, std::isfinite(azimuth) ? 1 : 0);
      if (!std::isfinite(azimuth)) continue;
      EXPECT_NEAR(west.azimuth, azimuth, 1e-9);
      EXPECT_NEAR(east.azimuth, -azimuth, 1e-9);
      EXPECT_NEAR(west.time, TimeOfDirection(azimuth, 5.0 * j, m.latitude, mc), 1e-9);
      EXPECT_NEAR(east.time, TimeOfDirection(-azimuth, 5.0 * j, m.latitude, mc), 1e-9);
    }
  }
}

TEST(ReceivingOutlineTrace, SunOnAzimuthAgreesWithTheAzimuthLineFormula) {
  int found = 0;
  for (double latitude : {-70.0, -35.0, 0.0, 23.0, 45.0, 66.0, 89.0}) {
    for (double dec = -23.44; dec <= 23.44; dec += 0.61) {
      for (int j = 0; j < 37; ++j) {
        const double azimuth = 10.0 * j > 180 ? 10.0 * j - 360 : 10.0 * j;
        const auto expected = AzimuthLineAltitude(azimuth, dec, latitude);
        SunOnAzimuth sun;
        const bool ok = FindSunOnAzimuth(std::sin(Rad(latitude)), std::cos(Rad(latitude)),
                                         std::sin(Rad(azimuth)), std::cos(Rad(azimuth)),
                                         std::sin(Rad(dec)), std::tan(Rad(dec)), 3.0, sun);
        ASSERT_EQ(ok, expected.has_value()) << latitude << " " << dec << " " << azimuth;
        if (!ok) continue;
        ++found;
        EXPECT_NEAR(sun.altitude, *expected, 1e-9);
        EXPECT_NEAR(sun.sinAltitude, std::sin(Rad(*expected)), 1e-12);
        EXPECT_NEAR(sun.time, TimeOfDirection(azimuth, *expected, latitude, 3.0), 1e-9)
            << latitude << " " << dec << " " << azimuth;
      }
    }
  }
  EXPECT_GT(found, 1000);
}

}  // namespace
}  // namespace sundial
