// Loading a dial runs its geometry once for every completed load, and never for a truncated
// file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "geometry/DialLoader.h"
#include "support/VqrWriter.h"

namespace sundial {
namespace {

std::string WriteTempFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

TEST(DialLoader, ReadDialIsComputed) {
  const DialModel sample = test::SampleDial();
  const std::string path = WriteTempFile("loader_file.vqr", test::WriteVqr(sample));
  auto m = std::make_unique<DialModel>();
  EXPECT_EQ(LoadDial(path, *m), LoadOutcome::File);
  EXPECT_EQ(m->modelReady, 1);
  ASSERT_NE(m->geometry, nullptr);
  EXPECT_EQ(m->dialType, sample.dialType);
  EXPECT_EQ(m->geometry->modernHourLines[48].hour, 24.0);
  if (m->dialType == 1) {
    EXPECT_DOUBLE_EQ(m->styleHeight, m->latitude);
  }
  std::remove(path.c_str());
}

TEST(DialLoader, MissingFileGivesTheComputedDefaultDial) {
  auto m = std::make_unique<DialModel>();
  EXPECT_EQ(LoadDial(::testing::TempDir() + "no_such_dial.vqr", *m), LoadOutcome::Missing);
  ASSERT_NE(m->geometry, nullptr);
  EXPECT_EQ(m->dialType, 0);
  EXPECT_NEAR(m->longitudeCorrection, 7.286666666666666, 1e-9);
  EXPECT_NEAR(m->styleHeight, std::asin(std::cos(45.3825 * 3.141592653589793 / 180) *
                                        std::cos(30 * 3.141592653589793 / 180)) *
                                  180 / 3.141592653589793,
              1e-9);
}

TEST(DialLoader, TruncatedFileIsNotComputed) {
  std::vector<std::uint8_t> bytes = test::WriteVqr(test::SampleDial());
  bytes.resize(bytes.size() / 3);
  const std::string path = WriteTempFile("loader_truncated.vqr", bytes);
  auto m = std::make_unique<DialModel>();
  EXPECT_EQ(LoadDial(path, *m), LoadOutcome::Truncated);
  EXPECT_EQ(m->modelReady, 0);
  EXPECT_EQ(m->geometry, nullptr);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace sundial
