#include "platform/cairo/CairoPixelSurface.h"

namespace sundial {

CairoPixelSurface::CairoPixelSurface(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)) {
  if (!Valid()) return;
  cr_ = cairo_create(surface_);
  canvas_ = std::make_unique<CairoCanvas>(cr_, width, height);
}

CairoPixelSurface::~CairoPixelSurface() {
  canvas_.reset();
  if (cr_ != nullptr) cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

std::uint32_t* CairoPixelSurface::Row(int y) {
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_) +
                                          static_cast<std::ptrdiff_t>(y) *
                                              cairo_image_surface_get_stride(surface_));
}

// Cairo is told before a drawing that the pixels may have been written, and the drawing is
// flushed into them after.
void CairoPixelSurface::Draw(const std::function<void(Canvas&)>& draw) {
  if (!canvas_) return;
  cairo_surface_mark_dirty(surface_);
  draw(*canvas_);
  canvas_->Flush();
}

}  // namespace sundial
