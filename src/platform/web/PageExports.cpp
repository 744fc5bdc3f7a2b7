// The functions the page's script calls (through ccall): open a dial file, show a moment.
#include <emscripten/emscripten.h>

#include <string>

#include "platform/web/WebDialView.h"

namespace {

sundial::web::WebDialView& View() {
  static sundial::web::WebDialView view;
  return view;
}

}  // namespace

extern "C" {

// Loads the dial file at `path` in the page's file system ("" for the built-in dial). Returns how
// it loaded: 1 file, 2 invalid, 3 missing, 4 truncated (the built-in dial is shown for 2 to 4).
EMSCRIPTEN_KEEPALIVE int sundial_open(const char* path) {
  return static_cast<int>(View().Open(path));
}

EMSCRIPTEN_KEEPALIVE const char* sundial_load_message() { return View().LoadMessage().c_str(); }

EMSCRIPTEN_KEEPALIVE const char* sundial_title() {
  static std::string title;
  title = View().Title();
  return title.c_str();
}

// Shows the dial at one reading of the local clock (the clock hour as shown, daylight saving
// included; the standard-time zone in minutes west of Greenwich) on the screen canvas.
EMSCRIPTEN_KEEPALIVE void sundial_show(int year, int month, int day, int hour, int minute,
                                       int second, int daylightSaving, int biasMinutesWest,
                                       int width, int height) {
  sundial::LocalClockReading r;
  r.year = year;
  r.month = month;
  r.day = day;
  r.hour = hour;
  r.minute = minute;
  r.second = second;
  r.daylightSaving = daylightSaving;
  r.biasMinutesWest = biasMinutesWest;
  View().Show(r, width, height);
}

EMSCRIPTEN_KEEPALIVE const char* sundial_clock_line() { return View().ClockLine().c_str(); }

}  // extern "C"
