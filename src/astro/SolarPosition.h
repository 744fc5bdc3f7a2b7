// The apparent place of the sun to about one arcsecond: the more accurate solar method of
// J. Meeus, Astronomical Algorithms, 2nd edition (ch. 12 sidereal time, ch. 22 nutation and
// obliquity, ch. 25 the sun's position from the abridged VSOP87 theory, ch. 28 the equation of
// time).
//
// The position operations take a Julian Ephemeris Day (Terrestrial Time, JDE = JD + ΔT/86400);
// the sidereal-time operations take a Julian day in Universal Time.
#pragma once

namespace sundial {

// Julian millennia (τ), centuries (T) and units of 10000 years (U) from J2000.0.
double JulianMillennia(double jde);
double JulianCenturies(double jde);
double JulianTenMillennia(double jde);

// The Earth's heliocentric ecliptic coordinates of date (VSOP87, Meeus ch. 32 and App. III):
// longitude L in degrees [0, 360], latitude B in degrees, radius vector R in astronomical units.
double EarthHeliocentricLongitude(double jde);
double EarthHeliocentricLatitude(double jde);
double EarthSunDistance(double jde);

// Geometric coordinates of the sun: Θ = L + 180 in [0, 360] and β = −B, degrees.
double SunGeometricLongitude(double jde);
double SunGeometricLatitude(double jde);

// Nutation in longitude Δψ and in obliquity Δε, arcseconds (IAU 1980, Meeus ch. 22).
double NutationInLongitude(double jde);
double NutationInObliquity(double jde);

// Mean obliquity of the ecliptic ε0 (Laskar's polynomial, Meeus eq. 22.3) and the true
// obliquity ε = ε0 + Δε, degrees.
double MeanObliquity(double jde);
double TrueObliquity(double jde);

// Apparent longitude λ of the sun in degrees (FK5 reduction, nutation and aberration applied;
// not reduced to [0, 360]) and its latitude reduced to FK5, degrees.
double SunApparentLongitude(double jde);
double SunApparentLatitude(double jde);

// λ, β and ε of one instant, with Δψ (arcseconds), from one evaluation of each series: the same
// values as the functions above give one by one.
struct SunPlace {
  double apparentLongitude = 0;
  double apparentLatitude = 0;
  double trueObliquity = 0;
  double nutationInLongitude = 0;
};
SunPlace ComputeSunPlace(double jde);

struct EquatorialPosition {
  double rightAscension = 0;  // hours, [0, 24)
  double declination = 0;     // degrees
};

// Ecliptic longitude λ and latitude β to right ascension and declination for the obliquity ε,
// all degrees (Meeus eq. 13.3 and 13.4).
EquatorialPosition EclipticToEquatorial(double lambda, double beta, double epsilon);

// Equation of time, apparent minus mean solar time, in minutes of time taken modulo one day
// into [0, 1440] (Meeus eq. 28.3): −14 minutes comes out as 1426.
double EquationOfTime(double jde);
// The same from the sun's right ascension (hours), the true obliquity (degrees) and Δψ
// (arcseconds) of that instant.
double EquationOfTimeAt(double jde, double rightAscension, double trueObliquity,
                        double nutationInLongitude);

// Greenwich mean and apparent sidereal time in hours [0, 24] for a Julian day in Universal
// Time (Meeus eq. 12.3 and 12.4; the apparent one adds the equation of the equinoxes).
double GreenwichMeanSiderealTime(double jd);
double GreenwichApparentSiderealTime(double jd);

}  // namespace sundial
