#include "geometry/ReceivingOutlineTrace.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <system_error>
#ifndef SUNDIAL_NO_THREADS
#include <thread>
#endif

#include "astro/CivilTime.h"
#include "astro/DailySunTables.h"
#include "geometry/AngleMath.h"
#include "geometry/HourFormulas.h"

namespace sundial {

namespace {

constexpr int kSteps = kFineYearPointCount;  // the year by 0.1 day
constexpr double kRad = 0.017453292519943295;
constexpr double kDeg = 57.29577951308232;

// The daily declination table turns at these days: the sun's ecliptic longitude runs from -90
// (winter solstice) up to 90 (summer solstice) until day 171 and on to 270 until day 354.
constexpr double kSummerSolsticeDay = 171;
constexpr double kWinterSolsticeDay = 354;

DialPoint AbsentTracePoint() { return {kNoPoint, kNoPoint, kNoPoint, kNoPoint, kNoPoint}; }

// The sun's declination on one step of the trace, with its sine and cosine.
struct DaySun {
  double declination;
  double sinDec;
  double cosDec;

  static DaySun Of(double declination) {
    return {declination, std::sin(declination * kRad), std::cos(declination * kRad)};
  }
};

// Turns sun directions into stored points: azimuth and altitude of the sun, and the reading of
// the rod's shadow on the step's outline.
class TraceWriter {
 public:
  explicit TraceWriter(const DialModel& model)
      : sinLat_(std::sin(model.latitude * kRad)),
        cosLat_(std::cos(model.latitude * kRad)),
        rod_(RodOnPlate::FromModel(model)) {}

  double SinLat() const { return sinLat_; }
  double CosLat() const { return cosLat_; }

  // The sun at hour angle H (given by its sine and cosine) on the day.
  DialPoint AtHourAngle(double time, double sinH, double cosH, const DaySun& day,
                        const ReceivingOutline& outline) const {
    const double west = day.cosDec * sinH;
    const double south = sinLat_ * day.cosDec * cosH - cosLat_ * day.sinDec;
    const double up = sinLat_ * day.sinDec + cosLat_ * day.cosDec * cosH;
    return AtDirection(time, south, west, up, std::atan2(west, south) * kDeg,
                       std::asin(std::clamp(up, -1.0, 1.0)) * kDeg, outline);
  }

  DialPoint AtHour(double time, double hourAngleDegrees, const DaySun& day,
                   const ReceivingOutline& outline) const {
    const double h = hourAngleDegrees * kRad;
    return AtHourAngle(time, std::sin(h), std::cos(h), day, outline);
  }

  // The sun in the unit direction (south, west, up), whose azimuth and altitude are known.
  // (Flattened: the reading's small records then stay in registers. Built through memory they
  // are reloaded before the stores of the previous points have reached the cache, and that
  // stall cost as much as all the trigonometry of the trace.)
  [[gnu::flatten]] DialPoint AtDirection(double time, double south, double west, double up,
                                         double azimuth, double altitude,
                                         const ReceivingOutline& outline) const {
    PlanePoint p1;
    PlanePoint p2;
    rod_.Shadows(south, west, up, p1, p2);
    const PlanePoint c = ReadOutline(p1, p2, outline);
    return {time, c.x, c.y, azimuth, altitude};
  }

 private:
  double sinLat_;
  double cosLat_;
  RodOnPlate rod_;
};

// A clock time below 0 is the same moment of the previous day's dial: 24 is added once.
double OnDial(double time) { return time < 0 ? time + 24.0 : time; }

// The clock time of an hour angle (degrees), wrapped into the day as TimeOfDirection does.
double TimeOfHourAngle(double hourAngle, double correction) {
  double time = 12.0 + hourAngle / 15.0 + correction / 15.0;
  if (time > 24.0) time -= 24.0;
  if (time < 0) time += 24.0;
  return time;
}

// What stays fixed for a dial through the year's trace: the sines and cosines of the lines.
struct LineConstants {
  // Sine and cosine of 7.5 j degrees for the 49 lines 0, 0.5, ..., 24 h: the hour angle of line
  // j of the modern, Italian, Babylonian and reference-altitude hours is that of line 0 plus
  // 7.5 j degrees, so one sine and cosine per family and day serve all 49 lines.
  std::array<double, kModernHourLineCount> sin;
  std::array<double, kModernHourLineCount> cos;
  // Azimuth lines: sine and cosine of each azimuth.
  std::array<double, kAzimuthLineCount> sinAzimuth;
  std::array<double, kAzimuthLineCount> cosAzimuth;
  // Almucantars: sine, cosine and tangent of each altitude.
  std::array<double, kAlmucantarCount> sinAltitude;
  std::array<double, kAlmucantarCount> cosAltitude;
  std::array<double, kAlmucantarCount> tanAltitude;
  // Ascendant line k: the rising time of its ecliptic point plus that point's right ascension,
  // so that the line's time is this less the sun's right ascension (AscendantLineTime).
  std::array<double, kHalfDayLineCount> ascendantBase;
  // Ecliptic hour k: sine and cosine of the 7.5 k degrees of ecliptic risen since the sun.
  std::array<double, kHalfDayLineCount> sinRisen;
  std::array<double, kHalfDayLineCount> cosRisen;

