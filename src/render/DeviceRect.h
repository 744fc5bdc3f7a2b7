// Rectangles of device pixels: left and top inside, right and bottom outside.
#pragma once

#include <vector>

#include "render/Canvas.h"

namespace sundial {

bool IsEmptyRect(const IntRect& r);
IntRect IntersectRects(const IntRect& a, const IntRect& b);
// The smallest rectangle holding both (an empty one is left out).
IntRect BoundingRect(const IntRect& a, const IntRect& b);

// Joins the rectangles of a region where that costs no more area than keeping them apart, cut to
// the canvas, empty ones dropped.
std::vector<IntRect> MergeRegion(std::vector<IntRect> rects, int width, int height);

}  // namespace sundial
