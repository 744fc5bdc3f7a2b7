// The desktop's DPI as the X11 shell reads it from the resource database (the monitors
// themselves are checked on real servers by monitors-xvfb.sh and monitors-dummy-xorg.sh).
#include <gtest/gtest.h>  // before Xlib, whose macros (None, Bool) clash with its names

#include "X11Monitors.h"

namespace sundial::x11 {
namespace {

TEST(ResourceDpi, XftDpiRoundedElseTheBaseDpi) {
  EXPECT_EQ(ResourceDpiFrom("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), 192);
  EXPECT_EQ(ResourceDpiFrom("Xft.dpi: 143.5\n"), 144);
  EXPECT_EQ(ResourceDpiFrom("Xft.dpi: 120.4"), 120);
  EXPECT_EQ(ResourceDpiFrom(nullptr), 96);
  EXPECT_EQ(ResourceDpiFrom(""), 96);
  EXPECT_EQ(ResourceDpiFrom("Xcursor.size: 48\n"), 96);
  EXPECT_EQ(ResourceDpiFrom("XTerm*dpi: 192\n"), 96) << "another program's resource";
  for (const char* bad : {"Xft.dpi: 0\n", "Xft.dpi: -96\n", "Xft.dpi: large\n", "Xft.dpi: nan\n",
                          "Xft.dpi: 1e9\n", "Xft.dpi:\n"}) {
    EXPECT_EQ(ResourceDpiFrom(bad), 96) << bad;
  }
}

}  // namespace
}  // namespace sundial::x11
