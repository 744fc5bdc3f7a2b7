// GdiCanvas: the dial painter's Canvas on the Windows graphics device interface. The picture is
// composed on an off-screen memory DC holding a bitmap of the client area's size, and copied to
// the window in one BitBlt, so the window never shows a half-drawn dial.
//
// Consecutive LineTo calls are gathered and drawn as one PolylineTo when any other operation
// comes (or the pixels are read or copied): GDI restarts a dashed pen's pattern at every LineTo,
// and the segments of a traced hour line are mostly shorter than one dash, so drawn one by one
// they would come out almost solid. One poly-line carries the pattern on from segment to segment.
#pragma once

#include "platform/win32/WinApi.h"

#include <cstdint>
#include <vector>

#include "render/Canvas.h"

namespace sundial::win32 {

class GdiCanvas final : public Canvas {
 public:
  // The dashes and gaps of a thin dashed pen, in pixels (those of GDI's PS_DASH).
  static constexpr DWORD kDashOn = 18;
  static constexpr DWORD kDashOff = 6;

  // An off-screen canvas of width x height compatible with `reference` (the window's DC): a
  // memory DC with a compatible bitmap selected into it.
  GdiCanvas(HDC reference, int width, int height);
  // An off-screen canvas on a 32-bit top-down DIB section whose pixels can be read back (image
  // files and tests), independent of the screen's colour depth.
  GdiCanvas(int width, int height);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  // False when the memory DC or the bitmap could not be created: nothing can be drawn.
  bool Valid() const { return dc_ != nullptr && bitmap_ != nullptr; }
  // The memory DC, with every gathered line drawn into it.
  HDC Dc() const;

  // Draws the lines gathered since the last other operation (done by every other operation).
  void Flush() const;

  // Copies the canvas to `target` with its top-left at (x, y), the given extent (plain copy).
  void CopyTo(HDC target, int x, int y, int width, int height) const;

  // The colour of a pixel of a DIB canvas (black outside it or for a compatible-bitmap canvas).
  Rgb PixelAt(int x, int y) const;
  // The pixels of a DIB canvas, row by row from the top, as 0x00RRGGBB.
  const std::uint32_t* Pixels() const;

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

 private:
  enum class Kind { Pen, Brush, Font };
  struct Entry {
    HGDIOBJ object = nullptr;  // nullptr once deleted
    Kind kind = Kind::Pen;
    bool stock = false;  // owned by the system: never deleted
  };

  ObjectHandle Add(HGDIOBJ object, Kind kind, bool stock);
  Entry* Find(ObjectHandle handle, Kind kind);
  ObjectHandle Select(ObjectHandle handle, Kind kind, ObjectHandle& current);
  void Release(Entry& entry);

  int width_ = 0;
  int height_ = 0;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ originalBitmap_ = nullptr;
  HGDIOBJ originalPen_ = nullptr;
  HGDIOBJ originalBrush_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  // The end points of the LineTo calls not yet drawn, from the DC's current point on. Drawing
  // them changes no state of the canvas that a caller can see, hence mutable.
  mutable std::vector<POINT> pendingLine_;
  std::vector<Entry> objects_;
  ObjectHandle currentPen_ = kNoObject;
  ObjectHandle currentBrush_ = kNoObject;
  ObjectHandle currentFont_ = kNoObject;
};

}  // namespace sundial::win32
