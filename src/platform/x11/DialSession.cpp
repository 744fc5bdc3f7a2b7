#include "DialSession.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "X11Monitors.h"
#include "render/DeviceRect.h"

namespace sundial::x11 {

void StderrReporter::ShowMessage(const std::string& text) {
  if (shown_.insert(text).second) std::fprintf(stderr, "sundial-saver: %s\n", text.c_str());
}

DialSession::DialSession()
    : dials_([](int width, int height) -> std::unique_ptr<CairoPixelSurface> {
        auto surface = std::make_unique<CairoPixelSurface>(width, height);
        if (!surface->Valid()) return nullptr;
        return surface;
      }) {}

std::unique_ptr<DialSession> DialSession::Preview(X11Connection& connection, Window parent,
                                                  std::string& dialFilePath, LocalClock& clock) {
  std::unique_ptr<DialSession> session(new DialSession);
  session->dial_ = std::make_unique<CDialWnd>(*session, clock, dialFilePath);
  session->dial_->OnCreate();
  session->display_ = connection.display();
  session->window_ = X11DialWindow::CreatePreview(connection, parent, kPreviewTitle);
  if (!session->window_) return nullptr;
  session->window_->SetEvents(session.get());
  return session;
}

std::unique_ptr<DialSession> DialSession::DrawOn(X11Connection& connection, Window target,
                                                 std::string& dialFilePath, LocalClock& clock,
                                                 bool perMonitor) {
  std::unique_ptr<DialSession> session(new DialSession);
  session->dial_ = std::make_unique<CDialWnd>(*session, clock, dialFilePath);
  session->dial_->OnCreate();
  session->display_ = connection.display();
  session->perMonitor_ = perMonitor;
  session->window_ = X11DialWindow::CreateOn(connection, target);
  if (!session->window_) return nullptr;
  session->window_->SetEvents(session.get());
  if (perMonitor) session->window_->FollowMonitors();
  return session;
}

std::unique_ptr<DialSession> DialSession::TopLevel(X11Connection& connection,
                                                   std::string& dialFilePath, LocalClock& clock) {
  std::unique_ptr<DialSession> session(new DialSession);
  session->dial_ = std::make_unique<CDialWnd>(*session, clock, dialFilePath);
  session->dial_->OnCreate();
  session->display_ = connection.display();
  session->window_ = X11DialWindow::CreateTopLevel(connection, kTopLevelTitle);
  if (!session->window_) return nullptr;
  session->window_->SetEvents(session.get());
  return session;
}

std::unique_ptr<DialSession> DialSession::FullScreen(X11Connection& connection,
                                                     std::string& dialFilePath,
                                                     LocalClock& clock,
                                                     const SaverSettings& settings) {
  std::unique_ptr<DialSession> session(new DialSession);
  auto saver = std::make_unique<CSaverWnd>(*session, clock, dialFilePath);
  session->saver_ = saver.get();
  session->dial_ = std::move(saver);
  session->dial_->CDialWnd::OnCreate();
  session->display_ = connection.display();
  session->perMonitor_ = true;
  session->window_ = X11DialWindow::CreateFullScreen(connection, kSaverTitle);
  if (!session->window_) return nullptr;
  session->window_->SetEvents(session.get());
  session->window_->FollowMonitors();
  // The cursor reference and the start of the grace period are taken once the window is up.
  session->saver_->OnCreate(settings);
  return session;
}

DialSession::~DialSession() {
  // The window goes first: it may still call back into the dial while it is torn down.
  if (window_) window_->SetEvents(nullptr);
  window_.reset();
}

std::uint32_t DialSession::TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto millis = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                      static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000u;
  return static_cast<std::uint32_t>(millis);
}

CursorPoint DialSession::CursorPosition() {
  const auto [x, y] = window_->CursorPosition();
  return {x, y};
}

std::vector<DialPlace> DialSession::Places(int width, int height) const {
  const IntRect window{0, 0, width, height};  // both windows that span monitors lie at 0,0
  const int dpi = ResourceDpi(display_);
  if (!perMonitor_) return {DialPlace{window, dpi}};
  return LayOutDials(window, QueryMonitors(display_, DefaultScreen(display_)).monitors, dpi);
}

void DialSession::PutRects(const std::vector<IntRect>& rects, PictureSink& sink) const {
  // Dials of overlapping monitors are put in the order laid, as they were painted.
  for (const auto& dial : dials_.Dials()) {
    const IntRect& at = dial->place.rect;
    for (const IntRect& r : rects) {
      const IntRect part = IntersectRects(r, at);
      if (IsEmptyRect(part)) continue;
      sink.PutAt(dial->surface->Surface(),
                 IntRect{part.left - at.left, part.top - at.top, part.right - at.left,
                         part.bottom - at.top},
                 at.left, at.top);
    }
  }
}

// Once a second and on the first paint: each dial's kept picture is brought up to date, and what
// changed goes to the window. The monitors are asked only when the window's size or the monitors
// changed.
bool DialSession::OnPaint(int width, int height, bool kept, PictureSink& sink) {
  if (relay_ || width != laidWidth_ || height != laidHeight_) {
    // Without memory for a picture nothing is drawn; a later paint tries again.
    if (!dials_.Lay(Places(width, height))) return false;
    relay_ = false;
    laidWidth_ = width;
    laidHeight_ = height;
  }
  if (!kept) dials_.Forget();
  std::vector<IntRect> changed;
  if (!dials_.Update(*dial_, reporter_, changed)) return false;
  PutRects(changed, sink);
  return true;
}

void DialSession::OnExpose(const std::vector<IntRect>& rects, PictureSink& sink) {
  PutRects(rects, sink);
}

void DialSession::OnUserInput() {
  if (saver_ != nullptr) saver_->OnUserInput();
}

void DialSession::OnMouseMove() {
  if (saver_ != nullptr) saver_->OnMouseMove();
}

void DialSession::OnFocusLost() {
  // Another window took the keyboard: the saver window has been deactivated.
  if (saver_ != nullptr) saver_->OnActivate(false);
}

void DialSession::OnClose() {
  if (saver_ != nullptr) saver_->OnClose();
}

}  // namespace sundial::x11
