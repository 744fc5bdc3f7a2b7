#include "X11DialWindow.h"

#include <X11/Xutil.h>
#include <cairo-xlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "WindowHints.h"
#include "render/DeviceRect.h"

namespace sundial::x11 {

namespace {

// How long the full-screen saver keeps asking for the keyboard and the pointer when another
// client holds them (a menu closing, the screen locker letting go): 25 tries 40 ms apart.
constexpr int kGrabAttempts = 25;
constexpr useconds_t kGrabRetryMicroseconds = 40'000;

// The first size of the top-level window, which the user may then change.
constexpr unsigned kTopLevelWidth = 800;
constexpr unsigned kTopLevelHeight = 600;

}  // namespace

X11DialWindow::X11DialWindow(X11Connection& connection, Kind kind)
    : connection_(connection), display_(connection.display()), kind_(kind) {}

std::unique_ptr<X11DialWindow> X11DialWindow::CreateFullScreen(X11Connection& connection,
                                                               const std::string& title) {
  std::unique_ptr<X11DialWindow> window(new X11DialWindow(connection, Kind::FullScreen));
  if (!window->Setup(None, title)) return nullptr;
  return window;
}

std::unique_ptr<X11DialWindow> X11DialWindow::CreatePreview(X11Connection& connection,
                                                            Window parent,
                                                            const std::string& title) {
  std::unique_ptr<X11DialWindow> window(new X11DialWindow(connection, Kind::Preview));
  if (!window->Setup(parent, title)) return nullptr;
  return window;
}

std::unique_ptr<X11DialWindow> X11DialWindow::CreateTopLevel(X11Connection& connection,
                                                             const std::string& title) {
  std::unique_ptr<X11DialWindow> window(new X11DialWindow(connection, Kind::TopLevel));
  if (!window->Setup(None, title)) return nullptr;
  return window;
}

std::unique_ptr<X11DialWindow> X11DialWindow::CreateOn(X11Connection& connection, Window target) {
  std::unique_ptr<X11DialWindow> window(new X11DialWindow(connection, Kind::DrawOn));
  if (!window->Setup(target, std::string())) return nullptr;
  return window;
}

bool X11DialWindow::Setup(Window target, const std::string& title) {
  const int screen = DefaultScreen(display_);
  const Window root = RootWindow(display_, screen);

  if (kind_ == Kind::FullScreen) {
    width_ = DisplayWidth(display_, screen);
    height_ = DisplayHeight(display_, screen);
    visual_ = DefaultVisual(display_, screen);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(display_, screen);
    attributes.event_mask = KeyPressMask | ButtonPressMask | PointerMotionMask | FocusChangeMask |
                            ExposureMask | StructureNotifyMask;
    window_ = XCreateWindow(display_, root, 0, 0, static_cast<unsigned>(width_),
                            static_cast<unsigned>(height_), 0, CopyFromParent, InputOutput,
                            CopyFromParent, CWOverrideRedirect | CWBackPixel | CWEventMask,
                            &attributes);
  } else if (kind_ == Kind::TopLevel) {
    width_ = static_cast<int>(kTopLevelWidth);
    height_ = static_cast<int>(kTopLevelHeight);
    visual_ = DefaultVisual(display_, screen);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display_, screen);
    attributes.event_mask = ExposureMask | StructureNotifyMask;
    window_ = XCreateWindow(display_, root, 0, 0, kTopLevelWidth, kTopLevelHeight, 0,
                            CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask,
                            &attributes);
  } else {
    Window drawable = target == None ? root : target;
    if (!connection_.WindowExists(drawable)) return false;
    XWindowAttributes parent{};
    XGetWindowAttributes(display_, drawable, &parent);
    width_ = parent.width;
    height_ = parent.height;
    if (kind_ == Kind::DrawOn) {
      // Exposure and size only: XScreenSaver keeps the input of the window it hands over.
      window_ = drawable;
      visual_ = parent.visual;
      XSelectInput(display_, window_, ExposureMask | StructureNotifyMask);
    } else {
      watched_ = drawable;
      XSelectInput(display_, watched_, StructureNotifyMask);
      XSetWindowAttributes attributes{};
      attributes.background_pixel = BlackPixel(display_, screen);
      attributes.event_mask = ExposureMask | StructureNotifyMask;
      window_ = XCreateWindow(display_, watched_, 0, 0, static_cast<unsigned>(width_),
                              static_cast<unsigned>(height_), 0, CopyFromParent, InputOutput,
                              CopyFromParent, CWBackPixel | CWEventMask, &attributes);
      visual_ = parent.visual;
    }
  }
  if (window_ == None) return false;
  XWindowAttributes drawn{};
  if (XGetWindowAttributes(display_, window_, &drawn)) depth_ = drawn.depth;

