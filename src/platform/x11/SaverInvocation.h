// How the Linux saver was started. XScreenSaver starts its display modules with its own
// conventions, which are recognised before the screen-saver command line proper:
//   -root             draw on the window named by $XSCREENSAVER_WINDOW, else on the root window
//   -window-id ID     draw inside the given window (decimal or 0x hex), as a preview
//   $XSCREENSAVER_WINDOW with no argument at all: draw on that window
// In these modes the saver only draws: XScreenSaver owns the input and the locking, and ends the
// module with a signal. Every other command line goes to the ordinary switches (/s, /p ID, ...).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sundial::x11 {

enum class InvocationKind {
  CommandLine,  // the ordinary switches: hand the whole line to the start-up sequence
  DrawOnWindow, // -root or $XSCREENSAVER_WINDOW: draw on that window itself (0 = the root window)
  PreviewIn,    // -window-id ID: a dial window inside ID, covering it
  BadWindowId,  // -window-id with a missing or unreadable number
};

struct SaverInvocation {
  InvocationKind kind = InvocationKind::CommandLine;
  std::uint64_t window = 0;
  std::string commandLine;  // for CommandLine: program path (quoted) and the arguments
};

// Reads an X window id as XScreenSaver writes it: "0x" followed by hex digits, or decimal.
// Nothing else (no sign, no blanks, no trailing text, nothing beyond 32 bits, not 0) is an id.
std::optional<std::uint64_t> ParseWindowId(const std::string& text);

// `args` is argv (program path first); `screensaverWindow` the value of $XSCREENSAVER_WINDOW
// when it is set.
SaverInvocation ClassifyInvocation(const std::vector<std::string>& args,
                                   const std::optional<std::string>& screensaverWindow);

}  // namespace sundial::x11
