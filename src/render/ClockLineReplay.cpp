#include "render/ClockLineReplay.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "render/DeviceRect.h"
#include "render/TickRegions.h"
#include "render/Titles.h"

namespace sundial {

namespace {

// Records a paint as it would come out under a clip of `region`, the painter's own clips cut to
// it, leaving out what cannot reach `reach` inside it: figures and texts whose bounds miss it,
// and whole polylines (from one MoveTo to the next) none of whose segments comes near it, so
// that no pen position or dash pattern of what is kept changes. Filled rectangles (whole pixels,
// the same under any clip) are filled inside `reach` only. Touched() tells how far what is kept
// can draw.
class ReachRecorder final : public RecordingCanvas {
 public:
  ReachRecorder(int width, int height, const IntRect& region, const IntRect& reach)
      : RecordingCanvas(width, height), region_(region), reach_(IntersectRects(reach, region)) {
    Apply();
  }
  // Ends the record: the last polyline decided, the clip cleared.
  IntRect Finish() {
    EndRun();
    RecordingCanvas::ClearClip();
    return touched_;
  }

  void FillRect(const IntRect& rect, ObjectHandle brush) override {
    const IntRect inside = IntersectRects(IntersectRects(NormalizedRect(rect), effective_), reach_);
    if (IsEmptyRect(inside)) return;
    RecordingCanvas::FillRect(inside, brush);
    Touch(inside);
  }
  void MoveTo(int x, int y) override {
    EndRun();
    runStart_ = Ops().size();
    inRun_ = true;
    x_ = x;
    y_ = y;
    RecordingCanvas::MoveTo(x, y);
  }
  void LineTo(int x, int y) override {
    // Half the pen, a thin pen's miter corners and the antialiased fringe, and some.
    const IntRect box =
        PaddedRect(NormalizedRect(IntRect{x_, y_, x, y}), StrokeReach(CurrentPen()) + 4);
    runBox_ = BoundingRect(runBox_, IntersectRects(box, effective_));
    if (inRun_ && Reaches(box)) inRun_ = false;  // reached: kept whole
    x_ = x;
    y_ = y;
    RecordingCanvas::LineTo(x, y);
  }
  void Ellipse(int left, int top, int right, int bottom) override {
    const IntRect bounds = PaddedRect(NormalizedRect(IntRect{left, top, right, bottom}),
                                      StrokeReach(CurrentPen()) + 4);
    if (!Reaches(bounds)) return;
    RecordingCanvas::Ellipse(left, top, right, bottom);
    Touch(bounds);
  }
  void DrawText(const std::string& text, const IntRect& rect, unsigned flags) override {
    const IntRect bounds = TextBounds(CurrentFont(), text, rect, flags);
    if (!Reaches(bounds)) return;
    RecordingCanvas::DrawText(text, rect, flags);
    Touch(bounds);
  }
  void SetClipRect(const IntRect& rect) override {
    painterClip_ = NormalizedRect(rect);
    clipped_ = true;
    Apply();
  }
  void ClearClip() override {
    clipped_ = false;
    Apply();
  }

 private:
  void Apply() {
    effective_ = clipped_ ? IntersectRects(painterClip_, region_) : region_;
    // An empty clip still has to stop the lines that are kept.
    RecordingCanvas::SetClipRect(IsEmptyRect(effective_)
                                     ? IntRect{region_.left, region_.top, region_.left, region_.top}
                                     : effective_);
  }
  bool Reaches(const IntRect& bounds) const {
    return !IsEmptyRect(IntersectRects(IntersectRects(bounds, effective_), reach_));
  }
  void Touch(const IntRect& r) { touched_ = BoundingRect(touched_, IntersectRects(r, effective_)); }
  // A polyline that never came near the rectangle: its MoveTo and LineTos go, the rest stays.
  void EndRun() {
    if (inRun_) {
      EraseLines(runStart_);
    } else {
      touched_ = BoundingRect(touched_, runBox_);  // kept, or drawn before the first MoveTo
    }
    inRun_ = false;
    runBox_ = IntRect{};
  }

