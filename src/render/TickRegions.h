// Where one tick can change the picture. Between two ticks only the clock line and the shadow
// (the stick's shadow, its spot, a sky map's sun, a reading point) move; everything else is the
// same face. These bounds say where they lie, generously, without drawing anything.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "render/Canvas.h"
#include "render/DialPainter.h"
#include "render/RecordingCanvas.h"

namespace sundial {

// How far a text drawn at `rect` with `flags` can reach, in a font whose cell is at most
// `cellHeight` pixels high (characters are never wider than a cell, the figures and signs of a
// clock time than 0.6 of a cell, symbol glyphs than one and a half); a generous bound, not the
// text's measure.
IntRect TextReach(const std::string& text, const IntRect& rect, unsigned flags, int cellHeight,
                  bool symbolFont);

// How far a stroke of `pen` reaches from its segments: half its width, the antialiased fringe
// and a thin pen's miter joins. A wide pen's ends and joins are round: every pixel it touches lies
// within RoundStrokeReach of its segments (nothing for a thin pen, whose corners stick out).
int StrokeReach(const PenSpec& pen);
std::optional<int> RoundStrokeReach(const PenSpec& pen);
// TextReach of a text in `font`.
IntRect TextBounds(const FontSpec& font, const std::string& text, const IntRect& rect,
                   unsigned flags);

// The rectangle of a canvas of width x height that holds every pixel the clock line of this paint
// draws (empty before the first tick), padded for antialiasing and cut to the canvas; and the
// shadow's band by band: for each band of `shadowBandRows` rows from the top, the part of that
// band holding every pixel the shadow draws there (empty where it draws none). `shadowDrawing` lists every operation the shadow's paint
// sends, with its arguments: the shadow moves by whole pixels, and from one second to the next
// it mostly does not move at all. Two ticks with the same list draw the same pixels over the
// same face.
struct TickRegions {
  IntRect clockLine;
  std::vector<IntRect> shadowBands;
  std::vector<CanvasOp> shadowDrawing;
};
TickRegions TickDependentRegions(const PaintInput& input, int width, int height,
                                 int shadowBandRows);

}  // namespace sundial
