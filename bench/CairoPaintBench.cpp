// Paints of a dial on the Cairo image surface at the size of a common full-HD screen: one whole
// paint (the first picture, or every second before the saver kept its picture), and one tick of
// the kept face (the clock moved on by a second, the clock line repainted on the face, the changed
// rectangles composed with the shadow and copied to a screen): the cost the Linux saver pays once
// a second.
#include <benchmark/benchmark.h>

#ifdef SUNDIAL_HAVE_CAIRO

#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
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
// every ten minutes); `cold`: with the caches filled with other memory before each, untimed.
void PaintBench(benchmark::State& state, const std::string& dialFile, bool ticks,
                sundial::LocalClockReading start = SummerAfternoon(), int width = 1920,
                int height = 1080, bool cold = false) {
  std::vector<unsigned char> other(cold ? 64u << 20 : 0);  // more than the caches hold
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
    if (cold) {
      state.PauseTiming();
      for (std::size_t i = 0; i < other.size(); i += 64) other[i] += 1;
      benchmark::DoNotOptimize(other.data());
      state.ResumeTiming();
    }
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

// A tick of the default dial (0) and of each example dial type (1..15) on a winter afternoon, the
// caches emptied before it as a sleeping saver finds them: what a tick costs the saver once a
// second, rather than in a loop where the dial's lines stay in the caches.
void BM_CairoColdTick1920x1080(benchmark::State& state) {
  std::string dial;
  if (state.range(0) > 0) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "type-%02d-", static_cast<int>(state.range(0) - 1));
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(SUNDIAL_SOURCE_DIR) + "/examples")) {
      const std::string name = entry.path().filename().string();
      if (name.rfind(prefix, 0) == 0) dial = "examples/" + name;
    }
  }
  state.SetLabel(dial.empty() ? "default dial" : dial);
  PaintBench(state, dial, true, WinterAfternoonAtGreenwich(), 1920, 1080, true);
}
BENCHMARK(BM_CairoColdTick1920x1080)->DenseRange(0, 15)->Unit(benchmark::kMicrosecond);

}  // namespace

#endif
