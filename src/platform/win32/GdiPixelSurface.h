// The picture the Windows saver keeps: a 32-bit top-down DIB section on a memory DC, drawn on
// with GDI through a GdiCanvas, whose rows the kept picture reads and writes, and from which the
// window is painted with BitBlt.
#pragma once

#include "platform/win32/WinApi.h"

#include <cstdint>
#include <functional>

#include "platform/win32/GdiCanvas.h"
#include "window/KeptPicture.h"

namespace sundial::win32 {

class GdiPixelSurface final : public PixelSurface {
 public:
  GdiPixelSurface(int width, int height) : canvas_(width, height) {}

  // False when the DC or the DIB section could not be made: nothing can be drawn.
  bool Valid() const { return canvas_.Valid() && canvas_.Pixels() != nullptr; }
  // The memory DC holding the picture, every drawing done.
  HDC Dc() const { return canvas_.Dc(); }

  int Width() const override { return canvas_.Width(); }
  int Height() const override { return canvas_.Height(); }
  std::uint32_t* Row(int y) override;
  void Draw(const std::function<void(Canvas&)>& draw) override;

 private:
  GdiCanvas canvas_;
};

}  // namespace sundial::win32
