// The picture a Linux shell keeps: a Cairo image surface of 32-bit pixels (RGB24) that the dial
// is drawn on with a CairoCanvas and whose rows the kept picture reads and writes. The canvas is
// kept with the surface: a tick's drawing then finds its text layout and fonts at hand rather than
// setting them up anew every second (about half of what a tick costs in a saver that sleeps
// between ticks).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/cairo/CairoCanvas.h"
#include "window/KeptPicture.h"

namespace sundial {

class CairoPixelSurface final : public PixelSurface {
 public:
  // A surface of width x height; without the memory for it, Valid() is false.
  CairoPixelSurface(int width, int height);
  ~CairoPixelSurface() override;
  CairoPixelSurface(const CairoPixelSurface&) = delete;
  CairoPixelSurface& operator=(const CairoPixelSurface&) = delete;

  bool Valid() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
  cairo_surface_t* Surface() const { return surface_; }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  std::uint32_t* Row(int y) override;
  void Draw(const std::function<void(Canvas&)>& draw) override;

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_ = nullptr;
  std::unique_ptr<CairoCanvas> canvas_;
};

}  // namespace sundial
