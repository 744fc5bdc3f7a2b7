// The rod's shadow against the receiving outline: crossings, the choice of the reading, and the
// degenerate outlines and shadows that must neither crash nor invent a point.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "geometry/OutlineCrossing.h"

namespace sundial {
namespace {

constexpr double kPi = 3.141592653589793;

// Position of a plate point in the outline's frame, computed from the turn angle directly.
PlanePoint InOutlineFrame(PlanePoint p, double cx, double cy, double turnDeg) {
  const double t = turnDeg * kPi / 180.0;
  const double x = p.x - cx, y = p.y - cy;
  return {x * std::cos(t) + y * std::sin(t), -x * std::sin(t) + y * std::cos(t)};
}

// 1 on the outline, below 1 inside.
double OutlineMeasure(bool ellipse, PlanePoint p, double a, double b, double cx, double cy,
                      double turnDeg) {
  const PlanePoint q = InOutlineFrame(p, cx, cy, turnDeg);
  if (ellipse) return std::sqrt(q.x * q.x / (a * a) + q.y * q.y / (b * b));
  return std::max(std::fabs(q.x) / std::fabs(a), std::fabs(q.y) / std::fabs(b));
}

// Distance of p from the line through p1 and p2.
double DistanceFromLine(PlanePoint p, PlanePoint p1, PlanePoint p2) {
  const double dx = p2.x - p1.x, dy = p2.y - p1.y;
  return std::fabs((p.x - p1.x) * dy - (p.y - p1.y) * dx) / std::hypot(dx, dy);
}

bool Missed(PlanePoint p) { return p.x == kOutlineMissed && p.y == kOutlineMissed; }

TEST(OutlineCrossing, EveryCrossingLiesOnItsOutlineAndOnTheShadowLine) {
  std::mt19937 rng(12);
  std::uniform_real_distribution<double> coord(-20.0, 20.0);
  std::uniform_real_distribution<double> size(0.5, 10.0);
  std::uniform_real_distribution<double> angle(-180.0, 180.0);
  int crossingsSeen[2] = {0, 0};
  for (int shape = 0; shape < 2; ++shape) {
    const bool ellipse = shape == 0;
    for (int i = 0; i < 4000; ++i) {
      const double a = size(rng), b = size(rng), cx = coord(rng), cy = coord(rng);
      const double turn = angle(rng);
      const PlanePoint p1{coord(rng), coord(rng)};
      // Every tenth shadow is exactly vertical or horizontal.
      PlanePoint p2{coord(rng), coord(rng)};
      if (i % 10 == 1) p2.x = p1.x;
      if (i % 10 == 2) p2.y = p1.y;
      const ReceivingOutline outline = MakeReceivingOutline(ellipse, a, b, cx, cy, turn);
      const ShadowLine line = MakeShadowLine(p1, p2);
      const OutlineCrossings crossings = IntersectOutline(line, outline);
      ASSERT_GE(crossings.count, 0);
      ASSERT_LE(crossings.count, 2);
      crossingsSeen[shape] += crossings.count;
      for (int k = 0; k < crossings.count; ++k) {
        const PlanePoint c = crossings.points[k];
        EXPECT_NEAR(OutlineMeasure(ellipse, c, a, b, cx, cy, turn), 1.0, 1e-9) << i;
        EXPECT_NEAR(DistanceFromLine(c, p1, p2), 0.0, 1e-9) << i;
        if (i % 10 == 1) {
          EXPECT_EQ(c.x, p1.x);
        }
        if (i % 10 == 2) {
          EXPECT_EQ(c.y, p1.y);
        }
      }
      if (crossings.count == 2) {  // ordered from P1 toward P2
        const double dx = p2.x - p1.x, dy = p2.y - p1.y;
        const PlanePoint c0 = crossings.points[0], c1 = crossings.points[1];
        EXPECT_LT((c0.x - p1.x) * dx + (c0.y - p1.y) * dy, (c1.x - p1.x) * dx + (c1.y - p1.y) * dy);
      }
      const PlanePoint reading = ChooseCrossing(crossings, line);
      EXPECT_EQ(Missed(reading), crossings.count == 0);
    }
  }
  // The sample is not vacuous: most random lines through this region meet the outline.
  EXPECT_GT(crossingsSeen[0], 2000);
  EXPECT_GT(crossingsSeen[1], 2000);
}

TEST(OutlineCrossing, TurnCarriesTheFirstHalfAxisFromXTowardDownwardY) {
  // Ellipse 2 x 1 at the origin; the vertical line x = 0 meets it at the length of the half-axis
  // that lies along y.
  const ShadowLine vertical = MakeShadowLine({0, -5}, {0, 5});
  const OutlineCrossings unturned =
      IntersectOutline(vertical, MakeReceivingOutline(true, 2, 1, 0, 0, 0));
  ASSERT_EQ(unturned.count, 2);
  EXPECT_NEAR(unturned.points[0].y, -1.0, 1e-12);
  EXPECT_NEAR(unturned.points[1].y, 1.0, 1e-12);
  const OutlineCrossings quarter =
      IntersectOutline(vertical, MakeReceivingOutline(true, 2, 1, 0, 0, 90));
  ASSERT_EQ(quarter.count, 2);
  EXPECT_NEAR(quarter.points[0].y, -2.0, 1e-12);
  EXPECT_NEAR(quarter.points[1].y, 2.0, 1e-12);
  // Turned by +30 degrees the long axis runs toward (cos 30, +sin 30): lower right on the plate.
  const double c = std::cos(kPi / 6), s = std::sin(kPi / 6);
  const ShadowLine alongAxis = MakeShadowLine({-10 * c, -10 * s}, {10 * c, 10 * s});
  const ReceivingOutline turned = MakeReceivingOutline(true, 2, 1, 0, 0, 30);
  const OutlineCrossings along = IntersectOutline(alongAxis, turned);
  ASSERT_EQ(along.count, 2);
  EXPECT_NEAR(along.points[1].x, 2 * c, 1e-12);
  EXPECT_NEAR(along.points[1].y, 2 * s, 1e-12);
  // ... and the same holds for a rectangle, whose corner then lies at the turned (2, 1).
  const ShadowLine diagonal = MakeShadowLine({0, 0}, {2 * c - s, 2 * s + c});
  const OutlineCrossings corner =
      IntersectOutline(diagonal, MakeReceivingOutline(false, 2, 1, 0, 0, 30));
  ASSERT_EQ(corner.count, 2);
  EXPECT_NEAR(corner.points[1].x, 2 * c - s, 1e-12);
  EXPECT_NEAR(corner.points[1].y, 2 * s + c, 1e-12);
}

TEST(OutlineCrossing, RectangleSidesCornersAndParallelShadows) {
  const ReceivingOutline rect = MakeReceivingOutline(false, 2, 1, 0, 0, 0);
  // Parallel to the long sides: only the short sides are crossed.
  OutlineCrossings c = IntersectOutline(MakeShadowLine({-5, 0.5}, {5, 0.5}), rect);
  ASSERT_EQ(c.count, 2);
  EXPECT_DOUBLE_EQ(c.points[0].x, -2);
  EXPECT_DOUBLE_EQ(c.points[1].x, 2);
  // Parallel to the short sides (vertical shadow).
  c = IntersectOutline(MakeShadowLine({1.5, 5}, {1.5, -5}), rect);
  ASSERT_EQ(c.count, 2);
  EXPECT_DOUBLE_EQ(c.points[0].y, 1);  // P1 lies below, so the lower side comes first
  EXPECT_DOUBLE_EQ(c.points[1].y, -1);
  // Along a side: its two corners.
  c = IntersectOutline(MakeShadowLine({-5, 1}, {5, 1}), rect);
  ASSERT_EQ(c.count, 2);
  EXPECT_DOUBLE_EQ(c.points[0].x, -2);
  EXPECT_DOUBLE_EQ(c.points[1].x, 2);
  // Through two opposite corners: each corner once.
  c = IntersectOutline(MakeShadowLine({-4, -2}, {4, 2}), rect);
  ASSERT_EQ(c.count, 2);
  EXPECT_DOUBLE_EQ(c.points[0].x, -2);
  EXPECT_DOUBLE_EQ(c.points[1].y, 1);
  // Touching a single corner.
  c = IntersectOutline(MakeShadowLine({3, 0}, {1, 2}), rect);
  ASSERT_EQ(c.count, 1);
  EXPECT_DOUBLE_EQ(c.points[0].x, 2);
  EXPECT_DOUBLE_EQ(c.points[0].y, 1);
  // Outside.
  EXPECT_EQ(IntersectOutline(MakeShadowLine({-5, 3}, {5, 3}), rect).count, 0);
}

TEST(OutlineCrossing, EllipseAndRectangleOfTheSameSizeCrossOnTheirOwnOutlines) {
  const ShadowLine line = MakeShadowLine({-1, -4}, {2, 3});
  const OutlineCrossings onEllipse =
      IntersectOutline(line, MakeReceivingOutline(true, 3, 2, 0.5, 0.2, 20));
  const OutlineCrossings onRectangle =
      IntersectOutline(line, MakeReceivingOutline(false, 3, 2, 0.5, 0.2, 20));
  ASSERT_EQ(onEllipse.count, 2);
  ASSERT_EQ(onRectangle.count, 2);
  for (int k = 0; k < 2; ++k) {
    EXPECT_NEAR(OutlineMeasure(true, onEllipse.points[k], 3, 2, 0.5, 0.2, 20), 1, 1e-12);
    EXPECT_NEAR(OutlineMeasure(false, onRectangle.points[k], 3, 2, 0.5, 0.2, 20), 1, 1e-12);
    // The ellipse lies inside the rectangle, so its crossings lie strictly inside the other.
    EXPECT_LT(OutlineMeasure(false, onEllipse.points[k], 3, 2, 0.5, 0.2, 20), 1 - 1e-6);
  }
}

TEST(OutlineCrossing, ReadingPrefersTheRodsOwnShadowThenTheMidpoint) {
  const ReceivingOutline circle = MakeReceivingOutline(true, 1, 1, 0, 0, 0);
  // Both crossings on the rod's shadow: the first from P1.
  PlanePoint r = ReadOutline({-3, 0}, {3, 0}, circle);
  EXPECT_NEAR(r.x, -1, 1e-12);
  r = ReadOutline({3, 0}, {-3, 0}, circle);
  EXPECT_NEAR(r.x, 1, 1e-12);
  // Only the second crossing lies on it.
  r = ReadOutline({0, 0}, {3, 0}, circle);
  EXPECT_NEAR(r.x, 1, 1e-12);
  // Neither: the one nearer the midpoint of the rod's shadow.
  r = ReadOutline({2, 0}, {3, 0}, circle);
  EXPECT_NEAR(r.x, 1, 1e-12);
  r = ReadOutline({-3, 0}, {-2, 0}, circle);
  EXPECT_NEAR(r.x, -1, 1e-12);
  // Inclusive bounds: a vertical (or horizontal) rod shadow has every point at P1's x (or y),
  // so with both crossings on it the first is read, not the one nearer the midpoint.
  r = ReadOutline({0, -1.2}, {0, 5}, circle);
  EXPECT_NEAR(r.y, -1, 1e-12);
  r = ReadOutline({-1.2, 0}, {5, 0}, circle);
  EXPECT_NEAR(r.x, -1, 1e-12);
  // (The same shadow slightly tilted reads the same.)
  r = ReadOutline({0, -1.2}, {1e-3, 5}, circle);
  EXPECT_NEAR(r.y, -1, 1e-6);
  // Tangent: the single touching point.
  r = ReadOutline({-3, 1}, {3, 1}, circle);
  EXPECT_NEAR(r.x, 0, 1e-6);
  EXPECT_NEAR(r.y, 1, 1e-12);
  // A miss.
  EXPECT_TRUE(Missed(ReadOutline({-3, 1.5}, {3, 1.5}, circle)));
}

TEST(OutlineCrossing, DegenerateOutlinesAndShadowsGiveNoInventedPoint) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // An ellipse without width has no outline to cross.
  EXPECT_TRUE(Missed(ReadOutline({-3, 0}, {3, 0}, MakeReceivingOutline(true, 0, 1, 0, 0, 0))));
  EXPECT_TRUE(Missed(ReadOutline({-3, 0}, {3, 0}, MakeReceivingOutline(true, 0, 0, 0, 0, 0))));
  // A rectangle without width is the segment it collapses to; without size, its centre.
  PlanePoint r = ReadOutline({-3, 0.5}, {3, 0.5}, MakeReceivingOutline(false, 0, 1, 0, 0, 0));
  EXPECT_DOUBLE_EQ(r.x, 0);
  EXPECT_DOUBLE_EQ(r.y, 0.5);
  EXPECT_TRUE(Missed(ReadOutline({-3, 1.5}, {3, 1.5}, MakeReceivingOutline(false, 0, 1, 0, 0, 0))));
  r = ReadOutline({-3, 0}, {3, 0}, MakeReceivingOutline(false, 0, 0, 0, 0, 0));
  EXPECT_DOUBLE_EQ(r.x, 0);
  // Negative half-axes (an outline shrunk through zero) are the same outline.
  r = ReadOutline({0, 0}, {5, 0}, MakeReceivingOutline(false, -2, -1, 0, 0, 0));
  EXPECT_DOUBLE_EQ(r.x, 2);
  // Coinciding rod shadows (both rod points over one foot, or a rod point at the plate under
  // the other) have no line.
  EXPECT_TRUE(
      Missed(ReadOutline({0.2, 0.1}, {0.2, 0.1}, MakeReceivingOutline(true, 1, 1, 0, 0, 0))));
  // Non-finite shadows (the sun in the plate's plane) and outlines.
  const ReceivingOutline circle = MakeReceivingOutline(true, 1, 1, 0, 0, 0);
  EXPECT_TRUE(Missed(ReadOutline({inf, 0}, {0, 0}, circle)));
  EXPECT_TRUE(Missed(ReadOutline({nan, 0}, {0, 0}, circle)));
  EXPECT_TRUE(Missed(ReadOutline({0, 0}, {-inf, inf}, circle)));
  EXPECT_TRUE(Missed(ReadOutline({-1e308, 0}, {1e308, 0}, circle)));
  for (bool ellipse : {true, false}) {
    EXPECT_TRUE(
        Missed(ReadOutline({-3, 0}, {3, 0}, MakeReceivingOutline(ellipse, nan, 1, 0, 0, 0))));
    EXPECT_TRUE(
        Missed(ReadOutline({-3, 0}, {3, 0}, MakeReceivingOutline(ellipse, 1, 1, nan, 0, 0))));
    EXPECT_TRUE(
        Missed(ReadOutline({-3, 0}, {3, 0}, MakeReceivingOutline(ellipse, 1, 1, 0, 0, inf))));
    // Huge but finite shadows: any reading that is given lies on its outline.
    r = ReadOutline({-1e200, 1e-200}, {1e200, 3e150},
                    MakeReceivingOutline(ellipse, 1e-3, 1e300, 0, 0, 45));
    if (!Missed(r)) {
      EXPECT_TRUE(std::isfinite(r.x) && std::isfinite(r.y));
    }
  }
}

}  // namespace
}  // namespace sundial
