// The monitors of an X screen and the DPI the desktop asks to draw at. The monitors come from
// RandR 1.5 (the monitors the server or the user defined, one per active output by default),
// from Xinerama on servers whose RandR has no monitors or fewer than Xinerama has heads (X
// screens joined by Xinerama), and are the whole screen on servers with neither. Coordinates are
// those of the screen's root window.
#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "window/MonitorLayout.h"

namespace sundial::x11 {

enum class MonitorSource { RandR, Xinerama, Screen };

struct ScreenMonitors {
  std::vector<Monitor> monitors;  // never empty; each at ResourceDpi(display)
  MonitorSource source = MonitorSource::Screen;
};

// The monitors of `screen` of `display`, asked anew (a round trip to the server).
ScreenMonitors QueryMonitors(Display* display, int screen);

// The DPI that desktops set for scaling: the Xft.dpi resource of the display's resource database
// (the RESOURCE_MANAGER property of the first screen), rounded to a whole number. kBaseDpi when
// the resource is absent or not a positive number. X has one such value for all monitors.
int ResourceDpi(Display* display);
// The same from the text of a resource database ("Xft.dpi:\t192\n..."); null reads as empty.
int ResourceDpiFrom(const char* resources);

// Tells when the monitors of a screen change (an output switched on or off, resized or moved),
// through RandR's screen and output change events. Where RandR is absent nothing ever changes.
class MonitorChanges {
 public:
  // Selects the change events on the root window of `screen`.
  MonitorChanges(Display* display, int screen);
  // True when `event` says the monitors may have changed; Xlib's idea of the screen size is then
  // brought up to date, so DisplayWidth and DisplayHeight give the new size.
  bool IsChange(XEvent& event) const;

 private:
  int eventBase_ = -1;  // RandR's first event number; -1 without RandR
};

}  // namespace sundial::x11
