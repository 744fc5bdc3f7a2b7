// The strict command line of the Linux saver: the screen-saver switches in their Windows forms,
// XScreenSaver's conventions and options, and the window ids they carry.
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

SaverInvocation Classify(std::vector<std::string> args,
                         const std::optional<std::string>& screensaverWindow = std::nullopt) {
  args.insert(args.begin(), "sundial-saver");
  return ClassifyInvocation(args, screensaverWindow);
}

TEST(Invocation, EveryWindowsFormReachesTheStartUpAsWritten) {
  // What the start-up sequence then decodes, with its Windows meaning.
  for (const auto& [args, line] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"/s"}, "/s"},         {{"-S"}, "-S"},         {{"s"}, "s"},
           {{"/p", "1234"}, "/p 1234"}, {{"/p:1234"}, "/p:1234"}, {{"/l", "1234"}, "/l 1234"},
           {{"/c"}, "/c"},         {{"/c:5678"}, "/c:5678"}, {{"/a", "99"}, "/a 99"},
           {{"d"}, "d"},           {{"/a"}, "/a"},         {{"c"}, "c"},
           {{"/s", "-file", "x.vqr"}, "/s"}}) {
    const SaverInvocation invocation = Classify(args);
    EXPECT_EQ(invocation.kind, InvocationKind::CommandLine) << line;
    EXPECT_EQ(invocation.commandLine, "\"sundial-saver\" " + line);
  }
  const auto path = ClassifyInvocation({"/opt/my saver/sundial-saver", "/p", "1234"}, "77");
  EXPECT_EQ(path.commandLine, "\"/opt/my saver/sundial-saver\" /p 1234");
  // No argument at all is the configuration, even inside XScreenSaver's window.
  EXPECT_EQ(Classify({}, std::string("77")).commandLine, "\"sundial-saver\"");
}

TEST(Invocation, XScreenSaverModesAndTheWindowsTheyDrawOn) {
  auto on = Classify({"-root"});
  EXPECT_EQ(on.kind, InvocationKind::DrawOnWindow);
  EXPECT_EQ(on.window, 0u);
  on = Classify({"--root"}, std::string("0x400007"));
  EXPECT_EQ(on.kind, InvocationKind::DrawOnWindow);
  EXPECT_EQ(on.window, 0x400007u);
  EXPECT_EQ(Classify({"-root"}, std::string("nonsense")).kind, InvocationKind::BadEnvironment);
  // Empty is unset, as XScreenSaver's own modules read it: the root window.
  on = Classify({"-root"}, std::string(""));
  EXPECT_EQ(on.kind, InvocationKind::DrawOnWindow);
  EXPECT_EQ(on.window, 0u);

  // -window-id wins over -root, in either order, and the environment is then not read.
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"-root", "-window-id", "0x2c00003"}, {"--window-id", "0x2c00003", "-root"}}) {
    const auto in = Classify(args, std::string("nonsense"));
    EXPECT_EQ(in.kind, InvocationKind::PreviewIn);
    EXPECT_EQ(in.window, 0x2c00003u);
    EXPECT_EQ(in.windowText, "0x2c00003");
  }
  EXPECT_EQ(Classify({"-window-id", "4711"}).window, 4711u);

  EXPECT_EQ(Classify({"-window"}).kind, InvocationKind::TopLevel);
  // Like any XScreenSaver module, options without a mode draw in a window of their own.
  EXPECT_EQ(Classify({"-delay", "10000"}).kind, InvocationKind::TopLevel);
}

TEST(Invocation, OptionsBesideTheModeAndTheIgnoredStandardOnes) {
  const auto all = Classify({"--delay", "20000", "-fps", "-install", "-visual", "default", "-mono",
                             "-file", "/d/my dial.vqr", "--display", ":7", "-root"});
  EXPECT_EQ(all.kind, InvocationKind::DrawOnWindow);
  EXPECT_EQ(all.dialFile, "/d/my dial.vqr");
  EXPECT_EQ(all.display, ":7");
  EXPECT_EQ(Classify({"--file", "a.vqr", "/p", "12"}).dialFile, "a.vqr");
  EXPECT_EQ(Classify({"-help"}).kind, InvocationKind::Help);
  EXPECT_EQ(Classify({"/s", "--help"}).kind, InvocationKind::Help);
  EXPECT_EQ(Classify({"--version"}).kind, InvocationKind::Version);
}

TEST(Invocation, AnythingElseIsAUsageErrorNamingTheOption) {
  // Each of these once fell through to a Windows switch by its first letter.
  for (const auto& [args, named] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"-delay"}, "-delay"},          {{"-speed", "3"}, "-speed"},
           {{"-count"}, "-count"},          {{"--bogus"}, "--bogus"},
           {{"-window-id"}, "-window-id"},  {{"-window-id", "0xZZ"}, "0xZZ"},
           {{"-window-id", "-root"}, "-root"}, {{"-file"}, "-file"},
           {{"-display"}, "-display"},      {{"-sx"}, "-sx"},
           {{"-D"}, "-D"},                  {{"/p", "12", "/s"}, "/s"},
           {{"/p:12x"}, "/p:12x"},          {{"/s", "-root"}, "-root"},
           {{"-window", "d"}, "-window"},   {{"dial.vqr"}, "dial.vqr"},
           // Switches the saver does not have, and previews without their window.
           {{"/x"}, "/x"},                  {{"/D"}, "/D"},
           {{"/"}, "/"},                    {{"/p"}, "/p"},
           {{"/l", "-root"}, "/l"},         {{"--xscreensaver-add", "-root"}, "--xscreensaver-add"}}) {
    const SaverInvocation invocation = Classify(args);
    EXPECT_EQ(invocation.kind, InvocationKind::UsageError) << named;
    EXPECT_NE(invocation.error.find(named), std::string::npos) << invocation.error;
  }
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
