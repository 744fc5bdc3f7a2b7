// The three title lines of the picture: the maker's web address at the bottom left, the dial's
// name centred at the top, and (once the clock has ticked) the clock time with the equation of
// time at the bottom right.
#pragma once

#include <string>

#include "render/PaintContext.h"

namespace sundial {

inline constexpr const char* kMakerAddress = "www.orvantek.example";

// The dial's name from the path of its file: the part after the last directory separator, cut
// before the first ".vqr" (exact case); empty when the path holds no ".vqr".
std::string DialNameFromPath(const std::string& path);

// The text of the clock line: the clock time, then the equation of time.
std::string ClockLineText(const std::string& clockText, const std::string& equationText);

void DrawTitles(PaintContext& ctx);
// The clock line alone (nothing before the first tick), in the title font and colours that
// DrawTitles has selected.
void DrawClockLine(PaintContext& ctx);

}  // namespace sundial
