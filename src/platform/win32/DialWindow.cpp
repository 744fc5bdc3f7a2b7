#include "platform/win32/DialWindow.h"

#include <vector>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/PasswordServices.h"
#include "platform/win32/Registry.h"
#include "platform/win32/StringResource.h"
#include "platform/win32/Win32Monitors.h"
#include "render/DeviceRect.h"

namespace sundial::win32 {
namespace {

constexpr UINT kScreenSaverRunning = 97;  // SPI_SETSCREENSAVERRUNNING

// Drawing objects that cannot be created are reported in a message box, and painting goes on.
class MessageBoxReporter final : public MessageReporter {
 public:
  explicit MessageBoxReporter(HWND owner) : owner_(owner) {}
  void ShowMessage(const std::string& text) override {
    const std::string title =
        LoadStringResource(GetModuleHandleA(nullptr), IDS_APP_NAME, kApplicationTitle);
    MessageBoxA(owner_, text.c_str(), title.c_str(), MB_OK);
  }

 private:
  HWND owner_;
};

bool RegisterDialClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSA existing{};
  if (GetClassInfoA(instance, kDialWindowClass, &existing)) return true;
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = nullptr;  // no cursor of the class: the saver chooses it per message
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kDialWindowClass;
  return RegisterClassA(&wc) != 0;
}

}  // namespace

DialWindow::DialWindow(bool fullScreen, std::string& dialFilePath, LocalClock& clock)
    : dials_([](int width, int height) -> std::unique_ptr<GdiPixelSurface> {
        auto surface = std::make_unique<GdiPixelSurface>(width, height);
        if (!surface->Valid()) return nullptr;
        return surface;
      }) {
  if (fullScreen) {
    auto saver = std::make_unique<CSaverWnd>(*this, clock, dialFilePath);
    saver_ = saver.get();
    dial_ = std::move(saver);
  } else {
    dial_ = std::make_unique<CDialWnd>(*this, clock, dialFilePath);
  }
}

HWND DialWindow::CreatePreview(HINSTANCE instance, HWND parent, std::string& dialFilePath,
                               LocalClock& clock) {
  // A handle that names no window can carry no child: the caller ends the process.
  if (parent == nullptr || !IsWindow(parent)) return nullptr;
  RECT client{};
  GetClientRect(parent, &client);
  auto* window = new DialWindow(false, dialFilePath, clock);
  const std::string title = LoadStringResource(instance, IDS_PREVIEW_TITLE, kPreviewTitle);
  return Create(window, instance, 0, title.c_str(), WS_CHILD | WS_VISIBLE, client, parent, 0);
}

HWND DialWindow::CreateFullScreen(HINSTANCE instance, std::string& dialFilePath,
                                  LocalClock& clock) {
  // Every monitor is covered, not the primary one alone: a saver that leaves a monitor showing
  // the desktop shows what the user left on it.
  const IntRect all = VirtualScreen();
  const RECT screen{all.left, all.top, all.right, all.bottom};
  auto* window = new DialWindow(true, dialFilePath, clock);
  const std::string title = LoadStringResource(instance, IDS_APP_NAME, kSaverTitle);
  return Create(window, instance, WS_EX_TOPMOST, title.c_str(), WS_POPUP | WS_VISIBLE, screen,
                nullptr, 0);
}

HWND DialWindow::Create(DialWindow* window, HINSTANCE instance, DWORD exStyle, const char* title,
                        DWORD style, const RECT& rect, HWND parent, int id) {
  window->dial_->OnCreate();
  bool attached = false;
  window->attached_ = &attached;
  HWND hwnd = nullptr;
  if (RegisterDialClass(instance, &DialWindow::WindowProc)) {
    hwnd = CreateWindowExA(exStyle, kDialWindowClass, title, style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, window);
  }
  if (hwnd == nullptr) {
    // Once attached, the failed creation has destroyed the window and WM_NCDESTROY deleted the
    // object; otherwise no message ever reached it.
    if (!attached) delete window;
    return nullptr;
  }
  window->attached_ = nullptr;
  SetTimer(hwnd, CDialWnd::kTimerId, CDialWnd::kTimerIntervalMs, nullptr);
  return hwnd;
}

CDialWnd* DialWindow::DialOf(HWND window) {
  char name[64] = {};
  if (!IsWindow(window) || GetClassNameA(window, name, sizeof name) == 0 ||
      lstrcmpA(name, kDialWindowClass) != 0) {
    return nullptr;
  }
  auto* self = reinterpret_cast<DialWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return self != nullptr ? self->dial_.get() : nullptr;
}

LRESULT CALLBACK DialWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<DialWindow*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    if (self->attached_ != nullptr) *self->attached_ = true;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<DialWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  // A handler may destroy the window (the saver's close rule does): the object then goes only
  // when the outermost message it was handling is done, never under a running handler.
  ++self->depth_;
  const LRESULT result = self->Handle(message, wParam, lParam);
  if (--self->depth_ == 0 && self->windowGone_) delete self;
  return result;
}

