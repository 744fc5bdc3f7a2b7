// The dial window on a real X server (Xvfb): the three forms, following and outliving the
// preview area, off-screen composition and exposure, and which input reaches the close rules.
#include <gtest/gtest.h>  // before Xlib, whose macros (None, Bool) clash with its names
#include <X11/Xutil.h>

#include <memory>

#include "X11Connection.h"
#include "X11DialWindow.h"

namespace sundial::x11 {
namespace {

// Stands in for the dial: paints a known colour and counts what it is told.
class CountingDial : public DialWindowEvents {
 public:
  ~CountingDial() override {
    if (image != nullptr) cairo_surface_destroy(image);
  }
  void OnTimer() override { ++ticks; }
  bool OnPaint(int width, int height, bool /*kept*/, PictureSink& sink) override {
    ++paints;
    paintedWidth = width;
    paintedHeight = height;
    if (!draws) return false;
    if (image != nullptr) cairo_surface_destroy(image);
    image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(image);
    cairo_set_source_rgb(cr, red / 255.0, 0.5, 0.25);
    cairo_paint(cr);
    cairo_destroy(cr);
    sink.Put(image, IntRect{0, 0, width, height});
    return true;
  }
  void OnExpose(const std::vector<IntRect>& rects, PictureSink& sink) override {
    ++exposures;
    for (const IntRect& r : rects) sink.Put(image, r);
  }
  void OnUserInput() override { ++inputs; }
  void OnMouseMove() override { ++moves; }
  void OnFocusLost() override { ++focusLosses; }
  void OnClose() override { ++closes; }

  bool draws = true;
  int red = 200;
  int ticks = 0, paints = 0, exposures = 0, inputs = 0, moves = 0, focusLosses = 0, closes = 0;
  int paintedWidth = 0, paintedHeight = 0;
  cairo_surface_t* image = nullptr;
};

class X11DialWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!connection.Ok()) GTEST_SKIP() << "no X display";
    display = connection.display();
  }

  Window MakeParent(int width, int height) {
    const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 10, 10,
                                              static_cast<unsigned>(width),
                                              static_cast<unsigned>(height), 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    return parent;
  }

  // Feeds every pending event to the window, then lets it act on them.
  void Pump(X11DialWindow& window) {
    XSync(display, False);
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      window.HandleEvent(event);
    }
    window.Update();
    XSync(display, False);
  }

  unsigned long PixelAt(Window window, int x, int y) {
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return ~0ul;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
  }

  X11Connection connection;
  Display* display = nullptr;
  CountingDial dial;
};

constexpr unsigned long Rgb24(int r, int g, int b) {
  return (static_cast<unsigned long>(r) << 16) | (static_cast<unsigned long>(g) << 8) |
         static_cast<unsigned long>(b);
}

TEST_F(X11DialWindowTest, PreviewCoversItsParentAndShowsThePicture) {
  const Window parent = MakeParent(160, 120);
  auto preview = X11DialWindow::CreatePreview(connection, parent, "Preview");
  ASSERT_TRUE(preview);
  preview->SetEvents(&dial);
  Pump(*preview);

  XWindowAttributes attributes;
  XGetWindowAttributes(display, preview->window(), &attributes);
  EXPECT_EQ(attributes.x, 0);
  EXPECT_EQ(attributes.y, 0);
  EXPECT_EQ(attributes.width, 160);
  EXPECT_EQ(attributes.height, 120);
  EXPECT_EQ(attributes.map_state, IsViewable);
  Window root, parentOf, *children = nullptr;
  unsigned count = 0;
  XQueryTree(display, preview->window(), &root, &parentOf, &children, &count);
  if (children) XFree(children);
  EXPECT_EQ(parentOf, parent);
  char* name = nullptr;
  XFetchName(display, preview->window(), &name);
  ASSERT_NE(name, nullptr);
  EXPECT_STREQ(name, "Preview");
  XFree(name);

  EXPECT_EQ(dial.paints, 1);
  EXPECT_EQ(dial.paintedWidth, 160);
  EXPECT_EQ(dial.paintedHeight, 120);
  EXPECT_EQ(PixelAt(preview->window(), 5, 5), Rgb24(200, 128, 64));
  EXPECT_EQ(PixelAt(preview->window(), 159, 119), Rgb24(200, 128, 64));
}

