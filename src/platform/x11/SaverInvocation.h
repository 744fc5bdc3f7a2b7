// How the Linux saver was started. Two families of arguments meet on this command line:
//   the screen saver's own switches, in the forms the Windows saver takes (/s, -s, s, /p ID,
//   /p:ID, /l ID, /c, /c:ID, /a ID, d; any other letter after a slash, or a slash alone, ends
//   at once), which go through the application's start-up unchanged;
//   XScreenSaver's conventions for display modules: -root (draw on $XSCREENSAVER_WINDOW, else on
//   the root window), -window-id ID (draw inside that window; it wins over -root), -window (an
//   ordinary top-level window), -display NAME, and the standard options that mean nothing for
//   a sundial (-delay N, -fps, -install, -visual V, -mono), accepted and ignored.
// Beside either family, -file PATH shows that dial for this run without touching the profile.
// Long options take one dash or two. Anything else is a usage error: the saver must never read
// a mistyped option as a switch that changes the user's settings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sundial::x11 {

enum class InvocationKind {
  CommandLine,   // a screen-saver switch: hand `commandLine` to the start-up sequence
  DrawOnWindow,  // -root: draw on `window` itself (0 = the root window)
  PreviewIn,     // -window-id ID: a dial window inside ID, covering it
  TopLevel,      // -window: the dial in its own ordinary window on the desktop
  Help,          // -help: print the usage and end
  Version,       // --version: print the version and end
  UsageError,    // `error` says what is wrong; the usage follows it
  BadEnvironment,  // -root with an $XSCREENSAVER_WINDOW that is no window number
  XScreenSaverAdd,     // --xscreensaver-add: put the module into ~/.xscreensaver's list
  XScreenSaverRemove,  // --xscreensaver-remove: take it out again
};

struct SaverInvocation {
  InvocationKind kind = InvocationKind::CommandLine;
  std::uint64_t window = 0;
  std::string windowText;   // the window id as it was written, for messages
  std::string commandLine;  // for CommandLine: program path (quoted) and the switch
  std::optional<std::string> dialFile;  // -file PATH
  std::optional<std::string> display;   // -display NAME
  std::string error;                    // for UsageError and BadEnvironment
};

// Reads an X window id as XScreenSaver writes it: "0x" followed by hex digits, or decimal.
// Nothing else (no sign, no blanks, no trailing text, nothing beyond 32 bits, not 0) is an id.
std::optional<std::uint64_t> ParseWindowId(const std::string& text);

// `args` is argv (program path first); `screensaverWindow` the value of $XSCREENSAVER_WINDOW
// when it is set.
SaverInvocation ClassifyInvocation(const std::vector<std::string>& args,
                                   const std::optional<std::string>& screensaverWindow);

// The usage text printed by -help and after a usage error; `program` is the name it shows.
std::string UsageText(const std::string& program);

}  // namespace sundial::x11
