// Prints what the X11 shell learns of the monitors of $DISPLAY's default screen: where they came
// from, each monitor with its DPI, and where the dials go on a window covering the screen.
//   source randr|xinerama|screen
//   monitor LEFT TOP RIGHT BOTTOM DPI
//   dial LEFT TOP RIGHT BOTTOM DPI
// With --wait-change it then prints "waiting", waits (at most 20 s) for the monitors to change,
// and prints them again, or "no change".
#include <sys/select.h>

#include <cstdio>
#include <cstring>

#include "X11Monitors.h"

namespace {

using namespace sundial;

void Print(Display* display, int screen) {
  const x11::ScreenMonitors found = x11::QueryMonitors(display, screen);
  const char* source = found.source == x11::MonitorSource::RandR      ? "randr"
                       : found.source == x11::MonitorSource::Xinerama ? "xinerama"
                                                                      : "screen";
  std::printf("source %s\n", source);
  for (const Monitor& m : found.monitors) {
    std::printf("monitor %d %d %d %d %d\n", m.bounds.left, m.bounds.top, m.bounds.right,
                m.bounds.bottom, m.dpi);
  }
  const IntRect window{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
  for (const DialPlace& p : LayOutDials(window, found.monitors)) {
    std::printf("dial %d %d %d %d %d\n", p.rect.left, p.rect.top, p.rect.right, p.rect.bottom,
                p.dpi);
  }
  std::fflush(stdout);
}

// Takes every event queued now; true when one of them tells of a change of the monitors.
bool TakeChanges(Display* display, const x11::MonitorChanges& changes) {
  bool changed = false;
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (changes.IsChange(event)) changed = true;
  }
  return changed;
}

// Waits for a change of the monitors; false when none came in time. xrandr makes its changes
// under a server grab, so the events of one change are all queued once the server answers.
bool WaitForChange(Display* display, const x11::MonitorChanges& changes) {
  for (int waited = 0; waited < 200;) {
    if (TakeChanges(display, changes)) {
      XSync(display, False);
      TakeChanges(display, changes);
      return true;
    }
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(ConnectionNumber(display), &fds);
    timeval tenth{0, 100000};
    if (select(ConnectionNumber(display) + 1, &fds, nullptr, nullptr, &tenth) == 0) ++waited;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "monitor probe: cannot open the display\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  const x11::MonitorChanges changes(display, screen);
  Print(display, screen);
  int status = 0;
  if (argc > 1 && std::strcmp(argv[1], "--wait-change") == 0) {
    std::printf("waiting\n");
    std::fflush(stdout);
    if (WaitForChange(display, changes)) {
      Print(display, screen);
    } else {
      std::printf("no change\n");
      status = 1;
    }
  }
  XCloseDisplay(display);
  return status;
}
