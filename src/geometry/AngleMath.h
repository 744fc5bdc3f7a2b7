// Degree-based trigonometry and the angle reductions the dial geometry shares. Every angle at the
// interfaces of the geometry is in degrees; these helpers keep the conversions in one place.
#pragma once

#include <cmath>
#include <numbers>

namespace sundial {

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
inline constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

inline double SinDeg(double a) { return std::sin(a * kRadiansPerDegree); }
inline double CosDeg(double a) { return std::cos(a * kRadiansPerDegree); }
inline double TanDeg(double a) { return std::tan(a * kRadiansPerDegree); }
inline double AsinDeg(double v) { return std::asin(v) * kDegreesPerRadian; }
inline double AcosDeg(double v) { return std::acos(v) * kDegreesPerRadian; }
inline double AtanDeg(double v) { return std::atan(v) * kDegreesPerRadian; }
inline double Atan2Deg(double y, double x) { return std::atan2(y, x) * kDegreesPerRadian; }

// One turn added or taken away at most: the wrap applied to every stored azimuth and altitude.
inline double WrapOnce(double a) {
  if (a > 180.0) return a - 360.0;
  if (a < -180.0) return a + 360.0;
  return a;
}

// Whole turns added or taken away until the angle lies in [-180, 180]. Non-finite angles are
// returned unchanged (no loop can bring them into range).
inline double ReduceToHalfTurn(double a) {
  if (!std::isfinite(a)) return a;
  if (a > 180.0 || a < -180.0) {
    a = std::remainder(a, 360.0);  // exact, in [-180, 180]
  }
  return a;
}

// Hours of an hour angle given in degrees (15 degrees to the hour).
inline double HoursOfAngle(double degrees) { return degrees / 15.0; }

}  // namespace sundial
