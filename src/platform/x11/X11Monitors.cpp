#include "X11Monitors.h"

#include <X11/Xresource.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <cmath>
#include <cstdlib>
#include <utility>

namespace sundial::x11 {

namespace {

// Xft.dpi values beyond this are taken for mistakes rather than for a screen.
constexpr double kLargestDpi = 9600;

// Whether the server has RandR, asked through Xlib itself: libXrandr keeps its own record of a
// display that it never frees where the server lacks the extension.
bool HasRandR(Display* display) {
  int opcode = 0, eventBase = 0, errorBase = 0;
  return XQueryExtension(display, "RANDR", &opcode, &eventBase, &errorBase) != 0;
}

bool RandRHasMonitors(Display* display) {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  return HasRandR(display) && XRRQueryExtension(display, &eventBase, &errorBase) != 0 &&
         XRRQueryVersion(display, &major, &minor) != 0 && (major > 1 || (major == 1 && minor >= 5));
}

std::vector<Monitor> RandRMonitors(Display* display, int screen, int dpi) {
  std::vector<Monitor> monitors;
  if (!RandRHasMonitors(display)) return monitors;
  int count = 0;
  XRRMonitorInfo* info = XRRGetMonitors(display, RootWindow(display, screen), True, &count);
  for (int i = 0; i < count; ++i) {
    const XRRMonitorInfo& m = info[i];
    monitors.push_back(Monitor{IntRect{m.x, m.y, m.x + m.width, m.y + m.height}, dpi});
  }
  if (info != nullptr) XRRFreeMonitors(info);
  return monitors;
}

std::vector<Monitor> XineramaMonitors(Display* display, int dpi) {
  std::vector<Monitor> monitors;
  int eventBase = 0, errorBase = 0;
  if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) {
    return monitors;
  }
  int count = 0;
  XineramaScreenInfo* info = XineramaQueryScreens(display, &count);
  for (int i = 0; i < count; ++i) {
    const XineramaScreenInfo& s = info[i];
    monitors.push_back(
        Monitor{IntRect{s.x_org, s.y_org, s.x_org + s.width, s.y_org + s.height}, dpi});
  }
  if (info != nullptr) XFree(info);
  return monitors;
}

}  // namespace

ScreenMonitors QueryMonitors(Display* display, int screen) {
  const int dpi = ResourceDpi(display);
  ScreenMonitors result;
  result.monitors = RandRMonitors(display, screen, dpi);
  // Where several X screens are joined into one by Xinerama, RandR knows only the first of them
  // and Xinerama has more heads; elsewhere Xinerama's heads are RandR's own, or it has none.
  std::vector<Monitor> heads = XineramaMonitors(display, dpi);
  if (!result.monitors.empty() && heads.size() <= result.monitors.size()) {
    result.source = MonitorSource::RandR;
    return result;
  }
  if (!heads.empty()) {
    result.monitors = std::move(heads);
    result.source = MonitorSource::Xinerama;
    return result;
  }
  result.monitors.push_back(Monitor{
      IntRect{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)}, dpi});
  result.source = MonitorSource::Screen;
  return result;
}

int ResourceDpi(Display* display) { return ResourceDpiFrom(XResourceManagerString(display)); }

int ResourceDpiFrom(const char* resources) {
  if (resources == nullptr) return kBaseDpi;
  XrmInitialize();
  const XrmDatabase database = XrmGetStringDatabase(resources);
  if (database == nullptr) return kBaseDpi;
  int dpi = kBaseDpi;
  char* type = nullptr;
  XrmValue value{};
  if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) != 0 &&
      value.addr != nullptr) {
    char* end = nullptr;
    const double parsed = std::strtod(value.addr, &end);
    if (end != value.addr && std::isfinite(parsed) && parsed >= 0.5 && parsed <= kLargestDpi) {
      dpi = static_cast<int>(std::lround(parsed));
    }
  }
  XrmDestroyDatabase(database);
  return dpi;
}

MonitorChanges::MonitorChanges(Display* display, int screen) {
  int errorBase = 0;
  if (!HasRandR(display) || XRRQueryExtension(display, &eventBase_, &errorBase) == 0) {
    eventBase_ = -1;
    return;
  }
  XRRSelectInput(display, RootWindow(display, screen),
                 RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
}

bool MonitorChanges::IsChange(XEvent& event) const {
  if (eventBase_ < 0) return false;
  if (event.type == eventBase_ + RRScreenChangeNotify) {
    XRRUpdateConfiguration(&event);
    return true;
  }
  return event.type == eventBase_ + RRNotify;
}

}  // namespace sundial::x11
