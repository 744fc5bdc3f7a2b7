// Canvas: the drawing operations the dial painter needs, modelled on the small subset of the
// Windows graphics device interface that the picture uses. Coordinates are device pixels
// (one logical unit = one pixel, y downward). Implementations: GdiCanvas (Windows),
// CairoCanvas (Linux windows, PNG, SVG, PDF) and RecordingCanvas (tests and traces).
//
// Objects (pens, brushes, fonts) are created by the canvas and named by a non-zero handle;
// a creation that fails returns kNoObject. Select* makes an object current and returns the
// previously current one of the same kind, which the caller puts back when it is done.
#pragma once

#include <cstdint>
#include <string>

namespace sundial {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct IntRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const IntRect&, const IntRect&) = default;
};

enum class PenStyle { Solid, Dash };

struct PenSpec {
  PenStyle style = PenStyle::Solid;
  int width = 1;  // pixels; 0 and 1 both draw the thinnest line
  Rgb color;
  friend bool operator==(const PenSpec&, const PenSpec&) = default;
};

inline constexpr int kAnsiCharset = 0;
inline constexpr int kSymbolCharset = 2;  // the symbol font: zodiac signs 0x5E..0x69, bell 0x25

struct FontSpec {
  std::string face;  // "Arial" or "Wingdings"
  int height = 0;    // cell height in pixels
  int charset = kAnsiCharset;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

using ObjectHandle = std::uint32_t;
inline constexpr ObjectHandle kNoObject = 0;

// Text placement flags (the values of the Windows DT_ flags they stand for).
enum TextFlag : unsigned {
  kTextLeft = 0x0,
  kTextCenter = 0x1,
  kTextRight = 0x2,
  kTextVCenter = 0x4,
  kTextBottom = 0x8,
  kTextNoClip = 0x100,
};

enum class BackgroundMode { Transparent = 1, Opaque = 2 };

// The operations of a canvas, for the canvases that keep or compare what a paint sends.
enum class CanvasOpKind {
  CreatePen,
  CreateSolidBrush,
  StockBlackBrush,
  CreateFont,
  DeleteObject,
  SelectPen,
  SelectBrush,
  SelectFont,
  SetTextColor,
  SetBackgroundColor,
  SetBackgroundMode,
  FillRect,
  MoveTo,
  LineTo,
  Ellipse,
  DrawText,
  SetClipRect,
  ClearClip,
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual ObjectHandle CreatePen(const PenSpec& spec) = 0;
  virtual ObjectHandle CreateSolidBrush(Rgb color) = 0;
  virtual ObjectHandle StockBlackBrush() = 0;  // not to be deleted
  virtual ObjectHandle CreateFont(const FontSpec& spec) = 0;
  virtual void DeleteObject(ObjectHandle object) = 0;

  // Each returns the previously selected object of its kind (kNoObject for none); selecting
  // kNoObject or an unknown handle fails and returns kNoObject, leaving the current one.
  virtual ObjectHandle SelectPen(ObjectHandle pen) = 0;
  virtual ObjectHandle SelectBrush(ObjectHandle brush) = 0;
  virtual ObjectHandle SelectFont(ObjectHandle font) = 0;

  virtual void SetTextColor(Rgb color) = 0;
  virtual void SetBackgroundColor(Rgb color) = 0;
  virtual void SetBackgroundMode(BackgroundMode mode) = 0;

  virtual void FillRect(const IntRect& rect, ObjectHandle brush) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // A line from the current point with the current pen, excluding the end pixel; the end
  // becomes the current point.
  virtual void LineTo(int x, int y) = 0;
  // Outline with the current pen, fill with the current brush, inside the bounding rectangle.
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  // Text bytes in the code page of the current font (1252 for ANSI fonts, the symbol font's own
  // codes for the symbol charset). Lines break at '\n'; text starts at the rectangle's top edge
  // unless single-line placement were asked for (the painter never asks).
  virtual void DrawText(const std::string& text, const IntRect& rect, unsigned flags) = 0;

  virtual void SetClipRect(const IntRect& rect) = 0;
  virtual void ClearClip() = 0;
};

// Where the painter reports a drawing object that could not be created (a message box with one
// OK button on Windows).
class MessageReporter {
 public:
  virtual ~MessageReporter() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace sundial
