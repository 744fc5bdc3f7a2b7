// One full paint of the built-in default dial on the Cairo image surface, at the size of a common
// full-HD screen: the cost the Linux saver pays once a second.
#include <benchmark/benchmark.h>

#ifdef SUNDIAL_HAVE_CAIRO

#include <cairo.h>

#include <string>

#include "platform/cairo/CairoCanvas.h"
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

void BM_CairoPaintDefaultDial1920x1080(benchmark::State& state) {
  sundial::LocalClockReading at;
  at.year = 2010;
  at.month = 7;
  at.day = 15;
  at.hour = 15;
  at.daylightSaving = 1;
  at.biasMinutesWest = -60;
  sundial::FixedLocalClock clock(at);
  NoHost host;
  NoMessages messages;
  std::string path;  // none: the built-in default dial
  sundial::CDialWnd window(host, clock, path);
  window.OnCreate();
  window.LoadIfNeeded();
  window.OnTimer();

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1920, 1080);
  cairo_t* cr = cairo_create(surface);
  for (auto _ : state) {
    sundial::CairoCanvas canvas(cr, 1920, 1080);
    benchmark::DoNotOptimize(window.OnPaint(canvas, messages));
    cairo_surface_flush(surface);
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}
BENCHMARK(BM_CairoPaintDefaultDial1920x1080)->Unit(benchmark::kMillisecond);

}  // namespace

#endif
