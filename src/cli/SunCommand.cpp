// sundial sun: the present sun as the dial window's tick computes it, as JSON.
//
//   sundial sun --at 2010-07-15T14:00:00+02:00 --dst --lat 45.3825 --lon -7.713333
//   sundial sun --at 2010-09-22T12:00:00+01:00 DIAL.vqr
//   sundial sun --lat 45.3825 --lon -7.713333          (now, by the computer's clock and zone)
//   sundial sun                                        (the built-in dial's place, now)
//
// TIME is the local clock reading with its UTC offset. With --dst the offset includes one hour
// of daylight saving: the standard zone is one hour less and the sun model receives the clock
// hour less one, as the tick does. --lon is positive WEST, like the dial's longitude.
#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>

#include "astro/CivilTime.h"
#include "astro/SunState.h"
#include "cli/ClockArgument.h"
#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "model/DialFileReader.h"
#include "window/LocalClock.h"

namespace sundial::cli {
namespace {

[[noreturn]] void Fail(const std::string& message) { throw UsageError(message); }

LocalClockReading ParseTime(const std::string& text, bool dst) {
  const std::optional<LocalClockReading> r = ParseClockArgument(text, dst);
  if (!r) {
    Fail("--at: expected a real local time with its UTC offset, e.g. 2010-07-15T14:00:00+02:00, "
         "got \"" + text + "\"");
  }
  // The sun model takes the zone as whole hours plus minutes with the sign of the hours, which
  // cannot say "less than one hour west of Greenwich".
  if (r->biasMinutesWest > 0 && r->biasMinutesWest < 60) {
    Fail("--at: a standard-time offset between -01:00 and 00:00 cannot be given to the sun model");
  }
  return *r;
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

  nlohmann::ordered_json out;
  double latitude = 0;
  double longitude = 0;
  if (byPlace) {
    if (!o.latitude || !o.longitude) Fail("--lat and --lon go together");
    latitude = *o.latitude;
    longitude = *o.longitude;
    if (!(latitude >= -90 && latitude <= 90)) Fail("--lat: latitude must lie in -90..90");
    if (!(longitude >= -180 && longitude <= 180)) Fail("--lon: longitude must lie in -180..180");
  }
  // The time is checked before any file is read, so that a wrong command line is always status 2.
  const LocalClockReading r = o.at.empty() ? SystemLocalClock().Now() : ParseTime(o.at, o.dst);
  if (!byPlace) {
    auto model = std::make_unique<DialModel>();  // large: kept off the stack
    if (o.dialPath.empty()) {
      ApplyDefaultDial(*model, true);
    } else {
      std::string failure;
      const LoadOutcome outcome = ReadDialFile(o.dialPath, *model, &failure);
      if (outcome == LoadOutcome::Missing) return CannotOpenDial("sun", o.dialPath, failure);
      WarnAboutLoad("sun", o.dialPath, outcome);
      // As the window does: a file that ends inside an item shows the built-in dial, whose
      // place is then the sun's; an invalid one already holds the built-in dial's place.
      if (outcome == LoadOutcome::Truncated) {
        *model = DialModel{};
        ApplyDefaultDial(*model, true);
      }
      out["load"] = LoadOutcomeName(outcome);
    }
    latitude = model->latitude;
    longitude = model->longitude;
  }

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
  out["clockText"] = FormatClockText(r.hour, r.minute, r.second);
  out["equationText"] = FormatEquationText(s.equationOfTimeSeconds);
  std::cout << out.dump(2) << "\n";
  return OutputWritten("sun") ? 0 : 1;
}

std::function<int()> Setup(CLI::App& sub) {
  auto options = std::make_shared<Options>();
  sub.add_option("--at", options->at,
                 "local clock time with its UTC offset, e.g. 2010-07-15T14:00:00+02:00 "
                 "(default: now, by the system clock and zone)");
  sub.add_flag("--dst", options->dst, "the offset of --at includes one hour of daylight saving");
  sub.add_option("--lat", options->latitude, "latitude in degrees, north positive");
  sub.add_option("--lon", options->longitude, "longitude in degrees, WEST positive");
  sub.add_option("dial", options->dialPath,
                 "dial file (.vqr) whose place is used (default: the built-in dial's place)");
  return [options] { return Run(*options); };
}

CommandRegistration reg{"sun", "the sun's position, equation of time and clock texts as JSON",
                        Setup};

}  // namespace
}  // namespace sundial::cli
