// A dial window that keeps its picture repaints, once a second, only where the clock line and the
// shadow were and now are, and shows only the rectangles that changed. Every picture so brought
// up to date, and so shown, must equal, pixel for pixel, a whole paint of the same instant: for
// every dial type, through a day with its sunrise and sunset, across midnight, into and out of
// daylight saving, with the clock set back and forward, and after a resize.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/cairo/CairoCanvas.h"
#include "platform/cairo/CairoPixelSurface.h"
#include "render/TickRegions.h"
#include "window/CDialWnd.h"

namespace sundial {
namespace {

namespace fs = std::filesystem;

class NoHost : public DialWndHost {
 public:
  void Invalidate() override {}
};

class Quiet : public MessageReporter {
 public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

struct Surface {
  Surface(int w, int h) : s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h)) {}
  ~Surface() { cairo_surface_destroy(s); }
  cairo_surface_t* s;
};

// One whole paint of `window` on `image`, for a screen of `dpi`.
bool PaintOn(CDialWnd& window, cairo_surface_t* image, int dpi = kBaseDpi) {
  cairo_t* cr = cairo_create(image);
  bool drew = false;
  {
    CairoCanvas canvas(cr, cairo_image_surface_get_width(image),
                       cairo_image_surface_get_height(image));
    Quiet quiet;
    drew = window.OnPaint(canvas, quiet, dpi);
  }
  cairo_destroy(cr);
  cairo_surface_flush(image);
  return drew;
}

// Copies rectangles of the kept picture to `screen`, as a shell shows them.
void ShowOn(CairoPixelSurface& picture, cairo_surface_t* screen,
            const std::vector<IntRect>& rects) {
  cairo_surface_flush(screen);
  const int to = cairo_image_surface_get_stride(screen);
  unsigned char* data = cairo_image_surface_get_data(screen);
  for (const IntRect& r : rects) {
    for (int y = r.top; y < r.bottom; ++y) {
      std::memcpy(data + y * to + 4 * r.left, picture.Row(y) + r.left,
                  4 * static_cast<std::size_t>(r.right - r.left));
    }
  }
  cairo_surface_mark_dirty(screen);
}

// The pixels that differ, and the first of them.
int Differences(cairo_surface_t* a, cairo_surface_t* b, std::string& first) {
  const int w = cairo_image_surface_get_width(a);
  const int h = cairo_image_surface_get_height(a);
  const int stride = cairo_image_surface_get_stride(a);
  const unsigned char* pa = cairo_image_surface_get_data(a);
  const unsigned char* pb = cairo_image_surface_get_data(b);
  int count = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint32_t u, v;
      std::memcpy(&u, pa + y * stride + 4 * x, 4);
      std::memcpy(&v, pb + y * stride + 4 * x, 4);
      if ((u & 0xFFFFFF) == (v & 0xFFFFFF)) continue;
      if (count++ == 0) {
        char text[96];
        std::snprintf(text, sizeof text, "(%d, %d): %06X, whole %06X", x, y, u & 0xFFFFFF,
                      v & 0xFFFFFF);
        first = text;
      }
    }
  }
  return count;
}

LocalClockReading At(int day, int hour, int minute, int second, int dst = 0) {
  LocalClockReading r;
  r.year = 2010;
  r.month = 6;
  r.day = day;
  r.hour = hour;
  r.minute = minute;
  r.second = second;
  r.daylightSaving = dst;
  r.biasMinutesWest = -60;
  return r;
}

// A day of ticks: before sunrise, the morning hour by hour (two of them a second apart, as the
// saver ticks), noon, the evening and sunset, midnight, and then the clocks going forward.
std::vector<LocalClockReading> Ticks() {
  std::vector<LocalClockReading> t;
  t.push_back(At(21, 0, 30, 0));
  for (int h = 2; h <= 9; ++h) t.push_back(At(21, h, 10, 0));
  t.push_back(At(21, 9, 10, 1));
  // Seconds running on across a minute, the clock line's record replayed with each new time.
  for (int s = 50; s < 70; ++s) t.push_back(At(21, 9, 10 + s / 60, s % 60));
  t.push_back(At(21, 8, 11, 9));   // the clock set back an hour
  t.push_back(At(21, 8, 12, 10));  // and forward a minute
  for (int h = 12; h <= 23; h += (h < 17 ? 5 : 1)) t.push_back(At(21, h, 40, 0));
  t.push_back(At(21, 23, 59, 59));
  t.push_back(At(22, 0, 0, 0));
  t.push_back(At(22, 1, 0, 0));
  t.push_back(At(22, 2, 0, 0, 1));  // daylight saving begins: the clock shows an hour more
  t.push_back(At(22, 14, 0, 0, 1));
  t.push_back(At(22, 13, 0, 1, 0));  // daylight saving ends: the clock shows an hour less
  t.push_back(At(22, 13, 0, 2, 0));
  return t;
}

