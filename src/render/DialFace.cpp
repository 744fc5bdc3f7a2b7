#include "render/DialFace.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/Labels.h"
#include "render/LineTracer.h"
#include "render/Titles.h"
#include "render/Visibility.h"

namespace sundial {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr int kSweepPoints = 95;       // the declination and ecliptic sweeps
constexpr int kHalfSweepPoints = 48;   // the first half of the ecliptic sweep
constexpr int kAlmucantarPoints = 361; // azimuth 0..360 by 1 degree
constexpr int kHourLineCount = 48;     // hours 0 .. 23.5 of the 49 records
constexpr int kHorizonLastLine = 24;   // temporary hour 12: sunset
constexpr int kNoonLine = 12;          // temporary hour 6: true noon
constexpr int kLastSweepPoint = 94;
constexpr int kMeanTimeLabelMark = 6;  // the summer-solstice crossing of a modern hour line
// Below this latitude a sky map shows the horizon whatever its switch says.
constexpr double kSkyMapHorizonLatitude = 66.5;

using Layer = LayerStyle;

// The fields that tracing needs from either kind of point.
struct TracePoint {
  double x, y, azimuth, altitude;
  bool valid;
};

TracePoint Read(const DialPoint& p) { return {p.x, p.y, p.azimuth, p.altitude, true}; }
TracePoint Read(const FlaggedDialPoint& p) {
  return {p.x, p.y, p.azimuth, p.altitude, p.valid != 0};
}
double LabelOf(const LineCurve& c) { return c.label; }
double LabelOf(const AlmucantarCurve& c) { return c.altitude; }

bool InsidePlate(const DialModel& m, double x, double y) {
  return m.plateXMin < x && x < m.plateXMax && m.plateYMin < y && y < m.plateYMax;
}

class FaceDrawer {
 public:
  explicit FaceDrawer(PaintContext& ctx)
      : ctx_(ctx), m_(ctx.model), g_(*ctx.geometry), tracer_(ctx.canvas, ctx.frame) {}

  void Draw();
  void HourLayers(const HourLayerPlan& plan);

 private:
  void GnomonConstruction();
  void ClipRegion();
  void DayCurves();
  void Horizon();
  template <typename Curve>
  void DrawLayer(const Layer& layer, const Curve* curves, const LayerSpan& span);
  void MeanTimeFigures();
  void NoonMark();

  bool Visible(const TracePoint& p, bool dayCurve) const {
    return p.valid && PointVisible(m_, p.azimuth, p.altitude, dayCurve);
  }
  bool Clipped() const {
    const int t = m_.dialType;
    return t == 0 || t == 1 || t == 11 || t == 9 || t == 10;
  }

