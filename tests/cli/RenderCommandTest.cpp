// sundial render, run as a user runs it: the clock argument, the picture files it writes and the
// one-line errors it gives.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/ClockArgument.h"

namespace sundial::cli {
namespace {

namespace fs = std::filesystem;

TEST(ClockArgument, OffsetBecomesTheStandardZoneBias) {
  auto summer = ParseClockArgument("2010-07-15T14:05:09+02:00", true);
  ASSERT_TRUE(summer);
  EXPECT_EQ(2010, summer->year);
  EXPECT_EQ(7, summer->month);
  EXPECT_EQ(15, summer->day);
  EXPECT_EQ(14, summer->hour) << "the clock hour, daylight saving included";
  EXPECT_EQ(5, summer->minute);
  EXPECT_EQ(9, summer->second);
  EXPECT_EQ(1, summer->daylightSaving);
  EXPECT_EQ(-60, summer->biasMinutesWest) << "+02:00 with daylight saving is one hour east";

  auto plain = ParseClockArgument("2010-07-15T14:00:00+02:00", false);
  ASSERT_TRUE(plain);
  EXPECT_EQ(0, plain->daylightSaving);
  EXPECT_EQ(-120, plain->biasMinutesWest);

  EXPECT_EQ(-330, ParseClockArgument("2024-01-01T00:00:00+05:30", false)->biasMinutesWest);
  EXPECT_EQ(210, ParseClockArgument("2024-01-01T00:00:00-03:30", false)->biasMinutesWest);
  EXPECT_EQ(0, ParseClockArgument("2024-01-01T00:00:00Z", false)->biasMinutesWest);
  EXPECT_EQ(29, ParseClockArgument("2024-02-29T12:00:00Z", false)->day);
}

TEST(ClockArgument, RefusesWhatIsNotALocalTimeWithOffset) {
  for (const char* bad :
       {"", "2010-07-15", "2010-07-15T14:00:00", "2010-07-15T14:00+02:00", "2010-13-01T00:00:00Z",
        "2023-02-29T12:00:00Z", "2010-07-15T24:00:00Z", "2010-07-15T14:00:00+2:00",
        "2010-07-15T14:00:00+02:00x", "2010-07-15T14:60:00Z", "20x0-07-15T14:00:00Z",
        "2010-07-15T14:00:00+15:00"}) {
    EXPECT_FALSE(ParseClockArgument(bad, false).has_value()) << bad;
  }
}

class RenderCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("sundial-render-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the command; returns its exit status and keeps its error output.
  int Run(const std::string& arguments) {
    const fs::path err = dir_ / "stderr.txt";
    const std::string command =
        std::string("\"") + SUNDIAL_EXE + "\" render " + arguments + " 2>\"" + err.string() + "\"";
    const int status = std::system(command.c_str());
    std::ifstream in(err);
    stderrText_.assign(std::istreambuf_iterator<char>(in), {});
    return status;
  }

  fs::path dir_;
  std::string stderrText_;
};

TEST_F(RenderCommand, TraceOfTheDefaultDialAtAFixedInstant) {
  const fs::path out = dir_ / "dial.trace.json";
  ASSERT_EQ(0, Run("-o \"" + out.string() + "\" --size 640x400 --at 2010-07-15T14:00:00+02:00 --dst"));
  std::ifstream in(out);
  const nlohmann::json trace = nlohmann::json::parse(in);
  EXPECT_EQ(640, trace["width"]);
  EXPECT_EQ(400, trace["height"]);
  ASSERT_FALSE(trace["operations"].empty());
  EXPECT_EQ("fillRect", trace["operations"][1]["op"]) << "the black background first";
  bool clockLine = false;
  for (const auto& op : trace["operations"]) {
    if (op["op"] == "drawText" && op["text"].get<std::string>().find(" 14:00:00 - EdT ") == 0)
      clockLine = true;
  }
  EXPECT_TRUE(clockLine) << "one tick ran before the paint, with the clock of --at";

  // For a screen of 192 DPI the same paint, with the thin pens two pixels wide.
  const fs::path hiDpi = dir_ / "dial-192.trace.json";
  ASSERT_EQ(0, Run("-o \"" + hiDpi.string() +
                   "\" --size 640x400 --at 2010-07-15T14:00:00+02:00 --dst --dpi 192"));
  std::ifstream inHiDpi(hiDpi);
  const nlohmann::json traceHiDpi = nlohmann::json::parse(inHiDpi);
  const auto& ops = trace["operations"];
  const auto& opsHiDpi = traceHiDpi["operations"];
  ASSERT_EQ(ops.size(), opsHiDpi.size());
  int pens = 0;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    if (ops[i]["op"] != "createPen" || pens++ < 2) {  // the first two are the wide pens
      EXPECT_EQ(ops[i], opsHiDpi[i]) << i;
    } else {
      auto pen = ops[i];
      pen["width"] = 2;
      EXPECT_EQ(pen, opsHiDpi[i]) << i;
    }
  }
  EXPECT_EQ(15, pens);
}

#ifdef SUNDIAL_HAVE_CAIRO
TEST_F(RenderCommand, WritesPngSvgAndPdf) {
  for (const char* name : {"a.png", "a.svg", "a.pdf"}) {
    const fs::path out = dir_ / name;
    ASSERT_EQ(0, Run("-o \"" + out.string() + "\" --size 320x200 --at 2010-03-21T12:00:00Z"))
        << stderrText_;
    EXPECT_GT(fs::file_size(out), 100u) << name;
  }
  // The SVG is sized in pixels, so that it opens at the size asked for (not 4/3 of it, as points).
  std::ifstream svgFile(dir_ / "a.svg");
  const std::string svg(std::istreambuf_iterator<char>(svgFile), {});
  const std::string root = svg.substr(svg.find("<svg"), svg.find('>', svg.find("<svg")));
  EXPECT_TRUE(root.find("width=\"320px\"") != std::string::npos ||
              root.find("width=\"320\"") != std::string::npos) << root;
  EXPECT_TRUE(root.find("height=\"200px\"") != std::string::npos ||
              root.find("height=\"200\"") != std::string::npos) << root;
  std::ifstream png(dir_ / "a.png", std::ios::binary);
  char magic[8] = {};
  png.read(magic, 8);
  EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), std::string(magic, 8));
}
#endif

