// The shadows of the analemmatic, altitude and receiving-outline dials against the sundial's own
// theory, worked out here independently of the painter.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "PaintFixture.h"
#include "geometry/ComputeDialGeometry.h"
#include "geometry/DialLoader.h"
#include "render/AnalemmaticReading.h"
#include "render/PlaneMapping.h"
#include "render/SpecialFaces.h"
#include "render/Titles.h"
#include "render/Visibility.h"

namespace sundial::testing {
namespace {

constexpr double kDeg = std::numbers::pi / 180;
constexpr Rgb kBrown{146, 84, 18};

struct Sun {
  double azimuth;   // from the south, west positive
  double altitude;
};

// The sun of hour angle H (degrees, west positive) and declination d at latitude phi.
Sun SunAt(double phi, double H, double d) {
  const double p = phi * kDeg, h = H * kDeg, e = d * kDeg;
  const double alt = std::asin(std::sin(p) * std::sin(e) + std::cos(p) * std::cos(e) * std::cos(h));
  const double az = std::atan2(std::cos(e) * std::sin(h),
                               std::sin(p) * std::cos(e) * std::cos(h) - std::cos(p) * std::sin(e));
  return {az / kDeg, alt / kDeg};
}

std::unique_ptr<DialModel> AnalemmaticDial(int type, double latitude, double declination) {
  auto m = std::make_unique<DialModel>();
  ApplyDefaultDial(*m, true);
  m->dialType = type;
  m->latitude = latitude;
  m->planeDeclination = declination;
  m->planeInclination = type == 6 ? 90 : 0;
  m->localSolarTime = 1;
  m->gnomonLength = 20;
  m->lineExtent = 100;
  m->plateXMin = -150;
  m->plateXMax = 150;
  m->plateYMin = -150;
  m->plateYMax = 150;
  m->longitudeCorrection = LongitudeCorrection(*m);
  m->modelReady = 1;
  ComputeDialGeometry(*m);
  return m;
}

// The hour of a point on the ellipse of hour points, read back from the ellipse's equation.
double HourOnEllipse(const DialModel& m, PlanePoint p) {
  const double M = m.lineExtent;
  const double phi = m.latitude * kDeg;
  double sinA, cosA;
  if (m.dialType == 5) {
    sinA = p.x / M;
    cosA = -p.y / (M * std::sin(phi));
  } else {
    const double D = m.planeDeclination * kDeg;
    cosA = p.y / (M * std::cos(phi));
    sinA = (p.x / M + std::sin(D) * std::sin(phi) * cosA) / std::cos(D);
  }
  return 12 + std::atan2(sinA, cosA) / kDeg / 15;
}

TEST(AnalemmaticShadow, ReadingPointMarksTheHourWhereTheRayMeetsTheEllipse) {
  for (int type : {5, 6}) {
    auto m = AnalemmaticDial(type, 45, type == 6 ? 20 : 0);
    for (double d : {-20.0, -5.0, 0.0, 12.0, 23.0}) {
      for (double H = -60; H <= 60; H += 15) {
        const Sun sun = SunAt(45, H, d);
        if (sun.altitude < 3) continue;
        if (type == 6 && !ShadowVisible(*m, sun.azimuth, sun.altitude)) continue;
        const AnalemmaticShadowPoints s = AnalemmaticShadow(*m, sun.azimuth, sun.altitude, d);
        const PlanePoint r = AnalemmaticReadingPoint(*m, *m->geometry, s);
        // The reading point lies on the shadow's ray...
        const double cross = (s.tip.x - s.foot.x) * (r.y - s.foot.y) -
                             (s.tip.y - s.foot.y) * (r.x - s.foot.x);
        const double len = std::hypot(s.tip.x - s.foot.x, s.tip.y - s.foot.y);
        EXPECT_NEAR(cross / len, 0, 1e-9) << type << " " << d << " " << H;
        // ...within the spacing of the hour points (six minutes) of the ellipse...
        EXPECT_NEAR(HourOnEllipse(*m, r), 12 + H / 15, 0.06) << type << " " << d << " " << H;
        // ...and on it.
        const double onEllipse = std::hypot(r.x, r.y);
        double sinA = std::sin(H * kDeg), cosA = std::cos(H * kDeg);
        const double M = m->lineExtent, phi = 45 * kDeg, D = m->planeDeclination * kDeg;
        const PlanePoint exact =
            type == 5 ? PlanePoint{M * sinA, -M * std::sin(phi) * cosA}
                      : PlanePoint{M * (std::cos(D) * sinA - std::sin(D) * std::sin(phi) * cosA),
                                   M * std::cos(phi) * cosA};
        EXPECT_NEAR(onEllipse, std::hypot(exact.x, exact.y), 0.02 * M) << type << " " << d << " " << H;
      }
    }
  }
}

TEST(AnalemmaticShadow, QuickReadingFindsTheStepOfTheWalk) {
  auto m = AnalemmaticDial(5, 52, 0);
  std::vector<PlanePoint> hourPoints;
  for (const DialPoint& p : m->geometry->dayCurves[0].points) hourPoints.push_back({p.x, p.y});
  std::mt19937 random(7);
  std::uniform_real_distribution<double> place(-150, 150), angle(-180, 180);
  for (int i = 0; i < 25; ++i) {
    const PlanePoint foot{place(random) / 3, place(random) / 3};
    const double a = angle(random) * kDeg;
    const PlanePoint tip{foot.x + std::cos(a), foot.y + std::sin(a)};
    const AnalemmaticRay ray = AnalemmaticRay::Make(foot, tip, m->lineExtent);
    EXPECT_EQ(AnalemmaticReadingStep(ray, hourPoints), AnalemmaticReadingStepByWalk(ray, hourPoints))
        << i;
  }
  // A ray pointing away from every hour point stays at its foot; a ray from far outside
  // ends at its last step.
  const AnalemmaticRay outward = AnalemmaticRay::Make({0, 1000}, {0, 1001}, m->lineExtent);
  EXPECT_EQ(AnalemmaticReadingStep(outward, hourPoints), 0);
  const AnalemmaticRay far = AnalemmaticRay::Make({0, 5000}, {0, 4999}, m->lineExtent);
  EXPECT_EQ(AnalemmaticReadingStep(far, hourPoints), AnalemmaticReadingStepByWalk(far, hourPoints));
  EXPECT_EQ(AnalemmaticReadingStep(far, hourPoints), kAnalemmaticWalkSteps - 1);
}

std::unique_ptr<DialModel> AltitudeDial(int type) {
  auto m = EmptyDial(type);
  m->plateXMin = 0;
  m->plateXMax = 120;
  m->plateYMin = 0;
  m->plateYMax = 100;
  m->gnomonLength = 30;
  return m;
}

std::vector<CanvasOp> ShadowOps(const RecordingCanvas& c, CanvasOpKind kind) {
  std::size_t titles = 0;
  for (std::size_t i = 0; i < c.Ops().size(); ++i) {
    if (c.Ops()[i].kind == CanvasOpKind::DrawText && c.Ops()[i].text == kMakerAddress) titles = i;
  }
  std::vector<CanvasOp> out;
  for (std::size_t i = titles; i < c.Ops().size(); ++i) {
    if (c.Ops()[i].kind == kind && PenOf(c, c.Ops()[i]).color == kBrown) out.push_back(c.Ops()[i]);
  }
  return out;
}

RecordingCanvas PaintSun(const DialModel& m, double altitude, double declination, int day) {
  RecordingCanvas c(800, 600);
  KeptMessages messages;
  PaintInput input = InputFor(m);
  input.sunValid = 1;
  input.sunAltitude = altitude;
  input.sunDeclination = declination;
  input.dayOfYear = day;
  PaintDial(input, c, messages);
  return c;
}

TEST(AltitudeShadow, StickEndsAtGnomonTimesTanAltitudeOnTodaysPlace) {
  for (int type : {13, 14}) {
    auto m = AltitudeDial(type);
    const DeviceFrame f = DeviceFrame::For(*m, 800, 600);
    for (double altitude : {5.0, 30.0, 60.0}) {
      // 15 July: declination 21.5, the 196th day, whose hour points the calendar scale puts
      // at day index 195.
      const RecordingCanvas c = PaintSun(*m, altitude, 21.5, 196);
      const double x = type == 13 ? 120 * (21.5 + 23.44) / 46.88 : 120 * 195 / 365.0;
      int px, py, p0x, p0y;
      ASSERT_TRUE(f.Map(x, 30 * std::tan(altitude * kDeg), px, py));
      ASSERT_TRUE(f.Map(x, 0, p0x, p0y));
      const auto lines = ShadowOps(c, CanvasOpKind::LineTo);
      ASSERT_EQ(lines.size(), 1u) << type;
      EXPECT_EQ(lines[0].x, px) << type;
      EXPECT_EQ(lines[0].y, py) << type;
      const auto spots = ShadowOps(c, CanvasOpKind::Ellipse);
      ASSERT_EQ(spots.size(), 1u);
      EXPECT_EQ((spots[0].rect.left + spots[0].rect.right) / 2, px);
    }
  }
}

TEST(AltitudeShadow, NoStickAtOneHundredthOfADegree) {
  for (int type : {13, 14}) {
    auto m = AltitudeDial(type);
    EXPECT_TRUE(ShadowOps(PaintSun(*m, 0.01, 0, 80), CanvasOpKind::LineTo).empty());
    const auto lines = ShadowOps(PaintSun(*m, 0.011, 0, 80), CanvasOpKind::LineTo);
    ASSERT_EQ(lines.size(), 1u);
    const DeviceFrame f = DeviceFrame::For(*m, 800, 600);
    int px, py;
    const double x = type == 13 ? 120 * 23.44 / 46.88 : 120 * 79 / 365.0;
    ASSERT_TRUE(f.Map(x, 30 * std::tan(0.011 * kDeg), px, py));
    EXPECT_EQ(lines[0].y, py);
  }
}

TEST(ReceivingOutlineShadow, ReadingPointLiesOnTodaysOutlineAndOnTheRodsShadow) {
  DialModel m;
  ASSERT_EQ(LoadDial(std::string(SUNDIAL_SOURCE_DIR) + "/examples/type-12-receiving-ellipse-torino.vqr", m),
            LoadOutcome::File);
  ASSERT_NE(m.fine, nullptr);
  int read = 0;
  for (int day : {20, 100, 196, 300}) {
    for (double H = -75; H <= 75; H += 15) {
      const Sun sun = SunAt(m.latitude, H, 23.44 * std::sin(2 * std::numbers::pi * (day - 81) / 365));
      if (!ShadowVisible(m, sun.azimuth, sun.altitude)) continue;
      const RodReading r = ReceivingOutlineReading(m, sun.azimuth, sun.altitude, day);
      // The rod's shadow, worked out from the sun's direction on the plate.
      const PlateDirection p =
          InclinedPlateDirection(m.planeDeclination, m.planeInclination, sun.azimuth, sun.altitude);
      const double sx = std::sin(p.angle * kDeg) / std::tan(p.elevation * kDeg);
      const double sy = -std::cos(p.angle * kDeg) / std::tan(p.elevation * kDeg);
      const PlanePoint p1{m.extraLength * sx, m.extraLength * sy};
      const PlanePoint p2{m.extraValue3 + m.extraValue5 * sx, m.extraValue4 + m.extraValue5 * sy};
      EXPECT_NEAR(r.p1.x, p1.x, 1e-9 * (1 + std::fabs(p1.x)));
      EXPECT_NEAR(r.p2.y, p2.y, 1e-9 * (1 + std::fabs(p2.y)));
      if (std::fabs(r.reading.x) >= 1e10) continue;
      ++read;
      const double cross = (p2.x - p1.x) * (r.reading.y - p1.y) - (p2.y - p1.y) * (r.reading.x - p1.x);
      EXPECT_NEAR(cross / std::hypot(p2.x - p1.x, p2.y - p1.y), 0, 1e-6);
      // Today's outline: the half-axes grown by the part of the year gone by.
      const double f = (day - 1) / 365.0;
      const double forward = m.extraSwitch1 ? f : 1 - f;
      const double a = m.extraCoord2 + forward * (m.extraCoord3 - m.extraCoord2);
      const double b = m.extraCoord4 + forward * (m.extraCoord5 - m.extraCoord4);
      const double t = m.extraCoord1 * kDeg;
      const double dx = r.reading.x - m.extraCoord7, dy = r.reading.y - m.extraCoord6;
      const double u = dx * std::cos(t) + dy * std::sin(t);
      const double v = -dx * std::sin(t) + dy * std::cos(t);
      ASSERT_TRUE(m.extraSwitch2);
      EXPECT_NEAR(u * u / (a * a) + v * v / (b * b), 1, 2e-3) << day << " " << H;
    }
  }
  EXPECT_GT(read, 20);
}

}  // namespace
}  // namespace sundial::testing
