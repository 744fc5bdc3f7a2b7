#include "platform/win32/GdiPixelSurface.h"

namespace sundial::win32 {

// GDI may still hold back drawing done on the DC: it is finished before the pixels are read.
std::uint32_t* GdiPixelSurface::Row(int y) {
  canvas_.Flush();
  GdiFlush();
  return const_cast<std::uint32_t*>(canvas_.Pixels()) +
         static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas_.Width());
}

void GdiPixelSurface::Draw(const std::function<void(Canvas&)>& draw) {
  if (!Valid()) return;
  draw(canvas_);
  canvas_.Flush();
  GdiFlush();
}

}  // namespace sundial::win32
