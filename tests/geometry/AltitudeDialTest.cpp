// The altitude (cylinder) dials: the date scales across the plate, the shadow length
// gnomonLength x tan(altitude) down it, and the re-based plate; and the memory of the fine traces,
// which only the receiving-outline dial holds.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/DailySunTables.h"
#include "geometry/ComputeDialGeometry.h"
#include "geometry/HourFormulas.h"
#include "model/DialModel.h"

namespace sundial {
namespace {

constexpr double kPi = 3.141592653589793;
double Rad(double d) { return d * kPi / 180.0; }

// The sun's altitude from the spherical triangle, for the hour angle of a clock time.
double Altitude(double latitude, double declination, double hour) {
  const double f = Rad(latitude), d = Rad(declination), h = Rad(15.0 * (hour - 12.0));
  return std::asin(std::sin(f) * std::sin(d) + std::cos(f) * std::cos(d) * std::cos(h)) * 180 / kPi;
}

DialModel AltitudeDial(int type) {
  DialModel m;
  m.dialType = type;
  m.latitude = 45.0;
  m.gnomonLength = 25.0;
  m.localSolarTime = 1;
  m.plateXMin = -30.0;
  m.plateXMax = 90.0;
  m.plateYMin = -10.0;
  m.plateYMax = 60.0;
  m.referenceAltitude = -6.0;
  m.secondZoneHours = 99;
  m.dateLineEnabled[0] = 1;
  m.dateLineDay[0] = 15;
  m.dateLineMonth[0] = 8;  // 15 August, day index 226
  return m;
}

constexpr double kWidth = 120.0;

// Every point of the line records: y is the shadow of the gnomon for the stored altitude.
void ExpectShadowLengths(const DialModel& m) {
  const DialGeometry& g = *m.geometry;
  auto check = [&](const DialPoint& p, const char* what) {
    if (std::fabs(p.x) >= kNoPointThreshold || std::fabs(p.y) >= kNoPointThreshold) return;
    ASSERT_NEAR(p.y, m.gnomonLength * std::tan(Rad(p.altitude)), 1e-9 * (1 + std::fabs(p.y)))
        << what;
  };
  for (const auto& line : g.modernHourLines) {
    for (const DialPoint& p : line.dateLineMarks) check(p, "modern mark");
    for (const DialPoint& p : line.meanTimeCurve) check(p, "mean time");
  }
  for (const auto& c : g.italianHourCurves)
    for (const DialPoint& p : c.points) check(p, "italian");
  for (const auto& c : g.temporaryHourCurves)
    for (const DialPoint& p : c.points) check(p, "temporary");
  for (const auto& c : g.ascendantLineCurves)
    for (const DialPoint& p : c.points) check(p, "ascendant");
  for (const auto& c : g.azimuthLineCurves)
    for (const DialPoint& p : c.points) check(p, "azimuth");
  for (const auto& c : g.dayCurves)
    for (const DialPoint& p : c.points) check(p, "day");
}

TEST(AltitudeDial, DeclinationScaleRunsFromSolsticeToSolstice) {
  DialModel m = AltitudeDial(13);
  ComputeDialGeometry(m);
  EXPECT_EQ(m.plateXMin, 0.0);
  EXPECT_EQ(m.plateXMax, kWidth);
  EXPECT_EQ(m.plateYMin, 0.0);
  EXPECT_EQ(m.plateYMax, 70.0);
  EXPECT_NEAR(m.styleHeight, 45.0, 1e-12);
  const DialGeometry& g = *m.geometry;
  for (const DialPoint& p : g.dayCurves[0].points) ASSERT_NEAR(p.x, 0.0, 1e-9);
  for (const DialPoint& p : g.dayCurves[3].points) ASSERT_NEAR(p.x, kWidth / 2, 1e-9);
  for (const DialPoint& p : g.dayCurves[6].points) ASSERT_NEAR(p.x, kWidth, 1e-9);
  // 15 August by the daily table's declination.
  const double august = DailyDeclinationAt(226);
  EXPECT_NEAR(g.dayCurves[7].points[0].x,
              (august + 23.433333333333334) / 46.86666666666667 * kWidth, 1e-9);
  // The hour curves sweep the same scale in 94 equal steps, marks on the date lines.
  const auto& noon = g.modernHourCurves[24].points;
  EXPECT_NEAR(noon[0].x, 0.0, 1e-9);
  EXPECT_NEAR(noon[47].x, kWidth / 2, 1e-9);
  EXPECT_NEAR(noon[94].x, kWidth, 1e-9);
  EXPECT_NEAR(noon[94].y, 25.0 * std::tan(Rad(45.0 + 23.433333333333334)), 1e-9);
  EXPECT_NEAR(noon[30].altitude,
              Altitude(45, -23.433333333333334 + 30 * 46.86666666666667 / 94, 12), 1e-9);
  const HourLineRecord& three = g.modernHourLines[30];  // 15 h
  EXPECT_NEAR(three.dateLineMarks[6].x, kWidth, 1e-9);
  EXPECT_NEAR(three.lineAngle,
              std::atan2(-three.dateLineMarks[6].x, -three.dateLineMarks[6].y) * 180 / kPi, 1e-12);
  EXPECT_NEAR(three.dateLineMarks[6].time,
              std::hypot(three.dateLineMarks[6].x, three.dateLineMarks[6].y), 1e-9);
  EXPECT_NEAR(three.dateLineMarks[2].altitude, Altitude(45, -11.48, 15), 1e-9);
  // The azimuth lines keep the standard sweep of +-23.44, a hair beyond the solstices.
  EXPECT_LT(g.azimuthLineCurves[3].points[0].x, 0.0);
  ExpectShadowLengths(m);

  // A second run leaves the re-based plate as it is.
  ComputeDialGeometry(m);
  EXPECT_EQ(m.plateXMin, 0.0);
  EXPECT_EQ(m.plateXMax, kWidth);
  EXPECT_EQ(m.plateYMax, 70.0);
}

TEST(AltitudeDial, CalendarScaleRunsFromFirstJanuaryToTheYearsEnd) {
  DialModel m = AltitudeDial(14);
  ComputeDialGeometry(m);
  const DialGeometry& g = *m.geometry;
  for (const DialPoint& p : g.dayCurves[0].points) ASSERT_EQ(p.x, 0.0);
  for (const DialPoint& p : g.dayCurves[12].points) ASSERT_EQ(p.x, m.plateXMax);
  EXPECT_NEAR(g.dayCurves[6].points[100].x, 181 * kWidth / 365, 1e-9);  // 1 July
  EXPECT_NEAR(g.dayCurves[13].points[0].x, 226 * kWidth / 365, 1e-9);   // user line 15 August
  // Thirteen month marks and a curve point for every day on every hour family.
  const HourLineRecord& nine = g.modernHourLines[18];
  EXPECT_EQ(nine.dateLineMarks[0].x, 0.0);
  EXPECT_NEAR(nine.dateLineMarks[12].x, 364 * kWidth / 365, 1e-9);
  EXPECT_NEAR(nine.dateLineMarks[4].altitude, Altitude(45, DailyDeclinationAt(120), 9), 1e-9);
  EXPECT_NEAR(nine.lineAngle,
              std::atan2(-nine.dateLineMarks[12].x, -nine.dateLineMarks[12].y) * 180 / kPi, 1e-12);
  for (int i = 0; i < 365; i += 11) {
    const double dec = DailyDeclinationAt(i);
    EXPECT_NEAR(g.modernHourCurves[18].points[i].x, i * kWidth / 365, 1e-9);
    EXPECT_NEAR(g.modernHourCurves[18].points[i].altitude, Altitude(45, dec, 9), 1e-9);
    EXPECT_NEAR(g.italianHourCurves[40].points[i].time, ItalianHourTime(20, dec, 45, 0), 1e-12);
    EXPECT_NEAR(g.babylonianHourCurves[8].points[i].time, BabylonianHourTime(4, dec, 45, 0), 1e-12);
    EXPECT_NEAR(g.temporaryHourCurves[6].points[i].time, TemporaryHourTime(3, dec, 45, 0), 1e-12);
    EXPECT_NEAR(g.referenceHourCurves[30].points[i].x, i * kWidth / 365, 1e-9);
    EXPECT_NEAR(g.ascendantLineCurves[5].points[i].x, i * kWidth / 365, 1e-9);
    EXPECT_NEAR(g.azimuthLineCurves[2].points[i].x, i * kWidth / 365, 1e-9);
  }
  EXPECT_NEAR(g.italianHourMarks[40].points[3].time,
              ItalianHourTime(20, DailyDeclinationAt(90), 45, 0), 1e-12);
  ExpectShadowLengths(m);
}

TEST(AltitudeDial, OnlyTheReceivingOutlineDialHoldsFineTraces) {
  DialModel m = AltitudeDial(12);
  m.planeDeclination = 10;
  m.planeInclination = 70;
  m.extraLength = 25;
  m.extraSwitch1 = 1;
  m.extraSwitch2 = 1;
  m.extraCoord2 = m.extraCoord3 = 30;
  m.extraCoord4 = m.extraCoord5 = 20;
  ComputeDialGeometry(m);
  ASSERT_NE(m.fine, nullptr);
  EXPECT_EQ(m.fine->modernHourCurvesFine[24].label, 12.0);

  // The plain part is the inclined declining dial's.
  DialModel inclined = AltitudeDial(11);
  inclined.planeDeclination = 10;
  inclined.planeInclination = 70;
  ComputeDialGeometry(inclined);
  EXPECT_EQ(m.styleHeight, inclined.styleHeight);
  EXPECT_EQ(m.substyleAngle, inclined.substyleAngle);
  for (int c = 0; c < 95; c += 5) {
    EXPECT_NEAR(m.geometry->modernHourCurves[20].points[c].x,
                inclined.geometry->modernHourCurves[20].points[c].x, 1e-9);
    EXPECT_NEAR(m.geometry->dayCurves[2].points[c].y, inclined.geometry->dayCurves[2].points[c].y,
                1e-9);
  }
  EXPECT_EQ(inclined.fine, nullptr);

  m.dialType = 13;
  ComputeDialGeometry(m);
  EXPECT_EQ(m.fine, nullptr);
}

}  // namespace
}  // namespace sundial