TEST_F(X11DialWindowTest, PreviewFollowsTheParentsSizeAndEndsWithIt) {
  const Window parent = MakeParent(160, 120);
  auto preview = X11DialWindow::CreatePreview(connection, parent, "Preview");
  ASSERT_TRUE(preview);
  preview->SetEvents(&dial);
  Pump(*preview);

  XResizeWindow(display, parent, 300, 200);
  Pump(*preview);  // the parent's new size: the preview resizes itself
  Pump(*preview);  // its own new size: a new picture of that size
  EXPECT_EQ(preview->Width(), 300);
  EXPECT_EQ(preview->Height(), 200);
  EXPECT_EQ(dial.paintedWidth, 300);
  EXPECT_EQ(dial.paintedHeight, 200);
  EXPECT_EQ(PixelAt(preview->window(), 299, 199), Rgb24(200, 128, 64));

  XDestroyWindow(display, parent);
  Pump(*preview);
  EXPECT_FALSE(preview->Alive());
}

TEST_F(X11DialWindowTest, AWindowIdThatNamesNoWindowGivesNoDialWindow) {
  const Window gone = MakeParent(50, 50);
  XDestroyWindow(display, gone);
  XSync(display, False);
  EXPECT_FALSE(X11DialWindow::CreatePreview(connection, gone, "Preview"));
  EXPECT_FALSE(X11DialWindow::CreateOn(connection, gone));
  EXPECT_FALSE(X11DialWindow::CreatePreview(connection, 0x7ffffff, "Preview"));
  // The connection stays usable after the refused ids.
  const Window parent = MakeParent(40, 30);
  EXPECT_TRUE(X11DialWindow::CreatePreview(connection, parent, "Preview"));
}

TEST_F(X11DialWindowTest, TicksRepaintAndExposuresOnlyCopyTheLastPicture) {
  const Window parent = MakeParent(100, 80);
  auto preview = X11DialWindow::CreatePreview(connection, parent, "Preview");
  ASSERT_TRUE(preview);
  preview->SetEvents(&dial);
  Pump(*preview);
  ASSERT_EQ(dial.paints, 1);

  // Cover the preview and uncover it: the server asks for the area again.
  const Window cover = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 300, 300,
                                           0, 0, 0xFFFFFF);
  XMapRaised(display, cover);
  XSync(display, False);
  XDestroyWindow(display, cover);
  Pump(*preview);
  EXPECT_EQ(dial.paints, 1);
  EXPECT_GE(dial.exposures, 1);
  EXPECT_EQ(PixelAt(preview->window(), 50, 40), Rgb24(200, 128, 64));

  dial.red = 10;
  preview->Tick();
  Pump(*preview);
  EXPECT_EQ(dial.ticks, 1);
  EXPECT_EQ(dial.paints, 2);
  EXPECT_EQ(PixelAt(preview->window(), 50, 40), Rgb24(10, 128, 64));

  // A paint that draws nothing leaves the last picture on the window.
  dial.draws = false;
  dial.red = 250;
  preview->Tick();
  Pump(*preview);
  EXPECT_EQ(dial.paints, 3);
  EXPECT_EQ(PixelAt(preview->window(), 50, 40), Rgb24(10, 128, 64));
}

// A local server reads the pictures from memory shared with it, filled one picture after another
// and from its start again once full; a picture larger than that memory goes in the request.
TEST_F(X11DialWindowTest, EveryPictureArrivesWholeHoweverItReachesTheServer) {
  const Window parent = MakeParent(400, 300);  // 480,000 bytes a picture
  auto preview = X11DialWindow::CreatePreview(connection, parent, "Preview");
  ASSERT_TRUE(preview);
  preview->SetEvents(&dial);
  Pump(*preview);
  for (const int red : {20, 90, 160, 230}) {
    dial.red = red;
    preview->Tick();
    Pump(*preview);
    EXPECT_EQ(PixelAt(preview->window(), 0, 0), Rgb24(red, 128, 64));
    EXPECT_EQ(PixelAt(preview->window(), 399, 299), Rgb24(red, 128, 64));
  }
  XResizeWindow(display, parent, 700, 400);  // 1,120,000 bytes
  Pump(*preview);
  Pump(*preview);
  ASSERT_EQ(preview->Width(), 700);
  EXPECT_EQ(PixelAt(preview->window(), 699, 399), Rgb24(230, 128, 64));
  dial.red = 40;
  preview->Tick();
  Pump(*preview);
  EXPECT_EQ(PixelAt(preview->window(), 0, 0), Rgb24(40, 128, 64));
  EXPECT_EQ(PixelAt(preview->window(), 699, 399), Rgb24(40, 128, 64));
}