LRESULT DialWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (saver_ != nullptr) {
    bool handled = false;
    const LRESULT result = HandleSaver(message, wParam, lParam, handled);
    if (handled) return result;
  }
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers the whole client area
    case WM_TIMER:
      if (wParam == CDialWnd::kTimerId) dial_->OnTimer();
      break;
    case WM_DESTROY:
      // The dial window is the main window: when it goes, the message loop ends.
      PostQuitMessage(0);
      break;
    case WM_NCDESTROY: {
      KillTimer(hwnd_, CDialWnd::kTimerId);
      const LRESULT result = DefWindowProcA(hwnd_, message, wParam, lParam);
      SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
      windowGone_ = true;  // deleted by WindowProc once no handler runs
      return result;
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT DialWindow::HandleSaver(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  switch (message) {
    case WM_CREATE:
      SystemParametersInfoA(kScreenSaverRunning, TRUE, nullptr, 0);
      saver_->OnCreate(ReadSaverSettings());
      return 0;
    case WM_DESTROY:
      SystemParametersInfoA(kScreenSaverRunning, FALSE, nullptr, 0);
      PostQuitMessage(0);
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_SYSCOMMAND: {
      const UINT command = static_cast<UINT>(wParam & 0xFFF0);
      const SystemCommand kind = command == SC_SCREENSAVE ? SystemCommand::ScreenSave
                                 : command == SC_CLOSE    ? SystemCommand::Close
                                                          : SystemCommand::Other;
      if (!CSaverWnd::AcceptsSystemCommand(kind)) return 0;
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
    case WM_SETCURSOR:
      SetCursor(saver_->ShowsCursor() ? LoadCursorA(nullptr, IDC_ARROW) : nullptr);
      return TRUE;
    case WM_NCACTIVATE:
      if (!saver_->AllowsNcActivate(wParam != FALSE)) return FALSE;
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_ACTIVATE:
      saver_->OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_ACTIVATEAPP:
      saver_->OnActivateApp(wParam != FALSE);
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_MOUSEMOVE:
      saver_->OnMouseMove();
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      saver_->OnUserInput();
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_DISPLAYCHANGE:
      OnDisplayChange();
      return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_CLOSE:
      // May destroy the window, and with it this object: nothing may follow.
      saver_->OnClose();
      return 0;
    default:
      handled = false;
      return 0;
  }
}

bool DialWindow::ClientSize(int& width, int& height) const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  width = client.right - client.left;
  height = client.bottom - client.top;
  return width > 0 && height > 0;
}

std::vector<DialPlace> DialWindow::Places(int width, int height) const {
  if (saver_ == nullptr) return {DialPlace{IntRect{0, 0, width, height}, kBaseDpi}};
  // The window's client area in virtual-screen coordinates (a pop-up without a frame).
  RECT window{};
  GetWindowRect(hwnd_, &window);
  const std::vector<Monitor> monitors = DisplayMonitors();
  return LayOutDials(IntRect{window.left, window.top, window.left + width, window.top + height},
                     monitors);
}

bool DialWindow::LayDials() {
  int width = 0;
  int height = 0;
  if (!ClientSize(width, height)) return false;
  if (!relay_ && width == laidWidth_ && height == laidHeight_ && !dials_.Dials().empty()) {
    return true;
  }
  pictureKept_ = false;
  if (!dials_.Lay(Places(width, height))) return false;
  relay_ = false;
  laidWidth_ = width;
  laidHeight_ = height;
  return true;
}

void DialWindow::OnDisplayChange() {
  const IntRect all = VirtualScreen();
  SetWindowPos(hwnd_, HWND_TOPMOST, all.left, all.top, all.right - all.left,
               all.bottom - all.top, SWP_NOACTIVATE);
  relay_ = true;
  pictureKept_ = false;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void DialWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (dc != nullptr && LayDials()) {
    if (!pictureKept_) {
      MessageBoxReporter reporter(hwnd_);
      std::vector<IntRect> changed;
      dials_.Forget();
      pictureKept_ = dials_.Update(*dial_, reporter, changed);
    }
    // Nothing is copied while no dial is ready: the window keeps what it showed.
    if (pictureKept_) {
      const IntRect asked{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom};
      for (const auto& d : dials_.Dials()) {
        const IntRect& at = d->place.rect;
        const IntRect r = IntersectRects(asked, at);
        if (IsEmptyRect(r)) continue;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, d->surface->Dc(),
               r.left - at.left, r.top - at.top, SRCCOPY);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
      }
      // What lies on no monitor (corners of a virtual screen of monitors of different sizes).
      FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
  }
  EndPaint(hwnd_, &ps);
}

// The tick: the kept pictures are brought up to date at once, and only what changed is shown
// again.
void DialWindow::Invalidate() {
  if (hwnd_ == nullptr) return;
  int width = 0;
  int height = 0;
  if (!pictureKept_ || relay_ || !ClientSize(width, height) || width != laidWidth_ ||
      height != laidHeight_) {
    pictureKept_ = false;
    InvalidateRect(hwnd_, nullptr, FALSE);
    return;
  }
  MessageBoxReporter reporter(hwnd_);
  std::vector<IntRect> changed;
  pictureKept_ = dials_.Update(*dial_, reporter, changed);
  // One region for all that changed (a moving shadow's bands are many rectangles): the window is
  // asked once to show it again.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (const IntRect& c : changed) {
    HRGN part = CreateRectRgn(c.left, c.top, c.right, c.bottom);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  InvalidateRgn(hwnd_, region, FALSE);
  DeleteObject(region);
}

void DialWindow::PostCloseRequest() { PostMessageA(hwnd_, WM_CLOSE, 0, 0); }

std::uint32_t DialWindow::TickCount() { return GetTickCount(); }

CursorPoint DialWindow::CursorPosition() {
  POINT p{};
  GetCursorPos(&p);
  return CursorPoint{p.x, p.y};
}

bool DialWindow::VerifyPassword() { return VerifyScreenSavePassword(hwnd_, IsNtFamily()); }

void DialWindow::DestroyWindow() { ::DestroyWindow(hwnd_); }

}  // namespace sundial::win32
