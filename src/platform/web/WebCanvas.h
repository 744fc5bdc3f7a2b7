// WebCanvas: the dial painter's Canvas drawn on the 2D context of an HTML canvas, through the
// page's script (WebCanvasBridge.js). It keeps the pixel rules the picture was designed on, as the
// Cairo canvas does, so that the dial in a browser looks as it does in the savers: thin pens on
// pixel centres (crisp one-pixel lines), a line's end pixel left out, the standard dash pattern
// running on along a polyline, ellipses inside their bounding box, texts hanging from the top of
// their rectangle and never clipped to it.
//
// Fonts are the browser's: "Arial" is Arial or a font of the same metrics (Liberation Sans,
// Arimo); the symbol font (charset 2) draws its zodiac codes 0x5E..0x69 and its bell 0x25 as the
// Unicode signs, with a font that has them. ANSI texts are code page 1252.
//
// The page keeps its 2D contexts in a list; a canvas draws on the one its `surface` number names.
// Pens, brushes and fonts live here only: the script sees the colours and sizes they draw with.
#pragma once

#include <string>
#include <vector>

#include "render/Canvas.h"

namespace sundial::web {

// What the watched text's last drawing was drawn with, and the box it covered.
struct WatchedText {
  bool drawn = false;
  IntRect box;  // its background box: the cells of its lines
  Rgb textColor;
  Rgb backgroundColor;
};

class WebCanvas final : public Canvas {
 public:
  // Draws on the page's context number `surface`, of width x height device pixels. The context's
  // state is saved here and restored by the destructor.
  WebCanvas(int surface, int width, int height);
  ~WebCanvas() override;
  WebCanvas(const WebCanvas&) = delete;
  WebCanvas& operator=(const WebCanvas&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  ObjectHandle CreatePen(const PenSpec& spec) override;
  ObjectHandle CreateSolidBrush(Rgb color) override;
  ObjectHandle StockBlackBrush() override { return stockBlackBrush_; }
  ObjectHandle CreateFont(const FontSpec& spec) override;
  void DeleteObject(ObjectHandle object) override;

  ObjectHandle SelectPen(ObjectHandle pen) override;
  ObjectHandle SelectBrush(ObjectHandle brush) override;
  ObjectHandle SelectFont(ObjectHandle font) override;

  void SetTextColor(Rgb color) override { textColor_ = color; }
  void SetBackgroundColor(Rgb color) override {
    FlushPolyline();
    backgroundColor_ = color;
  }
  void SetBackgroundMode(BackgroundMode mode) override {
    FlushPolyline();
    backgroundMode_ = mode;
  }

  void FillRect(const IntRect& rect, ObjectHandle brush) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void DrawText(const std::string& text, const IntRect& rect, unsigned flags) override;

  void SetClipRect(const IntRect& rect) override;
  void ClearClip() override;

  // Watches for a DrawText of `text`; Watched() then tells how its last drawing went. With
  // `clearInstead`, an opaque drawing of it makes its background box transparent instead of
  // drawing it: a face kept without its clock line, which is drawn under the face later.
  void WatchText(const std::string& text, bool clearInstead);
  const WatchedText& Watched() const { return watched_; }

  // Strokes what is still gathered (the destructor and every other drawing operation do too).
  void Flush() { FlushPolyline(); }

  // The standard dash pattern of a thin dashed pen, in pixels: a dash, then a gap.
  static constexpr double kDashOn = 18;
  static constexpr double kDashOff = 6;

 private:
  enum class Kind { Pen, Brush, Font };
  struct Object {
    ObjectHandle handle = kNoObject;
    Kind kind = Kind::Pen;
    PenSpec pen;
    Rgb brush;
    FontSpec font;
    bool stock = false;
  };
  struct Vertex {
    double x;
    double y;
  };

  ObjectHandle Add(Object object);
  const Object* Find(ObjectHandle handle) const;
  ObjectHandle Select(ObjectHandle wanted, Kind kind, ObjectHandle& current);
  bool MayShow(double left, double top, double right, double bottom) const;
  void FlushPolyline();
  void StrokeDashedRun(const std::vector<Vertex>& points);
  void StrokeSegment(double x0, double y0, double x1, double y1);
  // Strokes path_ (move/line triplets) with the given pen and colour, then empties it.
  void StrokePath(double width, bool round, Rgb color, double dashOn = 0, double dashOff = 0,
                  double dashOffset = 0);

  int surface_;
  int width_;
  int height_;

  std::vector<Object> objects_;
  ObjectHandle nextHandle_ = 1;
  ObjectHandle stockBlackBrush_ = kNoObject;
  ObjectHandle pen_ = kNoObject;
  ObjectHandle brush_ = kNoObject;
  ObjectHandle font_ = kNoObject;
  PenSpec penSpec_;  // copies of the selected objects: deleting a selected object is harmless
  Rgb brushColor_{255, 255, 255};
  FontSpec fontSpec_;

  Rgb textColor_{0, 0, 0};
  Rgb backgroundColor_{255, 255, 255};
  BackgroundMode backgroundMode_ = BackgroundMode::Opaque;

  int currentX_ = 0;
  int currentY_ = 0;
  double dashTravel_ = 0;  // length drawn with the dash pattern since the last MoveTo
  std::vector<Vertex> polyline_;  // segments of one pen gathered since the last other operation
  bool polylineDashed_ = false;   // ... of a thin dashed pen, the pattern at polylineTravel_
  double polylineTravel_ = 0;
  std::vector<float> path_;  // what the script strokes: (0 move | 1 line, x, y) per vertex

  bool clipped_ = false;
  // The clip (the canvas with a pixel of margin when there is none).
  double clipLeft_ = -1;
  double clipTop_ = -1;
  double clipRight_ = 0;
  double clipBottom_ = 0;

  bool watching_ = false;
  bool clearWatched_ = false;
  std::string watchedText_;
  WatchedText watched_;
};

// The symbol font's codes as UTF-8: zodiac signs and the bell, each in its text presentation; a
// blank or a line break stays, other codes are left out (the Cairo canvas's reading of the
// symbol font).
std::string SymbolFontToUtf8(const std::string& text);

}  // namespace sundial::web
