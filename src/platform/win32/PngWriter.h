// Pictures of the dial as PNG files on Windows: the pixels of a DIB canvas encoded by the
// system's own imaging component, so the `sundial` command needs no library beyond Windows.
#pragma once

#include <string>

#include "platform/win32/GdiCanvas.h"

namespace sundial::win32 {

// Writes the pixels of a DIB canvas (GdiCanvas(width, height)) to `path` as a 24-bit PNG.
// Returns an empty string on success, else one line saying what went wrong.
std::string WritePng(const std::string& path, const GdiCanvas& canvas);

}  // namespace sundial::win32