TEST_F(X11DialWindowTest, DrawingOnAGivenWindowLeavesThatWindowInPlace) {
  const Window target = MakeParent(120, 90);
  {
    auto on = X11DialWindow::CreateOn(connection, target);
    ASSERT_TRUE(on);
    on->SetEvents(&dial);
    Pump(*on);
    EXPECT_EQ(on->window(), target);
    EXPECT_EQ(PixelAt(target, 60, 45), Rgb24(200, 128, 64));
  }
  EXPECT_TRUE(connection.WindowExists(target));
}

TEST_F(X11DialWindowTest, FullScreenCoversTheScreenHidesTheCursorAndTakesTheInput) {
  auto saver = X11DialWindow::CreateFullScreen(connection, "Screen Saver");
  ASSERT_TRUE(saver);
  saver->SetEvents(&dial);
  Pump(*saver);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, saver->window(), &attributes);
  EXPECT_EQ(attributes.width, DisplayWidth(display, DefaultScreen(display)));
  EXPECT_EQ(attributes.height, DisplayHeight(display, DefaultScreen(display)));
  EXPECT_TRUE(attributes.override_redirect);
  EXPECT_EQ(attributes.map_state, IsViewable);
  EXPECT_TRUE(saver->KeyboardGrabbed());
  EXPECT_TRUE(saver->PointerGrabbed());

  XEvent event{};
  event.xany.window = saver->window();
  event.type = KeyPress;
  saver->HandleEvent(event);
  event.type = ButtonPress;
  saver->HandleEvent(event);
  event.type = MotionNotify;
  saver->HandleEvent(event);
  EXPECT_EQ(dial.inputs, 2);
  EXPECT_EQ(dial.moves, 1);

  saver->PostClose();
  EXPECT_EQ(dial.closes, 0);  // a posted close runs after the present event, not inside it
  saver->Update();
  EXPECT_EQ(dial.closes, 1);
  saver->Update();
  EXPECT_EQ(dial.closes, 1);

  const Window id = saver->window();
  saver->Destroy();
  EXPECT_FALSE(saver->Alive());
  EXPECT_FALSE(connection.WindowExists(id));
}

TEST_F(X11DialWindowTest, OnlyARealLossOfFocusCountsAsDeactivation) {
  auto saver = X11DialWindow::CreateFullScreen(connection, "Screen Saver");
  ASSERT_TRUE(saver);
  saver->SetEvents(&dial);
  XEvent event{};
  event.xfocus.window = saver->window();
  event.xfocus.type = FocusOut;
  event.xfocus.mode = NotifyNormal;
  event.xfocus.detail = NotifyNonlinear;
  saver->HandleEvent(event);
  EXPECT_EQ(dial.focusLosses, 0) << "focus we never had cannot be lost";

  event.xfocus.type = FocusIn;
  saver->HandleEvent(event);
  event.xfocus.type = FocusOut;
  event.xfocus.mode = NotifyGrab;
  saver->HandleEvent(event);
  event.xfocus.mode = NotifyUngrab;
  saver->HandleEvent(event);
  event.xfocus.mode = NotifyNormal;
  event.xfocus.detail = NotifyInferior;
  saver->HandleEvent(event);
  EXPECT_EQ(dial.focusLosses, 0);

  event.xfocus.detail = NotifyNonlinear;
  saver->HandleEvent(event);
  event.xfocus.mode = NotifyWhileGrabbed;
  saver->HandleEvent(event);
  EXPECT_EQ(dial.focusLosses, 2);
}

TEST_F(X11DialWindowTest, PreviewAndDrawOnlyFormsIgnoreInput) {
  const Window parent = MakeParent(60, 40);
  auto preview = X11DialWindow::CreatePreview(connection, parent, "Preview");
  ASSERT_TRUE(preview);
  preview->SetEvents(&dial);
  XEvent event{};
  event.xany.window = preview->window();
  for (int type : {KeyPress, ButtonPress, MotionNotify}) {
    event.type = type;
    preview->HandleEvent(event);
  }
  EXPECT_EQ(dial.inputs + dial.moves, 0);
}

}  // namespace
}  // namespace sundial::x11
