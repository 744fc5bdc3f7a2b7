#include "platform/cairo/CairoPicture.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>

#include "platform/cairo/CairoCanvas.h"

namespace sundial {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  if (text.size() < tail.size()) return false;
  return std::equal(tail.rbegin(), tail.rend(), text.rbegin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
}

std::string Failure(const std::string& path, cairo_status_t status) {
  return "cannot write " + path + ": " + cairo_status_to_string(status);
}

}  // namespace

std::optional<PictureFormat> PictureFormatFromPath(const std::string& path) {
  if (EndsWith(path, ".png")) return PictureFormat::Png;
  if (EndsWith(path, ".svg")) return PictureFormat::Svg;
  if (EndsWith(path, ".pdf")) return PictureFormat::Pdf;
  return std::nullopt;
}

std::string WritePicture(const std::string& path, PictureFormat format, int width, int height,
                         const std::function<void(Canvas&)>& draw) {
  cairo_surface_t* surface = nullptr;
  switch (format) {
    case PictureFormat::Png:
      surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
      break;
    case PictureFormat::Svg:
      surface = cairo_svg_surface_create(path.c_str(), width, height);
      break;
    case PictureFormat::Pdf:
      surface = cairo_pdf_surface_create(path.c_str(), width, height);
      break;
  }
  cairo_status_t status = cairo_surface_status(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return Failure(path, status);
  }
  cairo_t* cr = cairo_create(surface);
  {
    CairoCanvas canvas(cr, width, height);
    draw(canvas);
  }
  status = cairo_status(cr);
  cairo_destroy(cr);
  if (status == CAIRO_STATUS_SUCCESS && format == PictureFormat::Png) {
    status = cairo_surface_write_to_png(surface, path.c_str());
  }
  cairo_surface_finish(surface);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  return status == CAIRO_STATUS_SUCCESS ? std::string() : Failure(path, status);
}

}  // namespace sundial
