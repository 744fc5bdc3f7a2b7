// The ANSI code page 1252 (Western European) in which the dial file's texts are kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sundial {

// The code page 1252 byte of a Unicode character, or '?' for a character the code page lacks.
char Cp1252FromCodePoint(char32_t codePoint);

// The Unicode character of a code page 1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

// Converts `count` UTF-16 little-endian code units at `data` to code page 1252. A surrogate pair
// is one character (which the code page lacks: '?'); a lone surrogate also gives '?'.
std::string Utf16LeToCp1252(const std::uint8_t* data, std::size_t count);

// Converts a code page 1252 text to UTF-8.
std::string Cp1252ToUtf8(std::string_view text);

}  // namespace sundial
