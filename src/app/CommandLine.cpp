#include "app/CommandLine.h"

#include <cstddef>
#include <limits>

namespace sundial {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A decimal integer with an optional sign; reading stops at the first non-digit and no digits
// give 0. Values beyond 64 bits saturate instead of overflowing.
std::int64_t ReadInteger(const std::string& s, std::size_t pos) {
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    negative = s[pos] == '-';
    ++pos;
  }
  std::uint64_t value = 0;
  const std::uint64_t limit =
      static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
  for (; pos < s.size() && s[pos] >= '0' && s[pos] <= '9'; ++pos) {
    const unsigned digit = static_cast<unsigned>(s[pos] - '0');
    if (value > (limit - digit) / 10) {
      value = limit;
      break;
    }
    value = value * 10 + digit;
  }
  if (!negative) return static_cast<std::int64_t>(value);
  if (value == limit) return std::numeric_limits<std::int64_t>::min();
  return -static_cast<std::int64_t>(value);
}

std::size_t SkipBlanksAndColons(const std::string& s, std::size_t pos) {
  while (pos < s.size() && (IsBlank(s[pos]) || s[pos] == ':')) ++pos;
  return pos;
}

}  // namespace

RunMode ParseCommandLine(const std::string& line, std::int64_t& handle, bool& handleIsForeground) {
  handle = 0;
  handleIsForeground = false;
  std::size_t pos = 0;

  // The program path: quoted up to the closing quote, otherwise up to the first blank (so an
  // unquoted path with a blank is cut there and its rest read as the switch).
  if (pos < line.size() && line[pos] == '"') {
    ++pos;
    while (pos < line.size() && line[pos] != '"') ++pos;
  } else {
    while (pos < line.size() && !IsBlank(line[pos])) ++pos;
  }
  if (pos < line.size()) ++pos;
  while (pos < line.size() && IsBlank(line[pos])) ++pos;

  if (pos == line.size()) return RunMode::ModeConfigure;
  if (line[pos] == '-' || line[pos] == '/') ++pos;
  if (pos == line.size()) return RunMode::ModeNone;

  switch (line[pos]) {
    case 'S':
    case 's':
      return RunMode::ModeFullScreen;
    case 'P':
    case 'p':
    case 'L':
    case 'l':
      handle = ReadInteger(line, SkipBlanksAndColons(line, pos + 1));
      return RunMode::ModePreview;
    case 'A':
    case 'a':
      handle = ReadInteger(line, SkipBlanksAndColons(line, pos + 1));
      return RunMode::ModeChangePassword;
    case 'C':
    case 'c':
      pos = SkipBlanksAndColons(line, pos + 1);
      if (pos == line.size()) {
        handleIsForeground = true;
      } else {
        handle = ReadInteger(line, pos);
      }
      return RunMode::ModeConfigure;
    case 'd':
      return RunMode::ModeDefaultExample;
    default:
      return RunMode::ModeNone;
  }
}

}  // namespace sundial
