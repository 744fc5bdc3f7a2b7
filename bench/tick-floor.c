// The least a Linux saver showing the time does once a second, for comparison with the saver's
// own cost (bench/measure-saver-cpu.sh): on the root window, it sleeps until the next second,
// lays out a clock text with Pango on a kept Cairo image of the clock line's size, draws it and
// sends the server the few columns where the seconds change. Nothing else: no dial, no sun.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>
#include <pango/pangocairo.h>
#include <poll.h>
#include <stdio.h>
#include <time.h>

int main(void) {
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) return 1;
  const Window root = DefaultRootWindow(display);
  GC gc = XCreateGC(display, root, 0, NULL);
  const int width = 727, height = 66;  // the default dial's clock line at 1920x1080
  cairo_surface_t* line = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(line);
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_from_string("Arial 26px");
  pango_layout_set_font_description(layout, font);
  XImage image = {0};
  image.width = width;
  image.height = height;
  image.format = ZPixmap;
  image.data = (char*)cairo_image_surface_get_data(line);
  image.byte_order = LSBFirst;
  image.bitmap_unit = 32;
  image.bitmap_bit_order = LSBFirst;
  image.bitmap_pad = 32;
  image.depth = 24;
  image.bytes_per_line = cairo_image_surface_get_stride(line);
  image.bits_per_pixel = 32;
  image.red_mask = 0xFF0000;
  image.green_mask = 0xFF00;
  image.blue_mask = 0xFF;
  XInitImage(&image);
  for (;;) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    struct tm utc;
    gmtime_r(&now.tv_sec, &utc);
    char text[64];
    snprintf(text, sizeof text, "%02d:%02d:%02d   Equation of time: +6 min 52 s", utc.tm_hour,
             utc.tm_min, utc.tm_sec);
    cairo_set_source_rgb(cr, 0.0, 0.25, 0.0);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_move_to(cr, 8, 16);
    pango_layout_set_text(layout, text, -1);
    pango_cairo_show_layout(cr, layout);
    cairo_surface_flush(line);
    XPutImage(display, root, gc, &image, 80, 0, 680, 1000, 40, height);
    XFlush(display);
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
    clock_gettime(CLOCK_REALTIME, &now);
    struct pollfd wait = {ConnectionNumber(display), POLLIN, 0};
    poll(&wait, 1, 1000 - (int)(now.tv_nsec / 1000000));
  }
}
