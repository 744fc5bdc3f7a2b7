// One dial per monitor on a window that spans them: the monitors' rectangles, in the coordinates
// of the window's screen, become dial rectangles in the window's client area.
#include <gtest/gtest.h>

#include <vector>

#include "window/MonitorLayout.h"

namespace sundial {
namespace {

TEST(MonitorLayout, VirtualScreenLeftOfThePrimaryStartsAtNegativeCoordinates) {
  // A 1280x1024 monitor left of a 1024x768 primary at the origin, and a 800x600 one lower
  // right: the window spans the virtual screen from -1280,0.
  const IntRect window{-1280, 0, 1024 + 800, 1024};
  const std::vector<Monitor> monitors = {{{0, 0, 1024, 768}, 96},
                                         {{-1280, 0, 0, 1024}, 144},
                                         {{1024, 100, 1824, 700}, 192}};
  const std::vector<DialPlace> expected = {{{1280, 0, 2304, 768}, 96},
                                           {{0, 0, 1280, 1024}, 144},
                                           {{2304, 100, 3104, 700}, 192}};
  EXPECT_EQ(LayOutDials(window, monitors), expected);
}

TEST(MonitorLayout, MirroredAndEnclosedMonitorsShareTheLargerDial) {
  const IntRect window{0, 0, 3000, 1080};
  const std::vector<Monitor> monitors = {
      {{0, 0, 1024, 768}, 96},       // a clone of another size, inside the next one
      {{0, 0, 1920, 1080}, 120},
      {{1920, 0, 3000, 1080}, 96},
      {{1920, 0, 3000, 1080}, 192},  // a mirror of the one before: the first listed keeps it
  };
  const std::vector<DialPlace> expected = {{{0, 0, 1920, 1080}, 120},
                                           {{1920, 0, 3000, 1080}, 96}};
  EXPECT_EQ(LayOutDials(window, monitors), expected);
}

TEST(MonitorLayout, OverlappingMonitorsKeepADialEachAndAreCutToTheWindow) {
  const IntRect window{0, 0, 2000, 1000};
  const std::vector<Monitor> monitors = {{{-100, 0, 1100, 1000}, 96},   // reaches left of it
                                         {{1000, 0, 2200, 1000}, 96},   // overlaps, reaches right
                                         {{2500, 0, 3000, 1000}, 96}};  // outside the window
  const std::vector<DialPlace> expected = {{{0, 0, 1100, 1000}, 96},
                                           {{1000, 0, 2000, 1000}, 96}};
  EXPECT_EQ(LayOutDials(window, monitors), expected);
}

TEST(MonitorLayout, NoMonitorOnTheWindowGivesOneDialFillingIt) {
  const IntRect window{-1280, -200, 1024, 768};
  const std::vector<DialPlace> whole = {{{0, 0, 2304, 968}, 144}};
  EXPECT_EQ(LayOutDials(window, {}, 144), whole);
  const std::vector<Monitor> outside = {{{2000, 0, 3000, 768}, 96}, {{0, 0, 0, 0}, 96}};
  EXPECT_EQ(LayOutDials(window, outside, 144), whole);
  EXPECT_EQ(LayOutDials(window, {}).front().dpi, 96);
}

}  // namespace
}  // namespace sundial