  PaintContext& ctx_;
  const DialModel& m_;
  const DialGeometry& g_;
  LineTracer tracer_;
};

void FaceDrawer::Draw() {
  const int t = m_.dialType;
  DrawTitles(ctx_);
  if (m_.showGnomonConstruction) GnomonConstruction();
  if (Clipped()) ClipRegion();
  DayCurves();
  // The horizontal sky maps show the horizon wherever the sun rises and sets every day.
  const bool skyMap = t == 7 || t == 8;
  if (skyMap ? std::fabs(m_.latitude) < kSkyMapHorizonLatitude : m_.showHorizon != 0) Horizon();
  HourLayers(LineDialLayerPlan());
  if (t <= 4 || t == 11) MeanTimeFigures();
  if (t == 0 && m_.showNoonMark) NoonMark();
}

void FaceDrawer::GnomonConstruction() {
  const ObjectHandle previous = ctx_.canvas.SelectPen(ctx_.res.penLightGreyDash);
  DevicePen pen(ctx_.canvas, ctx_.frame);
  const int t = m_.dialType;
  const double a = m_.substyleAngle * kDegree;
  const double g = m_.gnomonLength;
  const double h = m_.styleHeight * kDegree;
  const double px = std::cos(a);
  const double py = -std::sin(a);
  // The gnomon laid down into the plate, square to the substyle.
  pen.MoveTo(0, 0);
  pen.LineTo(g * px, g * py);
  const bool polarStyle = t == 0 || t == 1 || t == 11;
  if (polarStyle && std::fabs(m_.styleHeight) >= m_.minStyleHeight) {
    // Close the triangle foot - laid-down nodus - style root.
    const PlanePoint root = StyleRoot(m_);
    pen.LineTo(root.x, root.y);
  } else if (polarStyle || t == 2) {
    // A flat or nearly flat style has its root far away: show instead a piece of the style
    // above the substyle, laid down beside it.
    const double r1 = std::fabs(g) * (1 - std::tan(h));
    const double r2 = std::fabs(g) * (1 + std::tan(h));
    const double ax = -g * std::sin(a), ay = -g * std::cos(a);
    const double bx = g * std::sin(a), by = g * std::cos(a);
    pen.MoveTo(ax, ay);
    pen.LineTo(ax + r1 * px, ay + r1 * py);
    pen.LineTo(bx + r2 * px, by + r2 * py);
    pen.LineTo(bx, by);
  }
  ctx_.canvas.SelectPen(previous);
}

void FaceDrawer::ClipRegion() {
  const DeviceFrame& f = ctx_.frame;
  if (!m_.showHorizon) {
    ctx_.canvas.SetClipRect(f.plateRect);
    return;
  }
  // Only the plate below the horizon line through the gnomon's foot can receive a shadow.
  double top = std::max(m_.plateYMin, 0.0);
  if (m_.dialType == 11) {
    // The end of the sunrise line lies on the horizon of the tilted plate.
    const DialPoint& horizon = g_.temporaryHourCurves[0].points[kLastSweepPoint];
    top = IsAbsentPoint(horizon.x, horizon.y) ? m_.plateYMin : std::max(m_.plateYMin, horizon.y);
  }
  const double bottom = std::max(m_.plateYMax, 0.0);
  ctx_.canvas.SetClipRect(IntRect{f.ClampedX(m_.plateXMin), f.ClampedY(top),
                                  f.ClampedX(m_.plateXMax), f.ClampedY(bottom)});
}

void FaceDrawer::DayCurves() {
  const ObjectHandle previous = ctx_.canvas.SelectPen(ctx_.res.penGreen);
  for (int entry = 0; entry < kStandardDateLineCount + kUserDateLineCount; ++entry) {
    bool shown = true;
    if (entry == 0 || entry == 6) {
      shown = m_.showSolsticeLines != 0;
    } else if (entry == 3) {
      shown = m_.showEquinoxLine != 0;
    } else if (entry < kStandardDateLineCount) {
      shown = m_.showSignLines != 0;
    } else {
      // A user date line exists when it is switched on and has a day and a month: exactly the
      // lines the geometry traces, wherever they stand among the twelve.
      const int i = entry - kStandardDateLineCount;
      shown = m_.dateLineEnabled[i] != 0 && m_.dateLineDay[i] != 0 && m_.dateLineMonth[i] != 0;
    }
    if (!shown) continue;
    const std::string glyph = DayCurveGlyph(entry);
    // The glyph goes at the third point inside the plate after the curve has come back from
    // behind the plate (or from below the horizon), where it marks the date line's start.
    int insideCount = 99;
    tracer_.Begin();
    const auto& points = g_.dayCurves[entry].points;
    for (int i = 0; i < kDayPointCount; ++i) {
      const TracePoint p = Read(points[i]);
      const LineTracer::Step step = tracer_.Trace(p.x, p.y, Visible(p, true));
      if (step == LineTracer::Step::Started && i > 0) insideCount = 0;
      if (step != LineTracer::Step::Drawn) continue;
      if (InsidePlate(m_, p.x, p.y)) ++insideCount;
      int x, y;
      if (insideCount == 3 && tracer_.LastPoint(x, y)) DrawGlyph(ctx_, x, y, glyph, colors::kGreen);
    }
  }
  ctx_.canvas.SelectPen(previous);
}

void FaceDrawer::Horizon() {
  const ObjectHandle previous = ctx_.canvas.SelectPen(ctx_.res.penGreen);
  const bool backwards = m_.dialType == 4;
  for (int line : {0, kHorizonLastLine}) {
    tracer_.Begin();
    const auto& points = g_.temporaryHourCurves[line].points;
    for (int k = 0; k < kSweepPoints; ++k) {
      const TracePoint p = Read(points[backwards ? kLastSweepPoint - k : k]);
      tracer_.Trace(p.x, p.y, Visible(p, false));
    }
  }
  ctx_.canvas.SelectPen(previous);
}

void FaceDrawer::HourLayers(const HourLayerPlan& plan) {
  const DrawingResources& r = ctx_.res;
  const int italian = m_.showItalianHours || m_.showItalianHoursShifted;
  using L = LabelKind;
  {
    Layer layer{italian, r.penRed, r.penRedDash, colors::kRed, L::EndHourReversible};
    layer.firstLineDashed = m_.showItalianHours ? 0 : 1;
    DrawLayer(layer, g_.italianHourCurves.data(), plan.italian);
  }
  DrawLayer(Layer{m_.showBabylonianHours, r.penTeal, r.penTealDash, colors::kTeal, L::EndHour},
            g_.babylonianHourCurves.data(), plan.babylonian);
  DrawLayer(Layer{m_.showReferenceHours, r.penGrey, r.penGreyDash, colors::kTitleGrey,
                  L::EndHourReversible},
            g_.referenceHourCurves.data(), plan.reference);
  DrawLayer(Layer{m_.showTemporaryHours, r.penBlue, r.penBlueDash, colors::kBlue,
                  L::RomanTemporary},
            g_.temporaryHourCurves.data(), plan.temporary);
  {
    Layer layer{m_.showAscendantHalf, r.penBlue, r.penBlueDash, colors::kBlue, L::AscendantGlyph};
    layer.glyphInsideCount = 20;
    DrawLayer(layer, g_.ascendantLineCurves.data(), plan.ascendantHalf);
    layer.enabled = m_.showAscendantLines;
    layer.glyphInsideCount = 2;
    DrawLayer(layer, g_.ascendantLineCurves.data(), plan.ascendant);
  }
  {
    Layer layer{m_.showEclipticHalf, r.penGrey, r.penGreyDash, colors::kTitleGrey,
                L::RomanEcliptic};
    DrawLayer(layer, g_.eclipticHourCurves.data(), plan.eclipticHalf);
    layer.enabled = m_.showEclipticHours;
    layer.drawNumerals = m_.showEclipticHalf == 0;
    DrawLayer(layer, g_.eclipticHourCurves.data(), plan.ecliptic);
  }
  DrawLayer(Layer{m_.showAzimuthLines, r.penTeal, r.penTealDash, colors::kTeal, L::EndAzimuth},
            g_.azimuthLineCurves.data(), plan.azimuth);
  DrawLayer(Layer{m_.showAlmucantars, r.penRed, r.penRedDash, colors::kRed, L::EndAltitude},
            g_.almucantarCurves.data(), plan.almucantar);
  DrawLayer(Layer{m_.showModernHours, r.penYellow, r.penYellowDash, colors::kYellow, L::EndHour},
            g_.modernHourCurves.data(), plan.modern);
}

template <typename Curve>
void FaceDrawer::DrawLayer(const Layer& layer, const Curve* curves, const LayerSpan& span) {
  if (!layer.enabled) return;
  Canvas& canvas = ctx_.canvas;
  canvas.SetTextColor(layer.textColor);
  const ObjectHandle previous = canvas.SelectPen(layer.solidPen);
  LayerLabels labels(ctx_, layer);
  const int points = std::clamp(span.points, 0, kYearPointCount);
  for (int i = std::max(span.first, 0); i <= span.last && i < span.capacity; ++i) {
    const bool solid = (i + layer.firstLineDashed) % 2 == 0;
    if (!solid && !m_.showIntermediateLines) continue;
    canvas.SelectPen(solid ? layer.solidPen : layer.dashPen);
    const Curve& curve = curves[i];
    tracer_.Begin();
    int insideCount = 0;
    for (int k = 0; k < points; ++k) {
      const TracePoint p = Read(curve.points[k]);
      const LineTracer::Step step = tracer_.Trace(p.x, p.y, Visible(p, false));
      if (layer.label != LabelKind::AscendantGlyph || !solid) continue;
      if (step != LineTracer::Step::Started && step != LineTracer::Step::Drawn) continue;
      if (InsidePlate(m_, p.x, p.y)) ++insideCount;
      int x, y;
      if (insideCount == layer.glyphInsideCount && tracer_.LastPoint(x, y)) {
        DrawGlyph(ctx_, x, y, AscendantGlyph(i), colors::kBlue);
      }
    }

    int x, y;
    if (!tracer_.LastPoint(x, y)) continue;
    const bool endsVisible = tracer_.PenDown();
    labels.AfterLine(LabelOf(curve), x, y, solid, endsVisible);
  }
  canvas.SelectPen(previous);
}

void FaceDrawer::MeanTimeFigures() {
  if (!m_.hourLinesAll && !m_.singleHourLine) return;
  int first = 0;
  int last = kHourLineCount - 1;
  if (m_.singleHourLine) {
    // A single hour outside the dial's 24 hours names no line: nothing to draw.
    if (m_.singleHour < 0 || m_.singleHour > 24) return;
    first = last = 2 * m_.singleHour + (m_.singleHourHalf ? 1 : 0);
    if (first >= kModernHourLineCount) return;
  }
  // The rising half runs from 26 December (index -6, wrapped) to 23 June, the falling half
  // from 24 June to 25 December.
  const int d0 = m_.showMeanTimeRisingHalf ? -6 : 174;
  const int d1 = m_.showMeanTimeFallingHalf ? 360 : 174;
  const bool labelled =
      (m_.showMeanTimeRisingHalf || m_.showMeanTimeFallingHalf) && !m_.showModernHours;
  Canvas& canvas = ctx_.canvas;
  const ObjectHandle previous = canvas.SelectPen(ctx_.res.penYellow);
  for (int line = first; line <= last; ++line) {
    const bool solid = (line - first) % 2 == 0;
    if (!solid && !m_.showIntermediateLines) continue;
    canvas.SelectPen(solid ? ctx_.res.penYellow : ctx_.res.penYellowDash);
    const HourLineRecord& record = g_.modernHourLines[line];
    tracer_.Begin();
    for (int d = d0; d < d1; ++d) {
      const TracePoint p = Read(record.meanTimeCurve[d < 0 ? d + kYearPointCount : d]);
      tracer_.Trace(p.x, p.y, Visible(p, false));
    }
    const TracePoint mark = Read(record.dateLineMarks[kMeanTimeLabelMark]);
    const bool markVisible = Visible(mark, false);
    int x, y;
    if (labelled && solid && markVisible && !IsAbsentPoint(mark.x, mark.y) &&
        ctx_.frame.Map(mark.x, mark.y, x, y)) {
      canvas.SetTextColor(colors::kYellow);
      DrawEndNumber(ctx_, x, y, MeanTimeLabelText(record.hour));
    }
  }
  canvas.SelectPen(previous);
}

void FaceDrawer::NoonMark() {
  const auto& points = g_.temporaryHourCurves[kNoonLine].points;
  const DialPoint& start = points[0];
  const DialPoint& end = points[kLastSweepPoint];
  if (IsAbsentPoint(start.x, start.y) || IsAbsentPoint(end.x, end.y)) return;
  const ObjectHandle previous = ctx_.canvas.SelectPen(ctx_.res.penPureRed);
  DevicePen pen(ctx_.canvas, ctx_.frame);
  pen.MoveTo(start.x, start.y);
  pen.LineTo(end.x, end.y);
  ctx_.canvas.SelectPen(previous);
  int x, y;
  if (ctx_.frame.Map(end.x, end.y, x, y)) {
    const int u = ctx_.U();
    const std::string bell(1, kGlyphBell);
    // Below the noon line's end, where the mark's bell hangs.
    const ObjectHandle font = ctx_.fonts.Select(ctx_.res.fontGlyph);
    ctx_.canvas.SetTextColor(colors::kPureRed);
    ctx_.canvas.DrawText(bell, IntRect{x, y + 10 * u, x, y + 10 * ctx_.V()},
                         kTextCenter | kTextNoClip);
    ctx_.fonts.Restore(font);
  }
}

}  // namespace

