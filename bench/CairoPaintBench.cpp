// Paints of a dial on the Cairo image surface at the size of a common full-HD screen: one whole
// paint (the first picture, or every second before the saver kept its picture), and one tick of
// the kept face (the clock moved on by a second, the clock line repainted on the face, the changed
// rectangles composed with the shadow and copied to a screen): the cost the Linux saver pays once
// a second.
#include <benchmark/benchmark.h>

#ifdef SUNDIAL_HAVE_CAIRO

#include <cairo.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/cairo/CairoCanvas.h"
#include "platform/cairo/CairoPixelSurface.h"
#include "window/CDialWnd.h"

namespace {

class NoHost final : public sundial::DialWndHost {
 public:
  void Invalidate() override {}
};

class NoMessages final : public sundial::MessageReporter {
 public:
  void ShowMessage(const std::string&) override {}
};


// 15:00 summer time on 15 July 2010 in Central Europe.
sundial::LocalClockReading SummerAfternoon() {
  sundial::LocalClockReading at;
  at.year = 2010;
  at.month = 7;
  at.day = 15;
  at.hour = 15;
  at.daylightSaving = 1;
  at.biasMinutesWest = -60;
  return at;
}

// The dial of `dialFile` (empty: the default dial) at `start`, painted whole (`ticks` false) or
// kept and brought up to date a second later on every iteration (the clock going back to `start`
// every ten minutes).
void PaintBench(benchmark::State& state, const std::string& dialFile, bool ticks,
                sundial::LocalClockReading start = SummerAfternoon(), int width = 1920,
                int height = 1080) {
  sundial::LocalClockReading at = start;
  sundial::FixedLocalClock clock(at);
  NoHost host;
  NoMessages messages;
  std::string path = dialFile.empty() ? dialFile : std::string(SUNDIAL_SOURCE_DIR) + "/" + dialFile;
  sundial::CDialWnd window(host, clock, path);
  window.OnCreate();
  window.LoadIfNeeded();
  window.OnTimer();

  // The screen: each rectangle shown is copied there, as the saver uploads it.
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);
  std::vector<sundial::IntRect> changed;
  sundial::CairoPixelSurface picture(width, height);
  sundial::KeptPicture kept;
  long long shown = 0;  // pixels handed to the screen
  auto show = [&] {
    const int to = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (const sundial::IntRect& r : changed) {
      shown += 1LL * (r.right - r.left) * (r.bottom - r.top);
      for (int y = r.top; y < r.bottom; ++y) {
        std::memcpy(data + y * to + 4 * r.left, picture.Row(y) + r.left,
                    4 * static_cast<std::size_t>(r.right - r.left));
      }
    }
  };
  if (ticks) window.OnPaintKept(kept, picture, messages, changed);
  shown = 0;
  for (auto _ : state) {
    if (ticks) {
      at.second = (at.second + 1) % 60;
      if (at.second == 0) at.minute = (at.minute + 1) % 60;
      if (at.minute == (start.minute + 10) % 60 && at.second == start.second) at = start;
      clock.Set(at);
      window.OnTimer();
    }
    if (ticks) {
      benchmark::DoNotOptimize(window.OnPaintKept(kept, picture, messages, changed));
      show();
    } else {
      sundial::CairoCanvas canvas(cr, width, height);
      benchmark::DoNotOptimize(window.OnPaint(canvas, messages));
      canvas.Flush();
    }
  }
  if (ticks && state.iterations() > 0) {
    state.counters["shownPixels"] = static_cast<double>(shown) / state.iterations();
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

void BM_CairoPaintDefaultDial1920x1080(benchmark::State& state) { PaintBench(state, "", false); }
BENCHMARK(BM_CairoPaintDefaultDial1920x1080)->Unit(benchmark::kMillisecond);
void BM_CairoTickDefaultDial1920x1080(benchmark::State& state) { PaintBench(state, "", true); }
BENCHMARK(BM_CairoTickDefaultDial1920x1080)->Unit(benchmark::kMillisecond);

constexpr const char* kReceivingOutlineExample = "examples/type-12-receiving-ellipse-torino.vqr";
void BM_CairoPaintReceivingOutline1920x1080(benchmark::State& state) {
  PaintBench(state, kReceivingOutlineExample, false);
}
BENCHMARK(BM_CairoPaintReceivingOutline1920x1080)->Unit(benchmark::kMillisecond);
void BM_CairoTickReceivingOutline1920x1080(benchmark::State& state) {
  PaintBench(state, kReceivingOutlineExample, true);
}
BENCHMARK(BM_CairoTickReceivingOutline1920x1080)->Unit(benchmark::kMillisecond);

// A winter afternoon at Greenwich on a 3840x2160 screen: the shadow of the horizontal dial is long
// and runs off the screen, and its far end moves every second, so that the picture under it
// changes on every tick.
sundial::LocalClockReading WinterAfternoonAtGreenwich() {
  sundial::LocalClockReading at;
  at.year = 2010;
  at.month = 12;
  at.day = 9;
  at.hour = 15;
  at.minute = 30;
  return at;
}
constexpr const char* kHorizontalExample = "examples/type-01-horizontal-greenwich.vqr";
void BM_CairoPaintLongShadow3840x2160(benchmark::State& state) {
  PaintBench(state, kHorizontalExample, false, WinterAfternoonAtGreenwich(), 3840, 2160);
}
BENCHMARK(BM_CairoPaintLongShadow3840x2160)->Unit(benchmark::kMillisecond);
void BM_CairoTickLongShadow3840x2160(benchmark::State& state) {
  PaintBench(state, kHorizontalExample, true, WinterAfternoonAtGreenwich(), 3840, 2160);
}
BENCHMARK(BM_CairoTickLongShadow3840x2160)->Unit(benchmark::kMillisecond);

}  // namespace

#endif
