#include "geometry/Families.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "astro/CivilTime.h"
#include "astro/DailySunTables.h"
#include "geometry/AngleMath.h"
#include "geometry/HourFormulas.h"

namespace sundial {

namespace {

// Day numbers of the mean-time marks: the 1st, 11th and 21st of each month of a common year,
// and 31 December.
constexpr std::array<int, kMeanTimeMarkCount> kMeanTimeDays = {
    1,   11,  21,  32,  42,  52,  60,  70,  80,  91,  101, 111, 121,
    131, 141, 152, 162, 172, 182, 192, 202, 213, 223, 233, 244, 254,
    264, 274, 284, 294, 305, 315, 325, 335, 345, 355, 365};

// The ecliptic sweep of the ascendant and ecliptic families: longitude -90 to 270 in 94 steps.
constexpr int kEclipticSweepCount = 95;
constexpr double kEclipticSweepStart = -90.0;
constexpr double kEclipticSweepStep = 360.0 / 94.0;
constexpr int kSignDateCount = 13;

constexpr int kAlmucantarCurvePoints = 361;  // azimuth 0..360 by 1 degree
constexpr double kTropic = 23.44;

constexpr int kCurveCapacity = kYearPointCount;
constexpr int kMarkCapacity = kDateLineMarkCount;

// Keeps a scheme within the records' capacities.
int MarkCount(const DateScheme& s) { return s.markCount < kMarkCapacity ? s.markCount : kMarkCapacity; }
int CurveCount(const DateScheme& s) {
  return s.curveCount < kCurveCapacity ? s.curveCount : kCurveCapacity;
}

// Copies everything but the time field (day curves, mean-time figures, the date-line marks of a
// modern hour line whose time field holds a distance).
void StoreKeepingTime(DialPoint& target, const DialPoint& p) {
  target.x = p.x;
  target.y = p.y;
  target.azimuth = p.azimuth;
  target.altitude = p.altitude;
}

double HalfStepLabel(int index) { return 0.5 * index; }

// One family of the hours counted along the day: labels first, then the marks and curve of each
// line with the family's time formula timeOf(label, declination).
template <std::size_t N, class TimeOf>
void ComputeHourFamily(FamilyContext& ctx, std::array<LineMarks, N>& marks,
                       std::array<LineCurve, N>& curves, const DateScheme& scheme, TimeOf timeOf) {
  for (std::size_t i = 0; i < N; ++i) {
    marks[i].label = HalfStepLabel(static_cast<int>(i));
    curves[i].label = marks[i].label;
  }
  const int markCount = MarkCount(scheme);
  const int curveCount = CurveCount(scheme);
  for (std::size_t i = 0; i < N; ++i) {
    const double label = marks[i].label;
    for (int j = 0; j < markCount; ++j) {
      const SunDate date = scheme.mark(j);
      marks[i].points[static_cast<std::size_t>(j)] =
          PointAtTime(ctx, timeOf(label, date.declination), date, ctx.correction);
    }
    for (int c = 0; c < curveCount; ++c) {
      const SunDate date = scheme.curvePoint(c);
      curves[i].points[static_cast<std::size_t>(c)] =
          PointAtTime(ctx, timeOf(label, date.declination), date, ctx.correction);
    }
  }
}

// The ascendant and ecliptic families: 25 lines over the sign dates and the ecliptic sweep.
// timeOf(line, sunLongitude) gives the time; the marks are wrapped into the day.
template <class TimeOf>
void ComputeEclipticFamily(FamilyContext& ctx, std::array<LineMarks, kHalfDayLineCount>& marks,
                           std::array<LineCurve, kHalfDayLineCount>& curves, TimeOf timeOf) {
  for (int k = 0; k < kHalfDayLineCount; ++k) {
    marks[static_cast<std::size_t>(k)].label = HalfStepLabel(k);
    curves[static_cast<std::size_t>(k)].label = HalfStepLabel(k);
  }
  for (int k = 0; k < kHalfDayLineCount; ++k) {
    auto& lineMarks = marks[static_cast<std::size_t>(k)];
    auto& lineCurve = curves[static_cast<std::size_t>(k)];
    for (int m = 0; m < kSignDateCount; ++m) {
      const SunDate date = SunDate::AtDeclination(SignDateDeclination(m));
      const double time = WrapIntoDay(timeOf(k, SignDateLongitude(m)));
      lineMarks.points[static_cast<std::size_t>(m)] = PointAtTime(ctx, time, date, ctx.correction);
    }
    for (int c = 0; c < kEclipticSweepCount; ++c) {
      const double sunLongitude = kEclipticSweepStart + kEclipticSweepStep * c;
      const SunDate date = SunDate::AtDeclination(EclipticDeclination(sunLongitude));
      lineCurve.points[static_cast<std::size_t>(c)] =
          PointAtTime(ctx, timeOf(k, sunLongitude), date, ctx.correction);
    }
  }
}

// The azimuth-line point at plain azimuth `azimuth` for the sun on `date`.
DialPoint AzimuthLinePoint(const FamilyContext& ctx, double azimuth, const SunDate& date,
                           const DialPoint& previous) {
  const auto altitude = AzimuthLineAltitude(azimuth, date.declination, ctx.latitude);
  if (!altitude) {
    DialPoint p = previous;  // the time is not written
    p.x = kNoPoint;
    p.y = kNoPoint;
    p.azimuth = StoredAzimuth(ctx, azimuth);
    p.altitude = -90.0;
    return p;
  }
  const double time = TimeOfDirection(azimuth, *altitude, ctx.latitude, ctx.correction);
  return PointAtDirection(ctx, time, azimuth, *altitude, date);
}

}  // namespace

void LabelModernHours(FamilyContext& ctx) {
  for (int i = 0; i < kModernHourLineCount; ++i) {
    ctx.geometry.modernHourLines[static_cast<std::size_t>(i)].hour = HalfStepLabel(i);
    ctx.geometry.modernHourCurves[static_cast<std::size_t>(i)].label = HalfStepLabel(i);
  }
}

void ComputeModernHourLines(FamilyContext& ctx, const DateScheme& scheme) {
  const int markCount = MarkCount(scheme);
  const int curveCount = CurveCount(scheme);
  for (std::size_t i = 0; i < kModernHourLineCount; ++i) {
    HourLineRecord& line = ctx.geometry.modernHourLines[i];
    LineCurve& curve = ctx.geometry.modernHourCurves[i];
    const double hour = line.hour;
    ctx.layout.StraightHourLine(line, hour);
    for (int j = 0; j < markCount; ++j) {
      const DialPoint p = PointAtTime(ctx, hour, scheme.mark(j), ctx.correction, true);
      StoreKeepingTime(line.dateLineMarks[static_cast<std::size_t>(j)], p);
      ctx.layout.FinishModernMark(line, j);
    }
    for (int c = 0; c < curveCount; ++c) {
      curve.points[static_cast<std::size_t>(c)] =
          PointAtTime(ctx, hour, scheme.curvePoint(c), ctx.correction, true);
    }
  }
}

void FillDayCurve(FamilyContext& ctx, DayCurve& curve, const SunDate& date) {
  for (int i = 0; i < kDayPointCount; ++i) {
    const double time = 0.1 * i;
    StoreKeepingTime(curve.points[static_cast<std::size_t>(i)],
                     PointAtTime(ctx, time, date, ctx.correction, true));
  }
}

void ComputeStandardDayCurves(FamilyContext& ctx) {
  for (int j = 1; j <= kStandardDateLineCount; ++j) {
    FillDayCurve(ctx, ctx.geometry.dayCurves[static_cast<std::size_t>(j - 1)],
                 SunDate::OnDateLine(j));
  }
}

void ComputeUserDayCurves(FamilyContext& ctx, int firstEntry) {
  const DialModel& m = ctx.model;
  for (int i = 0; i < kUserDateLineCount; ++i) {
    const auto u = static_cast<std::size_t>(i);
    const int entry = firstEntry + i;
    if (entry < 0 || entry >= kDayCurveCount) continue;
    if (m.dateLineEnabled[u] == 0 || m.dateLineDay[u] == 0 || m.dateLineMonth[u] == 0) continue;
    // Days far outside any month select the first or last day of the tables all the same; they
    // are bounded so that the day count cannot overflow.
    const int day = std::clamp(m.dateLineDay[u], -1000, 1000);
    const int dayIndex = DayOfYear(day, m.dateLineMonth[u]) - 1;
    FillDayCurve(ctx, ctx.geometry.dayCurves[static_cast<std::size_t>(entry)],
                 SunDate::OnDay(dayIndex));
  }
}

void ComputeItalianHours(FamilyContext& ctx, const DateScheme& scheme) {
  const double lat = ctx.latitude;
  const double mc = ctx.correction;
  ComputeHourFamily(ctx, ctx.geometry.italianHourMarks, ctx.geometry.italianHourCurves, scheme,
                    [lat, mc](double v, double dec) { return ItalianHourTime(v, dec, lat, mc); });
}

void ComputeBabylonianHours(FamilyContext& ctx, const DateScheme& scheme) {
  const double lat = ctx.latitude;
  const double mc = ctx.correction;
  ComputeHourFamily(ctx, ctx.geometry.babylonianHourMarks, ctx.geometry.babylonianHourCurves,
                    scheme,
                    [lat, mc](double v, double dec) { return BabylonianHourTime(v, dec, lat, mc); });
}

void ComputeTemporaryHours(FamilyContext& ctx, const DateScheme& scheme) {
  const double lat = ctx.latitude;
  const double mc = ctx.correction;
  ComputeHourFamily(ctx, ctx.geometry.temporaryHourMarks, ctx.geometry.temporaryHourCurves,
                    scheme,
                    [lat, mc](double v, double dec) { return TemporaryHourTime(v, dec, lat, mc); });
}

void ComputeReferenceHours(FamilyContext& ctx, const DateScheme& scheme) {
  const double lat = ctx.latitude;
  const double mc = ctx.correction;
  const double refAltitude = ctx.model.referenceAltitude;
  const bool evening = ctx.model.referenceSide != 0;
  ComputeHourFamily(ctx, ctx.geometry.referenceHourMarks, ctx.geometry.referenceHourCurves,
                    scheme, [=](double v, double dec) {
                      return ReferenceHourTime(v, dec, lat, mc, refAltitude, evening);
                    });
}

void ComputeAscendantLines(FamilyContext& ctx) {
  const double lat = ctx.latitude;
  const double mc = ctx.correction;
  ComputeEclipticFamily(ctx, ctx.geometry.ascendantLineMarks, ctx.geometry.ascendantLineCurves,
                        [lat, mc](int k, double sunLongitude) {
                          return AscendantLineTime(k, sunLongitude, lat, mc);
                        });
}

void ComputeEclipticHours(FamilyContext& ctx) {
  const double lat = ctx.latitude;
  const double mc = ctx.correction;
  ComputeEclipticFamily(ctx, ctx.geometry.eclipticHourMarks, ctx.geometry.eclipticHourCurves,
                        [lat, mc](int k, double sunLongitude) {
                          return EclipticHourTime(k, sunLongitude, lat, mc);
                        });
}

void ComputeMeanTimeFigures(FamilyContext& ctx) {
  for (HourLineRecord& line : ctx.geometry.modernHourLines) {
    const double hour = line.hour;
    for (std::size_t d = 0; d < kMeanTimeDays.size(); ++d) {
      const int dayIndex = kMeanTimeDays[d] - 1;
      const double time = hour - DailyEquationOfTime(dayIndex) / 3600.0;
      StoreKeepingTime(line.meanTimeMarks[d],
                       PointAtTime(ctx, time, SunDate::OnDay(dayIndex), ctx.meanTimeCorrection));
    }
    for (int i = 0; i < kYearPointCount; ++i) {
      const double time = hour - DailyEquationOfTime(i) / 3600.0;
      StoreKeepingTime(line.meanTimeCurve[static_cast<std::size_t>(i)],
                       PointAtTime(ctx, time, SunDate::OnDay(i), ctx.meanTimeCorrection));
    }
  }
}

void ComputeAzimuthLines(FamilyContext& ctx) {
  auto& marks = ctx.geometry.azimuthLineMarks;
  auto& curves = ctx.geometry.azimuthLineCurves;
  for (std::size_t k = 0; k < kAzimuthLineCount; ++k) {
    double azimuth = 10.0 * static_cast<double>(k);
    if (azimuth > 180.0) azimuth -= 360.0;
    marks[k].label = azimuth;
    curves[k].label = azimuth;
  }
  const DateScheme standard = StandardDateScheme();
  for (std::size_t k = 0; k < kAzimuthLineCount; ++k) {
    const double azimuth = marks[k].label;
    for (int j = 0; j < standard.markCount; ++j) {
      auto& p = marks[k].points[static_cast<std::size_t>(j)];
      p = AzimuthLinePoint(ctx, azimuth, standard.mark(j), p);
    }
    for (int c = 0; c < standard.curveCount; ++c) {
      auto& p = curves[k].points[static_cast<std::size_t>(c)];
      p = AzimuthLinePoint(ctx, azimuth, standard.curvePoint(c), p);
    }
  }
}

void ComputeAlmucantars(FamilyContext& ctx) {
  auto& marks = ctx.geometry.almucantarMarks;
  auto& curves = ctx.geometry.almucantarCurves;
  for (std::size_t k = 0; k < kAlmucantarCount; ++k) {
    const double altitude = 5.0 * static_cast<double>(k);
    marks[k].west.altitude = altitude;
    marks[k].east.altitude = altitude;
    curves[k].altitude = altitude;
  }
  const double lat = ctx.latitude;
  for (std::size_t k = 0; k < kAlmucantarCount; ++k) {
    const double altitude = curves[k].altitude;
    for (int j = 0; j < kStandardDateLineCount; ++j) {
      const SunDate date = SunDate::OnDateLine(j + 1);
      const double azimuth = AlmucantarAzimuth(altitude, date.declination, lat);
      auto& west = marks[k].west.points[static_cast<std::size_t>(j)];
      auto& east = marks[k].east.points[static_cast<std::size_t>(j)];
      for (int half = 0; half < 2; ++half) {
        FlaggedDialPoint& target = half == 0 ? west : east;
        DialPoint p;
        if (std::isfinite(azimuth)) {
          const double a = half == 0 ? azimuth : -azimuth;
          p = PointAtDirection(ctx, TimeOfDirection(a, altitude, lat, ctx.correction), a,
                               altitude, date);
        } else {
          // The sun of this date never reaches the altitude: no such point.
          p = AbsentPoint();
          p.altitude = altitude;
        }
        target.time = p.time;  // the valid flag of the marks is not written
        target.x = p.x;
        target.y = p.y;
        target.azimuth = p.azimuth;
        target.altitude = p.altitude;
      }
    }
    for (int a = 0; a < kAlmucantarCurvePoints; ++a) {
      double stored = a;
      if (ctx.layout.ReducesAzimuth()) stored -= ctx.planeDeclination;
      if (stored < -180.0) stored += 360.0;
      if (stored >= 180.0) stored -= 360.0;
      const double declination = DeclinationOfDirection(a, altitude, lat);
      const DialPoint p =
          PointAtStoredDirection(ctx, TimeOfDirection(a, altitude, lat, ctx.correction), stored,
                                 altitude, SunDate::AtDeclination(declination));
      FlaggedDialPoint& target = curves[k].points[static_cast<std::size_t>(a)];
      target.valid = (declination >= -kTropic && declination <= kTropic) ? 1 : 0;
      target.time = p.time;
      target.x = p.x;
      target.y = p.y;
      target.azimuth = p.azimuth;
      target.altitude = p.altitude;
    }
  }
}

void ComputeLineFamilies(FamilyContext& ctx, const FamilyOptions& options) {
  LabelModernHours(ctx);
  ComputeModernHourLines(ctx, options.scheme);
  ComputeStandardDayCurves(ctx);
  ComputeUserDayCurves(ctx, kStandardDateLineCount);
  ComputeItalianHours(ctx, options.scheme);
  ComputeBabylonianHours(ctx, options.scheme);
  ComputeTemporaryHours(ctx, options.scheme);
  ComputeReferenceHours(ctx, options.scheme);
  ComputeAscendantLines(ctx);
  ComputeEclipticHours(ctx);
  if (options.meanTimeFigures) ComputeMeanTimeFigures(ctx);
  ComputeAzimuthLines(ctx);
  ComputeAlmucantars(ctx);
}

}  // namespace sundial
