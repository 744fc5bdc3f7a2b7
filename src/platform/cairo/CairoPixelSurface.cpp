#include "platform/cairo/CairoPixelSurface.h"

#include "platform/cairo/CairoCanvas.h"

namespace sundial {

CairoPixelSurface::CairoPixelSurface(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)) {}

CairoPixelSurface::~CairoPixelSurface() { cairo_surface_destroy(surface_); }

std::uint32_t* CairoPixelSurface::Row(int y) {
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_) +
                                          static_cast<std::ptrdiff_t>(y) *
                                              cairo_image_surface_get_stride(surface_));
}

// Cairo is told before a drawing that the pixels may have been written, and the drawing is
// flushed into them after.
void CairoPixelSurface::Draw(const std::function<void(Canvas&)>& draw) {
  if (!Valid()) return;
  cairo_surface_mark_dirty(surface_);
  cairo_t* cr = cairo_create(surface_);
  {
    CairoCanvas canvas(cr, width_, height_);
    draw(canvas);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface_);
}

}  // namespace sundial
