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
#include "render/TickRegion.h"
#include "window/LocalClock.h"

namespace sundial {

// What the dial window needs from the shell that shows it.
class DialWndHost {
 public:
  virtual ~DialWndHost() = default;
  // Asks for a repaint of the whole client area (with erasing) soon after the present event.
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

  // Paints the whole picture on `canvas` (its size is the client area). On the first paint the
  // dial file is loaded. Returns false when nothing was drawn (no dial ready): the shell must then
  // leave the window as it is and copy nothing.
  bool OnPaint(Canvas& canvas, MessageReporter& reporter);

  // The paint of a shell that keeps its picture: `keptFrame` holds what the last OnPaint or
  // OnPaintChanges of this window drew on it (or is new, which the shell must then say with
  // `kept` false). Only the rectangles where the clock line and the shadow were and are now are
  // painted again; the picture comes out exactly as a whole paint would draw it. Anything else
  // that changed (a new size, the first picture) is painted whole. `changed` receives the
  // rectangles to copy to the screen. Returns false, with `changed` empty, as OnPaint does.
  // `repainter`, when given, repaints each rectangle (a canvas whose pixels depend on where a
  // clip lies needs that); else the rectangle is painted on `keptFrame` under its clip.
  bool OnPaintChanges(Canvas& keptFrame, bool kept, MessageReporter& reporter,
                      std::vector<IntRect>& changed, RectRepainter* repainter = nullptr);

  // The paint of a shell that keeps only the face: `keeper` holds the face the last OnPaintFace
  // of this window left (or a new one, `kept` false, which is then painted whole). The clock line
  // is repainted on the face and the picture shown where it changed, through the keeper, exactly
  // as a whole paint draws it. `changed` receives the rectangles shown. Returns false, with
  // `changed` empty, as OnPaint does.
  bool OnPaintFace(FaceKeeper& keeper, bool kept, MessageReporter& reporter,
                   std::vector<IntRect>& changed);
  // Shows `rects` of the last picture again (the window was exposed), from the kept face without
  // repainting it. False when the keeper holds no face of this window's last paint.
  bool ShowAgain(FaceKeeper& keeper, MessageReporter& reporter, const std::vector<IntRect>& rects);

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
  PaintInput Input();
  std::string ClockTextAfter(int seconds) const;
  bool SunAfter(int seconds, PaintInput& input) const;
  // The sun for a standard-time clock reading in a zone, at the dial's place; the suns computed
  // ahead for the coming seconds are kept, for their ticks to take.
  SunState SunAt(const LocalClockReading& reading, int standardHour, const ZoneOffset& zone) const;
  // `shadowBandRows`: see TickDependentRegions.
  void Painted(const PaintInput& input, int width, int height, int shadowBandRows = 0);
  // Whether a picture kept at this size (`kept`: still holding this window's last paint) shows
  // the loaded dial under its present title.
  bool SameFrame(bool kept, int width, int height) const;

  LocalClock& clock_;
  std::string& dialFilePath_;
  FineLightCache fineLight_;  // which points of the fine traces are lit, for the loaded dial

  // What the last paint left on its canvas: its size, its title and where its tick-dependent
  // parts lie.
  bool framePainted_ = false;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  std::string frameTitle_;
  TickRegions frameTickRegions_;
  // The clock reading of the last tick.
  LocalClockReading clockReading_;
  int clockHour_ = 0;
  int clockMinute_ = 0;
  int clockSecond_ = 0;
  struct SunAhead {
    LocalClockReading reading;  // its date, minute, second and zone; the standard hour below
    int standardHour = 0;
    double latitude = 0;
    double longitude = 0;
    SunState sun;
  };
  mutable std::vector<SunAhead> sunsAhead_;
};

}  // namespace sundial
