// One dial on the X display: the X window, the portable dial window behind it (CDialWnd for the
// preview, top-level and draw-only forms, CSaverWnd for the full-screen saver) and the services the dial
// asks of its shell. X events become the dial's paint, timer, input, activation and close
// handlers; the dial's requests (repaint, post close, destroy) go back to the X window. On a
// window that spans the monitors (full screen, the root window) the dial is shown on each monitor,
// fitted to it.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "X11Connection.h"
#include "X11DialWindow.h"
#include "platform/cairo/CairoPixelSurface.h"
#include "render/Canvas.h"
#include "window/CSaverWnd.h"
#include "window/LocalClock.h"
#include "window/MonitorDials.h"

namespace sundial::x11 {

// Linux has no message box for a saver that may be running under a screen locker: a drawing
// object that cannot be made is reported on stderr, once per text rather than once a second.
class StderrReporter final : public MessageReporter {
 public:
  void ShowMessage(const std::string& text) override;

 private:
  std::set<std::string> shown_;
};

class DialSession final : public SaverWndHost, public DialWindowEvents {
 public:
  // The window titles.
  static constexpr const char* kPreviewTitle = "Preview";
  static constexpr const char* kSaverTitle = "Screen Saver";
  static constexpr const char* kTopLevelTitle = "Sundial";

  // Each gives nothing when the X window cannot be made (a parent or target that names no
  // window). `dialFilePath` and `clock` must outlive the session.
  static std::unique_ptr<DialSession> Preview(X11Connection& connection, Window parent,
                                              std::string& dialFilePath, LocalClock& clock);
  // `perMonitor`: the target spans the monitors (the root window), and each gets a dial.
  static std::unique_ptr<DialSession> DrawOn(X11Connection& connection, Window target,
                                             std::string& dialFilePath, LocalClock& clock,
                                             bool perMonitor = false);
  static std::unique_ptr<DialSession> TopLevel(X11Connection& connection,
                                               std::string& dialFilePath, LocalClock& clock);
  static std::unique_ptr<DialSession> FullScreen(X11Connection& connection,
                                                 std::string& dialFilePath, LocalClock& clock,
                                                 const SaverSettings& settings);

  ~DialSession() override;

  X11DialWindow& window() { return *window_; }
  CDialWnd& dial() { return *dial_; }
  CSaverWnd* saver() { return saver_; }

  // DialWndHost and SaverWndHost.
  void Invalidate() override { window_->Invalidate(); }
  void PostCloseRequest() override { window_->PostClose(); }
  std::uint32_t TickCount() override;
  CursorPoint CursorPosition() override;
  // On Linux the screen locker, not the saver, asks for the password: leaving is always allowed.
  bool VerifyPassword() override {
    ++passwordChecks_;
    return true;
  }
  int passwordChecks() const { return passwordChecks_; }
  void DestroyWindow() override { window_->Destroy(); }

  // DialWindowEvents.
  void OnTimer() override { dial_->OnTimer(); }
  bool OnPaint(int width, int height, bool kept, PictureSink& sink) override;
  void OnExpose(const std::vector<IntRect>& rects, PictureSink& sink) override;
  void OnUserInput() override;
  void OnMouseMove() override;
  void OnFocusLost() override;
  void OnClose() override;
  void OnMonitorsChanged() override { relay_ = true; }

 private:
  DialSession();
  // Where the dials of a width x height window go: one on each monitor for a window that spans
  // them, else one filling the window; at the Xft.dpi resource's DPI.
  std::vector<DialPlace> Places(int width, int height) const;
  // Puts the parts of the dials' pictures that lie in `rects` (window coordinates).
  void PutRects(const std::vector<IntRect>& rects, PictureSink& sink) const;

  std::unique_ptr<X11DialWindow> window_;
  std::unique_ptr<CDialWnd> dial_;
  CSaverWnd* saver_ = nullptr;  // dial_ itself when full screen
  StderrReporter reporter_;
  Display* display_ = nullptr;
  bool perMonitor_ = false;                 // a dial on each monitor the window covers
  MonitorDials<CairoPixelSurface> dials_;   // the pictures shown, and what keeps them up to date
  bool relay_ = true;                       // the dials are to be laid (anew) at the next paint
  int laidWidth_ = 0;                       // the window size they were laid for
  int laidHeight_ = 0;
  int passwordChecks_ = 0;
};

}  // namespace sundial::x11
