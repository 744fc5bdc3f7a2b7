// The TIME argument of the sundial command: ISO 8601 local clock time with its UTC offset,
// e.g. 2010-07-15T14:00:00+02:00 (or Z for Universal Time). With daylight saving the offset
// includes its hour, so the standard zone is one hour less, as the window's tick reads it.
#pragma once

#include <optional>
#include <string>

#include "window/LocalClock.h"

namespace sundial::cli {

// The clock reading for TIME, or nothing when TIME is not of that form or names no real date.
std::optional<LocalClockReading> ParseClockArgument(const std::string& text, bool daylightSaving);

}  // namespace sundial::cli
