// The shadow read against the dial's own lines: for an instant of a chosen day, the spot the
// painter draws (the nodus shadow, or the sun's marker on a sky map) must lie on the geometry's
// date curve of that day and on its hour line of that instant. The sun comes from the same
// sun-path formulas the geometry uses, so only the painter's projection is on trial.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "PaintFixture.h"
#include "astro/CivilTime.h"
#include "astro/SunPath.h"
#include "geometry/ComputeDialGeometry.h"
#include "render/PlaneMapping.h"

namespace sundial {
namespace {

using namespace sundial::testing;

constexpr Rgb kBrown{146, 84, 18};

struct DialCase {
  int type;
  double latitude;
  double declination;
  double inclination;
  int day;
  int month;
};

std::unique_ptr<DialModel> MakeDial(const DialCase& c) {
  auto m = std::make_unique<DialModel>();
  ApplyDefaultDial(*m, true);
  m->dialType = c.type;
  m->latitude = c.latitude;
  m->planeDeclination = c.declination;
  m->planeInclination = c.inclination;
  m->localSolarTime = 1;
  m->lineExtent = 75;
  m->plateXMin = -150;
  m->plateXMax = 150;
  m->plateYMin = -150;
  m->plateYMax = 150;
  m->dateLineEnabled[0] = 1;
  m->dateLineDay[0] = c.day;
  m->dateLineMonth[0] = c.month;
  m->dateLineCount = 1;
  m->longitudeCorrection = LongitudeCorrection(*m);
  m->modelReady = 1;
  ComputeDialGeometry(*m);
  return m;
}

// The centre of the spot (types 0-4, 11) or of the sun's marker (sky maps), in pixels.
std::optional<std::pair<double, double>> SpotCentre(const RecordingCanvas& c, bool skyMap) {
  std::optional<std::pair<double, double>> found;
  for (const CanvasOp& op : c.Ops()) {
    if (op.kind != CanvasOpKind::Ellipse) continue;
    const RecordedObject* pen = c.Object(op.currentPen);
    const RecordedObject* brush = c.Object(op.currentBrush);
    if (!pen || pen->pen.color != kBrown || !brush) continue;
    if (skyMap != brush->stock) continue;
    found = {0.5 * (op.rect.left + op.rect.right), 0.5 * (op.rect.top + op.rect.bottom)};
  }
  return found;
}

double DistanceToPolyline(const DeviceFrame& f, const LineCurve& line, double x, double y) {
  double best = 1e300;
  for (int k = 0; k + 1 < 95; ++k) {
    const DialPoint& a = line.points[k];
    const DialPoint& b = line.points[k + 1];
    if (!(std::fabs(a.x) < 1e10 && std::fabs(b.x) < 1e10 && std::fabs(a.y) < 1e10 &&
          std::fabs(b.y) < 1e10)) {
      continue;
    }
    const double ax = f.originX + f.OffsetX(a.x), ay = f.originY + f.OffsetY(a.y);
    const double bx = f.originX + f.OffsetX(b.x), by = f.originY + f.OffsetY(b.y);
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0;
    t = std::fmax(0, std::fmin(1, t));
    best = std::fmin(best, std::hypot(ax + t * dx - x, ay + t * dy - y));
  }
  return best;
}

TEST(ShadowOnDial, SpotLiesOnTheDaysCurveAndTheHourLine) {
  const DialCase cases[] = {
      {0, 45.3825, 30, 90, 21, 6},   {0, 45.3825, -20, 90, 15, 2},
      {1, 45, 0, 0, 21, 6},          {1, -33.9, 0, 0, 10, 12},
      {2, 45, 0, 0, 1, 5},           {3, 45, 0, 0, 21, 6},
      {4, 45, 0, 0, 21, 12},         {7, 45, 0, 0, 21, 6},
      {8, 45, 0, 0, 5, 9},           {9, 45, 20, 90, 21, 6},
      {10, 45, -25, 90, 1, 8},       {11, 45, 20, 60, 21, 6},
      {11, 45, -15, 30, 10, 3},
  };
  int checked = 0;
  double worst = 0;
  for (const DialCase& c : cases) {
    auto m = MakeDial(c);
    const int dayIndex = DayOfYear(c.day, c.month) - 1;
    for (int index : {95, 110, 125, 140, 155}) {  // 9.5 h to 15.5 h
      const double hour = 0.1 * index;
      const double azimuth = SunAzimuthOnDay(hour, dayIndex, m->longitudeCorrection, m->latitude);
      const double altitude = SunAltitudeOnDay(hour, dayIndex, m->longitudeCorrection, m->latitude);
      RecordingCanvas canvas(900, 900);
      KeptMessages messages;
      PaintInput input = InputFor(*m);
      input.sunValid = 1;
      input.sunAzimuth = azimuth;
      input.sunAltitude = altitude;
      PaintDial(input, canvas, messages);
      const bool skyMap = c.type >= 7 && c.type <= 10;
      const auto spot = SpotCentre(canvas, skyMap);
      const std::string what = "type " + std::to_string(c.type) + " at " + std::to_string(hour);
      if (!spot) continue;  // the sun does not light this plate at that hour
      const DeviceFrame f = DeviceFrame::For(*m, 900, 900);
      const DialPoint& onCurve = m->geometry->dayCurves[7].points[index];
      const double cx = f.originX + f.OffsetX(onCurve.x);
      const double cy = f.originY + f.OffsetY(onCurve.y);
      const double dayError = std::hypot(spot->first - cx, spot->second - cy);
      EXPECT_LT(dayError, 1.5) << what;
      // Whole and half hours have hour lines; the instants above fall on them.
      const LineCurve& hourLine = m->geometry->modernHourCurves[index / 5];
      const double hourError = DistanceToPolyline(f, hourLine, spot->first, spot->second);
      EXPECT_LT(hourError, 2.0) << what;
      worst = std::fmax(worst, std::fmax(dayError, hourError));
      ++checked;
    }
  }
  EXPECT_GE(checked, 40);
  std::printf("shadow checked at %d instants, worst distance %.2f px\n", checked, worst);
}

}  // namespace
}  // namespace sundial
