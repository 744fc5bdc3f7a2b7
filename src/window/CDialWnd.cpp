#include "window/CDialWnd.h"

#include <cstdlib>

#include "astro/CivilTime.h"
#include "astro/SunState.h"
#include "geometry/DialLoader.h"
#include "render/DialPainter.h"

namespace sundial {

namespace {

// For measuring what keeping the picture saves: with SUNDIAL_SAVER_FULL_REPAINT=1 in the
// environment every tick paints the whole picture, as the savers once did.
bool FullRepaintAsked() {
  static const bool asked = [] {
    const char* value = std::getenv("SUNDIAL_SAVER_FULL_REPAINT");
    return value != nullptr && std::string(value) == "1";
  }();
  return asked;
}

}  // namespace

CDialWnd::CDialWnd(DialWndHost& host, LocalClock& clock, std::string& dialFilePath)
    : host_(host), clock_(clock), dialFilePath_(dialFilePath) {}

void CDialWnd::OnCreate() {
  sunValid = 0;
  fileLoaded = 0;
}

// The tick. The sun model takes standard time, so the clock hour is lowered by one while
// daylight saving is in force (just after midnight that gives hour -1, which the model carries
// back into the previous day); the clock line shows the hour as the clock does.
void CDialWnd::OnTimer() {
  const LocalClockReading now = clock_.Now();
  clockText = FormatClockText(now.hour, now.minute, now.second);
  const int standardHour = now.daylightSaving > 0 ? now.hour - 1 : now.hour;
  const ZoneOffset zone = ZoneFromBias(now.biasMinutesWest);
  const SunState sun =
      ComputeSunState(now.year, now.month, now.day, standardHour, now.minute, now.second,
                      zone.zoneHours, zone.zoneMinutes, model.latitude, model.longitude);
  sunAzimuth = sun.sunAzimuth;
  sunAltitude = sun.sunAltitude;
  sunDeclination = sun.sunDeclination;
  dayOfYear = DayOfYear(now.day, now.month);
  equationText = FormatEquationText(sun.equationOfTimeSeconds);
  sunValid = 1;
  host_.Invalidate();
}

// Reads the dial file and computes the dial's lines once. A file that ends inside an item cannot
// be shown as its maker drew it; rather than leave the window dark and read the file again on
// every paint, the window shows the built-in default dial, exactly as for a file that cannot be
// opened (and without the broken file's name over it).
void CDialWnd::Load() {
  fineLight_.Clear();
  const LoadOutcome outcome = LoadDial(dialFilePath_, model);
  switch (outcome) {
    case LoadOutcome::File:
      loadState = DialLoadState::File;
      break;
    case LoadOutcome::Invalid:
      loadState = DialLoadState::Invalid;
      break;
    case LoadOutcome::Missing:
      loadState = DialLoadState::Missing;
      dialFilePath_.clear();
      break;
    case LoadOutcome::Truncated:
      loadState = DialLoadState::Truncated;
      model = DialModel{};
      LoadDial(std::string(), model);
      dialFilePath_.clear();
      break;
  }
  // The lit points of fine traces are decided here once, rather than one by one in the first
  // paint.
  if (model.modelReady != 0 && model.fine != nullptr) DecideFineLight(model, fineLight_);
}

void CDialWnd::LoadIfNeeded() {
  if (fileLoaded != 0) return;
  Load();
  fileLoaded = 1;
}

PaintInput CDialWnd::Input(int dpi) {
  return PaintInput{.model = model,
                    .sunValid = sunValid,
                    .sunAzimuth = sunAzimuth,
                    .sunAltitude = sunAltitude,
                    .sunDeclination = sunDeclination,
                    .dayOfYear = dayOfYear,
                    .clockText = clockText,
                    .equationText = equationText,
                    .dialFilePath = dialFilePath_,
                    .fineLight = &fineLight_,
                    .dpi = dpi};
}

bool CDialWnd::OnPaint(Canvas& canvas, MessageReporter& reporter, int dpi) {
  LoadIfNeeded();
  if (model.modelReady == 0) return false;
  PaintDial(Input(dpi), canvas, reporter);
  return true;
}

bool CDialWnd::OnPaintKept(KeptPicture& picture, PixelSurface& surface,
                           MessageReporter& reporter, std::vector<IntRect>& changed, int dpi) {
  changed.clear();
  LoadIfNeeded();
  if (model.modelReady == 0) return false;
  if (FullRepaintAsked()) picture.Forget();
  changed = picture.Update(Input(dpi), surface, reporter);
  return true;
}

}  // namespace sundial
