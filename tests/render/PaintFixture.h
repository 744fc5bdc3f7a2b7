// Shared helpers of the painter tests: a dial with hand-filled lines, a reporter that keeps its
// messages, and queries over a recorded sequence of canvas operations.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/DialModel.h"
#include "render/DialPainter.h"
#include "render/RecordingCanvas.h"

namespace sundial::testing {

class KeptMessages : public MessageReporter {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// A dial of the given type on the plate -100..100 x -100..100, every switch off, every computed
// point absent (1e40), so that a test draws only what it fills in.
inline std::unique_ptr<DialModel> EmptyDial(int dialType) {
  auto m = std::make_unique<DialModel>();
  m->dialType = dialType;
  m->latitude = 45;
  m->gnomonLength = 25;
  m->styleHeight = 45;
  m->minStyleHeight = 0.1;
  m->lineExtent = 75;
  m->plateXMin = -100;
  m->plateXMax = 100;
  m->plateYMin = -100;
  m->plateYMax = 100;
  m->modelReady = 1;
  m->geometry = std::make_unique<DialGeometry>();
  const DialPoint absent{0, kNoPoint, kNoPoint, 0, -90};
  DialGeometry& g = *m->geometry;
  auto fillCurves = [&](auto& curves) {
    for (auto& c : curves) {
      c.label = 0;
      c.points.fill(absent);
    }
  };
  fillCurves(g.modernHourCurves);
  fillCurves(g.italianHourCurves);
  fillCurves(g.babylonianHourCurves);
  fillCurves(g.temporaryHourCurves);
  fillCurves(g.referenceHourCurves);
  fillCurves(g.ascendantLineCurves);
  fillCurves(g.eclipticHourCurves);
  fillCurves(g.azimuthLineCurves);
  for (auto& c : g.almucantarCurves) {
    c.altitude = 0;
    c.points.fill(FlaggedDialPoint{0, 0, kNoPoint, kNoPoint, 0, -90});
  }
  for (auto& c : g.dayCurves) c.points.fill(absent);
  for (auto& l : g.modernHourLines) {
    l.hour = 0;
    l.lineAngle = 0;
    l.dateLineMarks.fill(absent);
    l.meanTimeMarks.fill(absent);
    l.meanTimeCurve.fill(absent);
  }
  return m;
}

inline PaintInput InputFor(const DialModel& m) {
  return PaintInput{m, 0, 0, 0, 0, 1, "", "", ""};
}

inline std::vector<CanvasOp> OpsOfKind(const RecordingCanvas& c, CanvasOpKind kind) {
  std::vector<CanvasOp> out;
  for (const CanvasOp& op : c.Ops()) {
    if (op.kind == kind) out.push_back(op);
  }
  return out;
}

inline std::vector<std::string> Texts(const RecordingCanvas& c) {
  std::vector<std::string> out;
  for (const CanvasOp& op : c.Ops()) {
    if (op.kind == CanvasOpKind::DrawText) out.push_back(op.text);
  }
  return out;
}

// The pen of a line-drawing operation, as created.
inline PenSpec PenOf(const RecordingCanvas& c, const CanvasOp& op) {
  const RecordedObject* o = c.Object(op.currentPen);
  return o ? o->pen : PenSpec{};
}

}  // namespace sundial::testing

namespace sundial::testing {

// Fills `count` points of a line evenly from (x0, y0) to (x1, y1), all standing for a sun
// straight in front of a wall (azimuth 0, altitude 30): visible on every line dial but the
// lower equatorial face.
template <typename Points>
void StraightLine(Points& points, int count, double x0, double y0, double x1, double y1) {
  for (int i = 0; i < count; ++i) {
    const double f = count > 1 ? double(i) / (count - 1) : 0;
    auto& p = points[i];
    p.x = x0 + f * (x1 - x0);
    p.y = y0 + f * (y1 - y0);
    p.azimuth = 0;
    p.altitude = 30;
  }
}

// Sets a point to stand for a sun behind the wall of a vertical dial.
template <typename Point>
void BehindWall(Point& p) {
  p.azimuth = 120;
  p.altitude = -10;
}

inline std::vector<CanvasOp> LinesDrawnWith(const RecordingCanvas& c, Rgb color, PenStyle style) {
  std::vector<CanvasOp> out;
  for (const CanvasOp& op : c.Ops()) {
    if (op.kind != CanvasOpKind::LineTo) continue;
    const RecordedObject* pen = c.Object(op.currentPen);
    if (pen && pen->pen.color == color && pen->pen.style == style) out.push_back(op);
  }
  return out;
}

}  // namespace sundial::testing