std::vector<std::string> Dials() {
  std::vector<std::string> dials{""};  // the built-in default dial
  for (const auto& entry : fs::directory_iterator(fs::path(SUNDIAL_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() == ".vqr") dials.push_back(entry.path().string());
  }
  std::sort(dials.begin() + 1, dials.end());
  return dials;
}

// The window is resized before the last tick but one when `resize` is set.
void CheckKeptPictures(const std::vector<std::string>& dials, int width, int height,
                       const std::vector<LocalClockReading>& ticks, bool resize,
                       int dpi = kBaseDpi) {
  for (const std::string& dial : dials) {
    SCOPED_TRACE(dial.empty() ? std::string("default dial") : dial);
    NoHost host;
    FixedLocalClock clock(At(21, 0, 0, 0));
    std::string keptPath = dial;
    std::string wholePath = dial;
    CDialWnd kept(host, clock, keptPath);
    CDialWnd whole(host, clock, wholePath);
    kept.OnCreate();
    whole.OnCreate();

    int w = width;
    int h = height;
    auto picture = std::make_unique<CairoPixelSurface>(w, h);
    auto screen = std::make_unique<Surface>(w, h);
    KeptPicture keeper;
    Quiet quiet;  // every drawing object made and selected, tick after tick
    std::vector<IntRect> changed;
    // The first picture, before a tick; both windows read their dial (and so its place) then.
    ASSERT_TRUE(kept.OnPaintKept(keeper, *picture, quiet, changed, dpi));
    ShowOn(*picture, screen->s, changed);
    {
      Surface first(w, h);
      ASSERT_TRUE(PaintOn(whole, first.s, dpi));
    }

    for (std::size_t i = 0; i < ticks.size(); ++i) {
      const LocalClockReading& t = ticks[i];
      SCOPED_TRACE("day " + std::to_string(t.day) + " " + std::to_string(t.hour) + ":" +
                   std::to_string(t.minute) + ":" + std::to_string(t.second));
      bool resized = false;
      if (resize && i == ticks.size() - 2) {
        // The window changes size: the new picture is painted whole, then kept again.
        w = 402;
        h = 289;
        picture = std::make_unique<CairoPixelSurface>(w, h);
        screen = std::make_unique<Surface>(w, h);
        resized = true;
      }
      clock.Set(t);
      kept.OnTimer();
      whole.OnTimer();
      ASSERT_TRUE(kept.OnPaintKept(keeper, *picture, quiet, changed, dpi));
      ShowOn(*picture, screen->s, changed);
      if (!resized && i > 0) {
        // Only parts of the picture were drawn again.
        long long area = 0;
        for (const IntRect& r : changed) area += 1LL * (r.right - r.left) * (r.bottom - r.top);
        EXPECT_LT(area, 1LL * w * h);
      }
      Surface reference(w, h);
      ASSERT_TRUE(PaintOn(whole, reference.s, dpi));
      std::string first;
      const int differing = Differences(screen->s, reference.s, first);
      EXPECT_EQ(differing, 0) << "first at " << first;
      if (differing != 0) break;
      if (i + 1 == ticks.size()) {
        // An exposure shows the whole picture again from the kept one, as it was.
        Surface exposed(w, h);
        ShowOn(*picture, exposed.s, {IntRect{0, 0, w, h}});
        EXPECT_EQ(Differences(exposed.s, reference.s, first), 0) << "first at " << first;
      }
    }
    EXPECT_TRUE(quiet.shown.empty()) << quiet.shown.front();
  }
}

TEST(TickRepaint, EveryKeptPictureEqualsAWholePaintForEveryDial) {
  CheckKeptPictures(Dials(), 331, 217, Ticks(), true);
}

// On a high-DPI screen the thin pens are wide, and a wide dashed pen's pattern runs along its
// whole line: where the clock line is repainted, the dashes must fall where a whole paint puts
// them.
TEST(TickRepaint, EveryKeptPictureEqualsAWholePaintOnAHighDpiScreen) {
  std::vector<LocalClockReading> ticks;
  for (int s = 58; s < 62; ++s) ticks.push_back(At(21, 9, 10 + s / 60, s % 60));
  ticks.push_back(At(21, 16, 40, 0));
  CheckKeptPictures(Dials(), 1280, 720, ticks, false, 192);
}

// On the morning the equation of time changes sign its text, and so the clock line, changes
// width (by a pixel or two, at a size where the font is large enough for that to show); on a
// large screen the glyphs of the clock line reach furthest past their cells.
TEST(TickRepaint, AClockLineThatChangesWidthIsRepaintedWhole) {
  // Three seconds first, so that the clock line is replayed from its record when it widens.
  const std::vector<LocalClockReading> ticks{At(13, 8, 0, 0),  At(13, 8, 0, 1),  At(13, 8, 0, 2),
                                             At(13, 10, 0, 0), At(13, 10, 0, 1), At(13, 8, 0, 3)};
  CheckKeptPictures({""}, 1280, 720, ticks, false);
  CheckKeptPictures({""}, 3840, 2160, ticks, false);
}

// A low winter sun at Greenwich: the horizontal dial's shadow runs off the screen and its far end
// moves every second; the clock set back and forward again, and a resize.
TEST(TickRepaint, ALongShadowMovingEverySecondIsShownExactly) {
  auto at = [](int minute, int second) {
    LocalClockReading r;
    r.year = 2010;
    r.month = 12;
    r.day = 9;
    r.hour = 15;
    r.minute = minute;
    r.second = second;
    return r;
  };
  std::vector<LocalClockReading> ticks;
  for (int s = 0; s < 45; ++s) ticks.push_back(at(30 + s / 60, s % 60));
  ticks.push_back(at(20, 0));
  for (int s = 1; s < 25; ++s) ticks.push_back(at(20, s));
  ticks.push_back(at(20, 40));
  ticks.push_back(at(20, 41));
  const std::string dial =
      (fs::path(SUNDIAL_SOURCE_DIR) / "examples" / "type-01-horizontal-greenwich.vqr").string();
  CheckKeptPictures({dial}, 1280, 720, ticks, true);
}

// The bands the shadow is drawn in must hold every pixel the shadow changes over the face, for
// the wide pens of a large screen too (their bands are taken along the line, not as boxes), in
// bands of single rows and of the rows the saver takes, at the long shadows of morning and
// evening as at noon.
TEST(TickRepaint, TheShadowsBandsHoldEveryPixelItDraws) {
  const int w = 1600;
  const int h = 900;
  const std::vector<LocalClockReading> ticks{At(21, 5, 40, 0), At(21, 7, 10, 0),
                                             At(21, 13, 30, 0), At(21, 18, 50, 0),
                                             At(21, 20, 50, 0)};
  for (const std::string& dial : Dials()) {
    SCOPED_TRACE(dial.empty() ? std::string("default dial") : dial);
    NoHost host;
    FixedLocalClock clock(ticks[0]);
    std::string path = dial;
    CDialWnd window(host, clock, path);
    window.OnCreate();
    window.LoadIfNeeded();
    for (const LocalClockReading& t : ticks) {
      SCOPED_TRACE(std::to_string(t.hour) + ":" + std::to_string(t.minute));
      clock.Set(t);
      window.OnTimer();
      Surface picture(w, h);
      ASSERT_TRUE(PaintOn(window, picture.s));
      const PaintInput input{.model = window.model,
                             .sunValid = window.sunValid,
                             .sunAzimuth = window.sunAzimuth,
                             .sunAltitude = window.sunAltitude,
                             .sunDeclination = window.sunDeclination,
                             .dayOfYear = window.dayOfYear,
                             .clockText = window.clockText,
                             .equationText = window.equationText,
                             .dialFilePath = path};
      PaintInput faceInput = input;
      faceInput.withShadow = false;
      CairoPixelSurface face(w, h);
      Quiet quiet;
      face.Draw([&](Canvas& canvas) { PaintDial(faceInput, canvas, quiet); });
      for (const int bandRows : {1, 8}) {
        SCOPED_TRACE("bands of " + std::to_string(bandRows) + " rows");
        const std::vector<IntRect> bands = TickDependentRegions(input, w, h, bandRows).shadowBands;
        const int stride = cairo_image_surface_get_stride(picture.s);
        const unsigned char* a = cairo_image_surface_get_data(picture.s);
        int outside = 0;
        std::string first;
        for (int y = 0; y < h; ++y) {
          const std::size_t b = static_cast<std::size_t>(y / bandRows);
          const IntRect band = b < bands.size() ? bands[b] : IntRect{};
          for (int x = 0; x < w; ++x) {
            std::uint32_t u;
            std::memcpy(&u, a + y * stride + 4 * x, 4);
            if (((u ^ face.Row(y)[x]) & 0xFFFFFF) == 0 || (x >= band.left && x < band.right)) {
              continue;
            }
            if (outside++ == 0) first = std::to_string(x) + ", " + std::to_string(y);
          }
        }
        EXPECT_EQ(outside, 0) << "first at " << first;
      }
    }
  }
}

}  // namespace
}  // namespace sundial
