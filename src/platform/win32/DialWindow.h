// The Win32 dial windows: thin platform windows that forward paint, timer, input, activation,
// close and destroy to the portable CDialWnd (preview) or CSaverWnd (full screen). Each object
// lives on the heap and deletes itself once its window is gone (WM_NCDESTROY).
//
// The picture is kept on a DIB section the size of the client area. A paint copies from it what
// the window needs shown; a tick brings it up to date where the clock line and the shadow change
// and asks for those rectangles alone to be shown again.
#pragma once

#include "platform/win32/WinApi.h"

#include <memory>
#include <string>

#include "platform/win32/GdiPixelSurface.h"
#include "window/CDialWnd.h"
#include "window/CSaverWnd.h"

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
  // The full-screen saver: a topmost pop-up the size of the primary screen.
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

  HWND hwnd_ = nullptr;
  bool* attached_ = nullptr;  // set once WM_NCCREATE has tied the window to this object
  int depth_ = 0;             // messages of this window being handled, nested
  bool windowGone_ = false;   // WM_NCDESTROY has come: delete once depth_ is back to 0
  std::unique_ptr<CDialWnd> dial_;
  CSaverWnd* saver_ = nullptr;  // dial_ as the saver window, full screen only
  std::unique_ptr<GdiPixelSurface> surface_;  // the kept picture
  KeptPicture picture_;                       // what keeps it up to date
  bool pictureKept_ = false;                  // surface_ holds the dial's last picture
};

}  // namespace sundial::win32
