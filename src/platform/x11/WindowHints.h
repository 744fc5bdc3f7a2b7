// What a window manager and a desktop want to know of an ordinary top-level window: its smallest
// useful size (WM_NORMAL_HINTS), its class for the desktop entry (WM_CLASS), its process and
// machine (_NET_WM_PID, WM_CLIENT_MACHINE), its title in UTF-8 (_NET_WM_NAME) and its icon
// (_NET_WM_ICON).
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace sundial::x11 {

// Below this size the dial's texts overlap and its lines are too short to read.
inline constexpr int kMinimumWindowWidth = 320;
inline constexpr int kMinimumWindowHeight = 200;

// The class of every window of the saver; StartupWMClass of the desktop entry.
inline constexpr const char* kWindowInstanceName = "sundial-saver";
inline constexpr const char* kWindowClassName = "SundialSaver";

// Sets all of them on `window`, titled `title`.
void SetDesktopWindowHints(Display* display, Window window, const std::string& title);

// The icon as _NET_WM_ICON carries it: for each size, width, height, then one non-premultiplied
// ARGB pixel per element, row by row. Empty when the built-in pictures cannot be decoded.
std::vector<unsigned long> WindowIconData();

}  // namespace sundial::x11
