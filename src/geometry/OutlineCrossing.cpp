#include "geometry/OutlineCrossing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sundial {

namespace {

// A point of the shadow line in the outline's own frame: u along the first half-axis, v along
// the second, origin at the outline's centre.
struct OutlineFrameLine {
  double u0;
  double v0;
  double du;
  double dv;
};

OutlineFrameLine ToOutlineFrame(const ShadowLine& line, const ReceivingOutline& outline) {
  const double x0 = line.p1.x - outline.centreX;
  const double y0 = line.p1.y - outline.centreY;
  const double dx = line.p2.x - line.p1.x;
  const double dy = line.p2.y - line.p1.y;
  const double c = outline.cosTurn;
  const double s = outline.sinTurn;
  return {x0 * c + y0 * s, -x0 * s + y0 * c, dx * c + dy * s, -dx * s + dy * c};
}

PlanePoint PointAt(const ShadowLine& line, double t) {
  return {line.p1.x + t * (line.p2.x - line.p1.x), line.p1.y + t * (line.p2.y - line.p1.y)};
}

OutlineCrossings CrossingsAt(const ShadowLine& line, const double* t, int count) {
  OutlineCrossings result{0, {}};
  for (int i = 0; i < count; ++i) result.points[result.count++] = PointAt(line, t[i]);
  return result;
}

OutlineCrossings IntersectEllipse(const ShadowLine& line, const ReceivingOutline& outline) {
  const OutlineFrameLine f = ToOutlineFrame(line, outline);
  // (u / a)^2 + (v / b)^2 = 1 along u = u0 + t du, v = v0 + t dv.
  const double ia2 = 1.0 / (outline.a * outline.a);
  const double ib2 = 1.0 / (outline.b * outline.b);
  const double qa = f.du * f.du * ia2 + f.dv * f.dv * ib2;
  const double qb = 2.0 * (f.u0 * f.du * ia2 + f.v0 * f.dv * ib2);
  const double qc = f.u0 * f.u0 * ia2 + f.v0 * f.v0 * ib2 - 1.0;
  if (!std::isfinite(qa) || !std::isfinite(qb) || !std::isfinite(qc) || qa == 0.0) {
    return {0, {}};
  }
  const double discriminant = qb * qb - 4.0 * qa * qc;
  if (!(discriminant >= 0.0) || !std::isfinite(discriminant)) return {0, {}};
  // The root without cancellation first, the other through the product of the roots.
  const double q = -0.5 * (qb + std::copysign(std::sqrt(discriminant), qb));
  double t[2] = {q / qa, q != 0.0 ? qc / q : q / qa};
  if (t[1] < t[0]) std::swap(t[0], t[1]);
  if (!std::isfinite(t[0]) || !std::isfinite(t[1])) return {0, {}};
  return CrossingsAt(line, t, discriminant == 0.0 || t[0] == t[1] ? 1 : 2);
}

OutlineCrossings IntersectRectangle(const ShadowLine& line, const ReceivingOutline& outline) {
  const OutlineFrameLine f = ToOutlineFrame(line, outline);
  const double a = std::fabs(outline.a);
  const double b = std::fabs(outline.b);
  // A crossing exactly at a corner must not fall between two sides by rounding.
  const double slack = 1e-12 * (a + b + std::fabs(f.u0) + std::fabs(f.v0));
  double t[4];
  int n = 0;
  auto keep = [&](double candidate) {
    if (std::isfinite(candidate)) t[n++] = candidate;
  };
  if (f.du != 0.0) {  // the two sides across the first axis (u = -a and u = +a)
    for (double side : {-a, a}) {
      const double c = (side - f.u0) / f.du;
      if (std::fabs(f.v0 + c * f.dv) <= b + slack) keep(c);
    }
  }
  if (f.dv != 0.0) {  // the two sides across the second axis
    for (double side : {-b, b}) {
      const double c = (side - f.v0) / f.dv;
      if (std::fabs(f.u0 + c * f.du) <= a + slack) keep(c);
    }
  }
  if (n == 0) return {0, {}};
  std::sort(t, t + n);
  // A convex outline meets a line in at most two points: the extreme ones. Candidates that
  // coincide (a corner reached from both of its sides) count once.
  const double scale = std::hypot(f.du, f.dv);
  const double first = t[0];
  const double last = t[n - 1];
  const bool same = (last - first) * scale <= slack;
  const double chosen[2] = {first, last};
  return CrossingsAt(line, chosen, same ? 1 : 2);
}

bool Between(double value, double end1, double end2) {
  return std::min(end1, end2) <= value && value <= std::max(end1, end2);
}

}  // namespace

ShadowLine MakeShadowLine(PlanePoint p1, PlanePoint p2) {
  const bool finite = std::isfinite(p1.x) && std::isfinite(p1.y) && std::isfinite(p2.x) &&
                      std::isfinite(p2.y) && std::isfinite(p2.x - p1.x) &&
                      std::isfinite(p2.y - p1.y);
  const bool distinct = p1.x != p2.x || p1.y != p2.y;
  return {p1, p2, finite && distinct, p1.x == p2.x};
}

double ShadowLineSlope(const ShadowLine& line) {
  return (line.p2.y - line.p1.y) / (line.p2.x - line.p1.x);
}

double ShadowLineIntercept(const ShadowLine& line) {
  return line.p1.y - ShadowLineSlope(line) * line.p1.x;
}

ReceivingOutline MakeReceivingOutline(bool ellipse, double a, double b, double centreX,
                                      double centreY, double turnDegrees) {
  const double turn = turnDegrees * (std::numbers::pi / 180.0);
  return {ellipse, a, b, centreX, centreY, std::cos(turn), std::sin(turn)};
}

OutlineCrossings IntersectOutline(const ShadowLine& line, const ReceivingOutline& outline) {
  if (!line.defined) return {0, {}};
  return outline.ellipse ? IntersectEllipse(line, outline) : IntersectRectangle(line, outline);
}

PlanePoint ChooseCrossing(const OutlineCrossings& crossings, const ShadowLine& line) {
  if (crossings.count <= 0) return {kOutlineMissed, kOutlineMissed};
  for (int i = 0; i < crossings.count; ++i) {
    const PlanePoint& c = crossings.points[i];
    if (Between(c.x, line.p1.x, line.p2.x) && Between(c.y, line.p1.y, line.p2.y)) return c;
  }
  const double mx = 0.5 * (line.p1.x + line.p2.x);
  const double my = 0.5 * (line.p1.y + line.p2.y);
  const PlanePoint& first = crossings.points[0];
  if (crossings.count == 1) return first;
  const PlanePoint& second = crossings.points[1];
  const double d1 = (first.x - mx) * (first.x - mx) + (first.y - my) * (first.y - my);
  const double d2 = (second.x - mx) * (second.x - mx) + (second.y - my) * (second.y - my);
  return d2 < d1 ? second : first;
}

PlanePoint ReadOutline(PlanePoint p1, PlanePoint p2, const ReceivingOutline& outline) {
  const ShadowLine line = MakeShadowLine(p1, p2);
  return ChooseCrossing(IntersectOutline(line, outline), line);
}

}  // namespace sundial