TEST_F(RenderCommand, ErrorsAreOneLineWithTheirStatus) {
  const std::string good = "--at 2010-03-21T12:00:00Z";
  // The command line is wrong: 2.
  for (const std::string& arguments :
       {"-o \"" + (dir_ / "a.gif").string() + "\" " + good,
        "-o \"" + (dir_ / "a.trace.json").string() + "\" --size 0x10 " + good,
        "-o \"" + (dir_ / "a.trace.json").string() + "\" --size wide " + good,
        "-o \"" + (dir_ / "a.trace.json").string() + "\" --at yesterday",
        "-o \"" + (dir_ / "a.trace.json").string() + "\" --dst", std::string(good)}) {
    SCOPED_TRACE(arguments);
    EXPECT_EQ(2 << 8, Run(arguments));
    ASSERT_FALSE(stderrText_.empty());
    EXPECT_EQ(stderrText_.size() - 1, stderrText_.find('\n')) << stderrText_;
  }
  // The output cannot be written: 1, with the system's reason.
  for (const char* name : {"a.trace.json", "a.png"}) {
#ifndef SUNDIAL_HAVE_CAIRO
    if (std::string(name) == "a.png") continue;
#endif
    SCOPED_TRACE(name);
    EXPECT_EQ(1 << 8, Run("-o \"" + (dir_ / "no-such-folder" / name).string() + "\" " + good));
    EXPECT_EQ(stderrText_.size() - 1, stderrText_.find('\n')) << stderrText_;
    EXPECT_NE(std::string::npos, stderrText_.find("No such file or directory")) << stderrText_;
  }
}

TEST_F(RenderCommand, DialFilesThatCannotBeOpenedFailAndDamagedOnesWarn) {
  const fs::path out = dir_ / "dial.trace.json";
  const std::string tail = "\" -o \"" + out.string() + "\" --at 2010-03-21T12:00:00Z";
  const fs::path fifo = dir_ / "fifo.vqr";
  ASSERT_EQ(0, std::system(("mkfifo \"" + fifo.string() + "\"").c_str()));
  for (const fs::path& dial : {dir_ / "missing.vqr", dir_, fifo}) {
    SCOPED_TRACE(dial.string());
    EXPECT_EQ(1 << 8, Run("\"" + dial.string() + tail));
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(stderrText_.size() - 1, stderrText_.find('\n')) << stderrText_;
    EXPECT_NE(std::string::npos, stderrText_.find(dial.string())) << stderrText_;
  }
  // Text is no dial: the saver would show its built-in dial, and so does the picture.
  EXPECT_EQ(0, Run("\"" + std::string(SUNDIAL_SOURCE_DIR) + "/README.md" + tail));
  EXPECT_TRUE(fs::exists(out));
  EXPECT_EQ(stderrText_.size() - 1, stderrText_.find('\n')) << stderrText_;
  EXPECT_NE(std::string::npos, stderrText_.find("invalid")) << stderrText_;

  // A picture that cannot be written (a full disk) is an error too.
  for (const char* name : {"full.trace.json", "full.png"}) {
#ifndef SUNDIAL_HAVE_CAIRO
    if (std::string(name) == "full.png") continue;
#endif
    fs::create_symlink("/dev/full", dir_ / name);
    EXPECT_EQ(1 << 8, Run("-o \"" + (dir_ / name).string() + "\" --at 2010-03-21T12:00:00Z"))
        << name;
    EXPECT_NE(std::string::npos, stderrText_.find("No space left on device")) << stderrText_;
  }
}

}  // namespace
}  // namespace sundial::cli
