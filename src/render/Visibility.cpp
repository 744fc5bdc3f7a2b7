#include "render/Visibility.h"

#include <cmath>
#include <numbers>

namespace sundial {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// The shadow of a vertical wall's gnomon is read only while the sun is this close to the
// wall's normal; beyond it the shadow runs off to infinity.
constexpr double kWallGrazingLimit = 89.99;

}  // namespace

double WrapOnce(double degrees) {
  if (degrees > 180) return degrees - 360;
  if (degrees < -180) return degrees + 360;
  return degrees;
}

PlateDirection PolarPlateDirection(double latitude, double azimuth, double altitude) {
  const double phi = latitude * kDegree;
  const double a = azimuth * kDegree;
  const double h = altitude * kDegree;
  const double sinE = std::sin(phi) * std::cos(h) * std::cos(a) + std::cos(phi) * std::sin(h);
  const double w = std::atan2(std::sin(a) * std::cos(h),
                              std::cos(phi) * std::cos(h) * std::cos(a) - std::sin(phi) * std::sin(h));
  return {std::asin(std::fmax(-1.0, std::fmin(1.0, sinE))) / kDegree, w / kDegree};
}

PlateDirection InclinedPlateDirection(double declination, double inclination, double azimuth,
                                      double altitude) {
  return InclinedPlate(declination, inclination).Direction(azimuth, altitude);
}

InclinedPlate::InclinedPlate(double declination, double inclination)
    : cosD_(std::cos(declination * kDegree)),
      sinD_(std::sin(declination * kDegree)),
      cosZ_(std::cos(inclination * kDegree)),
      sinZ_(std::sin(inclination * kDegree)) {}

InclinedPlate::OnPlate InclinedPlate::Turn(double azimuth, double altitude) const {
  const double az = azimuth * kDegree;
  const double h = altitude * kDegree;
  const double a = std::cos(h) * std::cos(az);   // toward south
  const double b = -std::cos(h) * std::sin(az);  // toward east
  const double c = std::sin(h);                  // up
  const double p = cosD_ * a - sinD_ * b;
  const double q = sinD_ * a + cosD_ * b;
  const double n = sinZ_ * p + cosZ_ * c;
  const double r = cosZ_ * p - sinZ_ * c;
  return {n, q, r};
}

double InclinedPlate::Elevation(double azimuth, double altitude) const {
  const OnPlate t = Turn(azimuth, altitude);
  return std::atan(t.n / std::sqrt(t.r * t.r + t.q * t.q)) / kDegree;
}

PlateDirection InclinedPlate::Direction(double azimuth, double altitude) const {
  const OnPlate t = Turn(azimuth, altitude);
  return {std::atan(t.n / std::sqrt(t.r * t.r + t.q * t.q)) / kDegree,
          std::atan2(-t.q, t.r) / kDegree};
}

bool PointVisible(const DialModel& m, double azimuth, double altitude, bool dayCurve) {
  switch (m.dialType) {
    case 0:
    case 9:
    case 10: {
      const double bound = dayCurve ? kWallGrazingLimit : 90.0;
      return -bound < azimuth && azimuth < bound;
    }
    case 1:
    case 7:
    case 8:
      return altitude > 0;
    case 2:
      return PolarPlateDirection(m.latitude, azimuth, altitude).elevation > 0;
    case 3:
      return PolarPlateDirection(m.latitude - 90, azimuth, altitude).elevation > 0;
    case 4:
      return PolarPlateDirection(m.latitude + 90, azimuth, altitude).elevation > 0;
    case 11:
      return InclinedPlateDirection(m.planeDeclination, m.planeInclination, azimuth, altitude)
                 .elevation > 0;
    case 13:
    case 14:
      // A sun below the horizon would cast its shadow upward, above the horizontal gnomon and
      // off the cylinder: only the daylight parts of the lines are on the dial.
      return altitude >= 0;
    default:
      return true;
  }
}

bool ShadowVisible(const DialModel& m, double sunAzimuth, double sunAltitude) {
  const double e = sunAltitude;
  switch (m.dialType) {
    case 0:
    case 6:
    case 9:
    case 10:
      return std::fabs(WrapOnce(sunAzimuth - m.planeDeclination)) <= kWallGrazingLimit && e >= 0;
    case 1:
    case 7:
    case 8:
      return e > 0;
    case 2:
      return PolarPlateDirection(m.latitude, sunAzimuth, e).elevation > 0 && e > 0;
    case 3:
      return PolarPlateDirection(m.latitude - 90, sunAzimuth, e).elevation > 0 && e > 0;
    case 4:
      return PolarPlateDirection(m.latitude + 90, sunAzimuth, e).elevation > 0 && e > 0;
    case 11:
      return InclinedPlateDirection(m.planeDeclination, m.planeInclination, sunAzimuth, e)
                     .elevation > 0 &&
             e > 0;
    case 5:
      return e >= 0;
    case 12:
      return e >= 0 &&
             InclinedPlateDirection(m.planeDeclination, m.planeInclination, sunAzimuth, e)
                     .elevation >= 0;
    case 13:
    case 14:
      return e > 0.01;
    default:
      return false;
  }
}

}  // namespace sundial
