// The fine traces of the dial traced onto a receiving outline (dial type 12).
//
// The plate is the inclined declining plate of type 11. A straight rod joins two points above
// it: the first at height extraLength over the origin, the second at height extraValue5 over
// (extraValue3, extraValue4). The time is read where the rod's shadow crosses a closed outline
// (an ellipse when extraSwitch2 is set, else a rectangle) centred at (extraCoord7, extraCoord6)
// and turned by extraCoord1, whose half-axes grow linearly over the year from (extraCoord2,
// extraCoord4) to (extraCoord3, extraCoord5). Every line is therefore traced day by day: the
// year in 3650 steps of 0.1 day, forward when extraSwitch1 is set, backward otherwise; the
// thirteen month lines and the user date lines over the day in 2410 steps of 0.01 h.
#pragma once

#include "geometry/OutlineCrossing.h"
#include "model/DialGeometry.h"
#include "model/DialModel.h"

namespace sundial {

// The first step of the trace (0 = the first step traced) at which the fine day curves' outlines
// are sized, for the n-th month line in trace order.
inline constexpr int kMonthLineTraceSteps[13] = {0,    315,  595,  905,  1205, 1515, 1815,
                                                 2125, 2435, 2735, 3045, 3345, 3649};
// Day indexes of the thirteen month lines: the 1st of each month and 31 December.
inline constexpr int kMonthLineDays[13] = {0,   31,  59,  90,  120, 151, 181,
                                           212, 243, 273, 304, 334, 364};

// The rod and the plate's turn, fixed for a dial: turns a sun direction into the reading point.
struct RodOnPlate {
  double cosD, sinD, cosZ, sinZ;  // planeDeclination D and planeInclination Z
  double firstHeight;             // extraLength
  PlanePoint secondFoot;          // (extraValue3, extraValue4)
  double secondHeight;            // extraValue5

  static RodOnPlate FromModel(const DialModel& model);

  // The shadows of the two rod points for the sun in direction (south, west, up) (a unit vector
  // in the horizon frame). Not finite when the sun lies in the plane of the plate.
  void Shadows(double south, double west, double up, PlanePoint& p1, PlanePoint& p2) const;
};

// Where the sun of one declination stands on the vertical circle of one azimuth, found as
// AzimuthLineAltitude finds it (the higher of the roots whose hour angle gives back the azimuth)
// but from sines and cosines computed once per azimuth, declination and latitude. False when
// the sun never stands there; else its altitude (degrees) with sine and cosine, and the clock
// time of that direction as TimeOfDirection gives it.
struct SunOnAzimuth {
  double altitude;
  double sinAltitude;
  double cosAltitude;
  double time;
};
bool FindSunOnAzimuth(double sinLat, double cosLat, double sinAzimuth, double cosAzimuth,
                      double sinDec, double tanDec, double correction, SunOnAzimuth& found);

// The outline of the year's trace step `step` (0 = the first step traced).
ReceivingOutline OutlineAtTraceStep(const DialModel& model, int step);

// Fills every fine array of a type-12 dial: the hour families, the azimuth lines, the two halves
// of the almucantars over the year, and the fine day curves. `correction` is the dial's
// longitudeCorrection. The year is traced on two threads where the machine has two cores (the
// points are the same either way); One keeps it on the calling thread.
enum class TraceThreads { Two, One };
void TraceReceivingOutline(const DialModel& model, double correction, FineDialGeometry& fine,
                           TraceThreads threads = TraceThreads::Two);

}  // namespace sundial
