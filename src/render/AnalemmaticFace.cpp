// The analemmatic dials (types 5 and 6): hour points on an ellipse, read with a vertical stick
// that is moved along the date scale to the day's place.

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "render/AnalemmaticReading.h"
#include "render/Labels.h"
#include "render/LineTracer.h"
#include "render/SpecialFaces.h"

namespace sundial {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr Rgb kHourNumberColor{238, 191, 26};
constexpr int kSummerSolstice = 6;
constexpr int kEquinox = 3;
constexpr int kWinterSolstice = 0;

bool DayCurveShown(const DialModel& m, int entry) {
  if (entry == kWinterSolstice || entry == kSummerSolstice) return m.showSolsticeLines != 0;
  if (entry == kEquinox) return m.showEquinoxLine != 0;
  return m.showSignLines != 0;
}

// On the declining wall only the plate below the horizon can take the stick's shadow: the clip
// starts at the stick's highest place on the scale (the summer solstice, the winter one south
// of the equator).
void ClipBelowHorizon(PaintContext& ctx, const DialGeometry& g) {
  const DialModel& m = ctx.model;
  const double yS = g.analemmaticScale[m.latitude >= 0 ? kSummerSolstice : kWinterSolstice].y;
  const double top = std::isfinite(yS) ? std::max(m.plateYMin, yS) : m.plateYMin;
  const DeviceFrame& f = ctx.frame;
  ctx.canvas.SetClipRect(IntRect{f.ClampedX(m.plateXMin), f.ClampedY(top),
                                 f.ClampedX(m.plateXMax), f.ClampedY(std::max(m.plateYMax, 0.0))});
}

void DayCurves(PaintContext& ctx, const DialGeometry& g) {
  const ObjectHandle previous = ctx.canvas.SelectPen(ctx.res.penGreen);
  LineTracer tracer(ctx.canvas, ctx.frame);
  for (int entry = 0; entry < kStandardDateLineCount; ++entry) {
    if (!DayCurveShown(ctx.model, entry)) continue;
    tracer.Begin();
    // The whole ellipse is the day's path of the hour points: nothing on it is hidden.
    for (const DialPoint& p : g.dayCurves[entry].points) tracer.Trace(p.x, p.y, true);
  }
  ctx.canvas.SelectPen(previous);
}

void HourMarks(PaintContext& ctx, const DialGeometry& g) {
  const DialModel& m = ctx.model;
  if (!m.showModernHours) return;
  Canvas& canvas = ctx.canvas;
  const int u = ctx.U();
  const int v = ctx.V();
  canvas.SetTextColor(kHourNumberColor);
  const ObjectHandle previous = canvas.SelectPen(ctx.res.penYellow);
  for (int line = 0; line < kModernHourLineCount; ++line) {
    const bool solid = line % 2 == 0;
    if (!solid && !m.showIntermediateLines) continue;
    canvas.SelectPen(solid ? ctx.res.penYellow : ctx.res.penYellowDash);
    const HourLineRecord& record = g.modernHourLines[line];
    bool lastDrawn = false;
    int x = 0, y = 0;
    for (int mark = 0; mark < kStandardDateLineCount; ++mark) {
      const DialPoint& p = record.dateLineMarks[mark];
      lastDrawn = !IsAbsentPoint(p.x, p.y) && ctx.frame.Map(p.x, p.y, x, y);
      if (lastDrawn) canvas.Ellipse(x - u, y - v, x + u, y + v);
    }
    // Midnight is the ellipse's far end; it keeps its marks but carries no number.
    if (solid && lastDrawn && line != 0) {
      const int top = y - (4 * v) / 6 + 6 * v;
      const int bottom = y + (4 * v) / 6 + 6 * v;
      canvas.DrawText(TwoDigitText(TruncatedLabel(record.hour)), IntRect{x, top, x, bottom},
                      kTextCenter | kTextNoClip);
    }
  }
  canvas.SelectPen(previous);
}

// The stick's places for the seven date lines, as brown discs, with the signs at the solstices
// and the equinoxes.
void DateScale(PaintContext& ctx, const DialGeometry& g) {
  Canvas& canvas = ctx.canvas;
  const int u = ctx.U();
  const int v = ctx.V();
  const ObjectHandle pen = canvas.SelectPen(ctx.res.penBrownWide);
  const ObjectHandle brush = canvas.SelectBrush(ctx.res.brushBrown);
  for (int entry = 0; entry < kStandardDateLineCount; ++entry) {
    const PlanePoint& p = g.analemmaticScale[entry];
    int x, y;
    if (IsAbsentPoint(p.x, p.y) || !ctx.frame.Map(p.x, p.y, x, y)) continue;
    canvas.Ellipse(x - u, y - v, x + u, y + v);
    if (entry == kWinterSolstice) {
      DrawGlyph(ctx, x, y + 4 * v, std::string(1, kGlyphCapricorn), colors::kBrown);
    } else if (entry == kEquinox) {
      DrawGlyph(ctx, x - 10 * u, y + 2 * v,
                std::string(1, kGlyphAries) + "   " + kGlyphLibra, colors::kBrown);
    } else if (entry == kSummerSolstice) {
      DrawGlyph(ctx, x, y - 16 * v, std::string(1, kGlyphCancer), colors::kBrown);
    }
  }
  canvas.SelectBrush(brush);
  canvas.SelectPen(pen);
}

bool Finite(const PlanePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

void DrawAnalemmaticFace(PaintContext& ctx) {
  if (ctx.geometry == nullptr) return;
  const DialGeometry& g = *ctx.geometry;
  if (ctx.model.dialType == 6 && ctx.model.showHorizon) ClipBelowHorizon(ctx, g);
  DayCurves(ctx, g);
  HourMarks(ctx, g);
  ctx.canvas.ClearClip();
  DateScale(ctx, g);
}

AnalemmaticShadowPoints AnalemmaticShadow(const DialModel& m, double sunAzimuth,
                                          double sunAltitude, double sunDeclination) {
  const double M = m.lineExtent;
  const double g = m.gnomonLength;
  const double phi = m.latitude * kDegree;
  const double tanDelta = std::tan(sunDeclination * kDegree);
  const double A = sunAzimuth * kDegree;
  const double e = sunAltitude * kDegree;
  AnalemmaticShadowPoints s;
  if (m.dialType == 5) {
    s.foot = {0, -M * std::cos(phi) * tanDelta};
    s.tip = {s.foot.x + g * std::sin(A) / std::tan(e), s.foot.y - g * std::cos(A) / std::tan(e)};
  } else {
    const double D = m.planeDeclination * kDegree;
    const double d = A - D;
    s.foot = {-M * std::sin(D) * std::cos(phi) * tanDelta, -M * std::sin(phi) * tanDelta};
    s.tip = {s.foot.x + g * std::tan(d), s.foot.y + g * std::tan(e) / std::cos(d)};
  }
  return s;
}

PlanePoint AnalemmaticReadingPoint(const DialModel& m, const DialGeometry& g,
                                   const AnalemmaticShadowPoints& shadow) {
  std::array<PlanePoint, kDayPointCount> hourPoints;
  std::transform(g.dayCurves[0].points.begin(), g.dayCurves[0].points.end(), hourPoints.begin(),
                 [](const DialPoint& p) { return PlanePoint{p.x, p.y}; });
  const AnalemmaticRay ray = AnalemmaticRay::Make(shadow.foot, shadow.tip, m.lineExtent);
  return ray.At(AnalemmaticReadingStep(ray, hourPoints));
}

void DrawAnalemmaticShadow(PaintContext& ctx, ObjectHandle previousBrush) {
  const DialModel& m = ctx.model;
  const AnalemmaticShadowPoints s = AnalemmaticShadow(
      m, ctx.input.sunAzimuth, ctx.input.sunAltitude, ctx.input.sunDeclination);
  if (!Finite(s.foot)) return;
  const double u = ctx.U();
  const double v = ctx.V();
  Canvas& canvas = ctx.canvas;
  int x, y;
  if (Finite(s.tip)) {
    DevicePen pen(canvas, ctx.frame);
    pen.MoveTo(s.foot.x, s.foot.y);
    pen.LineTo(s.tip.x, s.tip.y);
    if (ctx.frame.Map(s.tip.x, s.tip.y, x, y)) {
      canvas.Ellipse(static_cast<int>(x - u), static_cast<int>(y - v), static_cast<int>(x + u),
                     static_cast<int>(y + v));
    }
  }
  canvas.SelectBrush(previousBrush);
  if (ctx.geometry == nullptr || !Finite(s.tip)) return;
  // The hour is read where the shadow, carried on along its ray, meets the ellipse.
  const PlanePoint reading = AnalemmaticReadingPoint(m, *ctx.geometry, s);
  if (Finite(reading) && ctx.frame.Map(reading.x, reading.y, x, y)) {
    canvas.Ellipse(static_cast<int>(x - 2 * u), static_cast<int>(y - 8.0 / 3.0 * v),
                   static_cast<int>(x + 2 * u), static_cast<int>(y + 8.0 / 3.0 * v));
  }
}

}  // namespace sundial
