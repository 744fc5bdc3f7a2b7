// The clock line is the one part of a dial's face that changes from one tick to the next. To
// repaint it, a kept picture needs what a paint of the face draws where the clock line lies: the
// plate and the lines that cross it (a face's lines are painted over the titles). Walking the
// whole painter for that every second costs milliseconds on a dial of many lines, so the
// operations that reach the clock line are recorded once and replayed, in paint order, with the
// present clock time and equation of time.
#pragma once

#include <string>

#include "render/Canvas.h"
#include "render/DialPainter.h"
#include "render/RecordingCanvas.h"

namespace sundial {

class ClockLineReplay {
 public:
  // Records what a paint of the face of `face` (a paint input without the shadow) on a canvas of
  // width x height draws under a clip of `clip`, leaving out the figures, texts and polylines
  // that cannot reach `reach` (inside the clip) and filling only inside it, unless a record
  // under the same clip and reach, with the clock line shown or not as now, is at hand (the owner
  // clears it when the face changes: dial, size, DPI or title). Returns the rectangle, inside the
  // clip, that holds every pixel a replay of it can draw.
  IntRect Record(const PaintInput& face, int width, int height, MessageReporter& reporter,
                 const IntRect& clip, const IntRect& reach);
  // Draws the record on `canvas` (in the state a canvas is made in) with the clock line of `face`:
  // the pixels inside the reach come out as a whole paint under that clip gives them.
  void Replay(const PaintInput& face, Canvas& canvas) const;
  // Forgets the record (the face changed).
  void Clear();

 private:
  struct Key {
    IntRect clip;
    IntRect reach;
    int sunValid = 0;
    friend bool operator==(const Key&, const Key&) = default;
  };

  bool recorded_ = false;
  Key key_;
  RecordingCanvas record_{0, 0};
  IntRect touched_;                // where a replay can draw
  std::string recordedClockLine_;  // the clock line's text as it was recorded
};

}  // namespace sundial