ReplacedObjects DrawCommonOverlays(PaintContext& ctx) {
  const DialModel& m = ctx.model;
  Canvas& canvas = ctx.canvas;
  const ObjectHandle previousPen = canvas.SelectPen(ctx.res.penLightGreyDash);
  DevicePen pen(canvas, ctx.frame);
  if (m.showAxes) {
    pen.MoveTo(m.plateXMin, 0);
    pen.LineTo(m.plateXMax, 0);
    pen.MoveTo(0, m.plateYMin);
    pen.LineTo(0, m.plateYMax);
  }
  if (m.showSubstyleLine && m.dialType != 3 && m.dialType != 4) {
    const double t = std::tan(m.substyleAngle * kDegree);
    if (t != 0) {
      pen.MoveTo(m.plateXMin, m.plateXMin / t);
      pen.LineTo(m.plateXMax, m.plateXMax / t);
    } else {
      pen.MoveTo(0, m.plateYMin);
      pen.LineTo(0, m.plateYMax);
    }
  }
  canvas.SelectPen(ctx.res.penWhiteWide);
  const ObjectHandle previousBrush = canvas.SelectBrush(ctx.res.brushBlack);
  return ReplacedObjects{previousPen, previousBrush};
}

PlanePoint StyleRoot(const DialModel& m) {
  const double a = m.substyleAngle * kDegree;
  const double phi = m.latitude * kDegree;
  const double d = m.planeDeclination * kDegree;
  switch (m.dialType) {
    case 0:
    case 2: {
      const double l = m.styleLength * std::sqrt(std::sin(phi) * std::sin(phi) +
                                                  std::cos(phi) * std::cos(phi) * std::sin(d) * std::sin(d));
      return {-l * std::sin(a), -l * std::cos(a)};
    }
    case 1: {
      const double l = m.styleLength * std::cos(phi);
      return {l * std::sin(a), l * std::cos(a)};
    }
    case 11: {
      const double c = std::fabs(m.gnomonLength / std::tan(m.styleHeight * kDegree));
      return {-c * std::sin(a), -c * std::cos(a)};
    }
    default:
      return {0, 0};
  }
}

