// CairoCanvas: the dial painter's Canvas drawn with Cairo, its texts laid out with Pango. It keeps
// the pixel rules of the Windows drawing the picture was designed on, so that the dial looks the
// same on every platform: thin pens on pixel centres (crisp one-pixel lines), a line's end pixel
// left out, the standard dash pattern running on along a polyline, ellipses inside their bounding
// box, texts hanging from the top of their rectangle and never clipped to it.
//
// Fonts: "Arial" is whatever fontconfig gives for it (Liberation Sans on Debian); the symbol font
// (charset 2) draws its zodiac codes 0x5E..0x69 and its bell 0x25 as the Unicode signs, with a
// font that has them. ANSI texts are code page 1252.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "render/Canvas.h"

typedef struct _PangoLayout PangoLayout;
typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoRectangle PangoRectangle;

namespace sundial {

class CairoCanvas final : public Canvas {
 public:
  // Draws on `cr` (not owned; its target must outlive the canvas), a surface of width x height
  // device pixels. The cairo_t's state is saved here and restored by the destructor.
  CairoCanvas(cairo_t* cr, int width, int height);
  ~CairoCanvas() override;
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

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

  // Strokes what is still gathered and flushes the target surface, before its pixels are read
  // while the canvas lives (the destructor and every other drawing operation stroke it too).
  void Flush();

  // The standard dash pattern of a thin dashed pen, in pixels: a dash, then a gap.
  static constexpr double kDashOn = 18;
  static constexpr double kDashOff = 6;

 private:
  enum class Kind { Pen, Brush, Font };
  struct Object {
    Kind kind = Kind::Pen;
    PenSpec pen;
    Rgb brush;
    FontSpec font;
    PangoFontDescription* description = nullptr;  // fonts only, owned
    bool stock = false;
  };

  ObjectHandle Add(Object object);
  ObjectHandle Select(ObjectHandle wanted, Kind kind, ObjectHandle& current);
  void SetSource(Rgb color);
  void StrokeSegment(double x0, double y0, double x1, double y1);
  // Whether a stroke of the current pen over the box of these points can touch a pixel inside
  // the clip; the ones that cannot are not stroked at all.
  bool MayShow(double left, double top, double right, double bottom) const;
  void FlushPolyline();
  void StrokeDashedRun();
  // The caps and the dashes of the selected pen's line, `offset` pixels into the dash pattern.
  void SetWidePenDash(double offset);
  PangoLayout* Layout();
  // Lays `utf8` out in `font` as DrawText draws it in `rect`; returns the left of its logical box.
  int LayOut(PangoLayout* layout, const std::string& utf8, const PangoFontDescription* font,
             const IntRect& rect, unsigned flags, PangoRectangle* ink, PangoRectangle& logical);

  struct Vertex {
    double x;
    double y;
  };
  struct RunBounds {
    double left, top, right, bottom;
  };
  static RunBounds BoundsOf(const std::vector<Vertex>& run);  // the box of a non-empty run
  std::vector<Vertex> polyline_;  // segments of one pen gathered since the last other operation
  bool polylineDashed_ = false;   // ... of a thin dashed pen, the pattern at polylineTravel_
  double polylineTravel_ = 0;

  cairo_t* cr_;
  int width_;
  int height_;
  PangoLayout* layout_ = nullptr;

  std::map<ObjectHandle, Object> objects_;
  ObjectHandle nextHandle_ = 1;
  ObjectHandle stockBlackBrush_ = kNoObject;
  ObjectHandle pen_ = kNoObject;
  ObjectHandle brush_ = kNoObject;
  ObjectHandle font_ = kNoObject;
  PenSpec penSpec_;  // copies of the selected objects: deleting a selected object is harmless
  Rgb brushColor_{255, 255, 255};
  PangoFontDescription* fontDescription_ = nullptr;  // owned copy
  bool symbolFont_ = false;

  Rgb textColor_{0, 0, 0};
  Rgb backgroundColor_{255, 255, 255};
  BackgroundMode backgroundMode_ = BackgroundMode::Opaque;

  int currentX_ = 0;
  int currentY_ = 0;
  double dashTravel_ = 0;  // length drawn with the dash pattern since the last MoveTo
  bool clipped_ = false;
  // The clip (the canvas with a pixel of margin when there is none).
  double clipLeft_ = -1;
  double clipTop_ = -1;
  double clipRight_ = 0;
  double clipBottom_ = 0;
};

// The symbol font's codes to UTF-8: zodiac signs and the bell; a blank stays a blank, other codes
// are left out.
std::string SymbolFontToUtf8(const std::string& text);

}  // namespace sundial
