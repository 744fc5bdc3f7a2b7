// The painter: draws one complete picture of a dial (face, labels, titles and the present
// shadow) on a canvas. The dial window calls it on every paint once the dial is loaded and
// ready; the window itself owns the off-screen surface and copies it to the screen afterwards.
#pragma once

#include <string>

#include "model/DialModel.h"
#include "render/Canvas.h"
#include "render/FineLightCache.h"

namespace sundial {

// Dots per inch of a screen that shows the dial's sizes unscaled.
inline constexpr int kBaseDpi = 96;

// What the window knows at the time of a paint.
struct PaintInput {
  const DialModel& model;    // loaded, modelReady set, geometry computed
  int sunValid = 0;          // 0 until the first tick has stored the present sun
  double sunAzimuth = 0;     // degrees from the south, positive west
  double sunAltitude = 0;    // degrees
  double sunDeclination = 0; // degrees
  int dayOfYear = 0;         // 1 = 1 January
  std::string clockText;     // " hh:mm:ss", the local clock time of the last tick
  std::string equationText;  // " 00:mm:ss" or "-00:mm:ss", the equation of time
  std::string dialFilePath;  // the dial file chosen by the user (the picture's title)
  FineLightCache* fineLight = nullptr;  // kept by the window across paints; none: decided anew
  bool withShadow = true;    // false: the face alone, everything but the shadow that ends a paint
  int dpi = kBaseDpi;        // of the screen painted for: sets the width of the thin pens
};

// The width in pixels of the thin pens (solid and dashed) at `dpi` dots per inch:
// round(dpi / 96), never less than one, so that a thin line stays as visible on a high-DPI
// screen as on an ordinary one. The wide pens and the fonts follow the canvas size instead.
int ThinPenWidth(int dpi);

// Paints the whole canvas (canvas.Width() x canvas.Height()): black background, plate fitted
// to the canvas, the face of the dial type with its labels and titles, and last the shadow of
// the present sun. Drawing objects that cannot be created are reported through `reporter` and
// painting goes on. Every object created is released before returning.
void PaintDial(const PaintInput& input, Canvas& canvas, MessageReporter& reporter);

// Decides once, for a loaded dial with fine traces (the dial read on a receiving outline), which
// points of the traces its face draws are lit, on two threads where there are two cores, and
// keeps the answers in `light` for every paint to find. Nothing for a dial without fine traces.
void DecideFineLight(const DialModel& model, FineLightCache& light);

// The parts of that paint that follow the tick, each alone with the drawing objects it is drawn
// with (no background, no face): the clock line, and the shadow of the present sun. They tell
// where a tick changes the picture; the shadow, the last thing a paint draws, drawn so over the
// face that a paint left gives the pixels of the whole paint.
void PaintClockLine(const PaintInput& input, Canvas& canvas, MessageReporter& reporter);
void PaintShadow(const PaintInput& input, Canvas& canvas, MessageReporter& reporter);

}  // namespace sundial
