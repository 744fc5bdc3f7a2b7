// The altitude (cylinder) dials, types 13 and 14, drawn unrolled: a horizontal gnomon of length L
// casts its shadow straight down a vertical surface, so the shadow's length L tan(h) tells the
// sun's altitude h, and the date is read across the surface on a linear scale: in the sun's
// declination from the winter to the summer solstice (type 13) or in the day of the year (type
// 14, a calendar scale with a line on the 1st of every month).
#include <array>
#include <cmath>

#include "astro/CivilTime.h"
#include "astro/DailySunTables.h"
#include "geometry/AngleMath.h"
#include "geometry/DialTypes.h"
#include "geometry/Families.h"
#include "geometry/HourFormulas.h"
#include "geometry/SpecialDials.h"

namespace sundial {

namespace {

constexpr int kMonthLineCount = 13;  // the 1st of each month and the last day of the year
constexpr int kSweepCount = 95;      // the declination scale's curves
constexpr double kSweepFraction = 0.010638297872340425;  // 1 / 94

// The sun's ecliptic longitude turns at the solstices of the daily table: rising (-90..90) from
// the winter solstice to the summer one, falling (90..270) after it.
constexpr int kSummerSolsticeDay = 171;
constexpr int kWinterSolsticeDay = 354;

// Day index of month line m (0..12): the 1st of month m + 1; the thirteenth is 31 December.
int MonthLineDay(int m) { return DayOfYear(1, m + 1) - 1; }

// Type 13: the seven standard date lines and 95 declinations from one solstice to the other.
SunDate DeclinationScaleMark(int j) { return SunDate::OnDateLine(j + 1); }
SunDate DeclinationScalePoint(int c) {
  const double first = DateLineDeclination(1);
  const double last = DateLineDeclination(kStandardDateLineCount);
  return SunDate::AtDeclination(first + c * ((last - first) * kSweepFraction));
}

// Type 14: the thirteen month lines and every day of the year.
SunDate CalendarMark(int m) { return SunDate::OnDay(MonthLineDay(m)); }
SunDate CalendarPoint(int i) { return SunDate::OnDay(i); }

DateScheme SchemeOf(int dialType) {
  if (dialType == 13) {
    return DateScheme{kStandardDateLineCount, kSweepCount, &DeclinationScaleMark,
                      &DeclinationScalePoint};
  }
  return DateScheme{kMonthLineCount, kYearPointCount, &CalendarMark, &CalendarPoint};
}

// y = L tan(h) for every point; x from the point's date on the plate's date scale.
class AltitudeDialLayout final : public DialLayout {
 public:
  explicit AltitudeDialLayout(const DialModel& m)
      : DialLayout(false),
        calendar_(m.dialType == 14),
        gnomon_(m.gnomonLength),
        x0_(m.plateXMin),
        x1_(m.plateXMax),
        firstDeclination_(DateLineDeclination(1)),
        lastDeclination_(DateLineDeclination(kStandardDateLineCount)) {}

  PlanePoint Project(const SunPoint& p) const override {
    return {DateX(p.date), gnomon_ * TanDeg(p.altitude)};
  }

  // A date-line (or month-line) mark of a modern hour line: the line's angle seen from the
  // origin (it ends with the value of the last mark) and its distance from the origin.
  void FinishModernMark(HourLineRecord& line, int index) const override {
    DialPoint& mark = line.dateLineMarks[static_cast<std::size_t>(index)];
    line.lineAngle = Atan2Deg(-mark.x, -mark.y);
    mark.time = std::sqrt(mark.x * mark.x + mark.y * mark.y);
  }

  double DateX(const SunDate& date) const {
    if (calendar_) {
      // Every point of this dial is dated by its day; a date given by a declination alone
      // has no place on a calendar scale.
      if (date.kind != SunDate::Kind::Day) return kNoPoint;
      return x0_ + date.dayIndex * (x1_ - x0_) / kYearPointCount;
    }
    return x0_ + (date.declination - firstDeclination_) * (x1_ - x0_) /
                     (lastDeclination_ - firstDeclination_);
  }

  double EndX() const { return x1_; }

