#include "geometry/DialLayout.h"

#include <cmath>

#include "astro/DailySunTables.h"
#include "astro/SunPath.h"
#include "geometry/AngleMath.h"

namespace sundial {

SunDate SunDate::OnDateLine(int dateLine) {
  SunDate d;
  d.kind = Kind::DateLine;
  d.dateLine = dateLine;
  d.declination = DateLineDeclination(dateLine);
  return d;
}

SunDate SunDate::AtDeclination(double declination) {
  SunDate d;
  d.kind = Kind::Declination;
  d.declination = declination;
  return d;
}

SunDate SunDate::OnDay(int dayIndex) {
  SunDate d;
  d.kind = Kind::Day;
  d.dayIndex = dayIndex;
  d.declination = DailyDeclinationAt(dayIndex);
  return d;
}

namespace {

// The 95 declinations of the standard sweep: -23.44 to +23.44 in 94 equal steps.
constexpr double kSweepStart = -23.44;
constexpr double kSweepStep = 2.0 * 23.44 / 94.0;

SunDate StandardMark(int index) { return SunDate::OnDateLine(index + 1); }
SunDate StandardCurvePoint(int index) {
  return SunDate::AtDeclination(kSweepStart + kSweepStep * index);
}

}  // namespace

DateScheme StandardDateScheme() {
  return DateScheme{kStandardDateLineCount, 95, &StandardMark, &StandardCurvePoint};
}

DialPoint AbsentPoint() { return DialPoint{kNoPoint, kNoPoint, kNoPoint, kNoPoint, kNoPoint}; }

double StoredAzimuth(const FamilyContext& ctx, double azimuth) {
  if (ctx.layout.ReducesAzimuth()) azimuth -= ctx.planeDeclination;
  return WrapOnce(azimuth);
}

DialPoint PointAtTime(const FamilyContext& ctx, double time, const SunDate& date,
                      double correction, bool onHourCircle) {
  if (!std::isfinite(time)) return AbsentPoint();
  const double latitude = ctx.latitude;
  double azimuth = 0;
  double altitude = 0;
  switch (date.kind) {
    case SunDate::Kind::DateLine:
      azimuth = SunAzimuthOnDateLine(time, date.dateLine, correction, latitude);
      altitude = SunAltitudeOnDateLine(time, date.dateLine, correction, latitude);
      break;
    case SunDate::Kind::Day:
      azimuth = SunAzimuthOnDay(time, date.dayIndex, correction, latitude);
      altitude = SunAltitudeOnDay(time, date.dayIndex, correction, latitude);
      break;
    case SunDate::Kind::Declination:
      azimuth = SunAzimuthAtDeclination(time, date.declination, correction, latitude);
      altitude = SunAltitudeAtDeclination(time, date.declination, correction, latitude);
      break;
  }
  SunPoint sun;
  sun.azimuth = StoredAzimuth(ctx, azimuth);
  sun.altitude = WrapOnce(altitude);
  sun.hourAngle = 15.0 * (time - 12.0) - correction;
  sun.date = date;
  const PlanePoint xy =
      onHourCircle ? ctx.layout.ProjectOnHourCircle(sun) : ctx.layout.Project(sun);
  return DialPoint{time, xy.x, xy.y, sun.azimuth, sun.altitude};
}

DialPoint PointAtDirection(const FamilyContext& ctx, double time, double azimuth, double altitude,
                           const SunDate& date) {
  return PointAtStoredDirection(ctx, time, StoredAzimuth(ctx, azimuth), altitude, date);
}

DialPoint PointAtStoredDirection(const FamilyContext& ctx, double time, double storedAzimuth,
                                 double altitude, const SunDate& date) {
  SunPoint sun;
  sun.azimuth = storedAzimuth;
  sun.altitude = WrapOnce(altitude);
  sun.hourAngle = 15.0 * (time - 12.0) - ctx.correction;
  sun.date = date;
  const PlanePoint xy = ctx.layout.Project(sun);
  return DialPoint{time, xy.x, xy.y, sun.azimuth, sun.altitude};
}

}  // namespace sundial
