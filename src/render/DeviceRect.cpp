#include "render/DeviceRect.h"

#include <algorithm>
#include <cstddef>

namespace sundial {

namespace {

long long Area(const IntRect& r) {
  return IsEmptyRect(r) ? 0 : 1LL * (r.right - r.left) * (r.bottom - r.top);
}

}  // namespace

bool IsEmptyRect(const IntRect& r) { return r.right <= r.left || r.bottom <= r.top; }

IntRect IntersectRects(const IntRect& a, const IntRect& b) {
  const IntRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
  return IsEmptyRect(r) ? IntRect{} : r;
}

IntRect BoundingRect(const IntRect& a, const IntRect& b) {
  if (IsEmptyRect(a)) return IsEmptyRect(b) ? IntRect{} : b;
  if (IsEmptyRect(b)) return a;
  return IntRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom)};
}

std::vector<IntRect> MergeRegion(std::vector<IntRect> rects, int width, int height) {
  const IntRect canvas{0, 0, width, height};
  std::vector<IntRect> out;
  for (const IntRect& r : rects) {
    const IntRect cut = IntersectRects(r, canvas);
    if (!IsEmptyRect(cut)) out.push_back(cut);
  }
  for (bool joined = true; joined;) {
    joined = false;
    for (std::size_t i = 0; i < out.size() && !joined; ++i) {
      for (std::size_t j = i + 1; j < out.size() && !joined; ++j) {
        const IntRect both = BoundingRect(out[i], out[j]);
        if (Area(both) <= Area(out[i]) + Area(out[j])) {
          out[i] = both;
          out.erase(out.begin() + static_cast<std::ptrdiff_t>(j));
          joined = true;
        }
      }
    }
  }
  return out;
}

}  // namespace sundial
