// The sun's apparent place, Meeus, Astronomical Algorithms, chapters 12, 22, 25 and 28.
#include "astro/SolarPosition.h"

#include <cmath>

#include "astro/CivilTime.h"
#include "astro/Nutation1980.h"
#include "astro/Vsop87Earth.h"

namespace sundial {
namespace {

constexpr double kJ2000 = 2451545.0;

// Σ A cos(B + C τ) over the rows of one series, in list order.
double SumSeries(const detail::Vsop87Series& series, double tau) {
  double sum = 0;
  for (int i = 0; i < series.count; ++i) {
    const detail::Vsop87Term& t = series.terms[i];
    sum += t.a * std::cos(t.b + t.c * tau);
  }
  return sum;
}

// (X0 + X1 τ + X2 τ² + ...) × 1e-8 for the series X0..Xn of one quantity.
template <int N>
double EvaluateVsop(const detail::Vsop87Series (&series)[N], double tau) {
  double sum = 0;
  double power = 1;
  for (int i = 0; i < N; ++i) {
    sum += SumSeries(series[i], tau) * power;
    power *= tau;
  }
  return sum * 1e-8;
}

struct Nutation {
  double longitude;  // Δψ, arcseconds
  double obliquity;  // Δε, arcseconds
};

// Δψ and Δε from the 63 terms of the IAU 1980 theory (Meeus ch. 22), summed in table order.
Nutation ComputeNutation(double jde) {
  const double t = JulianCenturies(jde);
  const double t2 = t * t;
  const double t3 = t2 * t;
  // Fundamental arguments in degrees: mean elongation of the moon, mean anomalies of the sun
  // and the moon, the moon's argument of latitude and the longitude of its ascending node.
  const double d = NormalizeDegrees(297.85036 + 445267.11148 * t - 0.0019142 * t2 + t3 / 189474);
  const double m = NormalizeDegrees(357.52772 + 35999.05034 * t - 0.0001603 * t2 - t3 / 300000);
  const double mPrime =
      NormalizeDegrees(134.96298 + 477198.867398 * t + 0.0086972 * t2 + t3 / 56250);
  const double f = NormalizeDegrees(93.27191 + 483202.017538 * t - 0.0036825 * t2 + t3 / 327270);
  const double omega =
      NormalizeDegrees(125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000);

  Nutation n{0, 0};
  for (const detail::NutationTerm& term : detail::kNutationTerms) {
    const double argument =
        (term.d * d + term.m * m + term.mPrime * mPrime + term.f * f + term.omega * omega) *
        DegToRad;
    n.longitude += (term.s + term.sPrime * t) * std::sin(argument) * 0.0001;
    n.obliquity += (term.c + term.cPrime * t) * std::cos(argument) * 0.0001;
  }
  return n;
}

// Corrections of the VSOP87 geometric place to the FK5 system (Meeus eq. 25.9), arcseconds.
struct Fk5Correction {
  double longitude;
  double latitude;
};

Fk5Correction ComputeFk5Correction(double jde, double theta, double beta) {
  const double t = JulianCenturies(jde);
  const double lambdaPrime = (theta - 1.397 * t - 0.00031 * t * t) * DegToRad;
  const double c = std::cos(lambdaPrime);
  const double s = std::sin(lambdaPrime);
  return {-0.09033 + 0.03916 * (c + s) * std::tan(beta * DegToRad), 0.03916 * (c - s)};
}

// λ from the geometric longitude Θ, its FK5 correction and Δψ in arcseconds, and the radius
// vector R.
double ApparentLongitude(double theta, double fk5Longitude, double deltaPsi, double radius) {
  const double aberration = 20.4898 / radius;  // arcseconds (Meeus eq. 25.10)
  return (theta + DmsToDegrees(0, 0, fk5Longitude, 1)) + deltaPsi / 3600 - aberration / 3600;
}

double ApparentLatitude(double beta, double fk5Latitude) {
  return beta + DmsToDegrees(0, 0, fk5Latitude, 1);
}

}  // namespace

double JulianMillennia(double jde) { return (jde - kJ2000) * 2.737850787132101e-06; }
double JulianCenturies(double jde) { return (jde - kJ2000) * 2.7378507871321012e-05; }
double JulianTenMillennia(double jde) { return (jde - kJ2000) * 2.737850787132101e-07; }

double EarthHeliocentricLongitude(double jde) {
  return NormalizeDegrees(
      EvaluateVsop(detail::kEarthLongitudeSeries, JulianMillennia(jde)) * RadToDeg);
}

double EarthHeliocentricLatitude(double jde) {
  return EvaluateVsop(detail::kEarthLatitudeSeries, JulianMillennia(jde)) * RadToDeg;
}

double EarthSunDistance(double jde) {
  return EvaluateVsop(detail::kEarthRadiusSeries, JulianMillennia(jde));
}

double SunGeometricLongitude(double jde) {
  return NormalizeDegrees(EarthHeliocentricLongitude(jde) + 180);
}

double SunGeometricLatitude(double jde) { return -EarthHeliocentricLatitude(jde); }

double NutationInLongitude(double jde) { return ComputeNutation(jde).longitude; }

double NutationInObliquity(double jde) { return ComputeNutation(jde).obliquity; }

double MeanObliquity(double jde) {
  const double u = JulianTenMillennia(jde);
  // Laskar's polynomial in arcseconds (Meeus eq. 22.3), Horner's scheme.
  const double arcseconds =
      u * (-4680.93 +
           u * (-1.55 +
                u * (1999.25 +
                     u * (-51.38 +
                          u * (-249.67 +
                               u * (-39.05 + u * (7.12 + u * (27.87 + u * (5.79 + u * 2.45)))))))));
  return DmsToDegrees(23, 26, 21.448, 1) + arcseconds / 3600;
}

double TrueObliquity(double jde) {
  return MeanObliquity(jde) + NutationInObliquity(jde) / 3600;
}

double SunApparentLongitude(double jde) {
  const double theta = SunGeometricLongitude(jde);
  const double beta = SunGeometricLatitude(jde);
  const double fk5 = ComputeFk5Correction(jde, theta, beta).longitude;
  return ApparentLongitude(theta, fk5, NutationInLongitude(jde), EarthSunDistance(jde));
}

double SunApparentLatitude(double jde) {
  const double theta = SunGeometricLongitude(jde);
  const double beta = SunGeometricLatitude(jde);
  return ApparentLatitude(beta, ComputeFk5Correction(jde, theta, beta).latitude);
}

SunPlace ComputeSunPlace(double jde) {
  const double theta = SunGeometricLongitude(jde);
  const double beta = SunGeometricLatitude(jde);
  const Fk5Correction fk5 = ComputeFk5Correction(jde, theta, beta);
  const Nutation n = ComputeNutation(jde);
  SunPlace p;
  p.apparentLongitude = ApparentLongitude(theta, fk5.longitude, n.longitude, EarthSunDistance(jde));
  p.apparentLatitude = ApparentLatitude(beta, fk5.latitude);
  p.trueObliquity = MeanObliquity(jde) + n.obliquity / 3600;
  p.nutationInLongitude = n.longitude;
  return p;
}

EquatorialPosition EclipticToEquatorial(double lambda, double beta, double epsilon) {
  const double l = lambda * DegToRad;
  const double b = beta * DegToRad;
  const double e = epsilon * DegToRad;
  EquatorialPosition p;
  p.rightAscension =
      RadToHours * std::atan2(std::sin(l) * std::cos(e) - std::tan(b) * std::sin(e), std::cos(l));
  if (p.rightAscension < 0) p.rightAscension += 24;
  // A value a hair below zero comes back as 24 after rounding; the hour is then 0.
  if (p.rightAscension >= 24) p.rightAscension = 0;
  double s = std::sin(b) * std::cos(e) + std::cos(b) * std::sin(e) * std::sin(l);
  if (s > 1) s = 1;
  if (s < -1) s = -1;
  p.declination = RadToDeg * std::asin(s);
  return p;
}

double EquationOfTime(double jde) {
  const double lambda = SunApparentLongitude(jde);
  const double beta = SunApparentLatitude(jde);
  const double epsilon = TrueObliquity(jde);
  const double alpha = EclipticToEquatorial(lambda, beta, epsilon).rightAscension;
  return EquationOfTimeAt(jde, alpha, epsilon, NutationInLongitude(jde));
}

double EquationOfTimeAt(double jde, double rightAscension, double trueObliquity,
                        double nutationInLongitude) {
  const double tau = JulianMillennia(jde);
  const double tau2 = tau * tau;
  const double tau3 = tau2 * tau;
  const double tau4 = tau3 * tau;
  const double tau5 = tau4 * tau;
  // The sun's mean longitude (Meeus eq. 28.2).
  const double l0 = NormalizeDegrees(280.4664567 + 360007.6982779 * tau + 0.03032028 * tau2 +
                                     tau3 / 49931 - tau4 / 15300 - tau5 / 2000000);
  return 4 * NormalizeDegrees(l0 - 0.0057183 - 15 * rightAscension +
                              (nutationInLongitude / 3600) * std::cos(trueObliquity * DegToRad));
}

double GreenwichMeanSiderealTime(double jd) {
  const CalendarDate c = CalendarFromJulianDay(jd);
  const double jd0 = JulianDay(c.year, c.month, c.day, 1);  // 0h UT of the date
  const double t0 = (jd0 - kJ2000) / 36525;
  const double theta0 = 100.46061837 + 36000.770053608 * t0 + 0.000387933 * t0 * t0 -
                        t0 * t0 * t0 / 38710000;
  const double theta =
      theta0 + 1.00273790935 * (15 * c.hour + 0.25 * c.minute + c.second / 240);
  return NormalizeHours(theta / 15);
}

double GreenwichApparentSiderealTime(double jd) {
  const Nutation n = ComputeNutation(jd);
  const double epsilon = MeanObliquity(jd) + n.obliquity / 3600;
  return NormalizeHours(GreenwichMeanSiderealTime(jd) +
                        n.longitude * std::cos(epsilon * DegToRad) / 54000);
}

}  // namespace sundial
