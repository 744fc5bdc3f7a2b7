// The reader is the saver's whole attack surface: whatever the bytes, it must end in one of its
// four outcomes, without allocating more than the file holds.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "AllocationProbe.h"
#include "model/DialFileReader.h"
#include "support/VqrWriter.h"

namespace sundial {
namespace {

using test::VqrBytes;
using test::VqrOptions;
using test::WriteVqr;

// The bytes of a 14.1 file up to (not including) its first string, item 38.
VqrBytes UpToFirstString() {
  VqrBytes b;
  VqrOptions pre;
  pre.version.reset();
  b.bytes = WriteVqr(test::SampleDial(), pre);
  b.Int8(14).Int8(1);
  b.Int32(0).Int32(0).Int32(0).Double(100).Double(90).Int32(0).Int32(0).Int32(0).Int32(0);
  return b;
}

// Item 38 followed by the rest of a 14.1 file.
void RestOf14_1(VqrBytes& b) {
  b.Int32(1);
  for (int i = 0; i < 3; ++i) b.Block(Block8{});
  b.Int32(0).Int32(0).Int32(0).Double(0);
}

TEST(HostileDialFile, StringLengthsBeyondTheFileAreTruncatedWithoutAllocating) {
  const struct {
    const char* what;
    std::vector<std::uint8_t> prefix;
  } cases[] = {
      {"32-bit length of 4 GB", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"32-bit length of 2 GB", {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80}},
      {"16-bit length", {0xFF, 0xFD, 0xFF}},
      {"one-byte length", {0xFE}},
      {"wide 4 G characters", {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"wide 16-bit length", {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF}},
  };
  for (const auto& c : cases) {
    VqrBytes b = UpToFirstString();
    b.bytes.insert(b.bytes.end(), c.prefix.begin(), c.prefix.end());
    b.bytes.resize(b.bytes.size() + 40, 'x');  // some characters, far fewer than announced
    DialModel model;
    test::ResetLargestAllocation();
    EXPECT_EQ(ReadDialBytes(b.bytes.data(), b.bytes.size(), model), LoadOutcome::Truncated) << c.what;
    EXPECT_LT(test::LargestAllocation(), 4096u) << c.what;
    EXPECT_EQ(model.modelReady, 0);
  }
  // The probe itself sees a string the file does hold.
  VqrBytes b = UpToFirstString();
  b.String(std::string(9000, 'x'), test::StringForm::Word);
  RestOf14_1(b);
  DialModel model;
  test::ResetLargestAllocation();
  EXPECT_EQ(ReadDialBytes(b.bytes.data(), b.bytes.size(), model), LoadOutcome::File);
  EXPECT_GE(test::LargestAllocation(), 9000u);
}

// A sparse file of 4 GiB (a few KiB on disk) whose strings claim nearly all of it: each keeps its
// first 64 KiB, the rest is passed over unread, and the items after it are read in step.
TEST(HostileDialFile, HugeStringsOfAHugeFileAreSkippedNotRead) {
  const std::uint64_t claimed = 0xFFFFFFF0;
  for (const bool wide : {false, true}) {
    SCOPED_TRACE(wide ? "wide" : "narrow");
    VqrBytes b = UpToFirstString();
    if (wide) {
      b.bytes.insert(b.bytes.end(), {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF8, 0xFF, 0xFF, 0x7F});
    } else {
      b.bytes.insert(b.bytes.end(), {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF});
    }
    const std::size_t start = b.bytes.size();
    b.bytes.resize(start + 80 * 1024, wide ? 0 : 'x');  // the first characters, then holes
    VqrBytes rest;
    RestOf14_1(rest);
    const std::string path = ::testing::TempDir() + "/huge-dial-" +
                             std::to_string(std::random_device{}()) + ".vqr";
    {
      std::ofstream out(path, std::ios::binary);
      out.write(reinterpret_cast<const char*>(b.bytes.data()),
                static_cast<std::streamsize>(b.bytes.size()));
    }
    // The characters end where the rest of the file begins; the gap is a hole.
    std::filesystem::resize_file(path, start + claimed);
    {
      std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out | std::ios::ate);
      out.write(reinterpret_cast<const char*>(rest.bytes.data()),
                static_cast<std::streamsize>(rest.bytes.size()));
    }
    DialModel model;
    test::ResetLargestAllocation();
    EXPECT_EQ(ReadDialFile(path, model), LoadOutcome::File);
    EXPECT_LE(test::LargestAllocation(), 64u * 1024u + 64u);
    EXPECT_LT(test::TotalAllocated(), 512u * 1024u);
    EXPECT_EQ(model.auxText.size(), wide ? 32u * 1024u : 64u * 1024u);
    EXPECT_EQ(model.auxTextInt, 1) << "stream out of step after the skipped characters";
    std::filesystem::remove(path);
  }
}

TEST(HostileDialFile, EveryLengthPrefixFormReadsItsCharacters) {
  const struct {
    const char* what;
    std::vector<std::uint8_t> item;
    std::string text;
  } cases[] = {
      {"32-bit length 3", {0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 'a', 'b', 'c'}, "abc"},
      {"16-bit length 2", {0xFF, 2, 0, 'h', 'i'}, "hi"},
      {"empty", {0}, ""},
      {"empty 32-bit", {0xFF, 0xFF, 0xFF, 0, 0, 0, 0}, ""},
      {"wide, two characters", {0xFF, 0xFE, 0xFF, 0x02, 'o', 0, 'k', 0}, "ok"},
      {"wide euro and e acute", {0xFF, 0xFE, 0xFF, 0x02, 0xAC, 0x20, 0xE9, 0x00}, "\x80\xE9"},
      {"wide, characters beyond 1252", {0xFF, 0xFE, 0xFF, 0x03, 0x00, 0x01, 0x3D, 0xD8, 0x00, 0xDE}, "??"},
      {"wide lone surrogate", {0xFF, 0xFE, 0xFF, 0x01, 0x00, 0xDC}, "?"},
      {"wide 32-bit length", {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 'w', 0}, "w"},
  };
  for (const auto& c : cases) {
    VqrBytes b = UpToFirstString();
    b.bytes.insert(b.bytes.end(), c.item.begin(), c.item.end());
    RestOf14_1(b);
    DialModel model;
    ASSERT_EQ(ReadDialBytes(b.bytes.data(), b.bytes.size(), model), LoadOutcome::File) << c.what;
    EXPECT_EQ(model.auxText, c.text) << c.what;
    EXPECT_EQ(model.auxTextInt, 1) << c.what << ": stream out of step";
  }
}

// The invariants every completed load guarantees to the geometry and the drawing.
void ExpectCompletedLoadInvariants(const DialModel& m) {
  EXPECT_EQ(m.modelReady, 1);
  EXPECT_GE(m.dialType, 0);
  EXPECT_LE(m.dialType, 14);
  EXPECT_TRUE(m.latitude >= -90 && m.latitude <= 90);
  EXPECT_TRUE(m.longitude >= -180 && m.longitude <= 180);
  EXPECT_TRUE(m.planeDeclination >= -180 && m.planeDeclination <= 180);
  EXPECT_TRUE(std::isfinite(m.gnomonLength) && m.gnomonLength > 0);
  EXPECT_TRUE(std::isfinite(m.plateXMin) && std::isfinite(m.plateXMax) && m.plateXMin < m.plateXMax);
  EXPECT_TRUE(std::isfinite(m.plateYMin) && std::isfinite(m.plateYMax) && m.plateYMin < m.plateYMax);
  EXPECT_TRUE((m.timeZone >= -11 && m.timeZone <= 12) || m.timeZone == kNoTimeZone);
  EXPECT_TRUE(std::isfinite(m.longitudeCorrection));
}

void ReadAnything(const std::vector<std::uint8_t>& bytes, int& completed) {
  DialModel model;
  const LoadOutcome outcome = ReadDialBytes(bytes.data(), bytes.size(), model);
  ASSERT_TRUE(outcome == LoadOutcome::File || outcome == LoadOutcome::Invalid ||
              outcome == LoadOutcome::Truncated);
  if (outcome == LoadOutcome::Truncated) {
    EXPECT_EQ(model.modelReady, 0);
  } else {
    ++completed;
    ExpectCompletedLoadInvariants(model);
  }
}

TEST(HostileDialFile, RandomBytesAlwaysEndInAnOutcome) {
  std::mt19937 rng(20260101);
  int completed = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> bytes(rng() % 700);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
    ReadAnything(bytes, completed);
  }
  // Mutations of a valid latest-version file reach far deeper into the layout.
  const std::vector<std::uint8_t> valid = WriteVqr(test::SampleDial());
  for (int round = 0; round < 5000; ++round) {
    std::vector<std::uint8_t> bytes = valid;
    const int flips = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < flips; ++i) bytes[rng() % bytes.size()] = static_cast<std::uint8_t>(rng());
    if (rng() % 4 == 0) bytes.resize(rng() % (bytes.size() + 1));
    ReadAnything(bytes, completed);
  }
  EXPECT_GT(completed, 1000);  // the mutations must not all be truncations
}

}  // namespace
}  // namespace sundial
