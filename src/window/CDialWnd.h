// CDialWnd: the platform-neutral dial window. It owns one dial (by value), loads it on its first
// paint, and once a second takes the present time, asks the sun model where the sun stands and
// asks for a repaint so the gnomon's shadow follows the sun. The Windows and X11 shells own one of
// these, forward their paint and timer events to it and give it a Canvas to draw on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "astro/CivilTime.h"
#include "astro/SunState.h"
#include "model/DialModel.h"
#include "render/Canvas.h"
#include "render/DialPainter.h"
#include "window/KeptPicture.h"
#include "window/LocalClock.h"

namespace sundial {

// What the dial window needs from the shell that shows it.
class DialWndHost {
 public:
  virtual ~DialWndHost() = default;
  // The tick changed the picture: the shell brings what it shows up to date (the Windows shell at
  // once, the X11 shell when the events at hand are handled).
  virtual void Invalidate() = 0;
};

// How the first paint's load of the dial file ended.
enum class DialLoadState {
  NotYet,     // no paint yet
  File,       // the file's dial
  Invalid,    // the file was read, a value was out of range: the built-in default dial
  Missing,    // the file could not be opened: the built-in default dial, dial file path emptied
  Truncated,  // the file ended inside an item: the built-in default dial, dial file path emptied
};

class CDialWnd {
 public:
  // The shells' timer: number 1, every 1000 ms, started when the platform window exists.
  static constexpr unsigned kTimerId = 1;
  static constexpr unsigned kTimerIntervalMs = 1000;

  // `dialFilePath` is the application's (CSaverApp::dialFilePath): the dial to show, emptied here
  // when the file cannot be read. `host`, `clock` and the path must outlive the window.
  CDialWnd(DialWndHost& host, LocalClock& clock, std::string& dialFilePath);
  virtual ~CDialWnd() = default;
  CDialWnd(const CDialWnd&) = delete;
  CDialWnd& operator=(const CDialWnd&) = delete;

  // The portable part of window creation: no sun yet, dial not loaded. The shell then creates
  // the platform window and starts the timer (kTimerId, kTimerIntervalMs).
  void OnCreate();

  // The one-second tick: reads the clock, computes the present sun for the dial's place,
  // formats clockText and equationText, sets sunValid and asks the host for a repaint.
  void OnTimer();

  // Loads the dial file unless a paint already has (the first paint's load). A one-off picture
  // calls it before its tick so that the sun is computed for the dial's own place.
  void LoadIfNeeded();

  // Paints the whole picture on `canvas` (its size is the client area), for a screen of `dpi`
  // dots per inch. On the first paint the dial file is loaded. Returns false when nothing was
  // drawn (no dial ready): the shell must then leave the window as it is and copy nothing.
  bool OnPaint(Canvas& canvas, MessageReporter& reporter, int dpi = kBaseDpi);

  // The paint of a shell that keeps its picture on `surface`: `picture` brings it up to date
  // (whole the first time, then only where the clock line and the shadow change) and `changed`
  // receives the rectangles to show again. Returns false, with `changed` empty, as OnPaint does.
  // With SUNDIAL_SAVER_FULL_REPAINT=1 in the environment every picture is painted whole, for
  // measuring what keeping it saves.
  bool OnPaintKept(KeptPicture& picture, PixelSurface& surface, MessageReporter& reporter,
                   std::vector<IntRect>& changed, int dpi = kBaseDpi);

  // The dial and the present sun (read by the painter and by tests).
  DialModel model;
  double sunAzimuth = 0;      // degrees from the south, positive west
  double sunAltitude = 0;     // degrees
  double sunDeclination = 0;  // degrees
  std::int32_t dayOfYear = 0;  // 1..365 (common year)
  std::int32_t sunValid = 0;   // 1 once a tick has stored the values above
  std::string equationText;    // "-00:02:05" or " 00:00:59"
  std::string clockText;       // " 14:05:09"
  std::int32_t fileLoaded = 0;  // 1 once the paint has loaded the dial
  DialLoadState loadState = DialLoadState::NotYet;

  const std::string& DialFilePath() const { return dialFilePath_; }

 protected:
  DialWndHost& host_;

 private:
  void Load();
  PaintInput Input(int dpi);

  LocalClock& clock_;
  std::string& dialFilePath_;
  FineLightCache fineLight_;  // which points of the fine traces are lit, for the loaded dial
};

}  // namespace sundial
