// The sun's azimuth and altitude at an hour of the dial's own scale, for a day of the daily
// tables, a given declination or a standard date line. Closed spherical formulas (Meeus,
// Astronomical Algorithms, ch. 13) that the dial geometry calls many thousands of times.
//
// hour: decimal hours on the dial's scale, not limited to 0..24. correction: the
// longitudeCorrection of that hour scale in degrees, so that the hour angle is
// H = 15 (hour − 12) − correction, positive west. latitude: degrees, north positive.
// Azimuths are degrees from the south, positive toward the west, in (−180, 180]; altitudes are
// degrees above the horizon. A result that is not a number (or beyond ±1e40) becomes 180 for
// an azimuth and 0 for an altitude.
#pragma once

namespace sundial {

double SunAzimuthOnDay(double hour, int dayIndex, double correction, double latitude);
double SunAzimuthAtDeclination(double hour, double declination, double correction,
                               double latitude);
double SunAzimuthOnDateLine(double hour, int dateLine, double correction, double latitude);

double SunAltitudeOnDay(double hour, int dayIndex, double correction, double latitude);
double SunAltitudeAtDeclination(double hour, double declination, double correction,
                                double latitude);
double SunAltitudeOnDateLine(double hour, int dateLine, double correction, double latitude);

}  // namespace sundial
