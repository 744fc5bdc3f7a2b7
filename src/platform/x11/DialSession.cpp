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
  if (whole_ != nullptr) cairo_surface_destroy(whole_);
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

// The whole picture painted on an image of its own and put whole (as the saver once did every
// second, for comparison).
bool DialSession::PaintWhole(int width, int height, PictureSink& sink) {
  if (whole_ != nullptr && (cairo_image_surface_get_width(whole_) != width ||
                            cairo_image_surface_get_height(whole_) != height)) {
    cairo_surface_destroy(whole_);
    whole_ = nullptr;
  }
  if (whole_ == nullptr) whole_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(whole_) != CAIRO_STATUS_SUCCESS) return false;
  cairo_t* cr = cairo_create(whole_);
  bool drew = false;
  {
    CairoCanvas canvas(cr, width, height);
    drew = dial_->OnPaint(canvas, reporter_);
  }
  cairo_destroy(cr);
  cairo_surface_flush(whole_);
  if (drew) sink.Put(whole_, IntRect{0, 0, width, height});
  return drew;
}

bool DialSession::OnPaint(int width, int height, bool kept, PictureSink& sink) {
  if (FullRepaintAsked()) return PaintWhole(width, height, sink);
  // Without memory for the face nothing is drawn; a later paint tries again.
  if (!face_.Resize(width, height)) kept = false;
  if (!face_.Ready()) return false;
  face_.SetSink([&sink](const std::uint32_t* first, std::size_t stride, const IntRect& rect) {
    sink.PutRows(first, stride, rect);
  });
  std::vector<IntRect> changed;
  const bool drew = dial_->OnPaintFace(face_, kept, reporter_, changed);
  face_.SetSink(nullptr);
  return drew;
}

void DialSession::OnExpose(const std::vector<IntRect>& rects, PictureSink& sink) {
  if (FullRepaintAsked()) {
    if (whole_ != nullptr) {
      for (const IntRect& r : rects) sink.Put(whole_, r);
    }
    return;
  }
  if (!face_.Ready()) return;
  face_.SetSink([&sink](const std::uint32_t* first, std::size_t stride, const IntRect& rect) {
    sink.PutRows(first, stride, rect);
  });
  dial_->ShowAgain(face_, reporter_, rects);
  face_.SetSink(nullptr);
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
