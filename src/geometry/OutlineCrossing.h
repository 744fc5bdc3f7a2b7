// The reading of the dial traced onto a receiving outline: where the shadow of a straight rod
// crosses a closed outline (an ellipse or a rectangle) drawn on the plate.
//
// The rod joins two points above the plate. Their shadows P1 and P2 span the rod's shadow, and
// the straight line through them is intersected with the outline; of the (at most two) crossings
// one is chosen as the reading. All functions are pure and allocation-free; they are shared by
// the geometry of the traced dial and by the drawing of its live reading.
//
// Plate coordinates as everywhere on the dial: x to the right, y downward as seen facing the
// plate, lengths in the unit of gnomonLength.
#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/DialGeometry.h"

namespace sundial {

// The rod's shadow line, held by the two rod-point shadows it passes through. It is the line of
// slope (P2.y - P1.y) / (P2.x - P1.x) and its intercept, vertical when both x are equal; it is
// kept as P1 with the unit direction toward P2 instead, which stays exact for a nearly vertical
// shadow and for the very long shadows of a sun grazing the plate.
// `defined` is false when P1 and P2 coincide or either is not finite (the sun in the plate's
// own plane, a rod lying flat on its shadow): such a shadow has no line and crosses nothing.
struct ShadowLine {
  PlanePoint p1;
  PlanePoint p2;
  double ux;  // unit direction from P1 toward P2
  double uy;
  double length;  // |P2 - P1|
  bool defined;
  bool vertical;  // P1.x == P2.x
};

ShadowLine MakeShadowLine(PlanePoint p1, PlanePoint p2);

// Slope and intercept of a non-vertical shadow line (y = slope x + intercept).
double ShadowLineSlope(const ShadowLine& line);
double ShadowLineIntercept(const ShadowLine& line);

// The receiving outline of one step of the year.
//
// Half-axis `a` lies along the outline's own first axis, `b` along its second. The outline is
// centred at (centreX, centreY) and turned by `turnDegrees` in the plate's frame: the first axis
// points along (cos turn, sin turn) in plate coordinates, so a positive turn carries it from +x
// toward +y, which, y growing downward, looks clockwise to a person facing the plate.
//
// An ellipse with a zero (or non-finite) half-axis has no crossings: its equation divides by the
// half-axes. A rectangle with a zero half-axis is the segment it collapses to. The sign of a
// half-axis does not matter (a growing outline may shrink through zero).
struct ReceivingOutline {
  bool ellipse;  // false: rectangle
  double a;
  double b;
  double centreX;
  double centreY;
  double cosTurn;
  double sinTurn;
  double inverseA2;  // 1 / a^2 and 1 / b^2, the coefficients of the ellipse's equation
  double inverseB2;
};

ReceivingOutline MakeReceivingOutline(bool ellipse, double a, double b, double centreX,
                                      double centreY, double turnDegrees);

// The same outline with other half-axes (a growing outline keeps its centre and turn).
void SetHalfAxes(ReceivingOutline& outline, double a, double b);

// The crossings of a shadow line with an outline, ordered along the line from P1 toward P2;
// `along` is each crossing's signed distance from P1 in that direction.
struct OutlineCrossings {
  int count;  // 0, 1 or 2
  PlanePoint points[2];
  double along[2];
};

// Ellipse: the quadratic in the line's parameter, none when its discriminant is negative or a
// coefficient is not finite (a tangent line gives one double crossing, stored once).
// Rectangle: the line against each of the four sides, keeping the distinct crossings that lie on
// the rectangle (a line through a corner meets it once; a line along a side meets its corners).
// The line is parameterised from the foot of the perpendicular dropped on it from the outline's
// centre, so that a crossing lies on its outline to rounding even when P1 and P2 are far away.
OutlineCrossings IntersectOutline(const ShadowLine& line, const ReceivingOutline& outline);

// The reading among the crossings: the first crossing that lies on the shadow of the rod itself,
// between P1 and P2 in x and in y, which for a point of the line is between 0 and |P2 - P1| in
// `along`. Both bounds are inclusive: a crossing at the very end of the rod's shadow is on it,
// and a vertical (or horizontal) shadow, whose points all share P1's x (or y), can pass at all.
// Failing the first, the second under the same test; failing both, the crossing nearer the
// midpoint of P1 and P2 (the first on a tie). Without any crossing: (kOutlineMissed,
// kOutlineMissed).
PlanePoint ChooseCrossing(const OutlineCrossings& crossings, const ShadowLine& line);

// Shorthand for the three steps above.
PlanePoint ReadOutline(PlanePoint p1, PlanePoint p2, const ReceivingOutline& outline);

// ---- Definitions (inline: the traced dial reads about 1.3 million shadows in one run).

namespace outline_detail {

// The shadow line in the outline's own frame (u along the first half-axis, v along the second,
// origin at the centre): the foot of the perpendicular from the centre (u0, v0) and the unit
// direction (du, dv), so that the line's points are (u0 + s du, v0 + s dv). `foot` is the same
// foot in plate coordinates and `footAlong` its distance from P1 toward P2.
struct FrameLine {
  double u0;
  double v0;
  double du;
  double dv;
  PlanePoint foot;
  double footAlong;
};

inline FrameLine ToOutlineFrame(const ShadowLine& line, const ReceivingOutline& outline) {
  const double x0 = line.p1.x - outline.centreX;
  const double y0 = line.p1.y - outline.centreY;
  // Signed distance of the centre from the line, along the normal (-uy, ux).
  const double offset = -line.uy * x0 + line.ux * y0;
  const double fx = -line.uy * offset;
  const double fy = line.ux * offset;
  const double c = outline.cosTurn;
  const double s = outline.sinTurn;
  return {fx * c + fy * s,
          -fx * s + fy * c,
          line.ux * c + line.uy * s,
          -line.ux * s + line.uy * c,
          {outline.centreX + fx, outline.centreY + fy},
          -(x0 * line.ux + y0 * line.uy)};
}

// The crossings at distances s[0] <= s[1] from the foot (count 1 or 2).
inline OutlineCrossings CrossingsAt(const ShadowLine& line, const FrameLine& f, const double* s,
                                    int count) {
  OutlineCrossings result{0, {}, {}};
  for (int i = 0; i < count; ++i) {
    PlanePoint p{f.foot.x + s[i] * line.ux, f.foot.y + s[i] * line.uy};
    // A vertical or horizontal shadow keeps P1's x or y exactly.
    if (line.vertical) p.x = line.p1.x;
    if (line.p1.y == line.p2.y) p.y = line.p1.y;
    result.points[result.count] = p;
    result.along[result.count] = f.footAlong + s[i];
    ++result.count;
  }
  return result;
}

inline OutlineCrossings IntersectEllipse(const ShadowLine& line, const ReceivingOutline& outline) {
  const FrameLine f = ToOutlineFrame(line, outline);
  // (u / a)^2 + (v / b)^2 = 1 along the line.
  const double ia2 = outline.inverseA2;
  const double ib2 = outline.inverseB2;
  const double qa = f.du * f.du * ia2 + f.dv * f.dv * ib2;
  const double qb = 2.0 * (f.u0 * f.du * ia2 + f.v0 * f.dv * ib2);
  const double qc = f.u0 * f.u0 * ia2 + f.v0 * f.v0 * ib2 - 1.0;
  if (!std::isfinite(qa) || !std::isfinite(qb) || !std::isfinite(qc) || qa == 0.0) {
    return {0, {}, {}};
  }
  const double discriminant = qb * qb - 4.0 * qa * qc;
  if (!(discriminant >= 0.0) || !std::isfinite(discriminant)) return {0, {}, {}};
  // The root without cancellation first, the other through the product of the roots.
  const double q = -0.5 * (qb + std::copysign(std::sqrt(discriminant), qb));
  double s[2] = {q / qa, q != 0.0 ? qc / q : q / qa};
  if (s[1] < s[0]) std::swap(s[0], s[1]);
  if (!std::isfinite(s[0]) || !std::isfinite(s[1])) return {0, {}, {}};
  return CrossingsAt(line, f, s, s[0] == s[1] ? 1 : 2);
}

inline OutlineCrossings IntersectRectangle(const ShadowLine& line,
                                           const ReceivingOutline& outline) {
  const FrameLine f = ToOutlineFrame(line, outline);
  const double a = std::fabs(outline.a);
  const double b = std::fabs(outline.b);
  // A crossing exactly at a corner must not fall between two sides by rounding.
  const double slack = 1e-12 * (a + b + std::fabs(f.u0) + std::fabs(f.v0));
  // A convex outline meets a line in at most two points: keep the extreme candidates.
  double first = INFINITY;
  double last = -INFINITY;
  auto keep = [&](double candidate) {
    if (!std::isfinite(candidate)) return;
    first = std::min(first, candidate);
    last = std::max(last, candidate);
  };
  if (f.du != 0.0) {  // the two sides across the first axis (u = -a and u = +a)
    for (double side : {-a, a}) {
      const double s = (side - f.u0) / f.du;
      if (std::fabs(f.v0 + s * f.dv) <= b + slack) keep(s);
    }
  }
  if (f.dv != 0.0) {  // the two sides across the second axis
    for (double side : {-b, b}) {
      const double s = (side - f.v0) / f.dv;
      if (std::fabs(f.u0 + s * f.du) <= a + slack) keep(s);
    }
  }
  if (!(first <= last)) return {0, {}, {}};
  // Candidates that coincide (a corner reached from both of its sides) count once.
  const double s[2] = {first, last};
  return CrossingsAt(line, f, s, last - first <= slack ? 1 : 2);
}

}  // namespace outline_detail

inline ShadowLine MakeShadowLine(PlanePoint p1, PlanePoint p2) {
  const double dx = p2.x - p1.x;
  const double dy = p2.y - p1.y;
  // (hypot is exact but slow; it is needed only where the squares overflow.)
  double length = std::sqrt(dx * dx + dy * dy);
  if (length == INFINITY) length = std::hypot(dx, dy);
  const bool defined =
      std::isfinite(p1.x) && std::isfinite(p1.y) && std::isfinite(length) && length > 0.0;
  if (!defined) return {p1, p2, 0.0, 0.0, length, false, p1.x == p2.x};
  const double inverse = 1.0 / length;
  return {p1, p2, dx * inverse, dy * inverse, length, true, p1.x == p2.x};
}

inline double ShadowLineSlope(const ShadowLine& line) {
  return (line.p2.y - line.p1.y) / (line.p2.x - line.p1.x);
}

inline double ShadowLineIntercept(const ShadowLine& line) {
  return line.p1.y - ShadowLineSlope(line) * line.p1.x;
}

inline ReceivingOutline MakeReceivingOutline(bool ellipse, double a, double b, double centreX,
                                             double centreY, double turnDegrees) {
  const double turn = turnDegrees * (std::numbers::pi / 180.0);
  ReceivingOutline outline{ellipse, a, b, centreX, centreY, std::cos(turn), std::sin(turn), 0, 0};
  SetHalfAxes(outline, a, b);
  return outline;
}

inline void SetHalfAxes(ReceivingOutline& outline, double a, double b) {
  outline.a = a;
  outline.b = b;
  outline.inverseA2 = 1.0 / (a * a);
  outline.inverseB2 = 1.0 / (b * b);
}

inline OutlineCrossings IntersectOutline(const ShadowLine& line, const ReceivingOutline& outline) {
  if (!line.defined) return {0, {}, {}};
  return outline.ellipse ? outline_detail::IntersectEllipse(line, outline)
                         : outline_detail::IntersectRectangle(line, outline);
}

inline PlanePoint ChooseCrossing(const OutlineCrossings& crossings, const ShadowLine& line) {
  if (crossings.count <= 0) return {kOutlineMissed, kOutlineMissed};
  for (int i = 0; i < crossings.count; ++i) {
    if (0.0 <= crossings.along[i] && crossings.along[i] <= line.length) {
      return crossings.points[i];
    }
  }
  if (crossings.count == 1) return crossings.points[0];
  const double middle = 0.5 * line.length;
  const double d0 = std::fabs(crossings.along[0] - middle);
  const double d1 = std::fabs(crossings.along[1] - middle);
  return d1 < d0 ? crossings.points[1] : crossings.points[0];
}

inline PlanePoint ReadOutline(PlanePoint p1, PlanePoint p2, const ReceivingOutline& outline) {
  const ShadowLine line = MakeShadowLine(p1, p2);
  return ChooseCrossing(IntersectOutline(line, outline), line);
}

}  // namespace sundial