  if (kind_ != Kind::DrawOn) {
    XStoreName(display_, window_, title.c_str());
    XClassHint hint{const_cast<char*>("sundial-saver"), const_cast<char*>("SundialSaver")};
    XSetClassHint(display_, window_, &hint);
  }
  if (kind_ == Kind::TopLevel) SetDesktopWindowHints(display_, window_, title);
  alive_ = true;

  if (kind_ == Kind::FullScreen) {
    // A cursor of one transparent pixel: the dial is shown without a pointer over it.
    static const char kEmpty[1] = {0};
    const Pixmap bits = XCreateBitmapFromData(display_, window_, kEmpty, 1, 1);
    XColor black{};
    blankCursor_ = XCreatePixmapCursor(display_, bits, bits, &black, &black, 0, 0);
    XFreePixmap(display_, bits);
    XDefineCursor(display_, window_, blankCursor_);
    XMapRaised(display_, window_);
    XSync(display_, False);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    GrabInput();
  } else if (kind_ == Kind::TopLevel) {
    // Closing the window through the window manager is a message to us, not its destruction.
    deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, window_, &deleteWindow_, 1);
    XMapWindow(display_, window_);
    XSync(display_, False);
  } else if (kind_ == Kind::Preview) {
    XMapWindow(display_, window_);
    XSync(display_, False);
  }
  CheckErrors();
  return alive_;
}

void X11DialWindow::GrabInput() {
  for (int attempt = 0; attempt < kGrabAttempts && !(keyboardGrabbed_ && pointerGrabbed_);
       ++attempt) {
    if (attempt > 0) usleep(kGrabRetryMicroseconds);
    if (!keyboardGrabbed_) {
      keyboardGrabbed_ = XGrabKeyboard(display_, window_, True, GrabModeAsync, GrabModeAsync,
                                       CurrentTime) == GrabSuccess;
    }
    if (!pointerGrabbed_) {
      pointerGrabbed_ =
          XGrabPointer(display_, window_, True, ButtonPressMask | PointerMotionMask,
                       GrabModeAsync, GrabModeAsync, None, blankCursor_,
                       CurrentTime) == GrabSuccess;
    }
  }
}

X11DialWindow::~X11DialWindow() {
  if (target_ != nullptr) cairo_surface_destroy(target_);
  if (gc_ != nullptr) XFreeGC(display_, gc_);
  if (keyboardGrabbed_) XUngrabKeyboard(display_, CurrentTime);
  if (pointerGrabbed_) XUngrabPointer(display_, CurrentTime);
  if (kind_ != Kind::DrawOn && alive_) XDestroyWindow(display_, window_);
  if (blankCursor_ != None) XFreeCursor(display_, blankCursor_);
  if (kind_ == Kind::DrawOn && alive_) XSelectInput(display_, window_, NoEventMask);
  if (watched_ != None) XSelectInput(display_, watched_, NoEventMask);
  XSync(display_, False);
  X11Connection::TakeAnyWindowError();
}

void X11DialWindow::FollowMonitors() {
  if (!monitorChanges_) {
    monitorChanges_ = std::make_unique<MonitorChanges>(display_, DefaultScreen(display_));
  }
}

