#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <random>
#include <string>
#include <vector>

#include "support/VqrWriter.h"

namespace sundial {
namespace {

namespace fs = std::filesystem;

struct CommandRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class InfoCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
            std::to_string(std::random_device{}()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Fixture(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return p;
  }

  CommandRun Sundial(const std::string& args, const std::string& prefix = "") {
    const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
    const std::string command = prefix + "'" + SUNDIAL_EXE + "' " + args + " >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    CommandRun r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(out);
    r.err = Slurp(err);
    return r;
  }

  nlohmann::json Info(const fs::path& dial) {
    const CommandRun r = Sundial("info '" + dial.string() + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return nlohmann::json::parse(r.out);
  }

  fs::path dir_;
};

TEST_F(InfoCommand, ReportsEachOfTheFourOutcomes) {
  DialModel dial = test::SampleDial();
  const std::vector<std::uint8_t> good = test::WriteVqr(dial);

  nlohmann::json j = Info(Fixture("good.vqr", good));
  EXPECT_EQ(j["load"], "file");
  EXPECT_EQ(j["model"]["modelReady"], 1);
  EXPECT_EQ(j["model"]["dialType"], 1);

  dial.timeZone = 13;
  j = Info(Fixture("bad-zone.vqr", test::WriteVqr(dial)));
  EXPECT_EQ(j["load"], "invalid");
  EXPECT_EQ(j["model"]["timeZone"], 1);
  EXPECT_EQ(j["model"]["title"], "Meridiana di Torino");  // outside the default set: kept

  j = Info(dir_ / "absent.vqr");
  EXPECT_EQ(j["load"], "missing");
  EXPECT_EQ(j["model"]["latitude"], 45.3825);
  EXPECT_DOUBLE_EQ(j["model"]["longitudeCorrection"].get<double>(), 7.286666666666666);

  j = Info(Fixture("cut.vqr", std::vector<std::uint8_t>(good.begin(), good.begin() + 200)));
  EXPECT_EQ(j["load"], "truncated");
  EXPECT_EQ(j["model"]["modelReady"], 0);
}

TEST_F(InfoCommand, WritesEveryFieldInItsJsonForm) {
  DialModel dial = test::SampleDial();
  dial.styleLength = std::numeric_limits<double>::quiet_NaN();  // not validated: carried as is
  dial.extraValue1 = std::numeric_limits<double>::infinity();
  const nlohmann::json m = Info(Fixture("sample.vqr", test::WriteVqr(dial)))["model"];
  EXPECT_EQ(m.size(), 108u);
  EXPECT_TRUE(m["styleLength"].is_null());
  EXPECT_TRUE(m["extraValue1"].is_null());
  EXPECT_EQ(m["auxText"], "Caf\xC3\xA9 \xE2\x82\xAC");  // from code page 1252
  EXPECT_EQ(m["auxTextBlock1"], "0102030405060708");
  EXPECT_EQ(m["auxTextBlock3"], "f0f1f2f3f4f5f6f7");
  EXPECT_EQ(m["dateLineEnabled"], nlohmann::json({1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(m["dateLineCount"], 4);
  ASSERT_EQ(m["auxTriples"].size(), 5u);
  EXPECT_EQ(m["auxTriples"][2], nlohmann::json({2.1, 2.2, 2.3}));
  EXPECT_EQ(m["auxLabels"][5], "label 5");
  EXPECT_EQ(m["auxPointsExtra"], nlohmann::json({7.0, 8.0, 9.0}));
  EXPECT_EQ(m["longitude"], -7.69);
}

TEST_F(InfoCommand, FilesThatAreNotRegularFilesReportMissingAtOnce) {
  const fs::path fifo = dir_ / "fifo.vqr";
  ASSERT_EQ(0, std::system(("mkfifo '" + fifo.string() + "'").c_str()));
  for (const fs::path& dial : {fifo, dir_, fs::path("/dev/zero")}) {
    // `timeout` ends a command that would wait for a writer for ever.
    const CommandRun r = Sundial("info '" + dial.string() + "'", "timeout 10 ");
    EXPECT_EQ(r.status, 0) << dial << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["load"], "missing") << dial;
  }
}

TEST_F(InfoCommand, OutputThatCannotBeWrittenIsAnError) {
  const std::string dial =
      std::string("'").append(SUNDIAL_SOURCE_DIR).append("/examples/type-01-horizontal-greenwich.vqr'");
  for (const std::string& args : {"info " + dial, "sun --at 2010-03-21T12:00:00Z " + dial,
                                  std::string("geometry")}) {
    const fs::path err = dir_ / "stderr";
    const std::string command =
        std::string("'") + SUNDIAL_EXE + "' " + args + " >/dev/full 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << args;
    const std::string text = Slurp(err);
    EXPECT_NE(text.find("cannot write the output: No space left on device"), std::string::npos)
        << args << ": " << text;
  }
}

TEST_F(InfoCommand, WrongCommandLinesExitTwoWithOneLine) {
  for (const std::string& args : {std::string("info"), std::string("info a.vqr b.vqr"),
                                  std::string("info --no-such-option a.vqr"), std::string(""),
                                  std::string("draw a.vqr")}) {
    const CommandRun r = Sundial(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_EQ(r.out, "") << args;
    ASSERT_FALSE(r.err.empty()) << args;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << args << ": " << r.err;
  }
  const CommandRun version = Sundial("--version");
  EXPECT_EQ(version.status, 0) << version.err;
  EXPECT_EQ(version.out.rfind("sundial ", 0), 0u) << version.out;
}

}  // namespace
}  // namespace sundial
