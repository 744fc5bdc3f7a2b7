#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "model/DialModel.h"
#include "support/VqrWriter.h"

namespace sundial {
namespace {

namespace fs = std::filesystem;

class SunCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("sun-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  // Runs `sundial sun ARGS`; returns the exit status and keeps stdout and stderr.
  int Sun(const std::string& args) {
    const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
    const std::string command = std::string("'") + SUNDIAL_EXE + "' sun " + args + " >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    out_ = Slurp(out);
    err_ = Slurp(err);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

  nlohmann::json Json() const { return nlohmann::json::parse(out_); }

  fs::path dir_;
  std::string out_, err_;
};

constexpr const char* kDefaultPlace = "--lat 45.3825 --lon -7.713333333333334";

TEST_F(SunCommand, SummerClockWithDaylightSaving) {
  ASSERT_EQ(Sun(std::string("--at 2010-07-15T14:00:00+02:00 --dst ") + kDefaultPlace), 0) << err_;
  const nlohmann::json j = Json();
  EXPECT_NEAR(j["sunAzimuth"].get<double>(), 14.107, 0.0005);
  EXPECT_NEAR(j["sunAltitude"].get<double>(), 65.572, 0.0005);
  EXPECT_NEAR(j["sunDeclination"].get<double>(), 21.493, 0.0005);
  EXPECT_NEAR(j["equationOfTimeSeconds"].get<double>(), -358.4, 0.05);
  EXPECT_EQ(j["clockText"], " 14:00:00");  // the clock as shown, summer hour included
  EXPECT_EQ(j["equationText"], "-00:05:58");
  for (const char* field : {"apparentLongitude", "rightAscension", "deltaTSeconds"}) {
    EXPECT_TRUE(j.contains(field)) << field;
  }
  // The same instant given in standard time.
  ASSERT_EQ(Sun(std::string("--at 2010-07-15T13:00:00+01:00 ") + kDefaultPlace), 0) << err_;
  EXPECT_NEAR(Json()["sunAltitude"].get<double>(), j["sunAltitude"].get<double>(), 1e-9);
}

TEST_F(SunCommand, PlaceFromADialFile) {
  DialModel model;
  ApplyDefaultDial(model, true);
  model.latitude = -33.9;
  model.longitude = -18.4;  // Cape Town
  const fs::path dial = dir_ / "cape.vqr";
  const auto bytes = test::WriteVqr(model);
  std::ofstream(dial, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_EQ(Sun("--at 2010-12-21T12:00:00+02:00 '" + dial.string() + "'"), 0) << err_;
  const nlohmann::json fromFile = Json();
  ASSERT_EQ(Sun("--at 2010-12-21T12:00:00+02:00 --lat -33.9 --lon -18.4"), 0) << err_;
  EXPECT_EQ(fromFile["sunAltitude"], Json()["sunAltitude"]);
  EXPECT_GT(fromFile["sunAltitude"].get<double>(), 75);
}

TEST_F(SunCommand, WithoutPlaceTheBuiltInDialAndDamagedFilesWarn) {
  // Neither a file nor a place: the built-in dial's place, as the saver without a dial file.
  ASSERT_EQ(Sun("--at 2010-09-22T12:00:00+01:00"), 0) << err_;
  EXPECT_NEAR(Json()["sunAltitude"].get<double>(), 44.621, 0.0005);
  EXPECT_EQ(err_, "");

  // A truncated file shows the built-in dial in the saver, so its place is used, with a warning.
  DialModel model;
  ApplyDefaultDial(model, true);
  model.latitude = -33.9;
  auto bytes = test::WriteVqr(model);
  bytes.resize(40);
  const fs::path dial = dir_ / "short.vqr";
  std::ofstream(dial, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 40);
  ASSERT_EQ(Sun("--at 2010-09-22T12:00:00+01:00 '" + dial.string() + "'"), 0) << err_;
  EXPECT_NEAR(Json()["sunAltitude"].get<double>(), 44.621, 0.0005);
  EXPECT_EQ(Json()["load"], "truncated");
  EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1) << err_;
  EXPECT_NE(err_.find("truncated"), std::string::npos) << err_;

  // A file that cannot be opened is an input that cannot be used.
  const fs::path missing = dir_ / "none.vqr";
  EXPECT_EQ(Sun("--at 2010-09-22T12:00:00+01:00 '" + missing.string() + "'"), 1);
  EXPECT_TRUE(out_.empty());
  EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1) << err_;
  EXPECT_NE(err_.find(missing.string() + "': No such file or directory"), std::string::npos)
      << err_;
}

TEST_F(SunCommand, WithoutAtUsesTheSystemClock) {
  ASSERT_EQ(Sun(kDefaultPlace), 0) << err_;
  const nlohmann::json j = Json();
  EXPECT_EQ(j["clockText"].get<std::string>().size(), 9u);
  EXPECT_LE(std::abs(j["equationOfTimeSeconds"].get<double>()), 17 * 60);
}

TEST_F(SunCommand, WrongCommandLinesExitTwoWithOneLine) {
  for (const std::string& args :
       {std::string("--at 2010-07-15T14:00:00 ") + kDefaultPlace,  // no offset
        std::string("--at 2010-02-30T10:00:00+01:00 ") + kDefaultPlace,
        std::string("--at 2010-07-15T24:00:00+01:00 ") + kDefaultPlace,
        std::string("--at yesterday ") + kDefaultPlace,
        std::string("--at 2010-07-15T14:00:00+01:00 --lat 45"),
        std::string("--at 2010-07-15T14:00:00+01:00 --lat 95 --lon 0"),
        std::string("--at 2010-07-15T14:00:00+01:00 --lat abc --lon 0"),
        std::string("--at 2010-07-15T14:00:00+01:00 --lat 45 --lon 0 some.vqr"),
        std::string("--dst ") + kDefaultPlace}) {
    EXPECT_EQ(Sun(args), 2) << args;
    EXPECT_TRUE(out_.empty()) << args;
    EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1) << args << ": " << err_;
  }
}

}  // namespace
}  // namespace sundial
