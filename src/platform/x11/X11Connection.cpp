#include "X11Connection.h"

#include <algorithm>
#include <vector>

namespace sundial::x11 {

namespace {

// Xlib calls its error handler from inside whatever request found the error; the handler only
// notes the window concerned, and the event loop reacts afterwards.
std::vector<XID> gFailedWindows;
bool gAnyWindowError = false;

int RecordError(Display*, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) gAnyWindowError = true;
  if (gFailedWindows.size() < 64) gFailedWindows.push_back(error->resourceid);
  return 0;
}

}  // namespace

X11Connection::X11Connection(const char* name) {
  display_ = XOpenDisplay(name);
  if (display_ != nullptr) XSetErrorHandler(RecordError);
}

X11Connection::~X11Connection() {
  if (display_ != nullptr) XCloseDisplay(display_);
  gFailedWindows.clear();
  gAnyWindowError = false;
}

bool X11Connection::TakeErrorFor(XID window) {
  const auto it = std::remove(gFailedWindows.begin(), gFailedWindows.end(), window);
  const bool found = it != gFailedWindows.end();
  gFailedWindows.erase(it, gFailedWindows.end());
  return found;
}

bool X11Connection::TakeAnyWindowError() {
  const bool any = gAnyWindowError;
  gAnyWindowError = false;
  return any;
}

bool X11Connection::WindowExists(Window window) const {
  if (window == None) return false;
  XWindowAttributes attributes;
  XSync(display_, False);
  TakeErrorFor(window);
  const Status ok = XGetWindowAttributes(display_, window, &attributes);
  XSync(display_, False);
  const bool failed = TakeErrorFor(window);
  return ok != 0 && !failed;
}

}  // namespace sundial::x11
