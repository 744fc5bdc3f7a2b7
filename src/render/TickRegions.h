// Where one tick can change the picture. Between two ticks only the clock line and the shadow
// (the stick's shadow, its spot, a sky map's sun, a reading point) move; everything else is the
// same face. These bounds say where they lie, generously, without drawing anything.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "render/Canvas.h"
#include "render/DialPainter.h"

namespace sundial {

// How far a text drawn at `rect` with `flags` can reach, in a font whose cell is at most
// `cellHeight` pixels high (characters are never wider than a cell, the figures and signs of a
// clock time than 0.6 of a cell, symbol glyphs than one and a half); a generous bound, not the
// text's measure.
IntRect TextReach(const std::string& text, const IntRect& rect, unsigned flags, int cellHeight,
                  bool symbolFont);

// The pen and font current on a canvas, followed through the operations a paint sends, to tell
// how far a stroke or a text can reach. A paint makes a score of objects, so short lists serve (a
// handle made again is found at its latest).
class DrawingReach {
 public:
  void AddPen(ObjectHandle h, const PenSpec& spec);
  void AddFont(ObjectHandle h, const FontSpec& spec);
  void SelectPen(ObjectHandle h);
  void SelectFont(ObjectHandle h);
  // Half the pen's width plus the antialiased fringe and a thin pen's miter joins.
  int StrokeReach() const;
  // A wide pen's ends and joins are round: every pixel it touches lies within this distance of
  // the segments it strokes. Nothing for a thin pen, whose miter corners stick out further.
  std::optional<int> RoundStrokeReach() const;
  IntRect TextBounds(const std::string& text, const IntRect& rect, unsigned flags) const;

 private:
  std::vector<std::pair<ObjectHandle, PenSpec>> pens_;
  std::vector<std::pair<ObjectHandle, FontSpec>> fonts_;
  PenSpec pen_;  // a fresh canvas: the thin black pen, the default font
  FontSpec font_;
};

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
  std::vector<std::int32_t> shadowDrawing;
};
TickRegions TickDependentRegions(const PaintInput& input, int width, int height,
                                 int shadowBandRows);

}  // namespace sundial
