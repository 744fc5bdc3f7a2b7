// Whether the sun stands where it can light a point of the dial: used to trace the computed
// lines (a point stands for a sun direction) and to decide whether the present sun casts a
// shadow at all. Angles in degrees; azimuths from the south, positive west.
#pragma once

#include "model/DialModel.h"

namespace sundial {

// The sun's direction relative to a tilted plate: its elevation above the plate and the angle
// of its projection on the plate, measured like the hour lines (0 toward the bottom of the
// plate's y axis's negative side, positive toward +x).
struct PlateDirection {
  double elevation;  // degrees above the plate
  double angle;      // degrees
};

// A plate containing the east-west line and tilted so that its normal makes the angle
// `latitude` with the horizon's south point (the polar plate for the geographic latitude, the
// equatorial faces for latitude -+ 90).
PlateDirection PolarPlateDirection(double latitude, double azimuth, double altitude);

// A plate of inclination `inclination` (90 vertical, 0 horizontal) declining by `declination`
// from the south, as the inclined declining dial uses it.
PlateDirection InclinedPlateDirection(double declination, double inclination, double azimuth,
                                      double altitude);

// The same plate with the sines and cosines of its declination and inclination worked out once,
// for many sun directions: Direction(azimuth, altitude) is InclinedPlateDirection's answer to the
// last bit, and Elevation its elevation alone.
class InclinedPlate {
 public:
  InclinedPlate(double declination, double inclination);
  PlateDirection Direction(double azimuth, double altitude) const;
  double Elevation(double azimuth, double altitude) const;

 private:
  struct OnPlate {
    double n;  // along the plate's normal
    double q;  // across the plate
    double r;  // across the plate, the other way
  };
  OnPlate Turn(double azimuth, double altitude) const;

  double cosD_;
  double sinD_;
  double cosZ_;
  double sinZ_;
};

// Angle brought once into [-180, 180] by adding or subtracting 360.
double WrapOnce(double degrees);

// A computed point of a line dial, standing for the sun at (azimuth, altitude) as the geometry
// stored it (already reduced by planeDeclination where the dial type does so). Day curves of the
// vertical dials use the tighter bound of 89.99 degrees.
bool PointVisible(const DialModel& model, double azimuth, double altitude, bool dayCurve);

// Whether the present sun at (azimuth, altitude) casts the dial's shadow.
bool ShadowVisible(const DialModel& model, double sunAzimuth, double sunAltitude);

}  // namespace sundial
