// Where one tick can change the picture, and how a picture kept from an earlier paint is brought
// up to date. Between two ticks only the clock line and the shadow (the stick's shadow, its spot,
// a sky map's sun, a reading point) move; everything else is the same face. The kept picture is
// repainted inside the rectangles that held the old and hold the new tick-dependent parts, by
// replaying the whole paint, in its own order, under a clip of each rectangle: the pixels inside
// come out exactly as a whole paint gives them, lines crossing the clock line or the shadow
// included, while the drawing that falls outside is skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "render/Canvas.h"
#include "render/DialPainter.h"
#include "render/RecordingCanvas.h"

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
// widths and for antialiasing and cut to the canvas. With `shadowBandRows`, also the shadow's
// pixels band by band: for each band of that many rows from the top, the rectangle of that band
// that holds every pixel the shadow draws there (empty where it draws none). `shadowDrawing`
// lists every operation the shadow's paint sends, with its arguments: the shadow moves by whole
// pixels, and from one second to the next it mostly does not move at all. Two ticks with the same
// list draw the same pixels over the same face.
struct TickRegions {
  IntRect clockLine;
  IntRect shadow;
  std::vector<IntRect> shadowBands;
  std::vector<std::int32_t> shadowDrawing;
};
TickRegions TickDependentRegions(const PaintInput& input, int width, int height,
                                 int shadowBandRows = 0);

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
// The same for the shadow of the present sun alone, drawn over a face that a paint left.
void PaintShadowReaching(const PaintInput& input, Canvas& canvas, MessageReporter& reporter,
                         const IntRect& clip, const IntRect& reach);

// Keeps what one PaintReaching of the face (a paint without the shadow) sends to its canvas, so
// that the next repaint of the same rectangle of the same face sends it again without walking the
// dial's lines: the operations that reach the rectangle and every change of drawing objects, in
// their order; a polyline that cannot reach the rectangle is left out whole, from its MoveTo to
// the next, so that no pen position or dash pattern of what is kept changes. The clock line is
// the one part of a face that changes from one tick to the next: it is sent with the present
// clock time and equation of time.
class RegionReplay {
 public:
  // As PaintReaching(input, canvas, reporter, clip, reach), on a canvas in the state it is made
  // in (no object of ours selected, no clip). Replays when the last call recorded the same face
  // (dial, size, title, whether the clock line is shown) under the same clip and reach; else
  // paints and records. A paint with the shadow is not kept.
  void Paint(const PaintInput& input, Canvas& canvas, MessageReporter& reporter,
             const IntRect& clip, const IntRect& reach);
  // Forgets the record (the face was painted anew).
  void Clear();
  // When the next Paint with these arguments replays, the rectangle (inside `clip`) that holds
  // every pixel the replay can draw; else nothing. With `clockLine`, the clock line's text is
  // taken to draw inside that rectangle (where the last one drew) rather than anywhere its
  // characters could reach; the caller then checks where the new one drew.
  std::optional<IntRect> Touches(const PaintInput& input, int width, int height,
                                 const IntRect& clip, const IntRect& reach,
                                 const std::optional<IntRect>& clockLine = std::nullopt) const;

 private:
  friend class RecordingTee;
  struct Recorded {
    CanvasOpKind op;
    bool clockLine = false;    // DrawText: the clock line, drawn with the present time
    IntRect rect;              // coordinates: MoveTo and LineTo in left and top
    ObjectHandle handle = 0;   // the object made, deleted, selected or filled with
    std::uint32_t value = 0;   // colour, mode, text flags, or the index of a pen, font or text
    std::uint32_t text = 0;    // DrawText: the index of its text
  };
  struct Key {
    const void* model = nullptr;
    const void* geometry = nullptr;
    const void* fine = nullptr;
    int width = 0;
    int height = 0;
    IntRect clip;
    IntRect reach;
    int sunValid = 0;
    std::string title;
    friend bool operator==(const Key&, const Key&) = default;
  };

  static Key KeyOf(const PaintInput& input, int width, int height, const IntRect& clip,
                   const IntRect& reach);
  void Replay(const PaintInput& input, Canvas& canvas) const;
  void DropUnusedObjects();

  bool recorded_ = false;
  Key key_;
  IntRect touched_;       // what the record draws but the clock line
  IntRect clockTouched_;  // how far the clock line's characters could reach
  std::vector<Recorded> ops_;
  std::vector<PenSpec> pens_;
  std::vector<FontSpec> fonts_;
  std::vector<std::string> texts_;
};

// How the canvas of a shell repaints one rectangle of its kept picture exactly.
class RectRepainter {
 public:
  virtual ~RectRepainter() = default;
  virtual void Repaint(const PaintInput& input, MessageReporter& reporter, const IntRect& rect) = 0;
};

// A shell that keeps only the face (the picture without its shadow, which a paint draws last over
// everything) and shows the picture by drawing the present shadow over the face as it copies it
// to the screen. A tick then repaints only the clock line on the face.
class FaceKeeper {
 public:
  virtual ~FaceKeeper() = default;
  // The size of the face.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The height of the bands in which Show wants the shadow's reach.
  virtual int ShadowBandRows() const = 0;
  // Paints the face whole (`face` is a paint input without the shadow).
  virtual void PaintFace(const PaintInput& face, MessageReporter& reporter) = 0;
  // Repaints `rect` of the face exactly.
  virtual void RepaintFace(const PaintInput& face, MessageReporter& reporter,
                           const IntRect& rect) = 0;
  // How the clock will read a number of seconds after the present tick (a guess: the clock may be
  // set, and the equation of time is taken to stay as it is), for a keeper that draws the clock
  // lines of the coming seconds ahead while it draws the present one. It is called during the
  // RepaintFace calls of this tick only.
  using ClockTextAfter = std::function<std::string(int seconds)>;
  virtual void ExpectClockTexts(ClockTextAfter clockTextAfter) = 0;
  // The same for the sun, for a keeper that composes the pictures of the coming seconds' shadows
  // ahead: sets the sun of `input` to where it will be a number of seconds after the present tick
  // (false when that cannot be told). It is called during the Show of this tick only.
  using SunAfter = std::function<bool(int seconds, PaintInput& input)>;
  virtual void ExpectSuns(SunAfter) {}
  // Shows `rects` of the picture: the face, with the shadow of `input` drawn over it where it
  // lies (`shadow`, as TickDependentRegions gives it in bands of ShadowBandRows()). With
  // `changesOnly` the screen shows the last picture shown, and only the pixels that differ from
  // it need to be shown again.
  virtual void Show(const PaintInput& input, MessageReporter& reporter,
                    const std::vector<IntRect>& rects, const TickRegions& shadow,
                    bool changesOnly) = 0;
};

}  // namespace sundial
