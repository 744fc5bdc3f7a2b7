// Pictures drawn through a CairoCanvas and written to files: PNG (an image of device pixels),
// SVG and PDF (one unit per device pixel).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "render/Canvas.h"

namespace sundial {

enum class PictureFormat { Png, Svg, Pdf };

// The format named by a file name's extension (.png, .svg, .pdf, any case), or nothing.
std::optional<PictureFormat> PictureFormatFromPath(const std::string& path);

// Draws a width x height picture with `draw` and writes it to `path`. Returns an empty string on
// success, otherwise one line saying what went wrong.
std::string WritePicture(const std::string& path, PictureFormat format, int width, int height,
                         const std::function<void(Canvas&)>& draw);

}  // namespace sundial
