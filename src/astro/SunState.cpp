// The present sun: Universal Time of the clock reading, sidereal time, the apparent place from
// the solar theory, then the horizontal coordinates (Meeus ch. 13) and the equation of time.
#include "astro/SunState.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "astro/CivilTime.h"
#include "astro/SolarPosition.h"

namespace sundial {

SunState ComputeSunState(int year, int month, int day, int hour, int minute, double second,
                         int zoneHours, unsigned zoneMinutes, double latitude, double longitude) {
  SunState s;
  const double jd =
      UniversalTimeFromLocal(year, month, day, hour, minute, second, zoneHours, zoneMinutes).jd;
  const double theta0 = 15 * GreenwichApparentSiderealTime(jd);
  s.deltaTSeconds = DeltaT(jd);
  const double jde = jd + s.deltaTSeconds * 1.1574074074074073e-05;

  const SunPlace place = ComputeSunPlace(jde);
  s.apparentLongitude = place.apparentLongitude;
  const EquatorialPosition eq =
      EclipticToEquatorial(place.apparentLongitude, place.apparentLatitude, place.trueObliquity);
  s.rightAscension = eq.rightAscension;
  s.sunDeclination = eq.declination;

  // Local hour angle, positive west; the trigonometric functions take it unreduced.
  const double h = (theta0 - longitude - 15 * eq.rightAscension) * DegToRad;
  const double phi = latitude * DegToRad;
  const double delta = eq.declination * DegToRad;
  s.sunAzimuth = RadToDeg * std::atan2(std::sin(h), std::cos(h) * std::sin(phi) -
                                                        std::tan(delta) * std::cos(phi));
  double sinAltitude =
      std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(h);
  // Rounding can carry the sine of a sun at the zenith a hair past 1; it stays there.
  if (sinAltitude > 1) sinAltitude = 1;
  if (sinAltitude < -1) sinAltitude = -1;
  s.sunAltitude = RadToDeg * std::asin(sinAltitude);

  // The equation of time comes modulo one day; values beyond 20 minutes stand for negative ones.
  double e = 60 * EquationOfTimeAt(jde, eq.rightAscension, place.trueObliquity,
                                   place.nutationInLongitude);
  if (e > 1200) e -= 86400;
  s.equationOfTimeSeconds = e;
  return s;
}

namespace {

// Appends a number as printf's "%02d" writes it, without printf: this runs every second, and
// printf's machinery is a large piece of code to bring back into the caches for four figures.
void AppendTwoDigits(std::string& text, long value) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  if (end - digits < 2) text += '0';
  text.append(digits, static_cast<std::size_t>(end - digits));
}

}  // namespace

std::string FormatClockText(int hour, int minute, int second) {
  std::string text = " ";
  AppendTwoDigits(text, hour);
  text += ':';
  AppendTwoDigits(text, std::labs(minute));
  text += ':';
  AppendTwoDigits(text, std::labs(second));
  return text;
}

std::string FormatEquationText(double equationSeconds) {
  // Keeps the integer conversions defined for any input; a real equation of time is < 20 min.
  double e = equationSeconds;
  if (!std::isfinite(e)) e = 0;
  if (e > 1e6) e = 1e6;
  if (e < -1e6) e = -1e6;
  const int minutes = static_cast<int>(e * 0.016666666666666666);
  const int seconds = static_cast<int>(e - 60 * minutes);
  std::string text = e < 0 ? "-00:" : " 00:";
  AppendTwoDigits(text, std::abs(minutes));
  text += ':';
  AppendTwoDigits(text, std::abs(seconds));
  return text;
}

}  // namespace sundial
