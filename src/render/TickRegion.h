// Where one tick can change the picture, and how a picture kept from an earlier paint is brought
// up to date. Between two ticks only the clock line and the shadow (the stick's shadow, its spot,
// a sky map's sun, a reading point) move; everything else is the same face. The kept picture is
// repainted inside the rectangles that held the old and hold the new tick-dependent parts, by
// replaying the whole paint, in its own order, under a clip of each rectangle: the pixels inside
// come out exactly as a whole paint gives them, lines crossing the clock line or the shadow
// included, while the drawing that falls outside is skipped.
#pragma once

#include <string>
#include <vector>

#include "render/Canvas.h"
#include "render/DialPainter.h"

namespace sundial {

// Device rectangles: left and top inside, right and bottom outside.
bool IsEmptyRect(const IntRect& r);
IntRect IntersectRects(const IntRect& a, const IntRect& b);
// The smallest rectangle holding both (an empty one is left out).
IntRect BoundingRect(const IntRect& a, const IntRect& b);

// How far a text drawn at `rect` with `flags` can reach, in a font whose cell is at most
// `cellHeight` pixels high (characters are never wider than a cell, the figures and signs of a
// clock time than 0.6 of a cell, symbol glyphs than one and a half); a generous bound, not the
// text's measure.
IntRect TextReach(const std::string& text, const IntRect& rect, unsigned flags, int cellHeight,
                  bool symbolFont);

// The rectangles of a canvas of width x height that hold every pixel the tick-dependent parts of
// this paint draw (empty ones before the first tick or with the sun away), padded for the pens'
// widths and for antialiasing and cut to the canvas.
struct TickRegions {
  IntRect clockLine;
  IntRect shadow;
};
TickRegions TickDependentRegions(const PaintInput& input, int width, int height);

// Joins the rectangles of a region where that costs no more area than keeping them apart, cut to
// the canvas, empty ones dropped.
std::vector<IntRect> MergeRegion(std::vector<IntRect> rects, int width, int height);

// Paints the picture of `input` on `canvas` inside `rect` only. `canvas` must hold a paint of the
// same dial at the same size; outside `rect` it keeps its pixels, and its clip is cleared after.
// Exact for a canvas whose pixels inside a clip do not depend on where the clip lies (GDI's).
void RepaintRect(const PaintInput& input, Canvas& canvas, MessageReporter& reporter,
                 const IntRect& rect);

// Replays the whole paint of `input` on `canvas` under a clip of `clip`, leaving out the
// figures and texts that cannot reach `reach` (inside the clip) and filling only inside it: the
// pixels inside `reach` come out as a whole paint under that clip gives them.
void PaintReaching(const PaintInput& input, Canvas& canvas, MessageReporter& reporter,
                   const IntRect& clip, const IntRect& reach);

// How the canvas of a shell repaints one rectangle of its kept picture exactly.
class RectRepainter {
 public:
  virtual ~RectRepainter() = default;
  virtual void Repaint(const PaintInput& input, MessageReporter& reporter, const IntRect& rect) = 0;

  // A repainter may keep the face beside the picture: the picture without the shadow, which a
  // paint draws last over everything. Then only the clock line has to be repainted (on the face)
  // and the shadow moves by putting the face back and drawing the shadow over it.
  virtual bool KeepsFace() const { return false; }
  // Paints the face whole, after a whole paint of the picture.
  virtual void PaintFace(const PaintInput& /*input*/, MessageReporter& /*reporter*/) {}
  // Repaints `rect` of the face exactly.
  virtual void RepaintFace(const PaintInput& /*input*/, MessageReporter& /*reporter*/,
                           const IntRect& /*rect*/) {}
  // Puts the face back over `rects` of the picture and draws the present shadow over it.
  virtual void ComposeShadow(const PaintInput& /*input*/, MessageReporter& /*reporter*/,
                             const std::vector<IntRect>& /*rects*/) {}
};

}  // namespace sundial
