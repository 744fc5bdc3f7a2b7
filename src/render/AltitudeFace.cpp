// The altitude dials (types 13 and 14): a cylinder unrolled, the date across it (in solar
// declination on type 13, in days of the year on type 14) and the shadow of a horizontal gnomon
// falling straight down it, as long as gnomonLength x tan(altitude).

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "render/Labels.h"
#include "render/LineTracer.h"
#include "render/SpecialFaces.h"
#include "render/Visibility.h"

namespace sundial {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr int kDeclinationLines = 7;   // type 13: the seven standard date lines
constexpr int kMonthLines = 13;        // type 14: the 1st of each month and 31 December
constexpr int kNoonLine = 12;          // temporary hour 6
constexpr double kInverseSolsticeSpan = 0.021331058020477814;  // 1 / (2 x 23.44)
constexpr double kInverseYear = 0.0027397260273972603;         // 1 / 365

int PointsPerLine(const DialModel& m) { return m.dialType == 14 ? kYearPointCount : 95; }

// The lines a layer keeps: all of them, the afternoon from its marked line on, the morning up
// to it, or the marked line alone when both halves are asked for.
LayerSpan Range(int marked, int count, bool afternoon, bool morning, int points) {
  LayerSpan span{0, count - 1, points, count};
  if (afternoon && morning) {
    span.first = span.last = marked;
  } else if (afternoon) {
    span.first = marked;
  } else if (morning) {
    span.last = marked;
  }
  return span;
}

// The sun-lit lines only: an altitude dial's line below the horizon would stand above its own
// gnomon, where no shadow can fall.
void DayCurves(PaintContext& ctx, const DialGeometry& g, int count) {
  const ObjectHandle previous = ctx.canvas.SelectPen(ctx.res.penGreen);
  LineTracer tracer(ctx.canvas, ctx.frame);
  for (int entry = 0; entry < count; ++entry) {
    tracer.Begin();
    for (const DialPoint& p : g.dayCurves[entry].points) {
      tracer.Trace(p.x, p.y, PointVisible(ctx.model, p.azimuth, p.altitude, true));
    }
  }
  ctx.canvas.SelectPen(previous);
}

// The signs (type 13) or month numbers (type 14) between neighbouring date lines, under the
// gnomon's line.
void DateScaleLabels(PaintContext& ctx, const DialGeometry& g, int count) {
  static constexpr char kUpper[6] = {0x67, 0x68, 0x69, 0x5E, 0x5F, 0x60};  // Capricorn .. Gemini
  static constexpr char kLower[6] = {0x66, 0x65, 0x64, 0x63, 0x62, 0x61};  // Sagittarius .. Cancer
  const bool calendar = ctx.model.dialType == 14;
  const DeviceFrame& f = ctx.frame;
  const int top = f.ClampedY(0) + 2 * ctx.V();
  const ObjectHandle font = ctx.fonts.Select(calendar ? ctx.res.fontLarge : ctx.res.fontGlyph);
  ctx.canvas.SetTextColor(colors::kGreen);
  for (int band = 0; band + 1 < count; ++band) {
    const double x0 = g.dayCurves[band].points[0].x;
    const double x1 = g.dayCurves[band + 1].points[0].x;
    if (!std::isfinite(x0) || !std::isfinite(x1)) continue;
    const int x = (f.ClampedX(x0) + f.ClampedX(x1)) / 2;
    const std::string text = calendar ? TwoDigitText(band + 1)
                                      : std::string{kUpper[band], '\n', kLower[band]};
    ctx.canvas.DrawText(text, IntRect{x, top, x, top}, kTextCenter | kTextNoClip);
  }
  ctx.fonts.Restore(font);
}

void NoonMark(PaintContext& ctx, const DialGeometry& g) {
  const ObjectHandle previous = ctx.canvas.SelectPen(ctx.res.penPureRed);
  LineTracer tracer(ctx.canvas, ctx.frame);
  tracer.Begin();
  const auto& points = g.temporaryHourCurves[kNoonLine].points;
  for (int k = 0; k < PointsPerLine(ctx.model); ++k) {
    tracer.Trace(points[k].x, points[k].y, points[k].altitude >= 0);
  }
  ctx.canvas.SelectPen(previous);
}

}  // namespace

