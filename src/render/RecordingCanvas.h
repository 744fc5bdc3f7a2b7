// RecordingCanvas: a canvas that draws nothing and keeps the exact sequence of operations it
// receives, with their arguments, the description of every object it creates and the pen,
// brush, font and text colour current at each operation. The tests read the sequence; the
// `sundial render` command writes it out as a drawing trace.
//
// It can also be told to fail chosen creations or font selections, so that the painter's
// handling of a drawing object that cannot be made can be exercised.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "render/Canvas.h"

namespace sundial {

const char* CanvasOpName(CanvasOpKind kind);

struct CanvasOp {
  CanvasOpKind kind = CanvasOpKind::MoveTo;
  int x = 0;  // MoveTo, LineTo
  int y = 0;
  IntRect rect;                 // FillRect, Ellipse, DrawText, SetClipRect
  ObjectHandle handle = 0;      // the object created, deleted, selected or filled with
  ObjectHandle result = 0;      // Select*: the previous object returned
  PenSpec pen;                  // CreatePen
  FontSpec font;                // CreateFont
  Rgb color;                    // CreateSolidBrush, SetTextColor, SetBackgroundColor
  BackgroundMode mode = BackgroundMode::Opaque;  // SetBackgroundMode
  std::string text;             // DrawText
  unsigned flags = 0;           // DrawText
  // State in force when the operation was made.
  ObjectHandle currentPen = 0;
  ObjectHandle currentBrush = 0;
  ObjectHandle currentFont = 0;
  Rgb textColor;
  friend bool operator==(const CanvasOp&, const CanvasOp&) = default;
};

// What an object handle stands for.
struct RecordedObject {
  enum class Kind { Pen, Brush, Font } kind = Kind::Pen;
  PenSpec pen;
  FontSpec font;
  Rgb brushColor;
  bool stock = false;
  bool deleted = false;
};

class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(int width, int height) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  ObjectHandle CreatePen(const PenSpec& spec) override;
  ObjectHandle CreateSolidBrush(Rgb color) override;
  ObjectHandle StockBlackBrush() override;
  ObjectHandle CreateFont(const FontSpec& spec) override;
  void DeleteObject(ObjectHandle object) override;
  ObjectHandle SelectPen(ObjectHandle pen) override;
  ObjectHandle SelectBrush(ObjectHandle brush) override;
  ObjectHandle SelectFont(ObjectHandle font) override;
  void SetTextColor(Rgb color) override;
  void SetBackgroundColor(Rgb color) override;
  void SetBackgroundMode(BackgroundMode mode) override;
  void FillRect(const IntRect& rect, ObjectHandle brush) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void DrawText(const std::string& text, const IntRect& rect, unsigned flags) override;
  void SetClipRect(const IntRect& rect) override;
  void ClearClip() override;

  const std::vector<CanvasOp>& Ops() const { return ops_; }
  void Clear() { ops_.clear(); }
  // Forgets the MoveTo and LineTo operations from the `first`-th on, keeping the others: a
  // polyline that the one recording found not to matter.
  void EraseLines(std::size_t first);
  // The object behind a handle, or nullptr for kNoObject and unknown handles.
  const RecordedObject* Object(ObjectHandle handle) const;
  // The pen and the font current now (a fresh canvas has the thin black pen and a font of a
  // 16-pixel cell).
  static constexpr int kDefaultCellHeight = 16;
  PenSpec CurrentPen() const;
  FontSpec CurrentFont() const;

  // Failure injection: the n-th (0-based) creation of the given kind fails (returns
  // kNoObject); n = -1 makes every creation of that kind fail.
  void FailCreation(CanvasOpKind kind, int n) { failures_[kind] = n; }
  // Every SelectFont fails (returns kNoObject and keeps the current font).
  void FailFontSelection(bool fail) { failFontSelection_ = fail; }

 private:
  CanvasOp& Record(CanvasOpKind kind);
  bool ShouldFail(CanvasOpKind kind);
  ObjectHandle Add(const RecordedObject& object);
  ObjectHandle Select(ObjectHandle handle, RecordedObject::Kind kind, ObjectHandle& current,
                      CanvasOpKind opKind);

  int width_;
  int height_;
  std::vector<CanvasOp> ops_;
  std::map<ObjectHandle, RecordedObject> objects_;
  ObjectHandle nextHandle_ = 1;
  ObjectHandle stockBlack_ = kNoObject;
  ObjectHandle pen_ = kNoObject;
  ObjectHandle brush_ = kNoObject;
  ObjectHandle font_ = kNoObject;
  Rgb textColor_;
  std::map<CanvasOpKind, int> failures_;
  std::map<CanvasOpKind, int> creations_;
  bool failFontSelection_ = false;
};

}  // namespace sundial
