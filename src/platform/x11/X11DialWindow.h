// The X window that shows a dial, in the four forms the saver uses:
//   FullScreen  its own override-redirect window over the whole screen, above every other
//               window and independent of any window manager; cursor blanked, keyboard and
//               pointer grabbed, input reported to the dial's close rules;
//   Preview     a child covering a given window (a settings dialog's preview area), resized
//               with it and gone with it;
//   TopLevel    an ordinary window of its own that the window manager decorates, which the user
//               moves, resizes and closes (closing it ends the saver);
//   DrawOn      no window of its own: the picture goes straight onto a given window (the root
//               window, or the one XScreenSaver hands over), and the saver only draws.
// Each picture is composed off-screen and its finished rectangles copied onto the window, so the
// dial never flickers; a tick puts only the rectangles that can have changed, and an exposure puts
// the exposed part of the last picture again without repainting it.
#pragma once

#include <X11/Xlib.h>
#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "X11Connection.h"
#include "X11Monitors.h"
#include "render/Canvas.h"

namespace sundial::x11 {

// Where a picture goes: rectangles of pixels taken from an RGB24 image surface.
class PictureSink {
 public:
  virtual ~PictureSink() = default;
  // `rect` of `pixels`, in the surface's coordinates, put where the surface lies when its top
  // left pixel is at (left, top) of the window.
  virtual void PutAt(cairo_surface_t* pixels, const IntRect& rect, int left, int top) = 0;
  // The same for a surface covering the window from its top left corner.
  void Put(cairo_surface_t* pixels, const IntRect& rect) { PutAt(pixels, rect, 0, 0); }
};

// What the dial behind the window is told. Input arrives only for the full-screen form.
class DialWindowEvents {
 public:
  virtual ~DialWindowEvents() = default;
  // The one-second tick.
  virtual void OnTimer() = 0;
  // Brings the picture of a width x height window up to date and puts on `sink` what changed:
  // `kept` says the window still shows the last picture put (false: a new size, or the first).
  // Returns false when nothing was drawn: the window then keeps what it shows.
  virtual bool OnPaint(int width, int height, bool kept, PictureSink& sink) = 0;
  // Puts `rects` of the last picture on `sink` again (the window was exposed).
  virtual void OnExpose(const std::vector<IntRect>& rects, PictureSink& sink) = 0;
  // A key or a mouse button was pressed.
  virtual void OnUserInput() {}
  // The pointer moved; the dial reads the position it needs through CursorPosition().
  virtual void OnMouseMove() {}
  // Another window took the keyboard focus from the saver.
  virtual void OnFocusLost() {}
  // The monitors changed (only for a window that follows them, FollowMonitors); a repaint follows.
  virtual void OnMonitorsChanged() {}
  // A close that the dial posted to itself (PostClose) is now due.
  virtual void OnClose() {}
};

class X11DialWindow final : private PictureSink {
 public:
  enum class Kind { FullScreen, Preview, TopLevel, DrawOn };

  // Each gives nothing when the window cannot be made (for Preview and DrawOn: `target` names no
  // window). The title becomes the window's name (WM_NAME).
  static std::unique_ptr<X11DialWindow> CreateFullScreen(X11Connection& connection,
                                                         const std::string& title);
  static std::unique_ptr<X11DialWindow> CreatePreview(X11Connection& connection, Window parent,
                                                      const std::string& title);
  static std::unique_ptr<X11DialWindow> CreateTopLevel(X11Connection& connection,
                                                       const std::string& title);
  static std::unique_ptr<X11DialWindow> CreateOn(X11Connection& connection, Window target);

  ~X11DialWindow();
  X11DialWindow(const X11DialWindow&) = delete;
  X11DialWindow& operator=(const X11DialWindow&) = delete;

  void SetEvents(DialWindowEvents* events) { events_ = events; }
  // Watches the monitors of the window's screen (for a window that shows a dial on each): a
  // change is told to the dial, and the full-screen window is made the size of the screen again.
  void FollowMonitors();

  Kind kind() const { return kind_; }
  Window window() const { return window_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // False once the window is gone (destroyed by us, by its parent's end, or found missing).
  bool Alive() const { return alive_; }

  // Feeds one event from the connection; events of other windows are ignored.
  void HandleEvent(const XEvent& event);
  // The timer: tells the dial, which updates its sun and asks for a repaint.
  void Tick();
  // Requests a repaint at the next Update(): of what changed when the last picture is kept.
  void Invalidate() { invalid_ = true; }
  // Runs what the last events left to do: a posted close, then a repaint or a copy of the last
  // picture. Call after each batch of events and after each tick.
  void Update();

  // Services for the dial's close rules.
  void PostClose() { closePosted_ = true; }
  std::pair<int, int> CursorPosition() const;
  void Destroy();

  // Whether the keyboard and the pointer are ours (full screen only).
  bool KeyboardGrabbed() const { return keyboardGrabbed_; }
  bool PointerGrabbed() const { return pointerGrabbed_; }

 private:
  X11DialWindow(X11Connection& connection, Kind kind);
  bool Setup(Window target, const std::string& title);
  void GrabInput();
  void Resize(int width, int height);
  void Paint();
  // PictureSink: copies a rectangle of pixels onto the window.
  void PutAt(cairo_surface_t* pixels, const IntRect& rect, int left, int top) override;
  bool PutImage(const std::uint32_t* first, std::size_t stride, const IntRect& rect);
  void CheckErrors();

  X11Connection& connection_;
  Display* display_;
  Kind kind_;
  Window window_ = None;   // the window drawn on
  Window watched_ = None;  // the parent (Preview) whose size and life we follow
  Visual* visual_ = nullptr;
  int depth_ = 0;
  GC gc_ = nullptr;
  Cursor blankCursor_ = None;
  Atom deleteWindow_ = None;  // WM_DELETE_WINDOW, the window manager's close (TopLevel)
  int width_ = 0;
  int height_ = 0;
  bool alive_ = false;
  bool invalid_ = true;
  bool exposed_ = false;
  IntRect exposedRect_;  // the bounds of what was exposed since the last Update
  bool closePosted_ = false;
  bool hadFocus_ = false;
  bool keyboardGrabbed_ = false;
  bool pointerGrabbed_ = false;
  bool pictureKept_ = false;           // the window shows the dial's last picture, at this size
  cairo_surface_t* target_ = nullptr;  // the window as a cairo surface
  std::unique_ptr<MonitorChanges> monitorChanges_;  // set by FollowMonitors
  DialWindowEvents* events_ = nullptr;
};

}  // namespace sundial::x11