  IntRect region_;
  IntRect reach_;
  IntRect painterClip_;
  bool clipped_ = false;
  IntRect effective_;
  IntRect touched_;
  IntRect runBox_;  // how far the polyline since the last MoveTo draws
  bool inRun_ = false;
  std::size_t runStart_ = 0;
  int x_ = 0;
  int y_ = 0;
};

}  // namespace

void ClockLineReplay::Clear() {
  recorded_ = false;
  record_ = RecordingCanvas(0, 0);
  touched_ = IntRect{};
  recordedClockLine_.clear();
}

IntRect ClockLineReplay::Record(const PaintInput& face, int width, int height,
                                MessageReporter& reporter, const IntRect& clip,
                                const IntRect& reach) {
  Key key{clip, reach, face.sunValid};
  if (recorded_ && key == key_) return touched_;
  Clear();
  ReachRecorder recorder(width, height, clip, reach);
  PaintDial(face, recorder, reporter);
  touched_ = recorder.Finish();
  record_ = std::move(recorder);
  recordedClockLine_ = face.sunValid ? ClockLineText(face.clockText, face.equationText) : "";
  key_ = key;
  recorded_ = true;
  return touched_;
}

// The objects made now stand in for those made when the paint was recorded. The recorder holds no
// objects of its own, so the canvas's own ones, which a paint puts back before it deletes its
// objects, are put back here: before an object selected is deleted, and at the end.
void ClockLineReplay::Replay(const PaintInput& face, Canvas& canvas) const {
  std::vector<std::pair<ObjectHandle, ObjectHandle>> made;
  auto now = [&](ObjectHandle recorded) {
    for (auto it = made.rbegin(); it != made.rend(); ++it) {
      if (it->first == recorded) return it->second;
    }
    return recorded;
  };
  auto make = [&](ObjectHandle recorded, ObjectHandle h) {
    if (recorded != kNoObject) made.emplace_back(recorded, h);
  };
  enum Kind { kPen, kBrush, kFont };
  ObjectHandle own[3] = {kNoObject, kNoObject, kNoObject};  // the canvas's, once known
  ObjectHandle current[3] = {kNoObject, kNoObject, kNoObject};
  bool selected[3] = {false, false, false};
  auto select = [&](Kind kind, ObjectHandle h) {
    const ObjectHandle previous = kind == kPen     ? canvas.SelectPen(h)
                                  : kind == kBrush ? canvas.SelectBrush(h)
                                                   : canvas.SelectFont(h);
    if (!selected[kind]) own[kind] = previous;
    selected[kind] = true;
    current[kind] = h;
  };
  auto putBackOwn = [&](ObjectHandle deleted) {
    for (Kind kind : {kPen, kBrush, kFont}) {
      if (own[kind] != kNoObject && (deleted == kNoObject || current[kind] == deleted)) {
        select(kind, own[kind]);
      }
    }
  };
  const std::string clockLine =
      face.sunValid ? ClockLineText(face.clockText, face.equationText) : "";
  using Op = CanvasOpKind;
  for (const CanvasOp& op : record_.Ops()) {
    switch (op.kind) {
      case Op::CreatePen:
        make(op.handle, canvas.CreatePen(op.pen));
        break;
      case Op::CreateSolidBrush:
        make(op.handle, canvas.CreateSolidBrush(op.color));
        break;
      case Op::StockBlackBrush:
        make(op.handle, canvas.StockBlackBrush());
        break;
      case Op::CreateFont:
        make(op.handle, canvas.CreateFont(op.font));
        break;
      case Op::DeleteObject:
        putBackOwn(now(op.handle));
        canvas.DeleteObject(now(op.handle));
        break;
      case Op::SelectPen:
        select(kPen, now(op.handle));
        break;
      case Op::SelectBrush:
        select(kBrush, now(op.handle));
        break;
      case Op::SelectFont:
        select(kFont, now(op.handle));
        break;
      case Op::SetTextColor:
        canvas.SetTextColor(op.color);
        break;
      case Op::SetBackgroundColor:
        canvas.SetBackgroundColor(op.color);
        break;
      case Op::SetBackgroundMode:
        canvas.SetBackgroundMode(op.mode);
        break;
      case Op::FillRect:
        canvas.FillRect(op.rect, now(op.handle));
        break;
      case Op::MoveTo:
        canvas.MoveTo(op.x, op.y);
        break;
      case Op::LineTo:
        canvas.LineTo(op.x, op.y);
        break;
      case Op::Ellipse:
        canvas.Ellipse(op.rect.left, op.rect.top, op.rect.right, op.rect.bottom);
        break;
      case Op::DrawText:
        canvas.DrawText(!recordedClockLine_.empty() && op.text == recordedClockLine_ ? clockLine
                                                                                      : op.text,
                        op.rect, op.flags);
        break;
      case Op::SetClipRect:
        canvas.SetClipRect(op.rect);
        break;
      case Op::ClearClip:
        canvas.ClearClip();
        break;
    }
  }
  putBackOwn(kNoObject);
}

}  // namespace sundial
