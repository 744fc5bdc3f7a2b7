// The time formulas of the hour families: for a line of a family and a date (the sun's
// declination, or its ecliptic longitude), the clock time at which the sun stands on that line.
// They are shared by every dial type, including the fine year traces of the receiving-outline
// dial. Angles in degrees, times in decimal hours of the dial's clock; `correction` is the
// hour-scale correction (longitudeCorrection), H = 15 (T - 12) - correction.
//
// Conventions: a time below 0 gets 24 added once (every family); WrapIntoDay also takes 24 away
// once from a time of 24 or more (the marks of the ascendant and ecliptic families, the azimuth
// lines and the almucantars). A time that is not a finite number means the line does not exist
// on that date (the sun neither rises nor sets, or never reaches the reference altitude).
#pragma once

#include <optional>

namespace sundial {

// Obliquity of the ecliptic used by the line families: 23.44 degrees.
inline constexpr double kObliquityDegrees = 23.44;

// Hour angle of sunset, acos(-tan(latitude) tan(declination)), degrees; NaN where the sun of
// that declination neither rises nor sets.
double SunsetHourAngle(double declination, double latitude);

double AddDayIfNegative(double time);
double WrapIntoDay(double time);

// Italian hours: hour `label` counted from the previous sunset (24 is sunset).
double ItalianHourTime(double label, double declination, double latitude, double correction);

// Babylonian hours: hour `label` counted from sunrise (0 is sunrise).
double BabylonianHourTime(double label, double declination, double latitude, double correction);

// Temporary (unequal) hours: the daylight in twelve parts, `label` 0..12, 6 is true noon.
double TemporaryHourTime(double label, double declination, double latitude, double correction);

// Hours counted from the crossing of `referenceAltitude` (degrees), in the evening when
// `evening` (the model's referenceSide non-zero), else in the morning.
double ReferenceHourTime(double label, double declination, double latitude, double correction,
                         double referenceAltitude, bool evening);

// Sun's declination at ecliptic longitude `longitude` (degrees), obliquity 23.44.
double EclipticDeclination(double longitude);

// Right ascension of the ecliptic point of longitude `longitude`, in hours (-12, 12].
double EclipticRightAscensionHours(double longitude);

// The ecliptic longitude of the sun on sign date `signDate` 0..12 (winter solstice, the sign
// entries of the rising half, summer solstice, then the falling half down to the solstice).
double SignDateLongitude(int signDate);
double SignDateDeclination(int signDate);

// Ascendant line `line` 0..24 (label 0.5 line): the time at which the ecliptic point of
// longitude 15 line - 90 rises, for the sun at ecliptic longitude `sunLongitude`. Negative
// times get 24 added once.
double AscendantLineTime(int line, double sunLongitude, double latitude, double correction);

// Ecliptic hour `line` 0..24: the moment 7.5 line degrees of the ecliptic have risen since the
// sun did (line 0, label 0, is sunrise; line 24, label 12, sunset). Negative times get 24
// added once.
double EclipticHourTime(int line, double sunLongitude, double latitude, double correction);

// The altitude (degrees) at which the sun of `declination` stands at plain azimuth `azimuth`:
// the root between -90 and 90 whose hour angle gives back that azimuth, the higher one where two
// do (the sun above the horizon before the one below it). Empty when the sun never stands there.
std::optional<double> AzimuthLineAltitude(double azimuth, double declination, double latitude);

// The azimuth (degrees, 0..180, west) at which the sun of `declination` reaches `altitude`; NaN
// when it never does. The morning point is its negative.
double AlmucantarAzimuth(double altitude, double declination, double latitude);

// The clock time at which the sun stands at (azimuth, altitude): 12 + H / 15 + correction / 15,
// with the hour angle H of that direction, wrapped into the day.
double TimeOfDirection(double azimuth, double altitude, double latitude, double correction);

// The sun's declination for a direction (azimuth, altitude) at `latitude`, degrees.
double DeclinationOfDirection(double azimuth, double altitude, double latitude);

}  // namespace sundial
