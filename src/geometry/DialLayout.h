// The pieces every dial type shares when it lays its lines out on the plate.
//
// How a dial type plugs in:
//  1. Write a DialLayout subclass: its Project() maps a sun direction (and, if the type needs it,
//     the date the point stands for) to a plate point; set reducesAzimuth for the types whose
//     stored azimuths are measured from the plate's declination. Override ProjectOnHourCircle()
//     when modern hour lines and day curves are laid out from the hour angle directly,
//     StraightHourLine() to write lineAngle and the date-line distances of a modern hour line,
//     and FinishModernMark() to complete a date-line mark after it has been projected.
//  2. In the type's compute function: set the three style values, build a FamilyContext with the
//     layout, and call the family routines of geometry/Families.h in the order of the dial
//     (modern hours, day curves, the six other hour families, mean-time figures, azimuth lines,
//     almucantars), passing a DateScheme when the type reads its dates differently from the
//     standard date lines and declination sweep.
//  3. Add the type to the dispatch in ComputeDialGeometry.cpp (types 12, 13 and 14 call into
//     geometry/SpecialDials.h).
#pragma once

#include "model/DialGeometry.h"
#include "model/DialModel.h"

namespace sundial {

// The date a point stands for: a standard date line, a declination of the sun, or a day of the
// daily tables. `declination` is always filled (degrees); `dateLine` 1..7 only for DateLine,
// `dayIndex` 0..364 only for Day (else -1).
struct SunDate {
  enum class Kind { DateLine, Declination, Day };
  Kind kind = Kind::Declination;
  int dateLine = 0;
  int dayIndex = -1;
  double declination = 0;

  static SunDate OnDateLine(int dateLine);
  static SunDate AtDeclination(double declination);
  static SunDate OnDay(int dayIndex);
};

// Everything a projection may need about one point: the stored sun direction (azimuth reduced by
// planeDeclination for the layouts that reduce it, both wrapped once into [-180, 180]), the hour
// angle H = 15 (T - 12) - correction in degrees (positive west) and the date.
struct SunPoint {
  double azimuth = 0;
  double altitude = 0;
  double hourAngle = 0;
  SunDate date;
};

class DialLayout {
 public:
  explicit DialLayout(bool reducesAzimuth) : reducesAzimuth_(reducesAzimuth) {}
  virtual ~DialLayout() = default;

  // True for the dials whose stored azimuths are measured from the plate's declination.
  bool ReducesAzimuth() const { return reducesAzimuth_; }

  // Plate point of a sun direction of any family.
  virtual PlanePoint Project(const SunPoint& p) const = 0;

  // Plate point of a modern-hour or day-curve point; the equatorial and analemmatic dials lay
  // these out from the hour angle and the date instead of the direction.
  virtual PlanePoint ProjectOnHourCircle(const SunPoint& p) const { return Project(p); }

  // Writes lineAngle and the distances of the date-line crossings (the time fields of the
  // date-line marks) of a modern hour line of hour `hour`, before its marks are projected.
  virtual void StraightHourLine(HourLineRecord& line, double hour) const {
    (void)line;
    (void)hour;
  }

  // Completes date-line mark `index` of a modern hour line after its x, y, azimuth and altitude
  // have been written (its time field still holds what StraightHourLine put there).
  virtual void FinishModernMark(HourLineRecord& line, int index) const {
    (void)line;
    (void)index;
  }

 private:
  bool reducesAzimuth_;
};

// Which dates the hour families (modern, Italian, Babylonian, temporary, reference-altitude)
// visit: `markCount` date-line marks and `curveCount` curve points. The standard scheme is the
// seven date lines and the 95-step declination sweep; the altitude dials bring their own.
struct DateScheme {
  int markCount = 0;
  int curveCount = 0;
  SunDate (*mark)(int index) = nullptr;
  SunDate (*curvePoint)(int index) = nullptr;
};

DateScheme StandardDateScheme();

// The state one computation hands to the family routines.
struct FamilyContext {
  const DialModel& model;
  DialGeometry& geometry;
  const DialLayout& layout;
  double latitude = 0;             // degrees
  double planeDeclination = 0;     // degrees
  double correction = 0;           // longitudeCorrection, degrees
  double meanTimeCorrection = 0;   // correction of the mean-time figures, degrees
};

// The per-point step: the sun for clock time `time` on `date` (with the hour-scale correction
// `correction`), reduced and wrapped, projected by the layout, stored as {time, x, y, A, h}.
// A time that is not a finite number (the sun neither rises nor sets on that date) gives a point
// that does not exist: every field kNoPoint. `onHourCircle` selects the layout's
// ProjectOnHourCircle (modern hours and day curves) instead of Project.
DialPoint PointAtTime(const FamilyContext& ctx, double time, const SunDate& date,
                      double correction, bool onHourCircle = false);

// The same step for a point whose sun direction is already known (azimuth lines, almucantars):
// `azimuth` is the plain azimuth from the south, reduced here for the layouts that reduce it.
DialPoint PointAtDirection(const FamilyContext& ctx, double time, double azimuth, double altitude,
                           const SunDate& date);

// The step for a direction whose azimuth is already in its stored form (reduced and wrapped).
DialPoint PointAtStoredDirection(const FamilyContext& ctx, double time, double storedAzimuth,
                                 double altitude, const SunDate& date);

// The stored azimuth for a plain azimuth: reduced by planeDeclination where the layout says so,
// then wrapped once.
double StoredAzimuth(const FamilyContext& ctx, double azimuth);

// The absent point: every field kNoPoint.
DialPoint AbsentPoint();

}  // namespace sundial