  explicit LineConstants(double latitude) {
    for (int j = 0; j < kModernHourLineCount; ++j) {
      sin[j] = std::sin(7.5 * j * kRad);
      cos[j] = std::cos(7.5 * j * kRad);
    }
    for (int j = 0; j < kAzimuthLineCount; ++j) {
      const double azimuth = 10.0 * j > 180.0 ? 10.0 * j - 360.0 : 10.0 * j;
      sinAzimuth[j] = SinDeg(azimuth);
      cosAzimuth[j] = CosDeg(azimuth);
    }
    for (int j = 0; j < kAlmucantarCount; ++j) {
      sinAltitude[j] = SinDeg(5.0 * j);
      cosAltitude[j] = CosDeg(5.0 * j);
      tanAltitude[j] = TanDeg(5.0 * j);
    }
    for (int j = 0; j < kHalfDayLineCount; ++j) {
      // With the sun at longitude 0 (right ascension 0) and a correction of a whole day the
      // time is the base plus 24 h, never negative, so nothing is added to it.
      ascendantBase[j] = AscendantLineTime(j, 0.0, latitude, 360.0) - 24.0;
      sinRisen[j] = SinDeg(7.5 * j);
      cosRisen[j] = CosDeg(7.5 * j);
    }
  }
};

// One family of 49 lines whose hour angle is base + 15 v on this day: `time` gives each line's
// clock time from its label.
template <typename TimeOfLabel>
void TraceShiftedFamily(std::array<LineCurveFine, kModernHourLineCount>& lines, int k,
                        double baseHourAngle, TimeOfLabel timeOfLabel, const LineConstants& turns,
                        const TraceWriter& writer, const DaySun& day,
                        const ReceivingOutline& outline) {
  if (!std::isfinite(baseHourAngle)) {  // no sunset (or no reference crossing) on this day
    for (auto& line : lines) line.points[k] = AbsentTracePoint();
    return;
  }
  const double sb = std::sin(baseHourAngle * kRad);
  const double cb = std::cos(baseHourAngle * kRad);
  for (int j = 0; j < kModernHourLineCount; ++j) {
    const double sinH = sb * turns.cos[j] + cb * turns.sin[j];
    const double cosH = cb * turns.cos[j] - sb * turns.sin[j];
    lines[j].points[k] = writer.AtHourAngle(timeOfLabel(0.5 * j), sinH, cosH, day, outline);
  }
}

// The sun's ecliptic longitude on a day of the table, from its declination: on the rising half
// (-90..90) from the winter to the summer solstice, on the falling half (90..270) after it.
double SunLongitudeOnDay(double dayIndex, double declination) {
  const double ratio = std::sin(declination * kRad) / std::sin(kObliquityDegrees * kRad);
  const double rising = std::asin(std::clamp(ratio, -1.0, 1.0)) * kDeg;
  const bool falling = dayIndex > kSummerSolsticeDay && dayIndex <= kWinterSolsticeDay;
  return falling ? 180.0 - rising : rising;
}

void LabelFine(FineDialGeometry& fine) {
  for (int j = 0; j < kModernHourLineCount; ++j) {
    const double label = 0.5 * j;
    fine.modernHourCurvesFine[j].label = label;
    fine.italianHourCurvesFine[j].label = label;
    fine.babylonianHourCurvesFine[j].label = label;
    fine.referenceHourCurvesFine[j].label = label;
  }
  for (int j = 0; j < kHalfDayLineCount; ++j) {
    const double label = 0.5 * j;
    fine.temporaryHourCurvesFine[j].label = label;
    fine.ascendantLineCurvesFine[j].label = label;
    fine.eclipticHourCurvesFine[j].label = label;
  }
  for (int j = 0; j < kAzimuthLineCount; ++j) {
    const double azimuth = 10.0 * j;
    fine.azimuthLineCurvesFine[j].label = azimuth > 180.0 ? azimuth - 360.0 : azimuth;
  }
  for (int j = 0; j < kAlmucantarCount; ++j) {
    fine.almucantarCurvesFine[2 * j].altitude = 5.0 * j;
    fine.almucantarCurvesFine[2 * j + 1].altitude = 5.0 * j;
  }
}

// One step of the year: every line of every family at day index 0.1 k.
void TraceYearStep(const DialModel& model, double correction, int k,
                   const ReceivingOutline& outline, const LineConstants& turns,
                   const TraceWriter& writer, FineDialGeometry& fine) {
  const double dayIndex = 0.1 * k;
  const double latitude = model.latitude;
  const DaySun day = DaySun::Of(DailyDeclination(dayIndex));
  const double meanTime =
      model.showMeanTimeFallingHalf != 0 ? DailyEquationOfTime(dayIndex) / 3600.0 : 0.0;

  // Modern hours: the clock time is the line's hour, in mean time when asked.
  TraceShiftedFamily(
      fine.modernHourCurvesFine, k, 15.0 * (-meanTime - 12.0) - correction,
      [&](double v) { return OnDial(v - meanTime); }, turns, writer, day, outline);

  // Italian and Babylonian hours count from sunset and from sunrise.
  const double sunset = SunsetHourAngle(day.declination, latitude);
  TraceShiftedFamily(
      fine.italianHourCurvesFine, k, sunset,
      [&](double v) { return OnDial(12.0 + (sunset + 15.0 * v - 360.0 + correction) / 15.0); },
      turns, writer, day, outline);
  TraceShiftedFamily(
      fine.babylonianHourCurvesFine, k, -sunset,
      [&](double v) { return OnDial(12.0 + (15.0 * v - 360.0 - sunset + correction) / 15.0); },
      turns, writer, day, outline);

  // Hours from the crossing of the reference altitude, in the evening or the morning.
  const double side = model.referenceSide != 0 ? 1.0 : -1.0;
  const double crossing =
      std::acos((std::sin(model.referenceAltitude * kRad) - writer.SinLat() * day.sinDec) /
                (writer.CosLat() * day.cosDec)) *
      kDeg;
  TraceShiftedFamily(
      fine.referenceHourCurvesFine, k, side * crossing,
      [&](double v) { return OnDial((side * crossing + correction) / 15.0 + (v - 12.0)); }, turns,
      writer, day, outline);

  // Temporary hours: the daylight in twelve equal parts; line j's hour angle is that of sunrise
  // plus j twelfths of the half day's arc.
  const double halfDay = sunset / 15.0;
  if (std::isfinite(halfDay)) {
    const double sr = std::sin(-sunset * kRad), cr = std::cos(sunset * kRad);
    const double se = std::sin(sunset / 12.0 * kRad), ce = std::cos(sunset / 12.0 * kRad);
    double sinH = sr;
    double cosH = cr;
    for (int j = 0; j < kHalfDayLineCount; ++j) {
      const double v = 0.5 * j;
      const double time = OnDial((12.0 - halfDay) + (2.0 * halfDay) / 12.0 * v + correction / 15.0);
      fine.temporaryHourCurvesFine[j].points[k] =
          writer.AtHourAngle(time, sinH, cosH, day, outline);
      const double next = sinH * ce + cosH * se;
      cosH = cosH * ce - sinH * se;
      sinH = next;
    }
  } else {
    for (auto& line : fine.temporaryHourCurvesFine) line.points[k] = AbsentTracePoint();
  }

  // Ascendant lines and ecliptic hours, from the sun's place on the ecliptic.
  const double sunLongitude = SunLongitudeOnDay(dayIndex, day.declination);
  const double sinL = SinDeg(sunLongitude), cosL = CosDeg(sunLongitude);
  const double sunRightAscension = EclipticRightAscensionHours(sunLongitude);
  const double sinObliquity = SinDeg(kObliquityDegrees), cosObliquity = CosDeg(kObliquityDegrees);
  const double tanLat = std::tan(latitude * kRad);
  for (int j = 0; j < kHalfDayLineCount; ++j) {
    const double ascendant = OnDial(turns.ascendantBase[j] - sunRightAscension + correction / 15.0);
    fine.ascendantLineCurvesFine[j].points[k] =
        std::isfinite(ascendant)
            ? writer.AtHour(ascendant, 15.0 * (ascendant - 12.0) - correction, day, outline)
            : AbsentTracePoint();
    // The ecliptic point risen with the sun's longitude plus 7.5 j degrees (EclipticHourTime).
    const double sinRisen = sinL * turns.cosRisen[j] + cosL * turns.sinRisen[j];
    const double cosRisen = cosL * turns.cosRisen[j] - sinL * turns.sinRisen[j];
    const double sinDecRisen = sinObliquity * sinRisen;
    const double tanDecRisen = sinDecRisen / std::sqrt(1.0 - sinDecRisen * sinDecRisen);
    const double rising = 12.0 - std::acos(-tanLat * tanDecRisen) * kDeg / 15.0;
    const double risenRightAscension = std::atan2(cosObliquity * sinRisen, cosRisen) * kDeg / 15.0;
    const double ecliptic =
        OnDial(rising - sunRightAscension + correction / 15.0 + risenRightAscension);
    fine.eclipticHourCurvesFine[j].points[k] =
        std::isfinite(ecliptic)
            ? writer.AtHour(ecliptic, 15.0 * (ecliptic - 12.0) - correction, day, outline)
            : AbsentTracePoint();
  }

  // Azimuth lines: where the sun of this day stands at each azimuth.
  const double tanDec = day.sinDec / day.cosDec;
  for (int j = 0; j < kAzimuthLineCount; ++j) {
    LineCurveFine& line = fine.azimuthLineCurvesFine[j];
    const double azimuth = line.label;
    DialPoint& out = line.points[k];
    SunOnAzimuth sun;
    if (!FindSunOnAzimuth(writer.SinLat(), writer.CosLat(), turns.sinAzimuth[j],
                          turns.cosAzimuth[j], day.sinDec, tanDec, correction, sun)) {
      out.x = kNoPoint;  // the time is not written
      out.y = kNoPoint;
      out.azimuth = azimuth;
      out.altitude = -90.0;
      continue;
    }
    out = writer.AtDirection(sun.time, sun.cosAltitude * turns.cosAzimuth[j],
                             sun.cosAltitude * turns.sinAzimuth[j], sun.sinAltitude, azimuth,
                             sun.altitude, outline);
  }

  // Almucantars: where the sun of this day reaches each altitude, afternoon and morning.
  for (int j = 0; j < kAlmucantarCount; ++j) {
    const double altitude = 5.0 * j;
    FlaggedDialPoint& west = fine.almucantarCurvesFine[2 * j].points[k];
    FlaggedDialPoint& east = fine.almucantarCurvesFine[2 * j + 1].points[k];
    // AlmucantarAzimuth, and TimeOfDirection for the two halves.
    const double cosAzimuth = (turns.sinAltitude[j] * writer.SinLat() - day.sinDec) /
                              (turns.cosAltitude[j] * writer.CosLat());
    const double azimuth = std::acos(cosAzimuth) * kDeg;
    if (!std::isfinite(azimuth)) {
      west = {0, kNoPoint, kNoPoint, kNoPoint, kNoPoint, altitude};
      east = west;
      continue;
    }
    const double sinAzimuth = std::sqrt(1.0 - cosAzimuth * cosAzimuth);
    const double hourAngle = std::atan2(sinAzimuth, cosAzimuth * writer.SinLat() +
                                                        turns.tanAltitude[j] * writer.CosLat()) *
                             kDeg;
    const double south = turns.cosAltitude[j] * cosAzimuth;
    const double westward = turns.cosAltitude[j] * sinAzimuth;
    const DialPoint w = writer.AtDirection(TimeOfHourAngle(hourAngle, correction), south, westward,
                                           turns.sinAltitude[j], azimuth, altitude, outline);
    const DialPoint e =
        writer.AtDirection(TimeOfHourAngle(-hourAngle, correction), south, -westward,
                           turns.sinAltitude[j], -azimuth, altitude, outline);
    west = {1, w.time, w.x, w.y, w.azimuth, w.altitude};
    east = {1, e.time, e.x, e.y, e.azimuth, e.altitude};
  }
}

// One fine day curve: the shadow path of day `dayIndex` over 0.00 h .. 24.09 h by 0.01 h, read on
// the outline of trace step `step`. The time fields are left as they are.
void TraceDayCurve(const DialModel& model, double correction, int dayIndex, int step,
                   const TraceWriter& writer, DayCurveFine& curve) {
  const ReceivingOutline outline = OutlineAtTraceStep(model, step);
  const DaySun day = DaySun::Of(DailyDeclinationAt(dayIndex));
  const double meanTime =
      model.showMeanTimeFallingHalf != 0 ? DailyEquationOfTime(dayIndex) / 3600.0 : 0.0;
  for (int j = 0; j < kFineDayPointCount; ++j) {
    DialPoint& out = curve.points[j];
    const double time = 0.01 * j - meanTime;
    const DialPoint p = writer.AtHour(out.time, 15.0 * (time - 12.0) - correction, day, outline);
    out = {out.time, p.x, p.y, p.azimuth, p.altitude};
  }
}

}  // namespace

RodOnPlate RodOnPlate::FromModel(const DialModel& model) {
  const double d = model.planeDeclination * kRad;
  const double z = model.planeInclination * kRad;
  return {std::cos(d),      std::sin(d),       std::cos(z),
          std::sin(z),      model.extraLength, {model.extraValue3, model.extraValue4},
          model.extraValue5};
}

void RodOnPlate::Shadows(double south, double west, double up, PlanePoint& p1,
                         PlanePoint& p2) const {
  // The sun's direction in the frame of the inclined declining plate: p, q across it, n along
  // its normal (the turn of the type-11 projection). The shadow of a point at height 1 lies at
  // (sin w / tan e, -cos w / tan e) = (-q / n, -r / n), e being the sun's elevation above the
  // plate and w its bearing on it.
  const double p = cosD * south + sinD * west;
  const double q = sinD * south - cosD * west;
  const double n = sinZ * p + cosZ * up;
  const double r = cosZ * p - sinZ * up;
  const double inverse = -1.0 / n;
  const double dx = q * inverse;
  const double dy = r * inverse;
  p1 = {firstHeight * dx, firstHeight * dy};
  p2 = {secondFoot.x + secondHeight * dx, secondFoot.y + secondHeight * dy};
}

bool FindSunOnAzimuth(double sinLat, double cosLat, double sinAzimuth, double cosAzimuth,
                      double sinDec, double tanDec, double correction, SunOnAzimuth& found) {
  // sin(dec) = sin(lat) sin(h) + b cos(h), b = -cos(lat) cos(A); with t = tan(h/2) this is the
  // quadratic -(sin dec + b) t^2 + 2 sin(lat) t + (b - sin dec) = 0.
  const double b = -cosLat * cosAzimuth;
  const double discriminant = 4.0 * (sinLat * sinLat + b * b - sinDec * sinDec);
  if (!(discriminant >= 0)) return false;
  const double qa = -(sinDec + b);
  const double qb = 2.0 * sinLat;
  const double qc = b - sinDec;
  const double q = -0.5 * (qb + std::copysign(std::sqrt(discriminant), qb));
  const double roots[2] = {q / qa, qc / q};
  // The hour angle's direction must give back the azimuth within 0.001 degree.
  constexpr double kTolerance = 1.7453292519943296e-05;  // tan(0.001 degree)
  bool any = false;
  double bestT = 0;
  double bestAltitude = 0;
  for (double t : roots) {
    if (!std::isfinite(t) || std::fabs(t) > 1.0) continue;  // altitude beyond +-90
    const double altitude = 2.0 * std::atan(t) * kDeg;
    if (90.0 - std::fabs(altitude) > 1e-9) {
      const double tanAltitude = 2.0 * t / (1.0 - t * t);
      const double y = sinAzimuth;
      const double x = cosAzimuth * sinLat + tanAltitude * cosLat;
      const double by = y;
      const double bx = x * sinLat - std::sqrt(x * x + y * y) * tanDec * cosLat;
      const double dot = bx * cosAzimuth + by * sinAzimuth;
      const double cross = by * cosAzimuth - bx * sinAzimuth;
      if (!(dot > 0) || std::fabs(cross) > kTolerance * dot) continue;
    }
    if (!any || altitude > bestAltitude) {
      any = true;
      bestT = t;
      bestAltitude = altitude;
    }
  }
  if (!any) return false;
  const double t2 = bestT * bestT;
  found.altitude = bestAltitude;
  found.sinAltitude = 2.0 * bestT / (1.0 + t2);
  found.cosAltitude = (1.0 - t2) / (1.0 + t2);
  const double hourAngle =
      std::atan2(sinAzimuth, cosAzimuth * sinLat + found.sinAltitude / found.cosAltitude * cosLat) *
      kDeg;
  found.time = TimeOfHourAngle(hourAngle, correction);
  return true;
}

ReceivingOutline OutlineAtTraceStep(const DialModel& model, int step) {
  const double s = std::clamp(step, 0, kSteps - 1);
  const double a = model.extraCoord2 + s * ((model.extraCoord3 - model.extraCoord2) / kSteps);
  const double b = model.extraCoord4 + s * ((model.extraCoord5 - model.extraCoord4) / kSteps);
  return MakeReceivingOutline(model.extraSwitch2 != 0, a, b, model.extraCoord7, model.extraCoord6,
                              model.extraCoord1);
}

namespace {

// Steps [first, last) of the year's trace. The outline of a step follows from its number alone,
// so the steps can be traced in any order and in parts.
void TraceYearSteps(const DialModel& model, double correction, int first, int last,
                    const LineConstants& turns, const TraceWriter& writer,
                    FineDialGeometry& fine) {
  const bool forward = model.extraSwitch1 != 0;
  // The outline grows by equal amounts at every step of the trace; its turn and centre stay.
  ReceivingOutline outline = OutlineAtTraceStep(model, 0);
  const double growA = (model.extraCoord3 - model.extraCoord2) / kSteps;
  const double growB = (model.extraCoord5 - model.extraCoord4) / kSteps;
  for (int step = first; step < last; ++step) {
    const int k = forward ? step : kSteps - 1 - step;
    SetHalfAxes(outline, model.extraCoord2 + step * growA, model.extraCoord4 + step * growB);
    TraceYearStep(model, correction, k, outline, turns, writer, fine);
  }
}

void TraceDayCurves(const DialModel& model, double correction, const TraceWriter& writer,
                    FineDialGeometry& fine) {
  const bool forward = model.extraSwitch1 != 0;
  // The thirteen month lines, each read on the outline of its place in the trace.
  for (int m = 0; m < 13; ++m) {
    const int n = forward ? m : 12 - m;
    TraceDayCurve(model, correction, kMonthLineDays[m], kMonthLineTraceSteps[n], writer,
                  fine.dayCurvesFine[m]);
  }
  // The user date lines after them, on the outline of their day's step.
  for (int i = 0; i < kUserDateLineCount; ++i) {
    if (model.dateLineEnabled[i] == 0 || model.dateLineDay[i] == 0 || model.dateLineMonth[i] == 0) {
      continue;
    }
    // A day number far outside the year only needs to stay clear of overflow: it is bounded
    // before the month lengths are added, and its step is then clamped to the trace and its day
    // to the table.
    const int day = DayOfYear(std::clamp(model.dateLineDay[i], -1000, 1000), model.dateLineMonth[i]);
    const int step = forward ? 10 * day - 1 : kSteps - 10 * day;
    TraceDayCurve(model, correction, day - 1, step, writer, fine.dayCurvesFine[13 + i]);
  }
}

}  // namespace

void TraceReceivingOutline(const DialModel& model, double correction, FineDialGeometry& fine,
                           TraceThreads threads) {
  LabelFine(fine);
  const LineConstants turns(model.latitude);
  const TraceWriter writer(model);

  // Every point is computed from its own step and line alone and written once, so two threads
  // share the year between them, each writing only the points of its own steps (and the first
  // touch of the traces' fresh pages is shared as well). The day curves go with the first half.
  int split = kSteps;
#ifndef SUNDIAL_NO_THREADS
  std::thread second;
  if (threads == TraceThreads::Two && std::thread::hardware_concurrency() >= 2) {
    split = kSteps / 2;
    try {
      second = std::thread(TraceYearSteps, std::cref(model), correction, split, kSteps,
                           std::cref(turns), std::cref(writer), std::ref(fine));
    } catch (const std::system_error&) {
      split = kSteps;  // no second thread: the whole year here
    }
  }
#else
  (void)threads;  // a build without threads traces the whole year here
#endif
  TraceYearSteps(model, correction, 0, split, turns, writer, fine);
  TraceDayCurves(model, correction, writer, fine);
#ifndef SUNDIAL_NO_THREADS
  if (second.joinable()) second.join();
#endif
}

}  // namespace sundial
