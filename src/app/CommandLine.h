// The command line with which the screen-saver machinery starts the program.
#pragma once

#include <cstdint>
#include <string>

namespace sundial {

// What one run of the process does; the codes are those the start-up sequence dispatches on.
enum class RunMode : int {
  ModeNone = 0,            // an unknown switch: end at once
  ModeConfigure = 1,       // no switch, or C: choose the dial file
  ModeChangePassword = 2,  // A: change the screen-saver password
  ModePreview = 3,         // P or L: the small dial inside the given parent window
  ModeFullScreen = 4,      // S: the saver itself
  ModeDefaultExample = 5,  // d (lower case only): point the profile at the example dial
};

// Decodes the whole command line, program path included, as the system gives it. Only the first
// switch counts. `handle` receives the window number that follows P, L, A or C (0 when none is
// given); `handleIsForeground` is set when C ends the line, in which case the owner is the
// present foreground window, which the caller asks the platform for.
RunMode ParseCommandLine(const std::string& commandLine, std::int64_t& handle,
                         bool& handleIsForeground);

}  // namespace sundial
