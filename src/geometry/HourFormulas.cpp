#include "geometry/HourFormulas.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "geometry/AngleMath.h"

namespace sundial {

namespace {

constexpr double kObliquityRadians = 0.4091051766674705;  // 23.44 degrees

// Declinations of the ecliptic points that rise at the ascendant lines 0..24 (longitudes
// -90, -75, ..., 270), rounded as a dial maker's table gives them.
constexpr std::array<double, 25> kAscendantDeclination = {
    -23.44, -23, -20, -16.5, -11.5, -6, 0,   6,     11.5,  16.5,  20,  23,    23.44,
    23,     20,  16.5, 11.5, 6,     0,  -6,  -11.5, -16.5, -20,   -23, -23.44};

// Declinations of the sun on the 13 sign dates: the winter solstice, the entries into the signs
// on the rising half of the ecliptic, the summer solstice, then the falling half.
constexpr std::array<double, 13> kSignDateDeclination = {
    -23.44, -20, -11.5, 0, 11.5, 20, 23.44, 20, 11.5, 0, -11.5, -20, -23.44};

// asin of a ratio that rounding may push a hair beyond +-1 at the solstices.
double ClampedAsinDeg(double v) { return AsinDeg(std::clamp(v, -1.0, 1.0)); }

}  // namespace

double SunsetHourAngle(double declination, double latitude) {
  return AcosDeg(-TanDeg(latitude) * TanDeg(declination));
}

double AddDayIfNegative(double time) { return time < 0 ? time + 24.0 : time; }

double WrapIntoDay(double time) {
  if (time < 0) return time + 24.0;
  if (time >= 24.0) return time - 24.0;
  return time;
}

double ItalianHourTime(double label, double declination, double latitude, double correction) {
  const double h0 = SunsetHourAngle(declination, latitude);
  return AddDayIfNegative(12.0 + (h0 + 15.0 * label - 360.0 + correction) / 15.0);
}

double BabylonianHourTime(double label, double declination, double latitude, double correction) {
  const double h0 = SunsetHourAngle(declination, latitude);
  return AddDayIfNegative(12.0 + (15.0 * label - 360.0 - h0 + correction) / 15.0);
}

double TemporaryHourTime(double label, double declination, double latitude, double correction) {
  const double halfDay = HoursOfAngle(SunsetHourAngle(declination, latitude));
  const double rise = 12.0 - halfDay;
  const double set = 12.0 + halfDay;
  return AddDayIfNegative(rise + (set - rise) / 12.0 * label + correction / 15.0);
}

double ReferenceHourTime(double label, double declination, double latitude, double correction,
                         double referenceAltitude, bool evening) {
  const double h1 = AcosDeg((SinDeg(referenceAltitude) - SinDeg(latitude) * SinDeg(declination)) /
                            (CosDeg(latitude) * CosDeg(declination)));
  const double side = evening ? 1.0 : -1.0;
  return AddDayIfNegative((side * h1 + correction) / 15.0 + (label - 12.0));
}

double EclipticDeclination(double longitude) {
  return std::asin(std::sin(kObliquityRadians) * SinDeg(longitude)) * kDegreesPerRadian;
}

double EclipticRightAscensionHours(double longitude) {
  return HoursOfAngle(Atan2Deg(std::cos(kObliquityRadians) * SinDeg(longitude), CosDeg(longitude)));
}

double SignDateDeclination(int signDate) {
  return kSignDateDeclination[static_cast<std::size_t>(std::clamp(signDate, 0, 12))];
}

double SignDateLongitude(int signDate) {
  const double risingHalf =
      ClampedAsinDeg(SinDeg(SignDateDeclination(signDate)) / std::sin(kObliquityRadians));
  return signDate <= 6 ? risingHalf : 180.0 - risingHalf;
}

double AscendantLineTime(int line, double sunLongitude, double latitude, double correction) {
  const int k = std::clamp(line, 0, 24);
  const double pointLongitude = 15.0 * k - 90.0;
  const double pointDeclination = kAscendantDeclination[static_cast<std::size_t>(k)];
  const double pointRising = 12.0 - HoursOfAngle(SunsetHourAngle(pointDeclination, latitude));
  const double pointRightAscension = EclipticRightAscensionHours(pointLongitude);
  const double sunRightAscension = EclipticRightAscensionHours(sunLongitude);
  return AddDayIfNegative(pointRising - sunRightAscension + correction / 15.0 +
                          pointRightAscension);
}

double EclipticHourTime(int line, double sunLongitude, double latitude, double correction) {
  const double risenLongitude = sunLongitude + 7.5 * line;
  const double risenDeclination = EclipticDeclination(risenLongitude);
  const double rising = 12.0 - HoursOfAngle(SunsetHourAngle(risenDeclination, latitude));
  const double sunRightAscension = EclipticRightAscensionHours(sunLongitude);
  return AddDayIfNegative(rising - sunRightAscension + correction / 15.0 +
                          EclipticRightAscensionHours(risenLongitude));
}

std::optional<double> AzimuthLineAltitude(double azimuth, double declination, double latitude) {
  // sin(dec) = sin(lat) sin(h) + b cos(h), b = -cos(lat) cos(A); with t = tan(h/2) this is the
  // quadratic -(sin dec + b) t^2 + 2 sin(lat) t + (b - sin dec) = 0.
  const double sinLat = SinDeg(latitude);
  const double sinDec = SinDeg(declination);
  const double b = -CosDeg(latitude) * CosDeg(azimuth);
  const double discriminant = 4.0 * (sinLat * sinLat + b * b - sinDec * sinDec);
  if (!(discriminant >= 0)) return std::nullopt;

  // Both roots in the cancellation-free form, so that a vanishing leading coefficient leaves
  // the finite root intact.
  const double qa = -(sinDec + b);
  const double qb = 2.0 * sinLat;
  const double qc = b - sinDec;
  const double q = -0.5 * (qb + std::copysign(std::sqrt(discriminant), qb));
  const double roots[2] = {q / qa, qc / q};

  std::optional<double> best;
  for (double t : roots) {
    if (!std::isfinite(t) || std::fabs(t) > 1.0) continue;  // altitude beyond +-90
    const double h = 2.0 * AtanDeg(t);
    // The hour angle of this direction must give back the line's azimuth for the sun of this
    // declination; only then is (azimuth, h) a place the sun really passes.
    if (90.0 - std::fabs(h) > 1e-9) {
      const double hourAngle =
          Atan2Deg(SinDeg(azimuth), CosDeg(azimuth) * sinLat + TanDeg(h) * CosDeg(latitude));
      const double back =
          Atan2Deg(SinDeg(hourAngle),
                   CosDeg(hourAngle) * sinLat - TanDeg(declination) * CosDeg(latitude));
      if (std::fabs(std::remainder(back - azimuth, 360.0)) > 1e-3) continue;
    }
    if (!best || h > *best) best = h;
  }
  return best;
}

double AlmucantarAzimuth(double altitude, double declination, double latitude) {
  return AcosDeg((SinDeg(altitude) * SinDeg(latitude) - SinDeg(declination)) /
                 (CosDeg(altitude) * CosDeg(latitude)));
}

double TimeOfDirection(double azimuth, double altitude, double latitude, double correction) {
  const double hourAngle = Atan2Deg(
      SinDeg(azimuth), CosDeg(azimuth) * SinDeg(latitude) + TanDeg(altitude) * CosDeg(latitude));
  double time = 12.0 + HoursOfAngle(hourAngle) + correction / 15.0;
  if (time > 24.0) time -= 24.0;
  if (time < 0) time += 24.0;
  return time;
}

double DeclinationOfDirection(double azimuth, double altitude, double latitude) {
  return AsinDeg(SinDeg(altitude) * SinDeg(latitude) -
                 CosDeg(altitude) * CosDeg(latitude) * CosDeg(azimuth));
}

}  // namespace sundial
