#include "window/CDialWnd.h"

#include "astro/CivilTime.h"
#include "astro/SunState.h"
#include "geometry/DialLoader.h"
#include "render/DialPainter.h"
#include "render/TickRegion.h"

namespace sundial {

namespace {

// The suns of the coming seconds kept: as many as the keeper composes ahead, and some.
constexpr std::size_t kSunsKept = 64;

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
  clockReading_ = now;
  clockText = FormatClockText(now.hour, now.minute, now.second);
  clockHour_ = now.hour;
  clockMinute_ = now.minute;
  clockSecond_ = now.second;
  const int standardHour = now.daylightSaving > 0 ? now.hour - 1 : now.hour;
  const SunState sun = SunAt(now, standardHour, ZoneFromBias(now.biasMinutesWest));
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

PaintInput CDialWnd::Input() {
  return PaintInput{.model = model,
                    .sunValid = sunValid,
                    .sunAzimuth = sunAzimuth,
                    .sunAltitude = sunAltitude,
                    .sunDeclination = sunDeclination,
                    .dayOfYear = dayOfYear,
                    .clockText = clockText,
                    .equationText = equationText,
                    .dialFilePath = dialFilePath_,
                    .fineLight = &fineLight_};
}

void CDialWnd::Painted(const PaintInput& input, int width, int height, int shadowBandRows) {
  framePainted_ = true;
  frameWidth_ = width;
  frameHeight_ = height;
  frameTitle_ = dialFilePath_;
  frameTickRegions_ = TickDependentRegions(input, width, height, shadowBandRows);
}

bool CDialWnd::OnPaint(Canvas& canvas, MessageReporter& reporter) {
  LoadIfNeeded();
  if (model.modelReady == 0) return false;
  const PaintInput input = Input();
  PaintDial(input, canvas, reporter);
  Painted(input, canvas.Width(), canvas.Height());
  return true;
}

// Once a second: the kept picture is repainted where the old clock line and shadow were and the
// new ones go, each rectangle by replaying the whole paint with only what reaches it drawn.
bool CDialWnd::OnPaintChanges(Canvas& keptFrame, bool kept, MessageReporter& reporter,
                              std::vector<IntRect>& changed, RectRepainter* repainter) {
  changed.clear();
  const int width = keptFrame.Width();
  const int height = keptFrame.Height();
  if (!SameFrame(kept, width, height)) {
    if (!OnPaint(keptFrame, reporter)) return false;
    changed.push_back(IntRect{0, 0, width, height});
    return true;
  }
  if (model.modelReady == 0) return false;
  const PaintInput input = Input();
  const TickRegions before = frameTickRegions_;
  const TickRegions now = TickDependentRegions(input, width, height);
  // A shadow drawn as it was, clear of the clock line, has the same pixels as before.
  const auto clearOfShadow = [&](const IntRect& clock) {
    return IsEmptyRect(IntersectRects(clock, now.shadow));
  };
  if (now.shadowDrawing == before.shadowDrawing && now.shadow == before.shadow &&
      clearOfShadow(before.clockLine) && clearOfShadow(now.clockLine)) {
    changed = MergeRegion({before.clockLine, now.clockLine}, width, height);
  } else {
    changed =
        MergeRegion({before.clockLine, now.clockLine, before.shadow, now.shadow}, width, height);
  }
  for (const IntRect& rect : changed) {
    if (repainter != nullptr) {
      repainter->Repaint(input, reporter, rect);
    } else {
      RepaintRect(input, keptFrame, reporter, rect);
    }
  }
  frameTickRegions_ = now;
  return true;
}

// Once a second on a kept face: the clock line is repainted on the face, and the picture is shown
// again where the old clock line and shadow were and the new ones are.
bool CDialWnd::OnPaintFace(FaceKeeper& keeper, bool kept, MessageReporter& reporter,
                           std::vector<IntRect>& changed) {
  changed.clear();
  const int width = keeper.Width();
  const int height = keeper.Height();
  if (!SameFrame(kept, width, height)) {
    LoadIfNeeded();
    if (model.modelReady == 0) return false;
    const PaintInput input = Input();
    PaintInput face = input;
    face.withShadow = false;
    keeper.PaintFace(face, reporter);
    Painted(input, width, height, keeper.ShadowBandRows());
    changed.push_back(IntRect{0, 0, width, height});
    keeper.Show(input, reporter, changed, frameTickRegions_, false);
    return true;
  }
  if (model.modelReady == 0) return false;
  const PaintInput input = Input();
  PaintInput face = input;
  face.withShadow = false;
  const TickRegions before = frameTickRegions_;
  const TickRegions now = TickDependentRegions(input, width, height, keeper.ShadowBandRows());
  keeper.ExpectClockTexts([this](int seconds) { return ClockTextAfter(seconds); });
  keeper.ExpectSuns([this](int seconds, PaintInput& next) { return SunAfter(seconds, next); });
  for (const IntRect& rect : MergeRegion({before.clockLine, now.clockLine}, width, height)) {
    keeper.RepaintFace(face, reporter, rect);
  }
  changed =
      MergeRegion({before.clockLine, now.clockLine, before.shadow, now.shadow}, width, height);
  keeper.Show(input, reporter, changed, now, true);
  frameTickRegions_ = now;
  return true;
}

// The clock text `seconds` after the last tick's, as the clock will show it unless it is set or
// its zone or daylight saving changes.
std::string CDialWnd::ClockTextAfter(int seconds) const {
  long s = ((clockHour_ * 60L + clockMinute_) * 60L + clockSecond_ + seconds) % 86400;
  if (s < 0) s += 86400;
  return FormatClockText(static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60),
                         static_cast<int>(s % 60));
}

// The sun `seconds` after the last tick, computed exactly as that tick will compute it unless the
// clock is set or its zone or daylight saving changes; false past midnight (another day).
bool CDialWnd::SunAfter(int seconds, PaintInput& input) const {
  const LocalClockReading& now = clockReading_;
  const long s = (now.hour * 60L + now.minute) * 60L + now.second + seconds;
  if (seconds < 0 || s >= 86400) return false;
  const int hour = static_cast<int>(s / 3600);
  LocalClockReading then = now;
  then.hour = hour;
  then.minute = static_cast<int>(s / 60 % 60);
  then.second = static_cast<int>(s % 60);
  // A new run of coming seconds: those kept from the last are past.
  if (seconds == 1) sunsAhead_.clear();
  const SunState sun = SunAt(then, now.daylightSaving > 0 ? hour - 1 : hour,
                             ZoneFromBias(now.biasMinutesWest));
  if (sunsAhead_.size() < kSunsKept) {
    sunsAhead_.push_back({then, now.daylightSaving > 0 ? hour - 1 : hour, model.latitude,
                          model.longitude, sun});
  }
  input.sunAzimuth = sun.sunAzimuth;
  input.sunAltitude = sun.sunAltitude;
  input.sunDeclination = sun.sunDeclination;
  return true;
}

SunState CDialWnd::SunAt(const LocalClockReading& r, int standardHour,
                         const ZoneOffset& zone) const {
  for (const SunAhead& a : sunsAhead_) {
    if (a.reading.year == r.year && a.reading.month == r.month && a.reading.day == r.day &&
        a.standardHour == standardHour && a.reading.minute == r.minute &&
        a.reading.second == r.second && a.reading.biasMinutesWest == r.biasMinutesWest &&
        a.latitude == model.latitude && a.longitude == model.longitude) {
      return a.sun;
    }
  }
  return ComputeSunState(r.year, r.month, r.day, standardHour, r.minute, r.second, zone.zoneHours,
                         zone.zoneMinutes, model.latitude, model.longitude);
}

bool CDialWnd::ShowAgain(FaceKeeper& keeper, MessageReporter& reporter,
                         const std::vector<IntRect>& rects) {
  if (!SameFrame(true, keeper.Width(), keeper.Height()) || model.modelReady == 0) return false;
  keeper.Show(Input(), reporter, MergeRegion(rects, keeper.Width(), keeper.Height()),
              frameTickRegions_, false);
  return true;
}

bool CDialWnd::SameFrame(bool kept, int width, int height) const {
  return kept && framePainted_ && fileLoaded != 0 && frameWidth_ == width &&
         frameHeight_ == height && frameTitle_ == dialFilePath_;
}

}  // namespace sundial
