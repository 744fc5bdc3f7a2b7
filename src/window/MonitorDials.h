// The pictures of a window that shows one dial on each monitor it covers (or one dial filling
// it): for each place LayOutDials gives, a pixel surface of the place's size and the kept picture
// on it. The tick computes the sun once; Update then brings every monitor's picture up to date
// with it, so the cost of a second grows with the number of monitors and nothing else. The shell
// copies each surface to its place in the window. `Surface` is the shell's PixelSurface (a Cairo
// image surface, a DIB section), made by the factory the shell gives.
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "render/Canvas.h"
#include "window/CDialWnd.h"
#include "window/KeptPicture.h"
#include "window/MonitorLayout.h"

namespace sundial {

template <class Surface>
class MonitorDials {
 public:
  struct Dial {
    DialPlace place;
    std::unique_ptr<Surface> surface;  // place.rect's size; its (0,0) is place.rect's top left
    KeptPicture picture;
  };
  // Makes a surface of the given size, or nothing when it cannot be made.
  using SurfaceFactory = std::function<std::unique_ptr<Surface>(int width, int height)>;

  explicit MonitorDials(SurfaceFactory make) : make_(std::move(make)) {}

  // Lays the dials on `places`. A dial whose place (rectangle and DPI) is among the new ones keeps
  // its surface and picture; the others are made anew and painted whole by the next Update.
  // Returns false, leaving no dial, when a surface cannot be made: a later lay tries again.
  bool Lay(const std::vector<DialPlace>& places) {
    std::vector<std::unique_ptr<Dial>> laid;
    for (const DialPlace& place : places) {
      std::unique_ptr<Dial> dial;
      for (auto& old : dials_) {
        if (old && old->place == place) {
          dial = std::move(old);
          break;
        }
      }
      if (!dial) {
        dial = std::make_unique<Dial>();
        dial->place = place;
        dial->surface = make_(place.rect.right - place.rect.left,
                              place.rect.bottom - place.rect.top);
        if (!dial->surface) {
          dials_.clear();
          return false;
        }
      }
      laid.push_back(std::move(dial));
    }
    dials_ = std::move(laid);
    return true;
  }

  // Brings every monitor's picture up to date with the dial's present sun, each at its place's
  // DPI, and gives the rectangles that changed in window coordinates. False, with `changed`
  // empty, when no dial is ready to be drawn or none is laid.
  bool Update(CDialWnd& dial, MessageReporter& reporter, std::vector<IntRect>& changed) {
    changed.clear();
    if (dials_.empty()) return false;
    std::vector<IntRect> own;
    for (auto& d : dials_) {
      if (!dial.OnPaintKept(d->picture, *d->surface, reporter, own, d->place.dpi)) {
        changed.clear();
        return false;
      }
      const IntRect& at = d->place.rect;
      for (const IntRect& r : own) {
        changed.push_back(
            IntRect{r.left + at.left, r.top + at.top, r.right + at.left, r.bottom + at.top});
      }
    }
    return true;
  }

  // The surfaces no longer hold the last pictures: the next Update paints them whole.
  void Forget() {
    for (auto& d : dials_) d->picture.Forget();
  }

  const std::vector<std::unique_ptr<Dial>>& Dials() const { return dials_; }

 private:
  SurfaceFactory make_;
  std::vector<std::unique_ptr<Dial>> dials_;
};

}  // namespace sundial