 private:
  bool calendar_;
  double gnomon_;
  double x0_;
  double x1_;
  double firstDeclination_;
  double lastDeclination_;
};

void SetStyleAndPlate(DialModel& m) {
  m.styleHeight = std::fabs(90.0 - m.latitude);
  m.substyleAngle = 0;
  m.styleLength = m.gnomonLength / SinDeg(m.styleHeight);
  // The drawing starts at 0: the limits become the plate's width and height.
  m.plateXMax -= m.plateXMin;
  m.plateXMin = 0;
  m.plateYMax -= m.plateYMin;
  m.plateYMin = 0;
}

// The sun's ecliptic longitude on a day of the table, from its declination.
double SunLongitudeOnDay(int dayIndex) {
  const double ratio = SinDeg(DailyDeclinationAt(dayIndex)) / SinDeg(kObliquityDegrees);
  const double rising = AsinDeg(ratio > 1.0 ? 1.0 : (ratio < -1.0 ? -1.0 : ratio));
  const bool falling = dayIndex > kSummerSolsticeDay && dayIndex <= kWinterSolsticeDay;
  return falling ? 180.0 - rising : rising;
}

// On the calendar scale every family is read by the day: the ascendant and ecliptic hours, the
// azimuth lines and the almucantars get the thirteen month marks and a point for every day, as
// the hour families do, so that each of their lines runs across the whole plate.
template <class TimeOf>
void CalendarEclipticFamily(FamilyContext& ctx, std::array<LineMarks, kHalfDayLineCount>& marks,
                            std::array<LineCurve, kHalfDayLineCount>& curves, TimeOf timeOf) {
  for (int k = 0; k < kHalfDayLineCount; ++k) {
    marks[static_cast<std::size_t>(k)].label = 0.5 * k;
    curves[static_cast<std::size_t>(k)].label = 0.5 * k;
  }
  for (int k = 0; k < kHalfDayLineCount; ++k) {
    for (int m = 0; m < kMonthLineCount; ++m) {
      const int day = MonthLineDay(m);
      marks[static_cast<std::size_t>(k)].points[static_cast<std::size_t>(m)] = PointAtTime(
          ctx, WrapIntoDay(timeOf(k, SunLongitudeOnDay(day))), SunDate::OnDay(day), ctx.correction);
    }
    for (int i = 0; i < kYearPointCount; ++i) {
      curves[static_cast<std::size_t>(k)].points[static_cast<std::size_t>(i)] =
          PointAtTime(ctx, timeOf(k, SunLongitudeOnDay(i)), SunDate::OnDay(i), ctx.correction);
    }
  }
}

void CalendarAzimuthLines(FamilyContext& ctx) {
  auto& marks = ctx.geometry.azimuthLineMarks;
  auto& curves = ctx.geometry.azimuthLineCurves;
  for (std::size_t k = 0; k < kAzimuthLineCount; ++k) {
    double azimuth = 10.0 * static_cast<double>(k);
    if (azimuth > 180.0) azimuth -= 360.0;
    marks[k].label = azimuth;
    curves[k].label = azimuth;
  }
  auto point = [&ctx](double azimuth, int day, DialPoint& p) {
    const SunDate date = SunDate::OnDay(day);
    const auto altitude = AzimuthLineAltitude(azimuth, date.declination, ctx.latitude);
    if (!altitude) {  // the sun of that day never stands there; the time is not written
      p.x = kNoPoint;
      p.y = kNoPoint;
      p.azimuth = azimuth;
      p.altitude = -90.0;
      return;
    }
    p = PointAtDirection(ctx, TimeOfDirection(azimuth, *altitude, ctx.latitude, ctx.correction),
                         azimuth, *altitude, date);
  };
  for (std::size_t k = 0; k < kAzimuthLineCount; ++k) {
    for (int m = 0; m < kMonthLineCount; ++m) {
      point(marks[k].label, MonthLineDay(m), marks[k].points[static_cast<std::size_t>(m)]);
    }
    for (int i = 0; i < kYearPointCount; ++i) {
      point(curves[k].label, i, curves[k].points[static_cast<std::size_t>(i)]);
    }
  }
}

// An almucantar on an altitude dial is a level line y = L tan(altitude): its marks (afternoon
// half, then morning half) and its curve (the afternoon point) are placed on the dates of the
// scale, valid where the sun of that date reaches the altitude.
void ScaleAlmucantars(FamilyContext& ctx, const DateScheme& scheme) {
  auto& marks = ctx.geometry.almucantarMarks;
  auto& curves = ctx.geometry.almucantarCurves;
  auto store = [](FlaggedDialPoint& target, const DialPoint& p, bool writeValid, int valid) {
    if (writeValid) target.valid = valid;
    target.time = p.time;
    target.x = p.x;
    target.y = p.y;
    target.azimuth = p.azimuth;
    target.altitude = p.altitude;
  };
  auto pointOf = [&ctx](double altitude, const SunDate& date, double side) {
    const double azimuth = AlmucantarAzimuth(altitude, date.declination, ctx.latitude);
    if (!std::isfinite(azimuth)) {
      DialPoint p = AbsentPoint();
      p.altitude = altitude;
      return p;
    }
    const double a = side * azimuth;
    return PointAtDirection(ctx, TimeOfDirection(a, altitude, ctx.latitude, ctx.correction), a,
                            altitude, date);
  };
  for (std::size_t k = 0; k < kAlmucantarCount; ++k) {
    const double altitude = 5.0 * static_cast<double>(k);
    marks[k].west.altitude = altitude;
    marks[k].east.altitude = altitude;
    curves[k].altitude = altitude;
  }
  const int markCount =
      scheme.markCount < kDateLineMarkCount ? scheme.markCount : kDateLineMarkCount;
  for (std::size_t k = 0; k < kAlmucantarCount; ++k) {
    const double altitude = curves[k].altitude;
    for (int j = 0; j < markCount; ++j) {
      const SunDate date = scheme.mark(j);
      store(marks[k].west.points[static_cast<std::size_t>(j)], pointOf(altitude, date, 1.0), false,
            0);
      store(marks[k].east.points[static_cast<std::size_t>(j)], pointOf(altitude, date, -1.0), false,
            0);
    }
    for (int c = 0; c < scheme.curveCount; ++c) {
      const DialPoint p = pointOf(altitude, scheme.curvePoint(c), 1.0);
      store(curves[k].points[static_cast<std::size_t>(c)], p, true,
            std::fabs(p.x) < kNoPointThreshold ? 1 : 0);
    }
  }
}

// Type 14's day curves: the thirteen month lines in entries 0..12, the last of them drawn at the
// very end of the plate.
void CalendarDayCurves(FamilyContext& ctx, const AltitudeDialLayout& layout) {
  for (int m = 0; m < kMonthLineCount; ++m) {
    FillDayCurve(ctx, ctx.geometry.dayCurves[static_cast<std::size_t>(m)],
                 SunDate::OnDay(MonthLineDay(m)));
  }
  for (DialPoint& p : ctx.geometry.dayCurves[kMonthLineCount - 1].points) p.x = layout.EndX();
}

}  // namespace

void ComputeAltitudeDial(DialModel& model) {
  SetStyleAndPlate(model);
  const AltitudeDialLayout layout(model);
  const DateScheme scheme = SchemeOf(model.dialType);
  FamilyContext ctx = MakeFamilyContext(model, layout);
  const bool calendar = model.dialType == 14;

  LabelModernHours(ctx);
  ComputeModernHourLines(ctx, scheme);
  if (calendar) {
    CalendarDayCurves(ctx, layout);
    ComputeUserDayCurves(ctx, kMonthLineCount);
  } else {
    ComputeStandardDayCurves(ctx);
    ComputeUserDayCurves(ctx, kStandardDateLineCount);
  }
  ComputeItalianHours(ctx, scheme);
  ComputeBabylonianHours(ctx, scheme);
  ComputeTemporaryHours(ctx, scheme);
  ComputeReferenceHours(ctx, scheme);
  if (calendar) {
    const double lat = ctx.latitude;
    const double mc = ctx.correction;
    CalendarEclipticFamily(ctx, ctx.geometry.ascendantLineMarks, ctx.geometry.ascendantLineCurves,
                           [lat, mc](int k, double sunLongitude) {
                             return AscendantLineTime(k, sunLongitude, lat, mc);
                           });
    CalendarEclipticFamily(ctx, ctx.geometry.eclipticHourMarks, ctx.geometry.eclipticHourCurves,
                           [lat, mc](int k, double sunLongitude) {
                             return EclipticHourTime(k, sunLongitude, lat, mc);
                           });
  } else {
    ComputeAscendantLines(ctx);
    ComputeEclipticHours(ctx);
  }
  ComputeMeanTimeFigures(ctx);
  if (calendar) {
    CalendarAzimuthLines(ctx);
  } else {
    ComputeAzimuthLines(ctx);
  }
  ScaleAlmucantars(ctx, scheme);
}

}  // namespace sundial