void X11DialWindow::HandleEvent(const XEvent& event) {
  if (!alive_) return;
  if (monitorChanges_) {
    XEvent change = event;
    if (monitorChanges_->IsChange(change)) {
      const int screen = DefaultScreen(display_);
      const int width = DisplayWidth(display_, screen);
      const int height = DisplayHeight(display_, screen);
      // The screen grew or shrank with the outputs: the saver covers it again.
      if (kind_ == Kind::FullScreen && (width != width_ || height != height_)) {
        XResizeWindow(display_, window_, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
      }
      if (events_ != nullptr) events_->OnMonitorsChanged();
      invalid_ = true;
      return;
    }
  }
  const Window about = event.xany.window;
  switch (event.type) {
    case Expose:
      if (about == window_) {
        exposed_ = true;
        exposedRect_ = BoundingRect(
            exposedRect_, IntRect{event.xexpose.x, event.xexpose.y,
                                  event.xexpose.x + event.xexpose.width,
                                  event.xexpose.y + event.xexpose.height});
      }
      break;
    case ConfigureNotify:
      if (event.xconfigure.window == watched_) {
        // The preview area changed size: cover it again.
        XResizeWindow(display_, window_, static_cast<unsigned>(event.xconfigure.width),
                      static_cast<unsigned>(event.xconfigure.height));
      } else if (event.xconfigure.window == window_) {
        Resize(event.xconfigure.width, event.xconfigure.height);
      }
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == window_ || event.xdestroywindow.window == watched_) {
        alive_ = false;
      }
      break;
    case ClientMessage:
      if (about == window_ && kind_ == Kind::TopLevel && event.xclient.format == 32 &&
          static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) {
        Destroy();
      }
      break;
    case KeyPress:
    case ButtonPress:
      if (about == window_ && kind_ == Kind::FullScreen && events_ != nullptr) {
        events_->OnUserInput();
      }
      break;
    case MotionNotify:
      if (about == window_ && kind_ == Kind::FullScreen && events_ != nullptr) {
        events_->OnMouseMove();
      }
      break;
    case FocusIn:
      if (about == window_) hadFocus_ = true;
      break;
    case FocusOut:
      // Grabs move the focus only for their own duration, and focus passing to a child of ours
      // is still ours; any other loss after we had the focus is another window's activation.
      if (about == window_ && kind_ == Kind::FullScreen && hadFocus_ &&
          event.xfocus.mode != NotifyGrab && event.xfocus.mode != NotifyUngrab &&
          event.xfocus.detail != NotifyInferior && event.xfocus.detail != NotifyPointer &&
          events_ != nullptr) {
        events_->OnFocusLost();
      }
      break;
    default:
      break;
  }
}

void X11DialWindow::Tick() {
  if (!alive_ || events_ == nullptr) return;
  events_->OnTimer();
  // The dial's sun moved: bring the picture up to date.
  invalid_ = true;
}

void X11DialWindow::Update() {
  CheckErrors();
  if (alive_ && closePosted_) {
    closePosted_ = false;
    if (events_ != nullptr) events_->OnClose();
  }
  if (!alive_) return;
  if (invalid_) Paint();
  // What was exposed is put again even when the paint just put what changed.
  if (exposed_ && pictureKept_ && events_ != nullptr) {
    const IntRect shown = IntersectRects(exposedRect_, IntRect{0, 0, width_, height_});
    if (!IsEmptyRect(shown)) events_->OnExpose({shown}, *this);
  }
  exposed_ = false;
  exposedRect_ = IntRect{};
  XFlush(display_);
}

void X11DialWindow::Resize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  pictureKept_ = false;
  if (target_ != nullptr) cairo_xlib_surface_set_size(target_, width_, height_);
  invalid_ = true;
}

void X11DialWindow::Paint() {
  invalid_ = false;
  if (events_ == nullptr || width_ <= 0 || height_ <= 0) return;
  if (events_->OnPaint(width_, height_, pictureKept_, *this)) pictureKept_ = true;
}

