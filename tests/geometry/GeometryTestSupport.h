// Helpers of the geometry tests: dials built in code and plain vector geometry of the shadow,
// independent of the closed formulas of the projections.
#pragma once

#include <array>
#include <cmath>
#include <memory>
#include <numbers>

#include "geometry/ComputeDialGeometry.h"
#include "model/DialModel.h"

namespace sundial::testing {

inline constexpr double kRad = std::numbers::pi / 180.0;

using Vec = std::array<double, 3>;  // (toward south, toward east, up)

inline double Dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline Vec Cross(const Vec& a, const Vec& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline Vec Scale(const Vec& a, double k) { return {a[0] * k, a[1] * k, a[2] * k}; }
inline Vec Add(const Vec& a, const Vec& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }

// Unit vector toward the sun at azimuth A (from south, positive west) and altitude h, degrees.
inline Vec SunVector(double azimuth, double altitude) {
  return {std::cos(altitude * kRad) * std::cos(azimuth * kRad),
          -std::cos(altitude * kRad) * std::sin(azimuth * kRad), std::sin(altitude * kRad)};
}

// A plate: unit normal toward the nodus side and the unit vectors of x (right) and y (down) as
// seen facing it; the nodus stands `gnomon` above the origin along the normal.
struct Plate {
  Vec normal;
  Vec xAxis;
  Vec yAxis;
};

// Plate inclined `inclination` from the horizontal, facing azimuth `declination`.
inline Plate InclinedPlate(double declination, double inclination) {
  const double d = declination * kRad, z = inclination * kRad;
  Plate p;
  p.normal = Add(Scale(Vec{std::cos(d), -std::sin(d), 0}, std::sin(z)), Vec{0, 0, std::cos(z)});
  p.xAxis = {std::sin(d), std::cos(d), 0};
  p.yAxis = Cross(p.xAxis, p.normal);
  return p;
}

// Plate of an equatorial dial; upper face toward the north pole (type 3), lower face (type 4).
inline Plate EquatorialPlate(double latitude, bool upperFace) {
  const double f = latitude * kRad;
  const Vec pole{-std::cos(f), 0, std::sin(f)};
  Plate p;
  p.normal = upperFace ? pole : Scale(pole, -1);
  p.xAxis = upperFace ? Vec{0, 1, 0} : Vec{0, -1, 0};
  p.yAxis = Cross(p.xAxis, p.normal);
  return p;
}

// The shadow of the nodus: the ray from the nodus away from the sun, met with the plate.
inline std::array<double, 2> Shadow(const Plate& plate, double gnomon, const Vec& sun) {
  const Vec nodus = Scale(plate.normal, gnomon);
  const double t = gnomon / Dot(sun, plate.normal);
  const Vec p = Add(nodus, Scale(sun, -t));
  return {Dot(p, plate.xAxis), Dot(p, plate.yAxis)};
}

// Where the line through the nodus parallel to the earth's axis meets the plate: the centre of
// the straight hour lines.
inline std::array<double, 2> StyleRoot(const Plate& plate, double gnomon, double latitude) {
  const Vec axis{-std::cos(latitude * kRad), 0, std::sin(latitude * kRad)};
  const Vec nodus = Scale(plate.normal, gnomon);
  const double t = -gnomon / Dot(axis, plate.normal);
  const Vec p = Add(nodus, Scale(axis, t));
  return {Dot(p, plate.xAxis), Dot(p, plate.yAxis)};
}

// A dial with the given type and place; hour lines in local solar time unless a zone is given.
inline std::unique_ptr<DialModel> MakeDial(int type, double latitude, double declination = 0,
                                           double inclination = 90) {
  auto m = std::make_unique<DialModel>();
  ApplyDefaultDial(*m, true);
  m->dialType = type;
  m->latitude = latitude;
  m->planeDeclination = declination;
  m->planeInclination = inclination;
  m->localSolarTime = 1;
  m->secondZoneHours = kNoTimeZone;
  m->referenceAltitude = -6;
  m->referenceSide = 1;
  return m;
}

inline std::unique_ptr<DialModel> ComputedDial(int type, double latitude, double declination = 0,
                                               double inclination = 90) {
  auto m = MakeDial(type, latitude, declination, inclination);
  ComputeDialGeometry(*m);
  return m;
}

}  // namespace sundial::testing
