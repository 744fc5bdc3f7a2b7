// The Win32 dial windows: thin platform windows that forward paint, timer, input, activation,
// close and destroy to the portable CDialWnd (preview) or CSaverWnd (full screen). Each object
// lives on the heap and deletes itself once its window is gone (WM_NCDESTROY).
//
// The picture is kept on DIB sections: one the size of each monitor for the full-screen saver,
// which covers the whole virtual screen with a dial on each monitor, one the size of the client
// area for the preview. A paint copies from them what the window needs shown; a tick brings them
// up to date where the clock line and the shadow change and asks for those rectangles alone to be
// shown again.
#pragma once

#include "platform/win32/WinApi.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/GdiPixelSurface.h"
#include "window/CDialWnd.h"
#include "window/CSaverWnd.h"
#include "window/MonitorDials.h"

namespace sundial::win32 {

inline constexpr const char* kDialWindowClass = "SundialDialWindow";
// The titles are string resources of the saver; these stand in for a program without them.
inline constexpr const char* kPreviewTitle = "Preview";
inline constexpr const char* kSaverTitle = "Screen Saver";  // the application's name
inline constexpr const char* kApplicationTitle = "Screen Saver";

class DialWindow final : public SaverWndHost {
 public:
  // The small dial as a visible child covering the whole client area of `parent`, identifier 0.
  // Nothing is created (and false returned) when `parent` names no window.
  static HWND CreatePreview(HINSTANCE instance, HWND parent, std::string& dialFilePath,
                            LocalClock& clock);
  // The full-screen saver: a topmost pop-up over the virtual screen (every monitor), a dial on
  // each monitor at its own DPI.
  static HWND CreateFullScreen(HINSTANCE instance, std::string& dialFilePath, LocalClock& clock);

  // The portable window behind a platform window of this class (tests), or nullptr.
  static CDialWnd* DialOf(HWND window);

  // DialWndHost and SaverWndHost.
  void Invalidate() override;
  void PostCloseRequest() override;
  std::uint32_t TickCount() override;
  CursorPoint CursorPosition() override;
  bool VerifyPassword() override;
  void DestroyWindow() override;

 private:
  DialWindow(bool fullScreen, std::string& dialFilePath, LocalClock& clock);
  ~DialWindow() override = default;

  // Registers the window class once, creates the window and starts timer 1. The object deletes
  // itself when the window cannot be created.
  static HWND Create(DialWindow* window, HINSTANCE instance, DWORD exStyle, const char* title,
                     DWORD style, const RECT& rect, HWND parent, int id);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleSaver(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  void Paint();
  // The client area's size.
  bool ClientSize(int& width, int& height) const;
  // Lays the dials anew when the client area's size differs from the one they were laid for, or
  // the monitors changed; false when no dial can be laid (no client area, no memory).
  bool LayDials();
  // Where the dials of the client area go: one on each monitor for the full-screen saver, else
  // one filling the client area at 96 DPI.
  std::vector<DialPlace> Places(int width, int height) const;
  // The monitors changed (WM_DISPLAYCHANGE): the window covers the virtual screen again and the
  // dials are laid anew.
  void OnDisplayChange();

  HWND hwnd_ = nullptr;
  bool* attached_ = nullptr;  // set once WM_NCCREATE has tied the window to this object
  int depth_ = 0;             // messages of this window being handled, nested
  bool windowGone_ = false;   // WM_NCDESTROY has come: delete once depth_ is back to 0
  std::unique_ptr<CDialWnd> dial_;
  CSaverWnd* saver_ = nullptr;  // dial_ as the saver window, full screen only
  MonitorDials<GdiPixelSurface> dials_;  // the kept pictures, and what keeps them up to date
  bool relay_ = true;                    // the dials are to be laid anew
  int laidWidth_ = 0;                    // the client size they were laid for
  int laidHeight_ = 0;
  bool pictureKept_ = false;             // the surfaces hold the dial's last pictures
};

}  // namespace sundial::win32
