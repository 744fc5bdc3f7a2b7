#include "WindowHints.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <cairo.h>
#include <limits.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "WindowIconPngs.h"

namespace sundial::x11 {

namespace {

struct PngReader {
  const unsigned char* data;
  std::size_t size;
  std::size_t at = 0;

  static cairo_status_t Read(void* closure, unsigned char* out, unsigned int length) {
    auto* self = static_cast<PngReader*>(closure);
    if (length > self->size - self->at) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, self->data + self->at, length);
    self->at += length;
    return CAIRO_STATUS_SUCCESS;
  }
};

// Appends one picture: its size, then its pixels with the alpha taken out of the colours again
// (Cairo keeps them premultiplied; the property wants them plain).
bool AppendIcon(const unsigned char* png, std::size_t size, std::vector<unsigned long>& out) {
  PngReader reader{png, size};
  cairo_surface_t* image = cairo_image_surface_create_from_png_stream(&PngReader::Read, &reader);
  const bool ok = cairo_surface_status(image) == CAIRO_STATUS_SUCCESS &&
                  cairo_image_surface_get_format(image) == CAIRO_FORMAT_ARGB32;
  if (ok) {
    cairo_surface_flush(image);
    const int width = cairo_image_surface_get_width(image);
    const int height = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    const unsigned char* pixels = cairo_image_surface_get_data(image);
    out.push_back(static_cast<unsigned long>(width));
    out.push_back(static_cast<unsigned long>(height));
    for (int y = 0; y < height; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(pixels + y * stride);
      for (int x = 0; x < width; ++x) {
        const std::uint32_t p = row[x];
        const std::uint32_t a = p >> 24;
        const auto plain = [a](std::uint32_t c) { return a == 0 ? 0u : (c * 255 + a / 2) / a; };
        out.push_back(static_cast<unsigned long>(a << 24 | plain((p >> 16) & 0xFF) << 16 |
                                                 plain((p >> 8) & 0xFF) << 8 | plain(p & 0xFF)));
      }
    }
  }
  cairo_surface_destroy(image);
  return ok;
}

}  // namespace

std::vector<unsigned long> WindowIconData() {
  std::vector<unsigned long> data;
  for (const WindowIconPng& png : kWindowIconPngs) {
    if (!AppendIcon(png.data, png.size, data)) return {};
  }
  return data;
}

void SetDesktopWindowHints(Display* display, Window window, const std::string& title) {
  XSizeHints* size = XAllocSizeHints();
  if (size != nullptr) {
    size->flags = PMinSize;
    size->min_width = kMinimumWindowWidth;
    size->min_height = kMinimumWindowHeight;
    XSetWMNormalHints(display, window, size);
    XFree(size);
  }

  XClassHint hint{const_cast<char*>(kWindowInstanceName), const_cast<char*>(kWindowClassName)};
  XSetClassHint(display, window, &hint);

  // _NET_WM_PID means something only together with the machine it runs on.
  char host[HOST_NAME_MAX + 1] = {};
  if (gethostname(host, sizeof host - 1) == 0) {
    char* hosts[] = {host};
    XTextProperty machine{};
    if (XStringListToTextProperty(hosts, 1, &machine) != 0) {
      XSetWMClientMachine(display, window, &machine);
      XFree(machine.value);
    }
  }
  const unsigned long pid = static_cast<unsigned long>(getpid());
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);

  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                  XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));

  const std::vector<unsigned long> icon = WindowIconData();
  if (!icon.empty()) {
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(icon.data()),
                    static_cast<int>(icon.size()));
  }
}

}  // namespace sundial::x11
