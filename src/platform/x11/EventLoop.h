// The saver's message loop: X events of the dial window, the one-second tick aligned to the
// wall-clock second, and the end signals, all on the one thread. It waits in poll() on the X
// connection and the signal pipe, with a timeout that reaches just past the next second.
#pragma once

#include "SignalPipe.h"
#include "X11Connection.h"
#include "X11DialWindow.h"

namespace sundial::x11 {

enum class LoopEnd {
  WindowGone,  // the dial window was destroyed (the saver closed, or its parent went away)
  Signalled,   // SIGTERM, SIGINT or SIGHUP
  Failed,      // the connection or the wait failed
};

// Runs until the window is gone or a signal arrives.
LoopEnd RunEventLoop(X11Connection& connection, X11DialWindow& window, SignalPipe& signals);

}  // namespace sundial::x11
