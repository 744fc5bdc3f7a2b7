#include "cli/ClockArgument.h"

#include <cctype>

#include "astro/CivilTime.h"

namespace sundial::cli {

namespace {

// The decimal number of text[at, at + count), or -1 unless all of them are digits.
int Digits(const std::string& text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

// YYYY-MM-DDTHH:MM:SS followed by Z, +HH:MM or -HH:MM.
std::optional<LocalClockReading> ParseClockArgument(const std::string& text, bool daylightSaving) {
  if (text.size() < 20 || text[4] != '-' || text[7] != '-' || (text[10] != 'T' && text[10] != ' ') ||
      text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  LocalClockReading r;
  r.year = Digits(text, 0, 4);
  r.month = Digits(text, 5, 2);
  r.day = Digits(text, 8, 2);
  r.hour = Digits(text, 11, 2);
  r.minute = Digits(text, 14, 2);
  r.second = Digits(text, 17, 2);
  if (r.year < 0 || r.month < 1 || r.month > 12 || r.day < 1 ||
      r.day > DaysInMonth(r.year, r.month) || r.hour < 0 || r.hour > 23 || r.minute < 0 ||
      r.minute > 59 || r.second < 0 || r.second > 60) {
    return std::nullopt;
  }
  int offsetMinutes = 0;
  if (text.size() == 20 && text[19] == 'Z') {
    offsetMinutes = 0;
  } else {
    const int hours = Digits(text, 20, 2);
    const int minutes = Digits(text, 23, 2);
    if (text.size() != 25 || (text[19] != '+' && text[19] != '-') || text[22] != ':' ||
        hours < 0 || hours > 14 || minutes < 0 || minutes > 59) {
      return std::nullopt;
    }
    offsetMinutes = (text[19] == '-' ? -1 : 1) * (hours * 60 + minutes);
  }
  r.daylightSaving = daylightSaving ? 1 : 0;
  r.biasMinutesWest = -(offsetMinutes - (daylightSaving ? 60 : 0));
  return r;
}

}  // namespace sundial::cli
