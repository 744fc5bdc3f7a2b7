#include "render/AnalemmaticReading.h"

#include <cmath>
#include <limits>

namespace sundial {

AnalemmaticRay AnalemmaticRay::Make(PlanePoint foot, PlanePoint tip, double lineExtent) {
  const double direction = std::atan2(tip.y - foot.y, tip.x - foot.x);
  return {foot, std::cos(direction), std::sin(direction), lineExtent / 1000.0};
}

PlanePoint AnalemmaticRay::At(int k) const {
  const double along = k * step;
  return {foot.x + along * cosDirection, foot.y + along * sinDirection};
}

double AnalemmaticRay::SquaredDistance(int k, const PlanePoint& q) const {
  const PlanePoint p = At(k);
  const double dx = p.x - q.x;
  const double dy = p.y - q.y;
  return dx * dx + dy * dy;
}

int AnalemmaticReadingStepByWalk(const AnalemmaticRay& ray, std::span<const PlanePoint> hourPoints) {
  int best = 0;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (int k = 0; k < kAnalemmaticWalkSteps; ++k) {
    double nearest = std::numeric_limits<double>::infinity();
    for (const PlanePoint& q : hourPoints) nearest = std::fmin(nearest, ray.SquaredDistance(k, q));
    if (nearest < bestDistance) {
      bestDistance = nearest;
      best = k;
    }
  }
  return best;
}

int AnalemmaticReadingStep(const AnalemmaticRay& ray, std::span<const PlanePoint> hourPoints) {
  // A ray without length (no extent, or none that is a number) stays at the foot: every step
  // is step 0's place, and the walk keeps the first.
  if (!(ray.step > 0) || !std::isfinite(ray.step)) return 0;
  int best = 0;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (const PlanePoint& q : hourPoints) {
    const double along = ((q.x - ray.foot.x) * ray.cosDirection +
                          (q.y - ray.foot.y) * ray.sinDirection) / ray.step;
    if (!std::isfinite(along)) continue;
    // One step either side of the two steps around the foot covers the rounding of the
    // positions; beyond them the parabola only grows.
    const double clamped = std::fmin(std::fmax(along, -2.0), kAnalemmaticWalkSteps - 1.0);
    const int low = static_cast<int>(std::floor(clamped));
    for (int k = low - 1; k <= low + 2; ++k) {
      if (k < 0 || k >= kAnalemmaticWalkSteps) continue;
      const double d = ray.SquaredDistance(k, q);
      if (d < bestDistance || (d == bestDistance && k < best)) {
        bestDistance = d;
        best = k;
      }
    }
  }
  return best;
}

}  // namespace sundial
