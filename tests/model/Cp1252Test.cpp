#include <gtest/gtest.h>

#include "model/Cp1252.h"

namespace sundial {
namespace {

TEST(Cp1252, WesternCharactersRoundTripAndOthersBecomeQuestionMarks) {
  EXPECT_EQ(Cp1252FromCodePoint(U'A'), 'A');
  EXPECT_EQ(Cp1252FromCodePoint(U'\u20AC'), '\x80');  // euro sign
  EXPECT_EQ(Cp1252FromCodePoint(U'\u0178'), '\x9F');  // Y with diaeresis
  EXPECT_EQ(Cp1252FromCodePoint(U'\u00E9'), '\xE9');
  EXPECT_EQ(Cp1252FromCodePoint(U'\u0100'), '?');
  EXPECT_EQ(Cp1252FromCodePoint(U'\u0080'), '?');  // a control the code page puts elsewhere
  EXPECT_EQ(Cp1252FromCodePoint(U'\u03C0'), '?');
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(static_cast<unsigned char>(Cp1252FromCodePoint(Cp1252ToCodePoint(static_cast<unsigned char>(b)))), b);
  }
}

TEST(Cp1252, ConvertsToUtf8) {
  EXPECT_EQ(Cp1252ToUtf8("Caf\xE9 \x80 ok"), "Caf\xC3\xA9 \xE2\x82\xAC ok");
  EXPECT_EQ(Cp1252ToUtf8(""), "");
}

}  // namespace
}  // namespace sundial
