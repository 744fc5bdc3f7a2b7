// The inclined declining dial read on a receiving outline (type 12): the lines of the line
// dials, each traced day by day over the year on the outline of its day, and the rod's shadow
// read where it crosses today's outline.

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <system_error>
#ifndef SUNDIAL_NO_THREADS
#include <thread>
#endif
#include <type_traits>
#include <vector>

#include "geometry/ReceivingOutlineTrace.h"
#include "render/DialPainter.h"
#include "render/Labels.h"
#include "render/LineTracer.h"
#include "render/SpecialFaces.h"
#include "render/Visibility.h"

namespace sundial {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kJoinLimit = 10;       // dial units: a longer step is a jump of the trace
constexpr int kMonthLineCount = 13;
constexpr int kHourLineCount = 48;      // hours 0 .. 23.5

struct TracePoint {
  double x, y, azimuth, altitude;
  bool valid;
};
TracePoint Read(const DialPoint& p) { return {p.x, p.y, p.azimuth, p.altitude, true}; }
TracePoint Read(const FlaggedDialPoint& p) {
  return {p.x, p.y, p.azimuth, p.altitude, p.valid != 0};
}

bool InsidePlate(const DialModel& m, double x, double y) {
  return m.plateXMin < x && x < m.plateXMax && m.plateYMin < y && y < m.plateYMax;
}

// Whether a point of the fine traces is lit: its sun above the inclined plate (`plate`, the
// dial's InclinedPlate(planeDeclination, planeInclination)), and above the horizon where the
// dial shows it.
bool FineLit(const DialModel& m, const InclinedPlate& plate, const TracePoint& p) {
  if (!p.valid) return false;
  if (plate.Elevation(p.azimuth, p.altitude) <= 0) return false;
  return !m.showHorizon || p.altitude > 0;
}

// The tracing rule of the fine lines. Neighbouring points of a fine trace lie close together
// unless the outline's crossing changed sides between two days or two instants; such a jump is
// not a piece of the line, so the pen moves across it instead of drawing.
class FineTracer {
 public:
  enum class Step { Skipped, Started, Drawn, Hidden };

  FineTracer(PaintContext& ctx)
      : ctx_(ctx),
        plate_(ctx.model.planeDeclination, ctx.model.planeInclination),
        pen_(ctx.canvas, ctx.frame) {}

  void Begin() {
    penDown_ = false;
    prevX_ = prevY_ = kOutlineMissed;
  }

  // `source` is the point's record in the fine traces, under which the answer is kept.
  bool Visible(const TracePoint& p, const void* source) const {
    if (ctx_.input.fineLight == nullptr || ctx_.model.fine == nullptr) return Decide(p);
    return ctx_.input.fineLight->Lit(*ctx_.model.fine, source, [&] { return Decide(p); });
  }

  bool Decide(const TracePoint& p) const { return FineLit(ctx_.model, plate_, p); }

  Step Trace(const TracePoint& p, const void* source) {
    if (IsAbsentPoint(p.x, p.y)) return Step::Skipped;
    const bool near = !IsAbsentPoint(prevX_, prevY_) && std::fabs(p.x - prevX_) <= kJoinLimit &&
                      std::fabs(p.y - prevY_) <= kJoinLimit;
    prevX_ = p.x;
    prevY_ = p.y;
    if (!Visible(p, source)) {
      pen_.MoveTo(p.x, p.y);
      penDown_ = false;
      return Step::Hidden;
    }
    if (penDown_ && near) {
      pen_.LineTo(p.x, p.y);
      return Step::Drawn;
    }
    pen_.MoveTo(p.x, p.y);
    penDown_ = true;
    return Step::Started;
  }

  bool PenDown() const { return penDown_; }
  bool LastPoint(int& x, int& y) const {
    return !IsAbsentPoint(prevX_, prevY_) && ctx_.frame.Map(prevX_, prevY_, x, y);
  }

 private:
  PaintContext& ctx_;
  InclinedPlate plate_;
  DevicePen pen_;
  bool penDown_ = false;
  double prevX_ = kOutlineMissed;
  double prevY_ = kOutlineMissed;
};

using FineLayer = LayerStyle;

class FineFaceDrawer {
 public:
  explicit FineFaceDrawer(PaintContext& ctx)
      : ctx_(ctx), m_(ctx.model), f_(*ctx.model.fine), tracer_(ctx) {}

  void Draw() {
    if (m_.showGnomonConstruction) GnomonConstruction();
    DayCurves();
    if (m_.showHorizon) Horizon();
    HourLayers();
  }

