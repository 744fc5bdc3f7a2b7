// Repaints rectangles of a picture kept on a Cairo image surface, exactly as a whole paint draws
// them. Cairo's antialiasing rasteriser gives a pixel the same value only when the lines reach
// it in the same device coordinates and under a clip that leaves its row whole: the left and
// right edges of a clip cut the lines' edges and change how the coverage of the rows they cross
// is summed, by a level here and there (and so would another origin, through the rounding of the
// lines' outlines). So each rectangle is repainted on the picture itself under a clip of whole
// rows, with only what reaches the rectangle drawn, and the rest of those rows, which that leaves
// wrong, is put back from a copy taken before.
//
// Given a face surface as well, the repainter keeps on it the picture without its shadow: a tick
// then repaints only the clock line there, puts the face back where the old and the new shadow
// lie and draws the shadow over it, as a whole paint draws it last over the face.
#pragma once

#include <cairo.h>

#include <vector>

#include "render/TickRegion.h"

namespace sundial {

class CairoRectRepainter final : public RectRepainter {
 public:
  // `picture` (not owned) is the image surface the dial window keeps its picture on.
  // `face` (not owned, may be null), of the picture's size, is where the face is kept.
  explicit CairoRectRepainter(cairo_surface_t* picture, cairo_surface_t* face = nullptr)
      : picture_(picture), face_(face) {}
  void Repaint(const PaintInput& input, MessageReporter& reporter, const IntRect& rect) override;

  bool KeepsFace() const override { return face_ != nullptr; }
  void PaintFace(const PaintInput& input, MessageReporter& reporter) override;
  void RepaintFace(const PaintInput& input, MessageReporter& reporter,
                   const IntRect& rect) override;
  void ComposeShadow(const PaintInput& input, MessageReporter& reporter,
                     const std::vector<IntRect>& rects) override;

 private:
  static void RepaintOn(cairo_surface_t* surface, const PaintInput& input,
                        MessageReporter& reporter, const IntRect& rect);

  cairo_surface_t* picture_;
  cairo_surface_t* face_;
};

}  // namespace sundial
