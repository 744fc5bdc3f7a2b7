// The reading point of an analemmatic dial: where the shadow of the movable stick, cast from
// its foot F toward the shadow's tip T, meets the ellipse of hour points.
//
// The reading is defined on a walk along the ray from F: steps k = 0 .. 9999 of lineExtent / 1000
// each (so up to ten semi-axes from the foot); at each step the nearest of the hour points is
// found, and the step whose nearest hour point is the nearest of all is the reading point (the
// first such step on ties).
#pragma once

#include <span>

#include "model/DialGeometry.h"

namespace sundial {

inline constexpr int kAnalemmaticWalkSteps = 10000;

// The place of step k on the ray: F + k * step * (cos, sin). Both ways of finding the reading
// compute the positions and distances with this same arithmetic, so that they agree to the bit.
struct AnalemmaticRay {
  PlanePoint foot;
  double cosDirection;
  double sinDirection;
  double step;  // lineExtent / 1000

  static AnalemmaticRay Make(PlanePoint foot, PlanePoint tip, double lineExtent);
  PlanePoint At(int k) const;
  double SquaredDistance(int k, const PlanePoint& q) const;
};

// The walk as defined: 10000 steps against every hour point. Returns the step.
int AnalemmaticReadingStepByWalk(const AnalemmaticRay& ray, std::span<const PlanePoint> hourPoints);

// The same step found with a few distance computations per hour point: the squared distance of
// one hour point along the ray is a parabola in k, least at the foot of the perpendicular from
// the point, so the least over all steps of the nearest hour point is reached at a step beside
// one of those feet. Only the steps around each foot are measured.
int AnalemmaticReadingStep(const AnalemmaticRay& ray, std::span<const PlanePoint> hourPoints);

}  // namespace sundial
