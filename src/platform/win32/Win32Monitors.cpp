#include "platform/win32/Win32Monitors.h"

namespace sundial::win32 {

namespace {

// shcore.dll's GetDpiForMonitor, with MONITOR_DPI_TYPE MDT_EFFECTIVE_DPI (0): the DPI the user's
// scaling asks the program to draw at.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

GetDpiForMonitorFn LookUpGetDpiForMonitor() {
  // Only from the system folder: a shcore.dll beside the program must not be loaded instead.
  HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (shcore == nullptr) return nullptr;  // before Windows 8.1; the library stays loaded else
  return reinterpret_cast<GetDpiForMonitorFn>(
      reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return kBaseDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info) != 0) {
    const RECT& r = info.rcMonitor;
    reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
        Monitor{IntRect{r.left, r.top, r.right, r.bottom}, MonitorDpi(monitor)});
  }
  return TRUE;
}

}  // namespace

IntRect VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return IntRect{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::vector<Monitor> DisplayMonitors() {
  std::vector<Monitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

int MonitorDpi(HMONITOR monitor) {
  static const GetDpiForMonitorFn getDpiForMonitor = LookUpGetDpiForMonitor();
  UINT dpiX = 0, dpiY = 0;
  if (getDpiForMonitor != nullptr &&
      SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY)) && dpiX > 0) {
    return static_cast<int>(dpiX);
  }
  return SystemDpi();
}

}  // namespace sundial::win32
