// Rectangles of device pixels: left and top inside, right and bottom outside.
#pragma once

#include "render/Canvas.h"

namespace sundial {

bool IsEmptyRect(const IntRect& r);
IntRect IntersectRects(const IntRect& a, const IntRect& b);
// The smallest rectangle holding both (an empty one is left out).
IntRect BoundingRect(const IntRect& a, const IntRect& b);
// The same rectangle with left above right and top above bottom.
IntRect NormalizedRect(const IntRect& r);
// Grown by `pad` on every side, without overflow.
IntRect PaddedRect(const IntRect& r, int pad);

}  // namespace sundial
