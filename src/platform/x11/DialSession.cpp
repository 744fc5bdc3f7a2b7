#include "DialSession.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/cairo/CairoCanvas.h"
#include "platform/cairo/CairoRectRepainter.h"

namespace sundial::x11 {

namespace {

// For measuring what keeping the picture saves: with SUNDIAL_SAVER_FULL_REPAINT=1 in the
// environment every tick paints the whole picture and uploads all of it, as the saver once did.
bool FullRepaintAsked() {
  static const bool asked = [] {
    const char* value = std::getenv("SUNDIAL_SAVER_FULL_REPAINT");
    return value != nullptr && std::string(value) == "1";
  }();
  return asked;
}

}  // namespace

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
  if (face_ != nullptr) cairo_surface_destroy(face_);
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

bool DialSession::OnPaint(cairo_surface_t* image) {
  cairo_t* cr = cairo_create(image);
  bool drew = false;
  {
    CairoCanvas canvas(cr, cairo_image_surface_get_width(image),
                       cairo_image_surface_get_height(image));
    drew = dial_->OnPaint(canvas, reporter_);
  }
  cairo_destroy(cr);
  return drew;
}

bool DialSession::OnPaintChanges(cairo_surface_t* image, bool kept,
                                 std::vector<IntRect>& changed) {
  const int width = cairo_image_surface_get_width(image);
  const int height = cairo_image_surface_get_height(image);
  if (FullRepaintAsked()) {
    changed.assign(1, IntRect{0, 0, width, height});
    return OnPaint(image);
  }
  if (face_ != nullptr && (!kept || cairo_image_surface_get_width(face_) != width ||
                           cairo_image_surface_get_height(face_) != height)) {
    cairo_surface_destroy(face_);
    face_ = nullptr;
    kept = false;
  }
  if (face_ == nullptr) {
    face_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    kept = false;
  }
  // Without memory for the face the picture is repainted rectangle by rectangle.
  cairo_surface_t* face = cairo_surface_status(face_) == CAIRO_STATUS_SUCCESS ? face_ : nullptr;
  cairo_t* cr = cairo_create(image);
  bool drew = false;
  {
    CairoCanvas canvas(cr, width, height);
    CairoRectRepainter repainter(image, face);
    drew = dial_->OnPaintChanges(canvas, kept, reporter_, changed, &repainter);
  }
  cairo_destroy(cr);
  return drew;
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
