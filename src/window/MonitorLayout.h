// Where the dials go on a window that spans several monitors: one dial per monitor, each fitted
// to that monitor as if it were a screen of its own, at that monitor's DPI. Platform-neutral: the
// shells ask their system for the monitors (in the coordinates of the window's screen, where the
// origin may lie on any monitor and coordinates may be negative) and paint one dial per place.
#pragma once

#include <span>
#include <vector>

#include "render/Canvas.h"
#include "render/DialPainter.h"

namespace sundial {

// One monitor as the system reports it.
struct Monitor {
  IntRect bounds;       // screen pixels; right and bottom exclusive
  int dpi = kBaseDpi;   // the DPI the system gives for this monitor
  friend bool operator==(const Monitor&, const Monitor&) = default;
};

// Where one dial is painted: a rectangle of the window's client area and the DPI to paint at
// (PaintInput::dpi, which gives the thin pens ThinPenWidth(dpi) pixels).
struct DialPlace {
  IntRect rect;         // client pixels of the window; right and bottom exclusive
  int dpi = kBaseDpi;
  friend bool operator==(const DialPlace&, const DialPlace&) = default;
};

// Lays one dial on each monitor that the window covers. `window` is the window's client area in
// the monitors' coordinates. Each monitor is cut to the window and moved to client coordinates.
// A monitor that lies wholly inside another (a mirrored output, a clone of another size) gets
// no dial of its own: it shows part of the larger one's, the only dial the larger screen can
// show whole. Monitors that merely overlap keep a dial each, laid in the order given, so later
// ones cover the shared part. With no monitor on the window (none reported, or none inside it)
// one dial fills the window at `fallbackDpi`.
std::vector<DialPlace> LayOutDials(const IntRect& window, std::span<const Monitor> monitors,
                                   int fallbackDpi = kBaseDpi);

}  // namespace sundial
