// The picture a shell shows, kept between ticks and brought up to date once a second. Between
// two ticks only the clock line and the shadow move; everything else is the same face. So a tick
// repaints the clock line (replaying what reaches it), puts the face back where the old shadow
// lay and draws the new shadow, and hands the shell the rectangles that changed. Every picture
// equals a whole paint of the same instant, pixel for pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "render/Canvas.h"
#include "render/ClockLineReplay.h"
#include "render/DialPainter.h"
#include "render/TickRegions.h"

namespace sundial {

// A picture held in memory as rows of 32-bit pixels (0x00RRGGBB, the top byte unused), which a
// canvas can draw on: a Cairo image surface on Linux, a DIB section on Windows.
class PixelSurface {
 public:
  virtual ~PixelSurface() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The pixels of row `y`, with everything drawn so far in them; they may be written, and the
  // next drawing sees what was written.
  virtual std::uint32_t* Row(int y) = 0;
  // Draws on the surface with a canvas in the state a canvas is made in (no object of the
  // caller's selected, no clip).
  virtual void Draw(const std::function<void(Canvas&)>& draw) = 0;
};

class KeptPicture {
 public:
  // Brings the picture on `surface` up to date with `input` (a paint input with the shadow) and
  // returns the rectangles that changed. The first picture, one of another size, dial, title or
  // DPI, or one after Forget() is painted whole.
  std::vector<IntRect> Update(const PaintInput& input, PixelSurface& surface,
                              MessageReporter& reporter);
  // The surface no longer holds the last picture: the next is painted whole.
  void Forget();

 private:
  // The face's pixels under the shadow's bands, one band after another.
  struct Bands {
    std::vector<IntRect> rects;
    std::vector<std::uint32_t> pixels;
  };
  struct Face {
    const void* model = nullptr;
    const void* geometry = nullptr;
    const void* fine = nullptr;
    int width = 0;
    int height = 0;
    int dpi = 0;
    std::string title;
    friend bool operator==(const Face&, const Face&) = default;
  };

  static Face FaceOf(const PaintInput& input, const PixelSurface& surface);
  void PaintWhole(const PaintInput& input, PixelSurface& surface, MessageReporter& reporter);
  IntRect RepaintClockLine(const PaintInput& input, PixelSurface& surface,
                           MessageReporter& reporter, const IntRect& rect);
  void PutFaceBack(PixelSurface& surface) const;
  void DrawShadow(const PaintInput& input, PixelSurface& surface, MessageReporter& reporter);

  bool painted_ = false;
  Face face_;
  TickRegions shown_;          // where the clock line and the shadow shown lie
  Bands underShadow_;          // the face under the shadow shown
  ClockLineReplay clockLine_;  // what reaches the clock line
  std::vector<std::uint32_t> rows_;  // the rows around the clock line, while it is repainted
};

}  // namespace sundial
