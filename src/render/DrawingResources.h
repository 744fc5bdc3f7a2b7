// The pens, brushes and fonts of one paint, created together at its start in a fixed order and
// released together at its end. A creation that fails is reported at once through the
// MessageReporter and painting goes on with that object empty (kNoObject).
#pragma once

#include <string>

#include "render/Canvas.h"

namespace sundial {

namespace colors {
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBrown{146, 84, 18};
inline constexpr Rgb kGreen{103, 196, 20};
inline constexpr Rgb kYellow{238, 231, 26};
inline constexpr Rgb kRed{196, 41, 20};
inline constexpr Rgb kTeal{20, 196, 190};
inline constexpr Rgb kBlue{20, 20, 190};
inline constexpr Rgb kGrey{150, 150, 150};
inline constexpr Rgb kLightGrey{200, 200, 200};
inline constexpr Rgb kPureRed{255, 0, 0};
inline constexpr Rgb kPale{248, 248, 182};
inline constexpr Rgb kTitleGrey{100, 100, 100};
}  // namespace colors

// The five texts of a drawing object that cannot be made.
inline constexpr const char* kFontCreateError = "error while creating font";
inline constexpr const char* kFont3CreateError = "error while creating font 3";
inline constexpr const char* kFontSelectError = "error while selecting font";
inline constexpr const char* kPenCreateError = "error while creating pen";
inline constexpr const char* kBrushCreateError = "error while creating brush";

struct DrawingResources {
  ObjectHandle brushBackground = kNoObject;
  ObjectHandle fontSmall = kNoObject;
  ObjectHandle fontTitle = kNoObject;
  ObjectHandle fontGlyph = kNoObject;  // the symbol font: zodiac signs and the bell
  ObjectHandle fontLarge = kNoObject;
  ObjectHandle penWhiteWide = kNoObject;
  ObjectHandle penBrownWide = kNoObject;
  ObjectHandle penGreen = kNoObject;
  ObjectHandle penYellow = kNoObject;
  ObjectHandle penYellowDash = kNoObject;
  ObjectHandle penRed = kNoObject;
  ObjectHandle penRedDash = kNoObject;
  ObjectHandle penTeal = kNoObject;
  ObjectHandle penTealDash = kNoObject;
  ObjectHandle penBlue = kNoObject;
  ObjectHandle penBlueDash = kNoObject;
  ObjectHandle penGrey = kNoObject;
  ObjectHandle penGreyDash = kNoObject;
  ObjectHandle penLightGreyDash = kNoObject;
  ObjectHandle penPureRed = kNoObject;
  ObjectHandle brushBlack = kNoObject;  // stock object: never deleted
  ObjectHandle brushBrown = kNoObject;
  ObjectHandle brushPale = kNoObject;   // made with the others; no stage draws with it
};

// The background brush, made first so that the canvas can be blacked out before the rest.
void CreateBackgroundBrush(Canvas& canvas, DrawingResources& res);
// The four fonts, each tested as it is made; cell heights follow the canvas height.
void CreateFonts(Canvas& canvas, MessageReporter& reporter, int height, DrawingResources& res);
// The pens, then the brushes, each tested as it is made. `lineUnitX` is the width of the two
// wide pens, `thinWidth` that of all the others.
void CreatePensAndBrushes(Canvas& canvas, MessageReporter& reporter, int lineUnitX,
                          int thinWidth, DrawingResources& res);
void ReleaseDrawingResources(Canvas& canvas, DrawingResources& res);

// Selects fonts for one paint, reporting a selection that fails. A canvas answers a failed
// selection with kNoObject, which is also its answer to the very first selection when it had no
// font before; so only later selections take kNoObject as failure.
class FontSelector {
 public:
  FontSelector(Canvas& canvas, MessageReporter& reporter) : canvas_(canvas), reporter_(reporter) {}
  // Makes `font` current; returns the font it replaced.
  ObjectHandle Select(ObjectHandle font);
  // Puts back a font that Select returned (nothing to do when there was none).
  void Restore(ObjectHandle previous) {
    if (previous != kNoObject) Select(previous);
  }

 private:
  Canvas& canvas_;
  MessageReporter& reporter_;
  bool selectedBefore_ = false;
};

}  // namespace sundial