 private:
  // Walks the points of a year line in the order the year was traced.
  template <typename Points, typename Visit>
  void InYearOrder(const Points& points, Visit visit) {
    const bool forward = m_.extraSwitch1 != 0;
    for (int i = 0; i < kFineYearPointCount; ++i) {
      visit(points[forward ? i : kFineYearPointCount - 1 - i]);
    }
  }

  void GnomonConstruction();
  void DayCurves();
  void Horizon();
  void HourLayers();
  template <typename Curve>
  void Layer(const FineLayer& layer, const Curve* curves, int count, int stride);

  PaintContext& ctx_;
  const DialModel& m_;
  const FineDialGeometry& f_;
  FineTracer tracer_;
};

// The gnomon of the inclined plate laid down beside it, as on the inclined declining dial.
void FineFaceDrawer::GnomonConstruction() {
  const ObjectHandle previous = ctx_.canvas.SelectPen(ctx_.res.penLightGreyDash);
  DevicePen pen(ctx_.canvas, ctx_.frame);
  const double a = m_.substyleAngle * kDegree;
  const double g = m_.gnomonLength;
  const double h = m_.styleHeight * kDegree;
  const double px = std::cos(a), py = -std::sin(a);
  pen.MoveTo(0, 0);
  pen.LineTo(g * px, g * py);
  if (std::fabs(m_.styleHeight) >= m_.minStyleHeight) {
    const double c = std::fabs(g / std::tan(h));
    pen.LineTo(-c * std::sin(a), -c * std::cos(a));
  } else {
    const double r1 = std::fabs(g) * (1 - std::tan(h));
    const double r2 = std::fabs(g) * (1 + std::tan(h));
    const double ax = -g * std::sin(a), ay = -g * std::cos(a);
    pen.MoveTo(ax, ay);
    pen.LineTo(ax + r1 * px, ay + r1 * py);
    pen.LineTo(-ax + r2 * px, -ay + r2 * py);
    pen.LineTo(-ax, -ay);
  }
  ctx_.canvas.SelectPen(previous);
}

void FineFaceDrawer::DayCurves() {
  const ObjectHandle previous = ctx_.canvas.SelectPen(ctx_.res.penGreen);
  const int u = ctx_.U();
  const int v = ctx_.V();
  for (int entry = 0; entry < kMonthLineCount + kUserDateLineCount; ++entry) {
    std::string label;
    if (entry >= kMonthLineCount) {
      const int i = entry - kMonthLineCount;
      if (!m_.dateLineEnabled[i] || !m_.dateLineDay[i] || !m_.dateLineMonth[i]) continue;
      label = std::to_string(m_.dateLineDay[i]) + "/" + std::to_string(m_.dateLineMonth[i]);
    } else {
      static constexpr const char* kMonthLabels[kMonthLineCount] = {
          "1/1", "", "", "1/4", "", "", "1/7", "", "", "1/10", "", "", "31/12"};
      label = kMonthLabels[entry];
    }
    // The date is written at the third point inside the plate after the line comes back into
    // the light, where the line's day begins to be read.
    int insideCount = 99;
    tracer_.Begin();
    const auto& points = f_.dayCurvesFine[entry].points;
    for (int i = 0; i < kFineDayPointCount; ++i) {
      const TracePoint p = Read(points[i]);
      const bool wasDown = tracer_.PenDown();
      const FineTracer::Step step = tracer_.Trace(p, &points[i]);
      if (step == FineTracer::Step::Started && i > 0 && !wasDown) insideCount = 0;
      if (step != FineTracer::Step::Drawn) continue;
      if (InsidePlate(m_, p.x, p.y)) ++insideCount;
      int x, y;
      if (insideCount == 3 && !label.empty() && tracer_.LastPoint(x, y)) {
        ctx_.canvas.SetTextColor(colors::kGreen);
        ctx_.canvas.DrawText(label, IntRect{x - 2 * u, y + 4 * u, x + 2 * u, y - 4 * v},
                             kTextCenter | kTextNoClip);
      }
    }
  }
  ctx_.canvas.SelectPen(previous);
}

void FineFaceDrawer::Horizon() {
  const ObjectHandle previous = ctx_.canvas.SelectPen(ctx_.res.penGreen);
  for (int line : {0, kHalfDayLineCount - 1}) {
    tracer_.Begin();
    InYearOrder(f_.temporaryHourCurvesFine[line].points,
                [&](const DialPoint& p) { tracer_.Trace(Read(p), &p); });
  }
  ctx_.canvas.SelectPen(previous);
}

void FineFaceDrawer::HourLayers() {
  const DrawingResources& r = ctx_.res;
  using L = LabelKind;
  {
    FineLayer layer{m_.showItalianHours || m_.showItalianHoursShifted, r.penRed, r.penRedDash,
                    colors::kRed, L::EndHourReversible};
    layer.firstLineDashed = m_.showItalianHours ? 0 : 1;
    Layer(layer, f_.italianHourCurvesFine.data(), kHourLineCount, 1);
  }
  Layer(FineLayer{m_.showBabylonianHours, r.penTeal, r.penTealDash, colors::kTeal, L::EndHour},
        f_.babylonianHourCurvesFine.data(), kHourLineCount, 1);
  Layer(FineLayer{m_.showReferenceHours, r.penGrey, r.penGreyDash, colors::kTitleGrey,
                  L::EndHourReversible},
        f_.referenceHourCurvesFine.data(), kHourLineCount, 1);
  Layer(FineLayer{m_.showTemporaryHours, r.penBlue, r.penBlueDash, colors::kBlue,
                  L::RomanTemporary},
        f_.temporaryHourCurvesFine.data(), kHalfDayLineCount, 1);
  {
    FineLayer layer{m_.showAscendantHalf, r.penBlue, r.penBlueDash, colors::kBlue,
                    L::AscendantGlyph};
    layer.glyphInsideCount = 20;
    Layer(layer, f_.ascendantLineCurvesFine.data(), kHalfDayLineCount, 1);
    layer.enabled = m_.showAscendantLines;
    layer.glyphInsideCount = 2;
    Layer(layer, f_.ascendantLineCurvesFine.data(), kHalfDayLineCount, 1);
  }
  {
    FineLayer layer{m_.showEclipticHalf, r.penGrey, r.penGreyDash, colors::kTitleGrey,
                    L::RomanEcliptic};
    Layer(layer, f_.eclipticHourCurvesFine.data(), kHalfDayLineCount, 1);
    layer.enabled = m_.showEclipticHours;
    layer.drawNumerals = m_.showEclipticHalf == 0;
    Layer(layer, f_.eclipticHourCurvesFine.data(), kHalfDayLineCount, 1);
  }
  Layer(FineLayer{m_.showAzimuthLines, r.penTeal, r.penTealDash, colors::kTeal, L::EndAzimuth},
        f_.azimuthLineCurvesFine.data(), kAzimuthLineCount, 1);
  // Each altitude is traced in two halves of the day, the afternoon's and the morning's.
  Layer(FineLayer{m_.showAlmucantars, r.penRed, r.penRedDash, colors::kRed, L::EndAltitude},
        f_.almucantarCurvesFine.data(), 2 * kAlmucantarCount, 2);
  Layer(FineLayer{m_.showModernHours, r.penYellow, r.penYellowDash, colors::kYellow, L::EndHour},
        f_.modernHourCurvesFine.data(), kHourLineCount, 1);
}

double LabelOf(const LineCurveFine& c) { return c.label; }
double LabelOf(const AlmucantarCurveFine& c) { return c.altitude; }

// One layer: line i stands for value i / stride of the layer (the almucantars come in pairs).
template <typename Curve>
void FineFaceDrawer::Layer(const FineLayer& layer, const Curve* curves, int count, int stride) {
  if (!layer.enabled) return;
  Canvas& canvas = ctx_.canvas;
  canvas.SetTextColor(layer.textColor);
  const ObjectHandle previous = canvas.SelectPen(layer.solidPen);
  LayerLabels labels(ctx_, layer);
  for (int i = 0; i < count; ++i) {
    const bool solid = (i / stride + layer.firstLineDashed) % 2 == 0;
    if (!solid && !m_.showIntermediateLines) continue;
    canvas.SelectPen(solid ? layer.solidPen : layer.dashPen);
    const Curve& curve = curves[i];
    tracer_.Begin();
    int insideCount = 0;
    InYearOrder(curve.points, [&](const auto& point) {
      const TracePoint p = Read(point);
      const FineTracer::Step step = tracer_.Trace(p, &point);
      if (layer.label != LabelKind::AscendantGlyph || !solid) return;
      if (step != FineTracer::Step::Started && step != FineTracer::Step::Drawn) return;
      if (InsidePlate(m_, p.x, p.y)) ++insideCount;
      int x, y;
      if (insideCount == layer.glyphInsideCount && tracer_.LastPoint(x, y)) {
        DrawGlyph(ctx_, x, y, AscendantGlyph(i), colors::kBlue);
      }
    });
    int x, y;
    if (!tracer_.LastPoint(x, y)) continue;
    const bool endsVisible = tracer_.PenDown();
    labels.AfterLine(LabelOf(curve), x, y, solid, endsVisible);
  }
  canvas.SelectPen(previous);
}

bool Finite(const PlanePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The points of one fine curve, whole.
struct FineCurve {
  const DialPoint* points = nullptr;
  const FlaggedDialPoint* flagged = nullptr;
  int count = 0;
};

// The curves whose lit points the face asks for, as FineFaceDrawer draws them: the day curves,
// the horizon's first and last temporary hours, and the lines of each layer drawn (the
// intermediate ones only when they are shown). A curve left out is decided when it is painted.
std::vector<FineCurve> CurvesTheFaceReads(const DialModel& m, const FineDialGeometry& f) {
  std::vector<FineCurve> curves;
  for (int entry = 0; entry < kMonthLineCount + kUserDateLineCount; ++entry) {
    if (entry >= kMonthLineCount) {
      const int i = entry - kMonthLineCount;
      if (!m.dateLineEnabled[i] || !m.dateLineDay[i] || !m.dateLineMonth[i]) continue;
    }
    curves.push_back({f.dayCurvesFine[entry].points.data(), nullptr, kFineDayPointCount});
  }
  if (m.showHorizon) {
    for (int line : {0, kHalfDayLineCount - 1}) {
      curves.push_back({f.temporaryHourCurvesFine[line].points.data(), nullptr, kFineYearPointCount});
    }
  }
  auto layer = [&](bool enabled, const auto* lines, int count, int stride, int firstLineDashed) {
    if (!enabled) return;
    for (int i = 0; i < count; ++i) {
      const bool solid = (i / stride + firstLineDashed) % 2 == 0;
      if (!solid && !m.showIntermediateLines) continue;
      FineCurve curve;
      if constexpr (std::is_same_v<std::decay_t<decltype(*lines)>, AlmucantarCurveFine>) {
        curve.flagged = lines[i].points.data();
      } else {
        curve.points = lines[i].points.data();
      }
      curve.count = kFineYearPointCount;
      curves.push_back(curve);
    }
  };
  layer(m.showItalianHours || m.showItalianHoursShifted, f.italianHourCurvesFine.data(),
        kHourLineCount, 1, m.showItalianHours ? 0 : 1);
  layer(m.showBabylonianHours, f.babylonianHourCurvesFine.data(), kHourLineCount, 1, 0);
  layer(m.showReferenceHours, f.referenceHourCurvesFine.data(), kHourLineCount, 1, 0);
  layer(m.showTemporaryHours, f.temporaryHourCurvesFine.data(), kHalfDayLineCount, 1, 0);
  layer(m.showAscendantHalf || m.showAscendantLines, f.ascendantLineCurvesFine.data(),
        kHalfDayLineCount, 1, 0);
  layer(m.showEclipticHalf || m.showEclipticHours, f.eclipticHourCurvesFine.data(),
        kHalfDayLineCount, 1, 0);
  layer(m.showAzimuthLines, f.azimuthLineCurvesFine.data(), kAzimuthLineCount, 1, 0);
  layer(m.showAlmucantars, f.almucantarCurvesFine.data(), 2 * kAlmucantarCount, 2, 0);
  layer(m.showModernHours, f.modernHourCurvesFine.data(), kHourLineCount, 1, 0);
  // Each curve once (the horizon's lines are also temporary hours), in the order of memory.
  const auto start = [](const FineCurve& c) {
    return c.flagged != nullptr ? static_cast<const void*>(c.flagged)
                                : static_cast<const void*>(c.points);
  };
  std::sort(curves.begin(), curves.end(), [&](const FineCurve& a, const FineCurve& b) {
    return std::less<const void*>()(start(a), start(b));
  });
  curves.erase(std::unique(curves.begin(), curves.end(),
                           [&](const FineCurve& a, const FineCurve& b) {
                             return start(a) == start(b);
                           }),
               curves.end());
  return curves;
}

// Decides the curves [first, last): the points the tracer asks about (those not absent), each
// under its own record, as FineTracer::Visible keeps them.
void DecideCurves(const DialModel& m, const FineDialGeometry& f, const FineCurve* first,
                  const FineCurve* last, FineLightCache& light) {
  const InclinedPlate plate(m.planeDeclination, m.planeInclination);
  auto decide = [&](const auto& point) {
    const TracePoint p = Read(point);
    if (!IsAbsentPoint(p.x, p.y)) light.Keep(f, &point, FineLit(m, plate, p));
  };
  for (const FineCurve* c = first; c != last; ++c) {
    for (int i = 0; i < c->count; ++i) {
      if (c->flagged != nullptr) {
        decide(c->flagged[i]);
      } else {
        decide(c->points[i]);
      }
    }
  }
}

}  // namespace

void DrawReceivingSurfaceFace(PaintContext& ctx) {
  if (ctx.model.fine == nullptr) return;
  FineFaceDrawer(ctx).Draw();
}

void DecideFineLight(const DialModel& model, FineLightCache& light) {
  if (model.fine == nullptr) return;
  const FineDialGeometry& f = *model.fine;
  light.Prepare(f);
  const std::vector<FineCurve> curves = CurvesTheFaceReads(model, f);
  const FineCurve* begin = curves.data();
  const FineCurve* end = begin + curves.size();
  // Two threads, each with whole curves (every curve listed once) and about half the points: no
  // two of them keep marks for the same point, so they never write the same byte of the cache.
  const FineCurve* split = end;
#ifndef SUNDIAL_NO_THREADS
  std::thread second;
  if (std::thread::hardware_concurrency() >= 2) {
    long total = 0;
    for (const FineCurve& c : curves) total += c.count;
    long before = 0;
    split = begin;
    while (split != end && 2 * (before + split->count) <= total) before += (split++)->count;
    try {
      second = std::thread(DecideCurves, std::cref(model), std::cref(f), split, end,
                           std::ref(light));
    } catch (const std::system_error&) {
      split = end;  // no second thread: every curve here
    }
  }
#endif
  DecideCurves(model, f, begin, split, light);
#ifndef SUNDIAL_NO_THREADS
  if (second.joinable()) second.join();
#endif
}

RodReading ReceivingOutlineReading(const DialModel& m, double sunAzimuth, double sunAltitude,
                                   int dayOfYear) {
  const double A = sunAzimuth * kDegree;
  const double e = sunAltitude * kDegree;
  RodReading r;
  RodOnPlate::FromModel(m).Shadows(std::cos(e) * std::cos(A), std::cos(e) * std::sin(A),
                                   std::sin(e), r.p1, r.p2);
  // Today's outline is the one the year's trace used for today, so that the reading falls on
  // the hour lines drawn for this day.
  constexpr int kSteps = kFineYearPointCount;
  const int dayIndex = std::clamp(dayOfYear - 1, 0, kYearPointCount - 1);
  const int step = m.extraSwitch1 ? 10 * dayIndex : kSteps - 1 - 10 * dayIndex;
  r.reading = ReadOutline(r.p1, r.p2, OutlineAtTraceStep(m, step));
  return r;
}

void DrawReceivingSurfaceShadow(PaintContext& ctx, ObjectHandle previousBrush) {
  const RodReading r = ReceivingOutlineReading(ctx.model, ctx.input.sunAzimuth,
                                               ctx.input.sunAltitude, ctx.input.dayOfYear);
  if (!Finite(r.p1) || !Finite(r.p2)) return;
  Canvas& canvas = ctx.canvas;
  const double u = ctx.U();
  const double v = ctx.V();
  DevicePen pen(canvas, ctx.frame);
  pen.MoveTo(r.p1.x, r.p1.y);
  pen.LineTo(r.p2.x, r.p2.y);
  int x, y;
  if (ctx.frame.Map(r.p2.x, r.p2.y, x, y)) {
    canvas.Ellipse(static_cast<int>(x - 2 * u), static_cast<int>(y - 8.0 / 3.0 * v),
                   static_cast<int>(x + 2 * u), static_cast<int>(y + 8.0 / 3.0 * v));
  }
  // A shadow line that misses today's outline reads no hour: no reading point is marked.
  if (IsAbsentPoint(r.reading.x, r.reading.y)) return;
  canvas.SelectBrush(previousBrush);
  if (ctx.frame.Map(r.reading.x, r.reading.y, x, y)) {
    canvas.Ellipse(static_cast<int>(x - 2 * u), static_cast<int>(y - 8.0 / 3.0 * v),
                   static_cast<int>(x + 2 * u), static_cast<int>(y + 8.0 / 3.0 * v));
  }
}

}  // namespace sundial
