#include "platform/web/WebDialView.h"

#include <cstdio>

#include "model/DialFileReader.h"
#include "render/DialPainter.h"
#include "render/Titles.h"

extern "C" {
// Gives the page's canvas number `surface` this size in device pixels (clearing it when it
// changes).
void sundial_web_size(int surface, int width, int height);
// Draws canvas `from` over canvas `to`, pixel for pixel.
void sundial_web_copy(int from, int to);
}

namespace sundial::web {

namespace {

const char* WhyNotShown(DialLoadState state) {
  switch (state) {
    case DialLoadState::Invalid:
      return "it holds values no dial can have";
    case DialLoadState::Missing:
      return "it cannot be opened";
    case DialLoadState::Truncated:
      return "it ends inside an item";
    default:
      return nullptr;
  }
}

LoadOutcome OutcomeOf(DialLoadState state) {
  switch (state) {
    case DialLoadState::Invalid:
      return LoadOutcome::Invalid;
    case DialLoadState::Missing:
      return LoadOutcome::Missing;
    case DialLoadState::Truncated:
      return LoadOutcome::Truncated;
    default:
      return LoadOutcome::File;
  }
}

std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void WebDialView::ConsoleReporter::ShowMessage(const std::string& text) {
  std::fprintf(stderr, "sundial: %s\n", text.c_str());
}

WebDialView::WebDialView() { Open(std::string()); }

DialLoadState WebDialView::Open(const std::string& path) {
  dialFilePath_ = path;
  window_ = std::make_unique<CDialWnd>(host_, clock_, dialFilePath_);
  window_->OnCreate();
  window_->LoadIfNeeded();
  // The window keeps its own answers for the fine traces' lit points, out of reach; the face
  // painted here asks this copy.
  fineLight_.Clear();
  if (window_->model.modelReady != 0 && window_->model.fine != nullptr) {
    DecideFineLight(window_->model, fineLight_);
  }
  faceKept_ = false;
  clockLine_.clear();
  loadMessage_.clear();
  if (const char* why = WhyNotShown(window_->loadState); why != nullptr && !path.empty()) {
    loadMessage_ = "'" + FileName(path) + "' loads as " +
                   LoadOutcomeName(OutcomeOf(window_->loadState)) + " (" + why +
                   "): the built-in dial is shown";
  }
  return window_->loadState;
}

std::string WebDialView::Title() const { return DialNameFromPath(window_->DialFilePath()); }

PaintInput WebDialView::Input(bool withShadow) {
  const CDialWnd& w = *window_;
  return PaintInput{.model = w.model,
                    .sunValid = w.sunValid,
                    .sunAzimuth = w.sunAzimuth,
                    .sunAltitude = w.sunAltitude,
                    .sunDeclination = w.sunDeclination,
                    .dayOfYear = w.dayOfYear,
                    .clockText = w.clockText,
                    .equationText = w.equationText,
                    .dialFilePath = w.DialFilePath(),
                    .fineLight = &fineLight_,
                    .withShadow = withShadow};
}

// The whole picture but the shadow, with the box of its clock line left transparent.
void WebDialView::PaintFace(const PaintInput& input, int width, int height) {
  sundial_web_size(kFaceSurface, width, height);
  WebCanvas face(kFaceSurface, width, height);
  face.WatchText(clockLine_, true);
  PaintDial(input, face, reporter_);
  face.Flush();
  faceClockLine_ = face.Watched();
  faceKept_ = true;
  faceWidth_ = width;
  faceHeight_ = height;
}

void WebDialView::Show(const LocalClockReading& reading, int width, int height) {
  clock_.Set(reading);
  window_->OnTimer();
  if (window_->model.modelReady == 0 || width <= 0 || height <= 0) return;
  clockLine_ = ClockLineText(window_->clockText, window_->equationText);
  const PaintInput input = Input(false);
  // Twice at most: a clock line whose box is not the one the face left open (the equation of
  // time changed its sign) needs the face painted again around the new one.
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!faceKept_ || faceWidth_ != width || faceHeight_ != height) {
      PaintFace(input, width, height);
    }
    WebCanvas screen(kScreenSurface, width, height);
    screen.WatchText(clockLine_, false);
    screen.SetTextColor(faceClockLine_.textColor);
    screen.SetBackgroundColor(faceClockLine_.backgroundColor);
    PaintClockLine(input, screen, reporter_);
    screen.Flush();
    if (!faceClockLine_.drawn || screen.Watched().box == faceClockLine_.box) break;
    faceKept_ = false;
  }
  sundial_web_copy(kFaceSurface, kScreenSurface);
  WebCanvas screen(kScreenSurface, width, height);
  PaintShadow(Input(true), screen, reporter_);
}

}  // namespace sundial::web
