// sundial sun: the present sun as the dial window's tick computes it, as JSON.
//
//   sundial sun --at 2010-07-15T14:00:00+02:00 --dst --lat 45.3825 --lon -7.713333
//   sundial sun --at 2010-09-22T12:00:00+01:00 DIAL.vqr
//   sundial sun --lat 45.3825 --lon -7.713333          (now, by the computer's clock and zone)
//
// TIME is the local clock reading with its UTC offset. With --dst the offset includes one hour
// of daylight saving: the standard zone is one hour less and the sun model receives the clock
// hour less one, as the tick does. --lon is positive WEST, like the dial's longitude.
#include <CLI/CLI.hpp>

#include <cctype>
#include <cmath>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>

#include "astro/CivilTime.h"
#include "astro/SunState.h"
#include "cli/Command.h"
#include "model/DialFileReader.h"
#include "window/LocalClock.h"

namespace sundial::cli {
namespace {

// One local clock reading as the tick passes it on.
struct ClockReading {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  double second = 0;
  int daylightSaving = 0;
  long biasMinutesWest = 0;  // standard time
};

[[noreturn]] void Fail(const std::string& message) { throw std::runtime_error(message); }

// Reads exactly `digits` decimal digits at text[pos].
int Digits(const std::string& text, size_t& pos, int digits) {
  int value = 0;
  for (int i = 0; i < digits; ++i, ++pos) {
    if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') Fail("");
    value = value * 10 + (text[pos] - '0');
  }
  return value;
}

void Expect(const std::string& text, size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) Fail("");
  ++pos;
}

// ISO 8601 local time with its offset: YYYY-MM-DDTHH:MM[:SS[.fff]](Z|±HH[:MM]).
ClockReading ParseTime(const std::string& text, bool dst) {
  ClockReading r;
  long offsetMinutes = 0;
  try {
    size_t pos = 0;
    r.year = Digits(text, pos, 4);
    Expect(text, pos, '-');
    r.month = Digits(text, pos, 2);
    Expect(text, pos, '-');
    r.day = Digits(text, pos, 2);
    if (pos >= text.size() || (text[pos] != 'T' && text[pos] != 't' && text[pos] != ' ')) Fail("");
    ++pos;
    r.hour = Digits(text, pos, 2);
    Expect(text, pos, ':');
    r.minute = Digits(text, pos, 2);
    if (pos < text.size() && text[pos] == ':') {
      ++pos;
      r.second = Digits(text, pos, 2);
      if (pos < text.size() && (text[pos] == '.' || text[pos] == ',')) {
        ++pos;
        double scale = 0.1;
        if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos]))) Fail("");
        while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
          r.second += (text[pos++] - '0') * scale;
          scale *= 0.1;
        }
      }
    }
    if (pos < text.size() && (text[pos] == 'Z' || text[pos] == 'z')) {
      ++pos;
    } else if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
      const int sign = text[pos++] == '-' ? -1 : 1;
      const int hours = Digits(text, pos, 2);
      int minutes = 0;
      if (pos < text.size()) {
        if (text[pos] == ':') ++pos;
        minutes = Digits(text, pos, 2);
      }
      if (minutes > 59) Fail("");
      offsetMinutes = sign * (hours * 60L + minutes);
    } else {
      Fail("");
    }
    if (pos != text.size()) Fail("");
  } catch (const std::runtime_error&) {
    Fail("--at: expected local time with its UTC offset, e.g. 2010-07-15T14:00:00+02:00, got \"" +
         text + "\"");
  }
  if (r.month < 1 || r.month > 12 || r.day < 1 || r.day > DaysInMonth(r.year, r.month) ||
      r.hour > 23 || r.minute > 59 || r.second >= 61) {
    Fail("--at: no such date or time of day: \"" + text + "\"");
  }
  if (offsetMinutes < -18 * 60 || offsetMinutes > 18 * 60) {
    Fail("--at: UTC offset beyond 18 hours: \"" + text + "\"");
  }
  r.daylightSaving = dst ? 1 : 0;
  const long standardOffset = offsetMinutes - (dst ? 60 : 0);
  // The sun model takes the zone as whole hours plus minutes with the sign of the hours, which
  // cannot say "less than one hour west of Greenwich".
  if (standardOffset < 0 && standardOffset > -60) {
    Fail("--at: a standard-time offset between -01:00 and 00:00 cannot be given to the sun model");
  }
  r.biasMinutesWest = -standardOffset;
  return r;
}

