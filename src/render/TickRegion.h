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

// How far a text drawn at `rect` with `flags` can reach, in any font whose cell is at most
// `cellHeight` pixels high (characters are never wider than a cell, symbol glyphs than one and a
// half); a generous bound, not the text's measure.
IntRect TextReach(const std::string& text, const IntRect& rect, unsigned flags, int cellHeight,
                  bool symbolFont);

// The rectangles of a canvas of width x height that hold every pixel the tick-dependent parts of
// this paint draw (nothing before the first tick), padded for the pens' widths and for
// antialiasing and cut to the canvas.
std::vector<IntRect> TickDependentRegion(const PaintInput& input, int width, int height);

// Joins the rectangles of a region where that costs no more area than keeping them apart, cut to
// the canvas, empty ones dropped.
std::vector<IntRect> MergeRegion(std::vector<IntRect> rects, int width, int height);

// The bands of whole rows that hold the rectangles, overlapping ones joined. A repaint is made
// band by band: an antialiasing rasteriser (Cairo's) that sees a clip cut through the rows sums
// the coverage of the cut lines' edges differently and may give a pixel one level more or less
// than the whole paint, while a clip that leaves every row whole gives exactly its pixels.
std::vector<IntRect> RowBands(const std::vector<IntRect>& rects, int width);

// Paints the picture of `input` on `canvas` inside `rect` only. `canvas` must hold a paint of the
// same dial at the same size; outside `rect` it keeps its pixels, and its clip is cleared after.
void RepaintRect(const PaintInput& input, Canvas& canvas, MessageReporter& reporter,
                 const IntRect& rect);

}  // namespace sundial
