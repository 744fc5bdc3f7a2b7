#include "DialSession.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>


namespace sundial::x11 {

void StderrReporter::ShowMessage(const std::string& text) {
  if (shown_.insert(text).second) std::fprintf(stderr, "sundial-saver: %s\n", text.c_str());
}

std::unique_ptr<DialSession> DialSession::Preview(X11Connection& connection, Window parent,
                                                  std::string& dialFilePath, LocalClock& clock) {
  std::unique_ptr<DialSession> session(new DialSession);
  session->dial_ = std::make_unique<CDialWnd>(*session, clock, dialFilePath);
  session->dial_->OnCreate();
  session->window_ = X11DialWindow::CreatePreview(connection, parent, kPreviewTitle);
  if (!session->window_) return nullptr;
  session->window_->SetEvents(session.get());
  return session;
}

std::unique_ptr<DialSession> DialSession::DrawOn(X11Connection& connection, Window target,
                                                 std::string& dialFilePath, LocalClock& clock) {
  std::unique_ptr<DialSession> session(new DialSession);
  session->dial_ = std::make_unique<CDialWnd>(*session, clock, dialFilePath);
  session->dial_->OnCreate();
  session->window_ = X11DialWindow::CreateOn(connection, target);
  if (!session->window_) return nullptr;
  session->window_->SetEvents(session.get());
  return session;
}

std::unique_ptr<DialSession> DialSession::TopLevel(X11Connection& connection,
                                                   std::string& dialFilePath, LocalClock& clock) {
  std::unique_ptr<DialSession> session(new DialSession);
  session->dial_ = std::make_unique<CDialWnd>(*session, clock, dialFilePath);
  session->dial_->OnCreate();
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
  session->window_ = X11DialWindow::CreateFullScreen(connection, kSaverTitle);
  if (!session->window_) return nullptr;
  session->window_->SetEvents(session.get());
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

// Once a second and on the first paint: the kept picture is brought up to date, and what changed
// goes to the window.
bool DialSession::OnPaint(int width, int height, bool kept, PictureSink& sink) {
  if (!surface_ || surface_->Width() != width || surface_->Height() != height) {
    surface_.reset();
    auto surface = std::make_unique<CairoPixelSurface>(width, height);
    // Without memory for the picture nothing is drawn; a later paint tries again.
    if (!surface->Valid()) return false;
    surface_ = std::move(surface);
    kept = false;
  }
  if (!kept) picture_.Forget();
  std::vector<IntRect> changed;
  if (!dial_->OnPaintKept(picture_, *surface_, reporter_, changed)) return false;
  for (const IntRect& r : changed) sink.Put(surface_->Surface(), r);
  return true;
}

void DialSession::OnExpose(const std::vector<IntRect>& rects, PictureSink& sink) {
  if (!surface_) return;
  for (const IntRect& r : rects) sink.Put(surface_->Surface(), r);
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
