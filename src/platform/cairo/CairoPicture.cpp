#include "platform/cairo/CairoPicture.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

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

// The file a picture goes to. Cairo writes through it, so that a failure keeps the system's
// reason (a missing folder, no permission, a full disk), which Cairo's own status does not tell.
struct PictureFile {
  std::FILE* file = nullptr;
  int error = 0;  // errno of the first failed write

  static cairo_status_t Write(void* closure, const unsigned char* data, unsigned int length) {
    auto* self = static_cast<PictureFile*>(closure);
    if (self->error == 0 && std::fwrite(data, 1, length, self->file) != length) {
      self->error = errno != 0 ? errno : EIO;
    }
    return self->error == 0 ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
  }

  // Closes the file; false when it or a write before failed, with `error` set.
  bool Close() {
    errno = 0;
    if (std::fclose(file) != 0 && error == 0) error = errno != 0 ? errno : EIO;
    file = nullptr;
    return error == 0;
  }
};

std::string SystemFailure(const std::string& path, int error) {
  return "cannot write " + path + ": " + std::strerror(error);
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
  PictureFile out;
  errno = 0;
  out.file = std::fopen(path.c_str(), "wb");
  if (out.file == nullptr) return SystemFailure(path, errno != 0 ? errno : EIO);
  cairo_surface_t* surface = nullptr;
  switch (format) {
    case PictureFormat::Png:
      surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
      break;
    case PictureFormat::Svg:
      surface = cairo_svg_surface_create_for_stream(&PictureFile::Write, &out, width, height);
      // One unit per device pixel: a 1280x800 picture opens at 1280x800 pixels, not points.
      cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
      break;
    case PictureFormat::Pdf:
      surface = cairo_pdf_surface_create_for_stream(&PictureFile::Write, &out, width, height);
      break;
  }
  cairo_status_t status = cairo_surface_status(surface);
  if (status == CAIRO_STATUS_SUCCESS) {
    cairo_t* cr = cairo_create(surface);
    {
      CairoCanvas canvas(cr, width, height);
      draw(canvas);
    }
    status = cairo_status(cr);
    cairo_destroy(cr);
    if (status == CAIRO_STATUS_SUCCESS && format == PictureFormat::Png) {
      status = cairo_surface_write_to_png_stream(surface, &PictureFile::Write, &out);
    }
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  }
  cairo_surface_destroy(surface);
  const bool closed = out.Close();
  if (out.error != 0) return SystemFailure(path, out.error);
  if (status != CAIRO_STATUS_SUCCESS) return Failure(path, status);
  return closed ? std::string() : SystemFailure(path, out.error);
}

}  // namespace sundial
