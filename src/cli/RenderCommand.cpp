// sundial render [DIAL.vqr] -o OUT [--size WxH] [--at TIME] [--dst] [--dpi N]
// The picture of one paint after one tick of the dial window, as PNG, SVG, PDF or a drawing trace
// (.trace.json). Without a dial file: the built-in default dial. Without --at: the present moment.
#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "cli/ClockArgument.h"
#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "model/RegularFile.h"
#include "render/RecordingCanvas.h"
#include "render/TraceJson.h"
#include "window/CDialWnd.h"

#ifdef SUNDIAL_HAVE_CAIRO
#include "platform/cairo/CairoPicture.h"
#endif
#ifdef SUNDIAL_HAVE_GDI_PNG
#include "platform/win32/PngWriter.h"
#endif

namespace sundial::cli {

namespace {

constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 800;
constexpr int kLargestSide = 16384;

struct RenderOptions {
  std::string dialPath;
  std::string output;
  std::string size;
  std::string at;
  bool dst = false;
  int dpi = kBaseDpi;  // of the screen or print the picture is drawn for
};

class QuietHost final : public DialWndHost {
 public:
  void Invalidate() override {}
};

// Resource failures of the painter, which a window would show in a message box.
class StderrReporter final : public MessageReporter {
 public:
  void ShowMessage(const std::string& text) override { std::cerr << "sundial: " << text << "\n"; }
};

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const auto x = text.find_first_of("xX");
  if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return false;
  try {
    std::size_t usedW = 0, usedH = 0;
    const std::string w = text.substr(0, x), h = text.substr(x + 1);
    if (w.find_first_not_of("0123456789") != std::string::npos ||
        h.find_first_not_of("0123456789") != std::string::npos) {
      return false;
    }
    width = std::stoi(w, &usedW);
    height = std::stoi(h, &usedH);
  } catch (const std::exception&) {
    return false;
  }
  return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide;
}

// A wrong command line: status 2.
int Fail(const std::string& message) {
  std::cerr << "sundial render: " << message << " (see sundial render --help)\n";
  return 2;
}

// An output that could not be written: status 1.
int CannotWrite(const std::string& message) {
  std::cerr << "sundial render: " << message << "\n";
  return 1;
}

int Render(const RenderOptions& options) {
  int width = kDefaultWidth, height = kDefaultHeight;
  if (!options.size.empty() && !ParseSize(options.size, width, height)) {
    return Fail("--size wants WIDTHxHEIGHT in pixels (1 to 16384), got '" + options.size + "'");
  }
  if (options.dst && options.at.empty()) {
    return Fail("--dst needs --at (the system clock knows its own daylight saving)");
  }
  std::unique_ptr<LocalClock> clock;
  if (options.at.empty()) {
    clock = std::make_unique<SystemLocalClock>();
  } else {
    const auto reading = ParseClockArgument(options.at, options.dst);
    if (!reading) {
      return Fail("--at wants local time with its offset, e.g. 2010-07-15T14:00:00+02:00, got '" +
                  options.at + "'");
    }
    clock = std::make_unique<FixedLocalClock>(*reading);
  }
  const bool trace = EndsWith(options.output, ".trace.json");
#ifdef SUNDIAL_HAVE_CAIRO
  const auto format = PictureFormatFromPath(options.output);
  if (!trace && !format) {
    return Fail("the output must end in .png, .svg, .pdf or .trace.json: " + options.output);
  }
#elif defined(SUNDIAL_HAVE_GDI_PNG)
  if (!trace && !EndsWith(options.output, ".png")) {
    return Fail("this build writes PNG pictures (.png) and drawing traces (.trace.json): " +
                options.output);
  }
#else
  if (!trace) return Fail("this build writes only drawing traces (.trace.json): " + options.output);
#endif

  // A dial file that cannot be opened is an error here, where the saver would quietly show its
  // built-in dial.
  if (!options.dialPath.empty()) {
    const RegularFile file(options.dialPath);
    if (!file.Ok()) return CannotOpenDial("render", options.dialPath, file.Failure());
  }

  // The window's life in short: created, first paint loads the dial, one tick, one paint.
  std::string dialFilePath = options.dialPath;
  QuietHost host;
  auto window = std::make_unique<CDialWnd>(host, *clock, dialFilePath);
  window->OnCreate();
  window->LoadIfNeeded();
  switch (window->loadState) {
    case DialLoadState::Missing:
      if (!options.dialPath.empty()) {
        return CannotOpenDial("render", options.dialPath, "it is gone or no longer readable");
      }
      break;
    case DialLoadState::Invalid:
      WarnAboutLoad("render", options.dialPath, LoadOutcome::Invalid);
      break;
    case DialLoadState::Truncated:
      WarnAboutLoad("render", options.dialPath, LoadOutcome::Truncated);
      break;
    default:
      break;
  }
  window->OnTimer();
  StderrReporter reporter;

  if (trace) {
    RecordingCanvas canvas(width, height);
    window->OnPaint(canvas, reporter, options.dpi);
    // The reason of a failed open or write is the system's, left in errno.
    errno = 0;
    std::ofstream out(options.output, std::ios::binary);
    if (out) {
      WriteTraceJson(canvas, out);
      out.close();
    }
    if (!out) {
      const int error = errno;
      return CannotWrite("cannot write " + options.output + ": " +
                         (error != 0 ? std::strerror(error) : "write error"));
    }
    return 0;
  }
#ifdef SUNDIAL_HAVE_CAIRO
  const std::string error =
      WritePicture(options.output, *format, width, height,
                   [&](Canvas& canvas) { window->OnPaint(canvas, reporter, options.dpi); });
  if (!error.empty()) return CannotWrite(error);
#elif defined(SUNDIAL_HAVE_GDI_PNG)
  win32::GdiCanvas canvas(width, height);
  if (!canvas.Valid()) return CannotWrite("cannot make a picture of " + std::to_string(width) +
                                          "x" + std::to_string(height) + " pixels");
  window->OnPaint(canvas, reporter, options.dpi);
  const std::string error = win32::WritePng(options.output, canvas);
  if (!error.empty()) return CannotWrite(error);
#endif
  return 0;
}

CommandRegistration reg{
    "render", "draw a dial at an instant to PNG, SVG, PDF or a drawing trace",
    [](CLI::App& sub) -> std::function<int()> {
      auto options = std::make_shared<RenderOptions>();
      sub.add_option("dial", options->dialPath, "dial file (.vqr); none: the built-in default dial");
      sub.add_option("-o,--output", options->output, "OUT.png, OUT.svg, OUT.pdf or OUT.trace.json")
          ->required();
      sub.add_option("--size", options->size, "picture size WIDTHxHEIGHT (default 1280x800)");
      sub.add_option("--at", options->at,
                     "local time with its UTC offset, e.g. 2010-07-15T14:00:00+02:00 (default: now)");
      sub.add_flag("--dst", options->dst, "the offset of --at includes one hour of daylight saving");
      sub.add_option("--dpi", options->dpi,
                     "dots per inch of the screen drawn for: thin lines round(N/96) pixels wide "
                     "(default 96)")
          ->check(CLI::Range(1, 9600));
      return [options] { return Render(*options); };
    }};

}  // namespace

}  // namespace sundial::cli
