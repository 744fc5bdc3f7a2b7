// The computed part of a dial: every line and point that ComputeDialGeometry derives from the
// dial's parameters, in dial-plane coordinates (origin at the foot of the gnomon, x to the right,
// y downward as the dial is seen by a person facing it; lengths in the unit of gnomonLength).
//
// Absent points are marked, never dropped: 1e40 for a point that does not exist, 1e49 for the
// polar dial's style length and distances, 1e30 for a type-12 trace that misses its outline.
// Every reader skips a coordinate whose magnitude is kNoPointThreshold or more.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

namespace sundial {

inline constexpr double kNoPoint = 1e40;          // the point does not exist
inline constexpr double kPolarInfinite = 1e49;    // polar dial: hour lines have no centre
inline constexpr double kOutlineMissed = 1e30;    // type 12: the rod's shadow misses the outline
inline constexpr double kNoPointThreshold = 1e10; // readers skip |x| or |y| at or above this

// A point of the dial plane with the clock time and the sun direction it stands for.
// azimuth: degrees from the south, positive west (reduced by planeDeclination for the dial types
// that do so); altitude: degrees. Both wrapped once into [-180, 180].
struct DialPoint {
  double time;
  double x;
  double y;
  double azimuth;
  double altitude;
};

// A point of an almucantar: valid = 1 when the sun can stand there on some day of the year.
struct FlaggedDialPoint {
  std::int32_t valid;
  double time;
  double x;
  double y;
  double azimuth;
  double altitude;
};

struct PlanePoint {
  double x;
  double y;
};

inline constexpr int kModernHourLineCount = 49;  // hours 0, 0.5, ..., 24
inline constexpr int kHalfDayLineCount = 25;     // hours 0, 0.5, ..., 12
inline constexpr int kAzimuthLineCount = 37;     // azimuths 0, 10, ..., 180, -170, ..., -10, 0
inline constexpr int kAlmucantarCount = 19;      // altitudes 0, 5, ..., 90
inline constexpr int kDayCurveCount = 25;        // 7 standard (or 13 month) lines, then 12 user lines
inline constexpr int kDateLineMarkCount = 13;
inline constexpr int kMeanTimeMarkCount = 37;
inline constexpr int kYearPointCount = 365;
inline constexpr int kDayPointCount = 241;       // 0.0 h to 24.0 h by 0.1 h
inline constexpr int kFineYearPointCount = 3650; // the year by 0.1 day
inline constexpr int kFineDayPointCount = 2410;  // the day by 0.01 h
inline constexpr int kStandardDateLineCount = 7;

struct HourLineRecord {
  double hour;
  double lineAngle;  // degrees, angle of the straight hour line at the dial centre
  std::array<DialPoint, kDateLineMarkCount> dateLineMarks;  // time field: distance from the centre
  std::array<DialPoint, kMeanTimeMarkCount> meanTimeMarks;
  std::array<DialPoint, kYearPointCount> meanTimeCurve;
};

struct LineMarks {
  double label;
  std::array<DialPoint, kDateLineMarkCount> points;
};

struct LineCurve {
  double label;
  std::array<DialPoint, kYearPointCount> points;
};

struct LineCurveFine {
  double label;
  std::array<DialPoint, kFineYearPointCount> points;
};

struct DayCurve {
  double spare;
  std::array<DialPoint, kDayPointCount> points;
};

struct DayCurveFine {
  double spare;
  std::array<DialPoint, kFineDayPointCount> points;
};

struct AlmucantarMarksHalf {
  double altitude;
  std::array<FlaggedDialPoint, kDateLineMarkCount> points;
};

// The western (afternoon) half first, then the eastern (morning) half.
struct AlmucantarMarks {
  AlmucantarMarksHalf west;
  AlmucantarMarksHalf east;
};

struct AlmucantarCurve {
  double altitude;
  std::array<FlaggedDialPoint, kYearPointCount> points;
};

struct AlmucantarCurveFine {
  double altitude;
  std::array<FlaggedDialPoint, kFineYearPointCount> points;
};

// The computed lines of every dial type but the fine traces (about 6 MB).
struct DialGeometry {
  std::array<HourLineRecord, kModernHourLineCount> modernHourLines;
  std::array<LineMarks, kModernHourLineCount> italianHourMarks;
  std::array<LineMarks, kModernHourLineCount> babylonianHourMarks;
  std::array<LineMarks, kHalfDayLineCount> temporaryHourMarks;
  std::array<LineMarks, kModernHourLineCount> referenceHourMarks;
  std::array<LineMarks, kHalfDayLineCount> ascendantLineMarks;
  std::array<LineMarks, kHalfDayLineCount> eclipticHourMarks;
  std::array<LineMarks, kAzimuthLineCount> azimuthLineMarks;
  std::array<AlmucantarMarks, kAlmucantarCount> almucantarMarks;
  std::array<LineCurve, kModernHourLineCount> modernHourCurves;
  std::array<LineCurve, kModernHourLineCount> italianHourCurves;
  std::array<LineCurve, kModernHourLineCount> babylonianHourCurves;
  std::array<LineCurve, kHalfDayLineCount> temporaryHourCurves;
  std::array<LineCurve, kModernHourLineCount> referenceHourCurves;
  std::array<LineCurve, kHalfDayLineCount> ascendantLineCurves;
  std::array<LineCurve, kHalfDayLineCount> eclipticHourCurves;
  std::array<LineCurve, kAzimuthLineCount> azimuthLineCurves;
  std::array<AlmucantarCurve, kAlmucantarCount> almucantarCurves;
  std::array<DayCurve, kDayCurveCount> dayCurves;
  std::array<PlanePoint, kStandardDateLineCount> analemmaticScale;
};

// The fine traces of the dial traced onto a receiving outline (type 12 only, about 54 MB).
struct FineDialGeometry {
  std::array<LineCurveFine, kModernHourLineCount> modernHourCurvesFine;
  std::array<LineCurveFine, kModernHourLineCount> italianHourCurvesFine;
  std::array<LineCurveFine, kModernHourLineCount> babylonianHourCurvesFine;
  std::array<LineCurveFine, kHalfDayLineCount> temporaryHourCurvesFine;
  std::array<LineCurveFine, kModernHourLineCount> referenceHourCurvesFine;
  std::array<LineCurveFine, kHalfDayLineCount> ascendantLineCurvesFine;
  std::array<LineCurveFine, kHalfDayLineCount> eclipticHourCurvesFine;
  std::array<LineCurveFine, kAzimuthLineCount> azimuthLineCurvesFine;
  // Two per altitude: the afternoon (western) half of the day, then the morning half.
  std::array<AlmucantarCurveFine, 2 * kAlmucantarCount> almucantarCurvesFine;
  std::array<DayCurveFine, kDayCurveCount> dayCurvesFine;

  // The traces start out zero: what the trace does not write (the time of a day curve's points,
  // the curves of date lines that are off) stays zero. They are taken zeroed from std::calloc,
  // whose large blocks come as fresh zero pages from the system: nothing is written twice, and
  // the pages are first touched where the trace fills them. NewZeroed gives no traces (null)
  // when the memory is not there.
  static std::unique_ptr<FineDialGeometry> NewZeroed() noexcept {
    return std::unique_ptr<FineDialGeometry>(
        static_cast<FineDialGeometry*>(std::calloc(1, sizeof(FineDialGeometry))));
  }
  // Every new and delete of the traces goes through calloc and free, so that one delete serves
  // both ways of making them.
  static void* operator new(std::size_t size) {
    if (void* p = std::calloc(1, size)) return p;
    throw std::bad_alloc();
  }
  static void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::calloc(1, size);
  }
  static void operator delete(void* p) noexcept { std::free(p); }
  static void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
};

}  // namespace sundial
