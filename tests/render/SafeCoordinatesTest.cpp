// Whatever the dial's lines and the sun hold, the canvas receives only finite pixel values
// within the device limit, and a segment toward a far point keeps its direction.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PaintFixture.h"
#include "render/PlaneMapping.h"

namespace sundial {
namespace {

using namespace sundial::testing;

void ExpectSafe(const RecordingCanvas& c, const std::string& what) {
  const long long limit = static_cast<long long>(kDeviceLimit) + 4 * (c.Width() + c.Height());
  auto ok = [&](long long v) { return v >= -limit && v <= limit; };
  for (const CanvasOp& op : c.Ops()) {
    ASSERT_TRUE(ok(op.x) && ok(op.y)) << what << " " << CanvasOpName(op.kind);
    ASSERT_TRUE(ok(op.rect.left) && ok(op.rect.right) && ok(op.rect.top) && ok(op.rect.bottom))
        << what << " " << CanvasOpName(op.kind);
  }
}

// Fills every line with a mixture of ordinary, far, huge and non-finite values.
void Poison(DialModel& m) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double values[] = {10, -30, 9e9, -9e9, 5e8, nan, inf, -inf, 1e40, 40, 1e300, -2e7};
  int k = 0;
  auto next = [&] { return values[(k++ * 7) % std::size(values)]; };
  DialGeometry& g = *m.geometry;
  auto fill = [&](auto& curves) {
    for (auto& c : curves) {
      c.label = next();
      for (auto& p : c.points) {
        p.x = next();
        p.y = next();
        p.azimuth = (k % 3) * 10.0;
        p.altitude = 20;
      }
    }
  };
  fill(g.modernHourCurves);
  fill(g.italianHourCurves);
  fill(g.babylonianHourCurves);
  fill(g.temporaryHourCurves);
  fill(g.referenceHourCurves);
  fill(g.ascendantLineCurves);
  fill(g.eclipticHourCurves);
  fill(g.azimuthLineCurves);
  for (auto& c : g.almucantarCurves) {
    c.altitude = next();
    for (auto& p : c.points) {
      p.valid = 1;
      p.x = next();
      p.y = next();
      p.altitude = 20;
    }
  }
  for (auto& c : g.dayCurves) {
    for (auto& p : c.points) {
      p.x = next();
      p.y = next();
      p.altitude = 20;
    }
  }
  for (auto& l : g.modernHourLines) {
    l.hour = next();
    for (auto& p : l.meanTimeCurve) {
      p.x = next();
      p.y = next();
      p.altitude = 20;
    }
    for (auto& p : l.dateLineMarks) {
      p.x = next();
      p.y = next();
      p.altitude = 20;
    }
  }
}

TEST(SafeCoordinates, PoisonedLinesAndGrazingSunsOnEveryDialType) {
  for (int type = 0; type <= 14; ++type) {
    auto m = EmptyDial(type);
    Poison(*m);
    m->styleLength = 1e49;  // the polar dial's marker, read by the style root of every type
    m->styleHeight = 0.05;  // flat style: the construction and its shadow
    m->showAxes = m->showSubstyleLine = m->showGnomonConstruction = 1;
    m->showModernHours = m->showItalianHours = m->showBabylonianHours = 1;
    m->showTemporaryHours = m->showReferenceHours = m->showAscendantHalf = 1;
    m->showAscendantLines = m->showEclipticHalf = m->showEclipticHours = 1;
    m->showAzimuthLines = m->showAlmucantars = m->showIntermediateLines = 1;
    m->showEquinoxLine = m->showSolsticeLines = m->showSignLines = m->showNoonMark = 1;
    m->showMeanTimeRisingHalf = m->showMeanTimeFallingHalf = m->hourLinesAll = 1;
    m->showHorizon = 1;
    m->dateLineCount = 99;
    for (double azimuth : {0.0, 29.999, 89.99, -89.99, 135.0}) {
      for (double altitude : {1e-9, 0.0005, 30.0, 89.9999999, 90.0}) {
        RecordingCanvas canvas(640, 480);
        KeptMessages messages;
        PaintInput input = InputFor(*m);
        input.sunValid = 1;
        input.sunAzimuth = azimuth;
        input.sunAltitude = altitude;
        input.sunDeclination = 23.44;
        PaintDial(input, canvas, messages);
        ExpectSafe(canvas, "type " + std::to_string(type));
      }
    }
  }
}

TEST(SafeCoordinates, FarSegmentIsClippedAlongItsDirection) {
  auto m = EmptyDial(1);
  m->showModernHours = 1;
  auto& pts = m->geometry->modernHourCurves[0].points;
  StraightLine(pts, 2, 0, 0, 4e9, 1e9);  // below the absent-point threshold, far off the plate
  for (int k = 2; k < 95; ++k) pts[k] = pts[1];
  RecordingCanvas canvas(600, 600);
  KeptMessages messages;
  PaintDial(InputFor(*m), canvas, messages);
  const auto lines = LinesDrawnWith(canvas, Rgb{238, 231, 26}, PenStyle::Solid);
  ASSERT_FALSE(lines.empty());
  const CanvasOp& first = lines.front();
  // From (300, 300) toward a point four times as far right as down.
  EXPECT_EQ(first.x, static_cast<int>(kDeviceLimit));  // the origin is the canvas corner
  EXPECT_NEAR(double(first.y - 300) / double(first.x - 300), 0.25, 1e-6);
}

TEST(SafeCoordinates, InRangePointsMapExactlyAsBefore) {
  auto m = EmptyDial(0);
  const DeviceFrame f = DeviceFrame::For(*m, 777, 555);
  for (double x : {-100.0, -33.3, 0.0, 12.345, 99.99, 1e5, -1e5}) {
    int px, py;
    ASSERT_TRUE(f.Map(x, x, px, py));
    EXPECT_EQ(px, PlaneToDeviceX(x, *m, f.originX, f.originY, f.scale));
    EXPECT_EQ(py, PlaneToDeviceY(x, *m, f.originX, f.originY, f.scale));
  }
  int px, py;
  EXPECT_FALSE(f.Map(std::nan(""), 0, px, py));
  EXPECT_FALSE(f.Map(1e9, 0, px, py));
}

}  // namespace
}  // namespace sundial
