// The example dials shipped in examples/: each reads back whole, is of the type its name says,
// and the saver's example is the built-in default dial.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/DialFileReader.h"
#include "model/DialModel.h"

namespace sundial {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(SUNDIAL_SOURCE_DIR) / "examples";

TEST(ExampleDials, OnePerTypeReadsBackWithoutFallingBackToTheDefault) {
  int seen[15] = {};
  for (const auto& entry : fs::directory_iterator(kExamples)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("type-", 0) != 0) continue;
    SCOPED_TRACE(name);
    ASSERT_EQ(".vqr", entry.path().extension().string());
    const int type = std::stoi(name.substr(5, 2));
    ASSERT_TRUE(type >= 0 && type <= 14);
    DialModel model;
    EXPECT_EQ(LoadOutcome::File, ReadDialFile(entry.path().string(), model));
    EXPECT_EQ(type, model.dialType);
    EXPECT_NE(0, model.latitude);
    ++seen[type];
  }
  for (int type = 0; type <= 14; ++type) EXPECT_EQ(1, seen[type]) << "type " << type;
}

TEST(ExampleDials, SaverExampleIsTheDefaultDial) {
  DialModel example;
  ASSERT_EQ(LoadOutcome::File,
            ReadDialFile((kExamples / "esempio - tolvanet.vqr").string(), example));
  DialModel reference;
  ApplyDefaultDial(reference, true);
  EXPECT_EQ(reference.dialType, example.dialType);
  EXPECT_EQ(reference.latitude, example.latitude);
  EXPECT_EQ(reference.longitude, example.longitude);
  EXPECT_EQ(reference.planeDeclination, example.planeDeclination);
  EXPECT_EQ(reference.gnomonLength, example.gnomonLength);
  EXPECT_EQ(reference.plateYMin, example.plateYMin);
  EXPECT_EQ(reference.timeZone, example.timeZone);
  EXPECT_EQ(reference.showModernHours, example.showModernHours);
}

}  // namespace
}  // namespace sundial
