#include "platform/cairo/CairoPixelSurface.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace sundial {

namespace {

// The size of a large page on x86-64 and ARM64 Linux.
constexpr std::size_t kLargePage = std::size_t{2} << 20;

// The picture's memory, zeroed (black), in large pages where the system gives them: a tick
// touches a few rows of the clock line and the shadow's bands all over the picture, each row a
// page of its own when pages are small, and the first paint's fill then faults every one in.
unsigned char* PictureMemory(std::size_t bytes) {
  void* memory = nullptr;
  if (posix_memalign(&memory, kLargePage, bytes) != 0) return nullptr;
#ifdef MADV_HUGEPAGE
  madvise(memory, bytes, MADV_HUGEPAGE);
#endif
  std::memset(memory, 0, bytes);
  return static_cast<unsigned char*>(memory);
}

// A surface on memory of our own frees it with its last reference; without that memory, or where
// Cairo cannot take it, the surface is Cairo's own.
cairo_surface_t* PictureSurface(int width, int height) {
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
  unsigned char* memory =
      width > 0 && height > 0 && stride > 0
          ? PictureMemory(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height))
          : nullptr;
  if (memory != nullptr) {
    static const cairo_user_data_key_t kMemory{};
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(memory, CAIRO_FORMAT_RGB24, width, height, stride);
    if (cairo_surface_set_user_data(surface, &kMemory, memory, std::free) ==
        CAIRO_STATUS_SUCCESS) {
      return surface;
    }
    cairo_surface_destroy(surface);
    std::free(memory);
  }
  return cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
}

}  // namespace

CairoPixelSurface::CairoPixelSurface(int width, int height)
    : width_(width), height_(height), surface_(PictureSurface(width, height)) {
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
