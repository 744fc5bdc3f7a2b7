// Repaints rectangles of a picture kept on a Cairo image surface, exactly as a whole paint draws
// them. Cairo's antialiasing rasteriser gives a pixel the same value only when the lines reach
// it in the same device coordinates and under a clip that leaves its row whole: the left and
// right edges of a clip cut the lines' edges and change how the coverage of the rows they cross
// is summed, by a level here and there (and so would another origin, through the rounding of the
// lines' outlines). So each rectangle is repainted on the picture itself under a clip of whole
// rows, with only what reaches the rectangle drawn, and the rest of those rows, which that leaves
// wrong, is put back from a copy taken before.
#pragma once

#include <cairo.h>

#include "render/TickRegion.h"

namespace sundial {

class CairoRectRepainter final : public RectRepainter {
 public:
  // `picture` (not owned) is the image surface the dial window keeps its picture on.
  explicit CairoRectRepainter(cairo_surface_t* picture) : picture_(picture) {}
  void Repaint(const PaintInput& input, MessageReporter& reporter, const IntRect& rect) override;

 private:
  cairo_surface_t* picture_;
};

}  // namespace sundial
