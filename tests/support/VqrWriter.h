// Test writer of dial description files (.vqr): writes the items of a DialModel in the order and
// encoding of the format, honouring the version gate of every item, so that reader tests can
// build files of any version, the pre-version layout and every string length-prefix form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/DialModel.h"

namespace sundial::test {

// The version bytes: major and minor, each a signed byte.
struct VqrVersion {
  std::int8_t major = 0;
  std::int8_t minor = 0;
  bool From(int m, int n) const { return major > m || (major == m && minor >= n); }
};

inline constexpr VqrVersion kLatestVersion{24, 11};

// The four forms of a string's length prefix.
enum class StringForm {
  Byte,        // one byte (only for lengths below 255; longer strings take the next form)
  Word,        // 0xFF then a 16-bit length
  DoubleWord,  // 0xFF, 0xFFFF, then a 32-bit length
  Wide,        // 0xFF, 0xFFFE, then a one-byte (or longer) prefix and UTF-16 characters
};

// Low-level item encoding.
class VqrBytes {
 public:
  VqrBytes& Int32(std::int32_t v);
  VqrBytes& UInt16(std::uint16_t v);
  VqrBytes& UInt32(std::uint32_t v);
  VqrBytes& Double(double v);
  VqrBytes& Int8(std::int8_t v);
  VqrBytes& Byte(std::uint8_t v);
  VqrBytes& Block(const Block8& b);
  // A code page 1252 text; in the Wide form each byte becomes the UTF-16 unit of its character.
  VqrBytes& String(const std::string& text, StringForm form);
  // A wide string of the given UTF-16 units.
  VqrBytes& WideString(const std::u16string& units);

  std::vector<std::uint8_t> bytes;
};

struct VqrOptions {
  std::optional<VqrVersion> version = kLatestVersion;  // nothing: a pre-version file
  StringForm stringForm = StringForm::Byte;
};

// The bytes of a file holding `model` as a file of `options.version` would: every item present
// at that version, in order. A pre-version file ends after item 26.
std::vector<std::uint8_t> WriteVqr(const DialModel& model, const VqrOptions& options = {});

// A valid dial whose every parameter differs from the defaults, so that tests can tell what was
// read from what was defaulted.
DialModel SampleDial();

}  // namespace sundial::test