ClockReading SystemReading() {
  SystemLocalClock clock;
  const LocalClockReading now = clock.Now();
  ClockReading r;
  r.year = now.year;
  r.month = now.month;
  r.day = now.day;
  r.hour = now.hour;
  r.minute = now.minute;
  r.second = now.second;
  r.daylightSaving = now.daylightSaving;
  r.biasMinutesWest = now.biasMinutesWest;
  return r;
}

struct Options {
  std::string at;
  bool dst = false;
  std::optional<double> latitude;
  std::optional<double> longitude;
  std::string dialPath;
};

int Run(const Options& o) {
  if (o.dst && o.at.empty()) {
    Fail("--dst needs --at (the system clock knows its own daylight saving)");
  }
  const bool byPlace = o.latitude || o.longitude;
  if (byPlace && !o.dialPath.empty()) Fail("give either --lat and --lon or a dial file, not both");
  if (!byPlace && o.dialPath.empty()) Fail("give the place: --lat DEG --lon DEG, or a dial file");

  nlohmann::ordered_json out;
  double latitude = 0;
  double longitude = 0;
  if (byPlace) {
    if (!o.latitude || !o.longitude) Fail("--lat and --lon go together");
    latitude = *o.latitude;
    longitude = *o.longitude;
    if (!(latitude >= -90 && latitude <= 90)) Fail("--lat: latitude must lie in -90..90");
    if (!(longitude >= -180 && longitude <= 180)) Fail("--lon: longitude must lie in -180..180");
  } else {
    DialModel model;
    // As in the window: whatever the load gives, its place is used (the default dial's place
    // when the file cannot be read).
    out["load"] = LoadOutcomeName(ReadDialFile(o.dialPath, model));
    latitude = model.latitude;
    longitude = model.longitude;
  }

  const ClockReading r = o.at.empty() ? SystemReading() : ParseTime(o.at, o.dst);
  const ZoneOffset zone = ZoneFromBias(r.biasMinutesWest);
  const int modelHour = r.daylightSaving > 0 ? r.hour - 1 : r.hour;
  const SunState s = ComputeSunState(r.year, r.month, r.day, modelHour, r.minute, r.second,
                                     zone.zoneHours, zone.zoneMinutes, latitude, longitude);
  out["apparentLongitude"] = s.apparentLongitude;
  out["sunAzimuth"] = s.sunAzimuth;
  out["sunAltitude"] = s.sunAltitude;
  out["rightAscension"] = s.rightAscension;
  out["sunDeclination"] = s.sunDeclination;
  out["equationOfTimeSeconds"] = s.equationOfTimeSeconds;
  out["deltaTSeconds"] = s.deltaTSeconds;
  out["clockText"] = FormatClockText(r.hour, r.minute, static_cast<int>(r.second));
  out["equationText"] = FormatEquationText(s.equationOfTimeSeconds);
  std::cout << out.dump(2) << "\n";
  return 0;
}

std::function<int()> Setup(CLI::App& sub) {
  auto options = std::make_shared<Options>();
  sub.add_option("--at", options->at,
                 "local clock time with its UTC offset, e.g. 2010-07-15T14:00:00+02:00 "
                 "(default: now, by the system clock and zone)");
  sub.add_flag("--dst", options->dst, "the offset of --at includes one hour of daylight saving");
  sub.add_option("--lat", options->latitude, "latitude in degrees, north positive");
  sub.add_option("--lon", options->longitude, "longitude in degrees, WEST positive");
  sub.add_option("dial", options->dialPath, "dial file (.vqr) whose place is used");
  return [options] { return Run(*options); };
}

CommandRegistration reg{"sun", "the sun's position, equation of time and clock texts as JSON",
                        Setup};

}  // namespace
}  // namespace sundial::cli
