#include <gtest/gtest.h>

#include <string>

#include "app/CommandLine.h"

namespace sundial {
namespace {

struct Parsed {
  RunMode mode;
  std::int64_t handle;
  bool foreground;
};

Parsed Parse(const std::string& line) {
  Parsed p{};
  p.mode = ParseCommandLine(line, p.handle, p.foreground);
  return p;
}

const std::string kProgram = "C:\\WINDOWS\\SundialSaver.scr";
const std::string kQuotedProgram = "\"C:\\Program Files\\Sundial\\SundialSaver.scr\"";

TEST(ParseCommandLine, FullScreenSwitchInEveryForm) {
  for (const char* sw : {" /s", " -S", " s", " /S extra words", "   /s"}) {
    EXPECT_EQ(Parse(kProgram + sw).mode, RunMode::ModeFullScreen) << sw;
  }
}

TEST(ParseCommandLine, PreviewReadsTheParentWindow) {
  for (const char* sw : {" /p 1234", " /p:1234", " /l 1234", " -P  ::  1234", " /P1234xyz"}) {
    const Parsed p = Parse(kQuotedProgram + sw);
    EXPECT_EQ(p.mode, RunMode::ModePreview) << sw;
    EXPECT_EQ(p.handle, 1234) << sw;
    EXPECT_FALSE(p.foreground) << sw;
  }
  EXPECT_EQ(Parse(kProgram + " /p -42").handle, -42);
  EXPECT_EQ(Parse(kProgram + " /p").handle, 0);        // no digits give 0
  EXPECT_EQ(Parse(kProgram + " /p x12").handle, 0);
  EXPECT_EQ(Parse(kProgram + " /p 99999999999999999999999").handle, INT64_MAX);
}

TEST(ParseCommandLine, ConfigureWithForegroundNumberOrNothing) {
  Parsed p = Parse(kProgram + " /c");
  EXPECT_EQ(p.mode, RunMode::ModeConfigure);
  EXPECT_TRUE(p.foreground);
  p = Parse(kProgram + " /c: ");
  EXPECT_TRUE(p.foreground);
  p = Parse(kProgram + " /c:5678");
  EXPECT_EQ(p.mode, RunMode::ModeConfigure);
  EXPECT_EQ(p.handle, 5678);
  EXPECT_FALSE(p.foreground);
  for (const std::string& line : {kProgram, kProgram + " ", kQuotedProgram, kQuotedProgram + "   "}) {
    p = Parse(line);
    EXPECT_EQ(p.mode, RunMode::ModeConfigure) << line;
    EXPECT_EQ(p.handle, 0) << line;
    EXPECT_FALSE(p.foreground) << line;
  }
  EXPECT_EQ(Parse("").mode, RunMode::ModeConfigure);
}

TEST(ParseCommandLine, PasswordChangeKeepsItsOwner) {
  const Parsed p = Parse(kProgram + " /a 99");
  EXPECT_EQ(p.mode, RunMode::ModeChangePassword);
  EXPECT_EQ(p.handle, 99);
}

TEST(ParseCommandLine, ExampleSwitchIsLowerCaseOnly) {
  EXPECT_EQ(Parse(kProgram + " /d").mode, RunMode::ModeDefaultExample);
  EXPECT_EQ(Parse(kProgram + " d").mode, RunMode::ModeDefaultExample);
  EXPECT_EQ(Parse(kProgram + " /D").mode, RunMode::ModeNone);
}

TEST(ParseCommandLine, UnknownOrMissingSwitchEndsTheProcess) {
  EXPECT_EQ(Parse(kProgram + " /x").mode, RunMode::ModeNone);
  EXPECT_EQ(Parse(kProgram + " /").mode, RunMode::ModeNone);
  EXPECT_EQ(Parse(kProgram + " -").mode, RunMode::ModeNone);
  EXPECT_EQ(Parse(kProgram + " //s").mode, RunMode::ModeNone);  // one switch mark only
}

TEST(ParseCommandLine, UnquotedPathIsCutAtItsFirstBlank) {
  // "C:\Program" is the path; "Files\..." is read as the switch: 'F' is unknown.
  EXPECT_EQ(Parse("C:\\Program Files\\Saver.scr /s").mode, RunMode::ModeNone);
  // Here the rest of the path begins with 's' and so reads as the full-screen switch.
  EXPECT_EQ(Parse("C:\\My sundials\\Saver.scr /p 5").mode, RunMode::ModeFullScreen);
  // A quoted path is skipped whole, blanks and all.
  EXPECT_EQ(Parse("\"C:\\My sundials\\Saver.scr\" /p 5").mode, RunMode::ModePreview);
  // An unterminated quote swallows the whole line.
  EXPECT_EQ(Parse("\"C:\\Saver.scr /s").mode, RunMode::ModeConfigure);
}

}  // namespace
}  // namespace sundial
