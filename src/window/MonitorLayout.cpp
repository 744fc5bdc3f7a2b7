#include "window/MonitorLayout.h"

#include <algorithm>

namespace sundial {

namespace {

IntRect Intersection(const IntRect& a, const IntRect& b) {
  return IntRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const IntRect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool Contains(const IntRect& outer, const IntRect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

std::vector<DialPlace> LayOutDials(const IntRect& window, std::span<const Monitor> monitors,
                                   int fallbackDpi) {
  // Each monitor's visible part, in the monitors' coordinates.
  std::vector<Monitor> visible;
  for (const Monitor& m : monitors) {
    const IntRect part = Intersection(m.bounds, window);
    if (!IsEmpty(part)) visible.push_back(Monitor{part, m.dpi});
  }

  std::vector<DialPlace> places;
  for (std::size_t i = 0; i < visible.size(); ++i) {
    // Of two monitors showing the same pixels, the first listed keeps the dial.
    const auto inside = [&](std::size_t j) {
      const IntRect& a = visible[i].bounds;
      const IntRect& b = visible[j].bounds;
      return j != i && Contains(b, a) && (a != b || j < i);
    };
    bool covered = false;
    for (std::size_t j = 0; j < visible.size() && !covered; ++j) covered = inside(j);
    if (covered) continue;
    const IntRect& b = visible[i].bounds;
    places.push_back(DialPlace{IntRect{b.left - window.left, b.top - window.top,
                                       b.right - window.left, b.bottom - window.top},
                               visible[i].dpi});
  }
  if (places.empty()) {
    places.push_back(
        DialPlace{IntRect{0, 0, window.right - window.left, window.bottom - window.top},
                  fallbackDpi});
  }
  return places;
}

}  // namespace sundial
