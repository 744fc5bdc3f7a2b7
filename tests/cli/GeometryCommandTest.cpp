// sundial geometry, run as a user runs it: the computed part of a dial as JSON, the filled
// prefix of every array, nulls for numbers that are not finite, and the family filter.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/DialModel.h"
#include "support/VqrWriter.h"

namespace sundial::cli {
namespace {

namespace fs = std::filesystem;

class GeometryCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / "sundial_geometry_cli";
    fs::create_directories(dir_);
  }

  // Runs `sundial geometry ARGS` into a file; returns the exit status.
  int Run(const std::string& arguments) {
    const fs::path out = dir_ / "out.json";
    const std::string command = std::string("\"") + SUNDIAL_EXE + "\" geometry " + arguments +
                                " >\"" + out.string() + "\" 2>\"" + (dir_ / "err.txt").string() + "\"";
    const int status = std::system(command.c_str());
    std::ifstream in(out);
    output_ = std::string(std::istreambuf_iterator<char>(in), {});
    return status;
  }

  nlohmann::json Json() const { return nlohmann::json::parse(output_); }

  std::string WriteDial(const DialModel& m, const std::string& name) {
    const auto bytes = test::WriteVqr(m);
    const fs::path path = dir_ / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return Quoted(path);
  }
  // A path in double quotes, as a shell would take it whole (built by appending: GCC 12 warns
  // falsely of overlapping copies in "\"" + string).
  static std::string Quoted(const fs::path& path) {
    return std::string("\"").append(path.string()).append("\"");
  }

  fs::path dir_;
  std::string output_;
};

TEST_F(GeometryCommand, DefaultDialWithItsFilledArrays) {
  ASSERT_EQ(0, Run(""));
  const auto j = Json();
  EXPECT_FALSE(j.contains("load"));
  EXPECT_EQ(0, j["dialType"]);
  EXPECT_NEAR(7.286667, j["longitudeCorrection"].get<double>(), 1e-6);
  EXPECT_EQ(-37, j["plateYMin"].get<double>());
  ASSERT_EQ(49u, j["modernHourLines"].size());
  const auto& noon = j["modernHourLines"][24];
  EXPECT_EQ(12.0, noon["hour"].get<double>());
  EXPECT_TRUE(noon.contains("lineAngle"));
  EXPECT_EQ(7u, noon["dateLineMarks"].size());
  EXPECT_EQ(5u, noon["dateLineMarks"][0].size());
  EXPECT_EQ(37u, noon["meanTimeMarks"].size());
  EXPECT_EQ(365u, noon["meanTimeCurve"].size());
  EXPECT_EQ(95u, j["italianHourCurves"][3]["points"].size());
  EXPECT_EQ(13u, j["ascendantLineMarks"][0]["points"].size());
  EXPECT_EQ(361u, j["almucantarCurves"][0]["points"].size());
  EXPECT_EQ(6u, j["almucantarCurves"][0]["points"][0].size());
  EXPECT_EQ(7u, j["almucantarMarks"][2]["west"].size());
  EXPECT_EQ(7u, j["dayCurves"].size());
  EXPECT_EQ(241u, j["dayCurves"][6]["points"].size());
  EXPECT_EQ(-170.0, j["azimuthLineCurves"][19]["label"].get<double>());
  EXPECT_TRUE(j["analemmaticScale"].empty());
}

TEST_F(GeometryCommand, FamilyFilterKeepsOnlyTheNamedArrays) {
  ASSERT_EQ(0, Run("--family dayCurves --family temporaryHourMarks"));
  const auto j = Json();
  EXPECT_TRUE(j.contains("dayCurves"));
  EXPECT_TRUE(j.contains("temporaryHourMarks"));
  EXPECT_TRUE(j.contains("styleHeight"));
  EXPECT_FALSE(j.contains("modernHourLines"));
  EXPECT_FALSE(j.contains("italianHourCurves"));
  // A wrong name is a wrong command line, answered with the valid names.
  EXPECT_EQ(2 << 8, Run("--family noSuchLines"));
  std::ifstream err(dir_ / "err.txt");
  const std::string line(std::istreambuf_iterator<char>(err), {});
  EXPECT_NE(std::string::npos, line.find("dayCurvesFine")) << line;
}

TEST_F(GeometryCommand, DialFileWithInfiniteStyleAndUserLines) {
  DialModel m;
  ApplyDefaultDial(m, true);
  m.dialType = 1;
  m.latitude = 0;  // horizontal dial on the equator: infinite style length
  m.dateLineEnabled[1] = 1;
  m.dateLineDay[1] = 31;
  m.dateLineMonth[1] = 2;
  ASSERT_EQ(0, Run(WriteDial(m, "equator.vqr")));
  const auto j = Json();
  EXPECT_EQ("file", j["load"]);
  EXPECT_TRUE(j["styleLength"].is_null());
  ASSERT_EQ(8u, j["dayCurves"].size());
  EXPECT_EQ(8, j["dayCurves"][7]["label"]);  // user line 2, in entry 8
}

TEST_F(GeometryCommand, AnalemmaticDialFillsOnlyItsArrays) {
  DialModel m;
  ApplyDefaultDial(m, true);
  m.dialType = 5;
  ASSERT_EQ(0, Run(WriteDial(m, "analemmatic.vqr")));
  const auto j = Json();
  EXPECT_EQ(7u, j["analemmaticScale"].size());
  EXPECT_TRUE(j["italianHourMarks"].empty());
  EXPECT_TRUE(j["almucantarCurves"].empty());
  EXPECT_TRUE(j["modernHourLines"][0]["meanTimeCurve"].empty());
  EXPECT_EQ(95u, j["modernHourCurves"][0]["points"].size());
}

TEST_F(GeometryCommand, TruncatedFileGivesTheDefaultDialWithAWarning) {
  DialModel m;
  ApplyDefaultDial(m, true);
  auto bytes = test::WriteVqr(m);
  bytes.resize(40);
  const fs::path path = dir_ / "short.vqr";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 40);
  ASSERT_EQ(0, Run(Quoted(path)));
  const auto j = Json();
  EXPECT_EQ("truncated", j["load"]);
  EXPECT_EQ(0, j["dialType"]) << "the saver shows the built-in dial for a truncated file";
  EXPECT_FALSE(j["modernHourLines"].empty());
  std::ifstream err(dir_ / "err.txt");
  const std::string warning(std::istreambuf_iterator<char>(err), {});
  EXPECT_NE(std::string::npos, warning.find("truncated")) << warning;
  EXPECT_EQ(warning.size() - 1, warning.find('\n')) << warning;

  EXPECT_EQ(1 << 8, Run(Quoted(dir_ / "missing.vqr")));
  EXPECT_EQ(1 << 8, Run(Quoted(dir_)));
}

}  // namespace
}  // namespace sundial::cli
