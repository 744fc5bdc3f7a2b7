// The XScreenSaver conventions, recognised before the screen-saver switches, and the window ids
// they carry.
#include <gtest/gtest.h>

#include "SaverInvocation.h"
#include "TickSchedule.h"

namespace sundial::x11 {
namespace {

TEST(WindowId, ReadsDecimalAndHexAndRefusesEverythingElse) {
  EXPECT_EQ(ParseWindowId("12345"), 12345u);
  EXPECT_EQ(ParseWindowId("0x1a00004"), 0x1a00004u);
  EXPECT_EQ(ParseWindowId("0X1A00004"), 0x1a00004u);
  EXPECT_EQ(ParseWindowId("0xFFFFFFFF"), 0xFFFFFFFFu);
  for (const char* bad : {"", "0", "0x", "0x0", "-5", "+5", " 5", "5 ", "12ab", "0x1g",
                          "0x100000000", "99999999999999999999999"}) {
    EXPECT_FALSE(ParseWindowId(bad)) << '"' << bad << '"';
  }
}

TEST(Invocation, RootDrawsOnTheXScreenSaverWindowOrElseTheRootWindow) {
  auto on = ClassifyInvocation({"sundial-saver", "-root"}, std::nullopt);
  EXPECT_EQ(on.kind, InvocationKind::DrawOnWindow);
  EXPECT_EQ(on.window, 0u);
  on = ClassifyInvocation({"sundial-saver", "--root"}, std::string("0x400007"));
  EXPECT_EQ(on.kind, InvocationKind::DrawOnWindow);
  EXPECT_EQ(on.window, 0x400007u);
  on = ClassifyInvocation({"sundial-saver", "-root"}, std::string("nonsense"));
  EXPECT_EQ(on.kind, InvocationKind::DrawOnWindow);
  EXPECT_EQ(on.window, 0u);
}

TEST(Invocation, WindowIdIsAPreviewAndAnUnreadableIdIsRefused) {
  auto in = ClassifyInvocation({"sundial-saver", "-window-id", "0x2c00003"}, std::nullopt);
  EXPECT_EQ(in.kind, InvocationKind::PreviewIn);
  EXPECT_EQ(in.window, 0x2c00003u);
  in = ClassifyInvocation({"sundial-saver", "-window-id", "4711"}, std::string("0x9"));
  EXPECT_EQ(in.kind, InvocationKind::PreviewIn);
  EXPECT_EQ(in.window, 4711u);
  EXPECT_EQ(ClassifyInvocation({"sundial-saver", "-window-id"}, std::nullopt).kind,
            InvocationKind::BadWindowId);
  EXPECT_EQ(ClassifyInvocation({"sundial-saver", "-window-id", "window"}, std::nullopt).kind,
            InvocationKind::BadWindowId);
}

TEST(Invocation, TheEnvironmentAloneDrawsButOrdinarySwitchesWinOverIt) {
  auto alone = ClassifyInvocation({"sundial-saver"}, std::string("77"));
  EXPECT_EQ(alone.kind, InvocationKind::DrawOnWindow);
  EXPECT_EQ(alone.window, 77u);

  auto saver = ClassifyInvocation({"/opt/my saver/sundial-saver", "/p", "1234"}, std::string("77"));
  EXPECT_EQ(saver.kind, InvocationKind::CommandLine);
  EXPECT_EQ(saver.commandLine, "\"/opt/my saver/sundial-saver\" /p 1234");

  auto configure = ClassifyInvocation({"sundial-saver"}, std::nullopt);
  EXPECT_EQ(configure.kind, InvocationKind::CommandLine);
  EXPECT_EQ(configure.commandLine, "\"sundial-saver\"");
}

TEST(TickSchedule, WakesJustPastTheNextWholeSecondAndTicksOncePerSecond) {
  EXPECT_EQ(TickSchedule::MillisecondsToNextSecond({100, 0}), 1000 + TickSchedule::kMarginMs);
  EXPECT_EQ(TickSchedule::MillisecondsToNextSecond({100, 999'999'999}),
            1 + TickSchedule::kMarginMs);
  EXPECT_EQ(TickSchedule::MillisecondsToNextSecond({100, 250'000'001}),
            750 + TickSchedule::kMarginMs);

  TickSchedule schedule({100, 900'000'000});
  EXPECT_FALSE(schedule.Due({100, 999'000'000}));
  EXPECT_TRUE(schedule.Due({101, 1'000'000}));
  EXPECT_FALSE(schedule.Due({101, 500'000'000}));  // no second tick within the same second
  EXPECT_TRUE(schedule.Due({103, 0}));             // a late wake-up ticks once, for the new second
  EXPECT_TRUE(schedule.Due({90, 0}));              // the clock set back still ticks
}

}  // namespace
}  // namespace sundial::x11
