// The monitors of the desktop and the DPI of each. Coordinates are those of the virtual screen,
// whose origin is the primary monitor's top left corner: a monitor left of or above the primary
// one has negative coordinates.
#pragma once

#include "platform/win32/WinApi.h"

#include <vector>

#include "window/MonitorLayout.h"

namespace sundial::win32 {

// The virtual screen: the bounding rectangle of every monitor (SM_XVIRTUALSCREEN ...
// SM_CYVIRTUALSCREEN), which a window covering all of them must cover.
IntRect VirtualScreen();

// Every display monitor, in the order EnumDisplayMonitors gives them, each with its DPI.
std::vector<Monitor> DisplayMonitors();

// The effective DPI of `monitor` (GetDpiForMonitor, Windows 8.1 and later, looked up at run time
// so that the program still starts on older systems); where that is missing or fails, the
// system DPI (LOGPIXELSX of the screen). Per monitor only for a per-monitor DPI aware process,
// which the saver's manifest declares; otherwise the system DPI for every monitor.
int MonitorDpi(HMONITOR monitor);

}  // namespace sundial::win32