HourLayerPlan LineDialLayerPlan() {
  HourLayerPlan plan;
  plan.italian = {0, kHourLineCount - 1, kSweepPoints, kModernHourLineCount};
  plan.babylonian = plan.italian;
  plan.reference = plan.italian;
  plan.modern = plan.italian;
  plan.temporary = {0, kHalfDayLineCount - 1, kSweepPoints, kHalfDayLineCount};
  plan.ascendant = plan.temporary;
  plan.ecliptic = plan.temporary;
  plan.ascendantHalf = {0, kHalfDayLineCount - 1, kHalfSweepPoints, kHalfDayLineCount};
  plan.eclipticHalf = plan.ascendantHalf;
  plan.azimuth = {0, kAzimuthLineCount - 1, kSweepPoints, kAzimuthLineCount};
  plan.almucantar = {0, kAlmucantarCount - 1, kAlmucantarPoints, kAlmucantarCount};
  return plan;
}

void DrawHourLayers(PaintContext& ctx, const HourLayerPlan& plan) {
  if (ctx.geometry != nullptr) FaceDrawer(ctx).HourLayers(plan);
}

void DrawLineDialFace(PaintContext& ctx) {
  if (ctx.geometry == nullptr) {
    DrawTitles(ctx);
    return;
  }
  FaceDrawer(ctx).Draw();
}

}  // namespace sundial
