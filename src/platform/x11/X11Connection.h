// The saver's connection to the X server. Owning it closes the display, which frees on the
// server every window, cursor and pixmap the saver still holds. Protocol errors do not end the
// process as Xlib's default handler would: they are recorded, so that a window that vanished
// under us (the preview area closed, a wrong id on the command line) ends the saver cleanly.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>

namespace sundial::x11 {

class X11Connection {
 public:
  // Opens $DISPLAY (or `name`); check Ok() before use.
  explicit X11Connection(const char* name = nullptr);
  ~X11Connection();
  X11Connection(const X11Connection&) = delete;
  X11Connection& operator=(const X11Connection&) = delete;

  bool Ok() const { return display_ != nullptr; }
  Display* display() const { return display_; }
  int Fd() const { return ConnectionNumber(display_); }

  // Protocol errors seen since the last call: true when one concerned `window` (BadWindow or
  // BadDrawable naming it, or any error about it). Clears the record of that window only.
  static bool TakeErrorFor(XID window);
  // True when any BadWindow or BadDrawable was reported since the last call; clears the record.
  static bool TakeAnyWindowError();

  // Whether `window` exists now (a round trip to the server).
  bool WindowExists(Window window) const;

 private:
  Display* display_ = nullptr;
};

}  // namespace sundial::x11
