// The line families that every dial type fills, each with its time formula (geometry/
// HourFormulas.h) and the per-point step of geometry/DialLayout.h: for every line and date the
// clock time T, the sun's azimuth and altitude for T, the layout's projection, one DialPoint.
//
// Labels are written into the marks and the curve record of every line of a family before any of
// its points. A dial of the line kind calls ComputeLineFamilies; a dial that reads some families
// differently calls the single routines in the same order and fills the rest itself.
#pragma once

#include "geometry/DialLayout.h"

namespace sundial {

// Labels 0, 0.5, ..., 24 of the modern hour lines, into modernHourLines and modernHourCurves.
void LabelModernHours(FamilyContext& ctx);

// Every modern hour line: the layout's straight line (lineAngle, distances), its date-line marks
// (scheme.mark; their time field keeps the distance) and its curve (scheme.curvePoint, time = the
// hour), both laid out with the layout's ProjectOnHourCircle.
void ComputeModernHourLines(FamilyContext& ctx, const DateScheme& scheme);

// One day curve: the shadow path from 0.0 h to 24.0 h by 0.1 h on `date` (241 points, laid out
// with ProjectOnHourCircle; the time fields are left as they are).
void FillDayCurve(FamilyContext& ctx, DayCurve& curve, const SunDate& date);

// dayCurves entries 0..6: the standard date lines 1..7.
void ComputeStandardDayCurves(FamilyContext& ctx);

// The user date lines 1..12 into dayCurves entries firstEntry.., each only when its enable flag,
// day and month are all non-zero (no calendar check: 31 February is 3 March).
void ComputeUserDayCurves(FamilyContext& ctx, int firstEntry);

void ComputeItalianHours(FamilyContext& ctx, const DateScheme& scheme);
void ComputeBabylonianHours(FamilyContext& ctx, const DateScheme& scheme);
void ComputeTemporaryHours(FamilyContext& ctx, const DateScheme& scheme);
void ComputeReferenceHours(FamilyContext& ctx, const DateScheme& scheme);

// Marks on the 13 sign dates, curves over the 95-step ecliptic sweep (longitude -90..270).
void ComputeAscendantLines(FamilyContext& ctx);
void ComputeEclipticHours(FamilyContext& ctx);

// The figure-of-eight of mean time inside every modern hour line: 37 marks on the 1st, 11th and
// 21st of each month and 31 December, and one curve point per day of the year; corrected with
// meanTimeCorrection. The time fields are left as they are.
void ComputeMeanTimeFigures(FamilyContext& ctx);

// Azimuth lines 0, 10, ..., 180, -170, ..., 0: marks on the standard date lines, curves over the
// standard declination sweep. A date on which the sun never stands at that azimuth gives the
// point x = y = kNoPoint, altitude -90 (its time is left as it is).
void ComputeAzimuthLines(FamilyContext& ctx);

// Almucantars 0, 5, ..., 90: marks where the sun of each standard date line reaches the
// altitude (afternoon half, then morning half; kNoPoint where it never does) and a curve over
// the azimuths 0..360, valid where the sun of some day of the year can stand.
void ComputeAlmucantars(FamilyContext& ctx);

struct FamilyOptions {
  DateScheme scheme = StandardDateScheme();
  bool meanTimeFigures = true;
};

// Every family in the order of the line dials: modern hours, standard and user day curves,
// Italian, Babylonian, temporary, reference-altitude, ascendant and ecliptic hours, the mean-time
// figures (when asked), azimuth lines, almucantars.
void ComputeLineFamilies(FamilyContext& ctx, const FamilyOptions& options);

}  // namespace sundial