void X11DialWindow::PutAt(cairo_surface_t* pixels, const IntRect& rect, int left, int top) {
  if (!alive_ || pixels == nullptr || cairo_image_surface_get_data(pixels) == nullptr) return;
  // The rectangle on the window, cut to the picture and to the window.
  const IntRect picture{left, top, left + cairo_image_surface_get_width(pixels),
                        top + cairo_image_surface_get_height(pixels)};
  const IntRect r = IntersectRects(
      IntersectRects(IntRect{rect.left + left, rect.top + top, rect.right + left, rect.bottom + top},
                     picture),
      IntRect{0, 0, width_, height_});
  if (IsEmptyRect(r)) return;
  cairo_surface_flush(pixels);
  const std::size_t stride =
      static_cast<std::size_t>(cairo_image_surface_get_stride(pixels)) / sizeof(std::uint32_t);
  const std::uint32_t* first =
      reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(pixels)) +
      static_cast<std::size_t>(r.top - top) * stride + static_cast<std::size_t>(r.left - left);
  if (PutImage(first, stride, r)) return;
  if (target_ == nullptr) {
    target_ = cairo_xlib_surface_create(display_, window_, visual_, width_, height_);
  }
  cairo_surface_t* rows = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(first)), CAIRO_FORMAT_RGB24,
      r.right - r.left, r.bottom - r.top, static_cast<int>(stride * sizeof(std::uint32_t)));
  cairo_t* cr = cairo_create(target_);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, rows, r.left, r.top);
  cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(rows);
  cairo_surface_flush(target_);
}

// A rectangle goes to the window with XPutImage straight from the image's pixels, where the
// window's pixels are laid out as the image's (a true-colour visual of 24 or 32 bits with 8-bit
// red, green and blue): Cairo's Xlib surface loses a little memory on partial uploads.
bool X11DialWindow::PutImage(const std::uint32_t* first, std::size_t stride, const IntRect& r) {
  if (visual_ == nullptr || visual_->c_class != TrueColor || visual_->red_mask != 0xFF0000 ||
      visual_->green_mask != 0xFF00 || visual_->blue_mask != 0xFF ||
      (depth_ != 24 && depth_ != 32)) {
    return false;
  }
  if (gc_ == nullptr) gc_ = XCreateGC(display_, window_, 0, nullptr);
  if (gc_ == nullptr) return false;
  const std::uint32_t probe = 1;
  const bool littleEndian = *reinterpret_cast<const unsigned char*>(&probe) == 1;
  XImage image{};
  image.width = r.right - r.left;
  image.height = r.bottom - r.top;
  image.format = ZPixmap;
  image.data = reinterpret_cast<char*>(const_cast<std::uint32_t*>(first));
  image.byte_order = littleEndian ? LSBFirst : MSBFirst;
  image.bitmap_unit = 32;
  image.bitmap_bit_order = image.byte_order;
  image.bitmap_pad = 32;
  image.depth = depth_;
  image.bytes_per_line = static_cast<int>(stride * sizeof(std::uint32_t));
  image.bits_per_pixel = 32;
  image.red_mask = visual_->red_mask;
  image.green_mask = visual_->green_mask;
  image.blue_mask = visual_->blue_mask;
  if (!XInitImage(&image)) return false;
  const auto width = static_cast<unsigned>(r.right - r.left);
  const auto height = static_cast<unsigned>(r.bottom - r.top);
  XPutImage(display_, window_, gc_, &image, 0, 0, r.left, r.top, width, height);
  return true;
}

void X11DialWindow::Destroy() {
  if (!alive_) return;
  if (target_ != nullptr) {
    cairo_surface_destroy(target_);
    target_ = nullptr;
  }
  if (kind_ != Kind::DrawOn) XDestroyWindow(display_, window_);
  XFlush(display_);
  alive_ = false;
}

std::pair<int, int> X11DialWindow::CursorPosition() const {
  Window root = None;
  Window child = None;
  int rootX = 0;
  int rootY = 0;
  int x = 0;
  int y = 0;
  unsigned mask = 0;
  XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &x, &y,
                &mask);
  return {rootX, rootY};
}

void X11DialWindow::CheckErrors() {
  // A BadWindow about our window or the one we follow means it is gone.
  if (X11Connection::TakeErrorFor(window_) ||
      (watched_ != None && X11Connection::TakeErrorFor(watched_))) {
    alive_ = false;
  }
}

}  // namespace sundial::x11
