#include "platform/win32/GdiPixelSurface.h"

namespace sundial::win32 {

// Every drawing is finished when Draw returns, so the rows hold it. (A GdiFlush for every row
// read would be costly: under Wine it also flushes the windows' surfaces.)
std::uint32_t* GdiPixelSurface::Row(int y) {
  return const_cast<std::uint32_t*>(canvas_.Pixels()) +
         static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas_.Width());
}

// GDI may hold back drawing done on the DC: it is finished before the pixels are read.
void GdiPixelSurface::Draw(const std::function<void(Canvas&)>& draw) {
  if (!Valid()) return;
  draw(canvas_);
  canvas_.Flush();
  GdiFlush();
}

}  // namespace sundial::win32
