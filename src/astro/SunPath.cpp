// Azimuth and altitude of the sun from its hour angle and declination.
#include "astro/SunPath.h"

#include <cmath>

#include "astro/DailySunTables.h"

namespace sundial {
namespace {

constexpr double kPi = 3.141592653589793;  // 4 atan(1)
constexpr double kRad = kPi / 180;

double HourAngleRadians(double hour, double correction) {
  return ((hour - 12) * 15 - correction) * kRad;
}

double Finite(double value, double replacement) {
  if (!(value == value) || value > 1e40 || value < -1e40) return replacement;
  return value;
}

}  // namespace

double SunAzimuthAtDeclination(double hour, double declination, double correction,
                               double latitude) {
  const double h = HourAngleRadians(hour, correction);
  const double phi = latitude * kRad;
  const double delta = declination * kRad;
  const double a =
      std::atan2(std::sin(h), std::cos(h) * std::sin(phi) - std::tan(delta) * std::cos(phi));
  return Finite(a * 180 / kPi, 180);
}

double SunAltitudeAtDeclination(double hour, double declination, double correction,
                                double latitude) {
  const double h = HourAngleRadians(hour, correction);
  const double phi = latitude * kRad;
  const double delta = declination * kRad;
  double s = std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(h);
  // Rounding can carry the sine of a sun at the zenith or nadir a hair past ±1; it stays there.
  if (s > 1) s = 1;
  if (s < -1) s = -1;
  return Finite(std::asin(s) * 180 / kPi, 0);
}

double SunAzimuthOnDay(double hour, int dayIndex, double correction, double latitude) {
  return SunAzimuthAtDeclination(hour, DailyDeclinationAt(dayIndex), correction, latitude);
}

double SunAzimuthOnDateLine(double hour, int dateLine, double correction, double latitude) {
  return SunAzimuthAtDeclination(hour, DateLineDeclination(dateLine), correction, latitude);
}

double SunAltitudeOnDay(double hour, int dayIndex, double correction, double latitude) {
  return SunAltitudeAtDeclination(hour, DailyDeclinationAt(dayIndex), correction, latitude);
}

double SunAltitudeOnDateLine(double hour, int dateLine, double correction, double latitude) {
  return SunAltitudeAtDeclination(hour, DateLineDeclination(dateLine), correction, latitude);
}

}  // namespace sundial
