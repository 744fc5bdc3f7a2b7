#include "render/DeviceRect.h"

#include <algorithm>
#include <climits>

namespace sundial {

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

IntRect NormalizedRect(const IntRect& r) {
  return IntRect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                 std::max(r.top, r.bottom)};
}

IntRect PaddedRect(const IntRect& r, int pad) {
  auto sub = [](int a, int b) { return static_cast<int>(std::max<long long>(INT_MIN, 1LL * a - b)); };
  auto add = [](int a, int b) { return static_cast<int>(std::min<long long>(INT_MAX, 1LL * a + b)); };
  return IntRect{sub(r.left, pad), sub(r.top, pad), add(r.right, pad), add(r.bottom, pad)};
}

}  // namespace sundial
