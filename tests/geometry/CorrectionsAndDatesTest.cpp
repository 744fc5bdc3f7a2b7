// The hour-scale corrections, the user date lines, dates where the sun neither rises nor sets,
// and dials at the edges of what the reader accepts.
#include <gtest/gtest.h>

#include <cmath>

#include "GeometryTestSupport.h"
#include "astro/CivilTime.h"
#include "astro/SunPath.h"
#include "geometry/DialLayout.h"

namespace sundial::testing {
namespace {

TEST(Corrections, LocalSolarTimeIgnoresZoneAndLongitude) {
  auto m = MakeDial(0, 45);
  m->localSolarTime = 1;
  m->timeZone = 5;
  m->longitude = -100;
  ComputeDialGeometry(*m);
  EXPECT_EQ(m->longitudeCorrection, 0.0);
  // Noon line: the sun on the meridian on every date.
  for (int j = 0; j < 7; ++j) {
    EXPECT_NEAR(m->geometry->modernHourLines[24].dateLineMarks[static_cast<std::size_t>(j)].azimuth, -30.0 + 30.0, 30.0 + 1e-9);
  }
}

TEST(Corrections, ZoneMinutesTakeTheSignOfTheHours) {
  auto m = MakeDial(1, 45);
  m->localSolarTime = 0;
  m->longitude = 12.5;
  m->timeZone = -1;
  m->timeZoneMinutes = 30;
  ComputeDialGeometry(*m);
  EXPECT_DOUBLE_EQ(m->longitudeCorrection, -15 - 7.5 + 12.5);
  m->timeZone = 0;
  ComputeDialGeometry(*m);
  EXPECT_DOUBLE_EQ(m->longitudeCorrection, 7.5 + 12.5);
  // The noon of the sun falls at 12 + correction / 15 on the dial's clock.
  const double noon = 12.0 + m->longitudeCorrection / 15.0;
  EXPECT_NEAR(SunAzimuthOnDateLine(noon, 4, m->longitudeCorrection, 45), 0.0, 1e-9);
}

TEST(Corrections, ZoneNotGivenMeansLocalSolarTime) {
  // A file may give no zone (99) with localSolarTime clear: the hour lines must not move by
  // 1485 degrees plus the longitude.
  auto zoneless = MakeDial(0, 45.3825, 30);
  zoneless->localSolarTime = 0;
  zoneless->timeZone = kNoTimeZone;
  zoneless->longitude = -7.7;
  ComputeDialGeometry(*zoneless);
  EXPECT_EQ(zoneless->longitudeCorrection, 0.0);
  auto solar = ComputedDial(0, 45.3825, 30);
  for (int i = 0; i < kModernHourLineCount; ++i) {
    EXPECT_EQ(zoneless->geometry->modernHourLines[static_cast<std::size_t>(i)].lineAngle,
              solar->geometry->modernHourLines[static_cast<std::size_t>(i)].lineAngle);
  }
}

TEST(Corrections, MeanTimeFiguresUseTheSecondZone) {
  auto m = MakeDial(1, 45);
  m->longitude = -7.7;
  m->secondZoneHours = kNoTimeZone;
  EXPECT_EQ(MeanTimeCorrection(*m), 0.0);
  m->secondZoneHours = -3;
  m->secondZoneMinutes = 30;
  EXPECT_DOUBLE_EQ(MeanTimeCorrection(*m), -45 - 7.5 - 7.7);

  // With no second zone the figure of noon crosses the meridian where the equation of time is 0.
  m->secondZoneHours = kNoTimeZone;
  ComputeDialGeometry(*m);
  const HourLineRecord& noon = m->geometry->modernHourLines[24];
  const DialPoint& april = noon.meanTimeCurve[104];  // 15 April, equation of time about 0
  EXPECT_NEAR(april.x, 0.0, 0.05);
  const DialPoint& february = noon.meanTimeCurve[41];  // the sundial is 14 minutes slow
  EXPECT_LT(february.x, -1.0);  // the sun still east of the meridian at mean noon
}

TEST(DateLines, UserLinesWithoutCalendarCheck) {
  auto m = MakeDial(0, 45.3825, 30);
  m->dateLineEnabled[0] = 1;
  m->dateLineDay[0] = 31;
  m->dateLineMonth[0] = 2;  // 31 February: day 62 of the year, 3 March
  m->dateLineEnabled[1] = 1;
  m->dateLineDay[1] = 3;
  m->dateLineMonth[1] = 3;
  m->dateLineEnabled[2] = 1;  // day 0: left untouched
  m->dateLineDay[2] = 0;
  m->dateLineMonth[2] = 5;
  m->dateLineEnabled[3] = 0;  // switched off: left untouched
  m->dateLineDay[3] = 1;
  m->dateLineMonth[3] = 6;
  ComputeDialGeometry(*m);
  const auto& curves = m->geometry->dayCurves;
  ASSERT_EQ(DayOfYear(31, 2), 62);
  for (int k = 0; k < kDayPointCount; ++k) {
    EXPECT_EQ(curves[7].points[static_cast<std::size_t>(k)].x, curves[8].points[static_cast<std::size_t>(k)].x);
    EXPECT_EQ(curves[7].points[static_cast<std::size_t>(k)].y, curves[8].points[static_cast<std::size_t>(k)].y);
  }
  EXPECT_NE(curves[7].points[120].x, 0.0);
  for (int e : {9, 10}) {
    for (const DialPoint& p : curves[static_cast<std::size_t>(e)].points) {
      EXPECT_EQ(p.x, 0.0);
      EXPECT_EQ(p.y, 0.0);
    }
  }
}

TEST(DateLines, DaysFarOutsideTheYearTakeTheTablesEnds) {
  auto m = MakeDial(1, 45);
  m->dateLineEnabled[0] = 1;
  m->dateLineDay[0] = 2147483647;
  m->dateLineMonth[0] = 12;
  m->dateLineEnabled[1] = 1;
  m->dateLineDay[1] = -2147483647 - 1;
  m->dateLineMonth[1] = 1;
  m->dateLineEnabled[2] = 1;
  m->dateLineDay[2] = 31;
  m->dateLineMonth[2] = 12;
  m->dateLineEnabled[3] = 1;
  m->dateLineDay[3] = 1;
  m->dateLineMonth[3] = 1;
  ComputeDialGeometry(*m);
  const auto& curves = m->geometry->dayCurves;
  EXPECT_EQ(curves[7].points[130].x, curves[9].points[130].x);   // as 31 December
  EXPECT_EQ(curves[8].points[130].x, curves[10].points[130].x);  // as 1 January

  // The dial traced onto a receiving outline reads its user lines from its own fine trace.
  auto traced = MakeDial(12, 45);
  traced->planeDeclination = 20;
  traced->planeInclination = 60;
  traced->extraLength = 25;
  traced->extraValue3 = 10;
  traced->extraValue4 = 5;
  traced->extraValue5 = 15;
  traced->extraSwitch1 = traced->extraSwitch2 = 1;
  traced->extraCoord1 = 25;
  traced->extraCoord2 = 20;
  traced->extraCoord3 = 40;
  traced->extraCoord4 = 10;
  traced->extraCoord5 = 30;
  traced->dateLineEnabled = m->dateLineEnabled;
  traced->dateLineDay = m->dateLineDay;
  traced->dateLineMonth = m->dateLineMonth;
  ComputeDialGeometry(*traced);
  ASSERT_TRUE(traced->fine);
  const auto& fine = traced->fine->dayCurvesFine;
  EXPECT_EQ(fine[13].points[1200].x, fine[15].points[1200].x);  // as 31 December
  EXPECT_NE(fine[15].points[1200].x, fine[16].points[1200].x);
}

TEST(DateLines, NoSunriseOrSunsetMeansNoPoint) {
  // Latitude 70: the summer-solstice sun never sets, the winter one never rises.
  auto m = ComputedDial(1, 70);
  const DialGeometry& g = *m->geometry;
  for (const LineMarks& line : g.italianHourMarks) {
    EXPECT_EQ(line.points[6].x, kNoPoint);
    EXPECT_EQ(line.points[6].y, kNoPoint);
    EXPECT_EQ(line.points[0].x, kNoPoint);
    EXPECT_NE(line.points[3].x, kNoPoint);  // the equinox exists
  }
  for (const LineMarks& line : g.babylonianHourMarks) EXPECT_EQ(line.points[6].x, kNoPoint);
  for (const LineMarks& line : g.temporaryHourMarks) EXPECT_EQ(line.points[0].y, kNoPoint);
  for (const LineCurve& c : g.temporaryHourCurves) {
    EXPECT_EQ(c.points[94].x, kNoPoint);  // declination 23.44
    EXPECT_EQ(c.points[0].x, kNoPoint);   // declination -23.44
  }
}

TEST(DateLines, AzimuthLineWithoutSunIsMarked) {
  // At latitude 10 the winter sun never stands due north.
  auto m = ComputedDial(1, 10);
  const LineMarks& north = m->geometry->azimuthLineMarks[18];
  ASSERT_EQ(north.label, 180.0);
  EXPECT_EQ(north.points[0].x, kNoPoint);
  EXPECT_EQ(north.points[0].y, kNoPoint);
  EXPECT_EQ(north.points[0].altitude, -90.0);
  EXPECT_EQ(m->geometry->azimuthLineMarks[36].label, 0.0);
  EXPECT_EQ(m->geometry->azimuthLineMarks[19].label, -170.0);
}

TEST(DateLines, AlmucantarCurveValidOnlyWhereTheSunGoes) {
  auto m = ComputedDial(1, 45);
  for (const FlaggedDialPoint& p : m->geometry->almucantarCurves[18].points) {
    if (&p - m->geometry->almucantarCurves[18].points.data() > 360) break;
    EXPECT_EQ(p.valid, 0);  // no zenith sun outside the tropics
  }
  auto tropic = ComputedDial(1, 15);
  EXPECT_EQ(tropic->geometry->almucantarCurves[18].points[0].valid, 1);
  // Stored azimuths of the curve run -180 <= A < 180.
  auto wall = ComputedDial(9, 45, 30);
  EXPECT_EQ(wall->geometry->almucantarCurves[4].points[210].azimuth, -180.0);
  EXPECT_EQ(wall->geometry->almucantarCurves[4].points[0].azimuth, -30.0);
}

TEST(BadInput, EveryAcceptedDialComputes) {
  // Edges the reader accepts: latitude 0 and +-90, plane declination +-180, a tiny and a huge
  // gnomon. No crash, hang or undefined behaviour, in any dial type.
  struct Edge {
    double latitude, declination, gnomon;
  };
  const Edge edges[] = {{0, 30, 25},     {90, 30, 25},     {-90, 30, 25},   {45, -180, 25},
                        {45, 180, 25},   {45, 30, 1e-9},   {45, 30, 1e9},   {90, 180, 1e9},
                        {-90, -180, 1e-9}, {0, 180, 1e-9}};
  for (int type = 0; type <= 14; ++type) {
    for (const Edge& e : edges) {
      auto m = MakeDial(type, e.latitude, e.declination, 90);
      m->gnomonLength = e.gnomon;
      m->lineExtent = 3 * e.gnomon;
      m->localSolarTime = 0;
      m->timeZone = 12;
      m->timeZoneMinutes = 45;
      m->longitude = -180;
      m->dateLineEnabled[0] = 1;
      m->dateLineDay[0] = -40;
      m->dateLineMonth[0] = 14;
      ComputeDialGeometry(*m);
      ASSERT_NE(m->geometry, nullptr);
      if (type <= 11) {
        // The labels exist whatever the geometry.
        EXPECT_EQ(m->geometry->modernHourLines[48].hour, 24.0);
      }
    }
  }
}

TEST(BadInput, UnknownTypeComputesOnlyTheCorrection) {
  DialModel m;
  ApplyDefaultDial(m, true);
  m.dialType = 15;
  ComputeDialGeometry(m);
  EXPECT_DOUBLE_EQ(m.longitudeCorrection, LongitudeCorrection(m));
  EXPECT_EQ(m.geometry, nullptr);
}

}  // namespace
}  // namespace sundial::testing