HourLayerPlan AltitudeDialLayerPlan(const DialModel& m) {
  const bool pm = m.afternoonOnly != 0;
  const bool am = m.morningOnly != 0;
  const int n = PointsPerLine(m);
  const bool calendar = m.dialType == 14;
  HourLayerPlan plan;
  plan.italian = Range(34, 48, pm, am, n);
  plan.babylonian = Range(14, 48, pm, am, n);
  plan.reference = Range(32, 48, pm, am, n);
  plan.temporary = Range(12, kHalfDayLineCount, pm, am, n);
  plan.ascendant = plan.temporary;
  plan.ascendantHalf = Range(12, kHalfDayLineCount, pm, am, calendar ? n : 48);
  // One ecliptic layer: the half layer's switch on either dial, the full layer's on type 14.
  plan.eclipticHalf = Range(12, kHalfDayLineCount, pm, am, calendar ? n : 47);
  plan.ecliptic = Range(12, kHalfDayLineCount, pm, am, n);
  if (!calendar || m.showEclipticHalf) plan.ecliptic.last = -1;
  // Line 0 of the azimuths is the meridian and line 18 the north: the afternoon sun stands in
  // the west, lines 0 to 18, so the two switches trade places here.
  plan.azimuth = Range(18, kAzimuthLineCount, am, pm, n);
  plan.almucantar = {0, kAlmucantarCount - 1, n, kAlmucantarCount};
  plan.modern = Range(24, 48, pm, am, n);
  return plan;
}

void DrawAltitudeFace(PaintContext& ctx) {
  if (ctx.geometry == nullptr) return;
  const DialGeometry& g = *ctx.geometry;
  const int count = ctx.model.dialType == 14 ? kMonthLines : kDeclinationLines;
  DayCurves(ctx, g, count);
  DateScaleLabels(ctx, g, count);
  DrawHourLayers(ctx, AltitudeDialLayerPlan(ctx.model));
  if (ctx.model.showNoonMark) NoonMark(ctx, g);
}

// The stick stands on today's place of the date scale: the declination on type 13; on type 14
// today's day index (day of the year less one), where the calendar scale puts the day's hour
// points, so that the stick's end is read against the hour lines of today and not tomorrow.
PlanePoint AltitudeShadowEnd(const DialModel& m, double sunAltitude, double sunDeclination,
                             int dayOfYear) {
  const double width = m.plateXMax - m.plateXMin;
  const double x = m.dialType == 13
                       ? m.plateXMin + width * (sunDeclination + 23.44) * kInverseSolsticeSpan
                       : m.plateXMin + width * (dayOfYear - 1) * kInverseYear;
  return {x, m.gnomonLength * std::tan(sunAltitude * kDegree)};
}

void DrawAltitudeShadow(PaintContext& ctx) {
  const PlanePoint end = AltitudeShadowEnd(ctx.model, ctx.input.sunAltitude,
                                           ctx.input.sunDeclination, ctx.input.dayOfYear);
  if (!std::isfinite(end.x) || !std::isfinite(end.y)) return;
  DevicePen pen(ctx.canvas, ctx.frame);
  pen.MoveTo(end.x, 0);
  pen.LineTo(end.x, end.y);
  int x, y;
  if (!ctx.frame.Map(end.x, end.y, x, y)) return;
  const int u = ctx.U();
  const double k = ctx.V() / 3.0;
  ctx.canvas.Ellipse(x - u, static_cast<int>(y - k), x + u, static_cast<int>(y + k));
}

}  // namespace sundial
