// Prints what the Windows shell learns of the monitors: the virtual screen, each monitor with its
// DPI, and where the dials go on a window covering the virtual screen. Like the saver, whose
// manifest says so, the probe is aware of each monitor's DPI. One line each:
//   virtual LEFT TOP RIGHT BOTTOM
//   monitor LEFT TOP RIGHT BOTTOM DPI
//   dial LEFT TOP RIGHT BOTTOM DPI      (client coordinates of that window)
#include <cstdio>

#include "platform/win32/Win32Monitors.h"

namespace {

// The saver's manifest declares per-monitor DPI awareness; the probe, which has no manifest,
// declares it at run time (Windows 10 1703 and later), else system DPI awareness.
void BecomeDpiAware() {
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto setContext = reinterpret_cast<SetContextFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
  if (setContext == nullptr || setContext(perMonitorV2) == 0) SetProcessDPIAware();
}

}  // namespace

int main() {
  using namespace sundial;
  BecomeDpiAware();
  const IntRect screen = win32::VirtualScreen();
  std::printf("virtual %d %d %d %d\n", screen.left, screen.top, screen.right, screen.bottom);
  const std::vector<Monitor> monitors = win32::DisplayMonitors();
  for (const Monitor& m : monitors) {
    std::printf("monitor %d %d %d %d %d\n", m.bounds.left, m.bounds.top, m.bounds.right,
                m.bounds.bottom, m.dpi);
  }
  for (const DialPlace& p : LayOutDials(screen, monitors)) {
    std::printf("dial %d %d %d %d %d\n", p.rect.left, p.rect.top, p.rect.right, p.rect.bottom,
                p.dpi);
  }
  return monitors.empty() ? 1 : 0;
}
