#include "EventLoop.h"

#include <poll.h>

#include <cerrno>
#include <ctime>

#include "TickSchedule.h"

namespace sundial::x11 {

namespace {

timespec WallClock() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now;
}

}  // namespace

LoopEnd RunEventLoop(X11Connection& connection, X11DialWindow& window, SignalPipe& signals) {
  Display* display = connection.display();
  TickSchedule schedule(WallClock());
  // Busy from here on, except while waiting in poll(): a signal then ends the process at once,
  // even in the middle of a long paint. One that came before is seen here.
  SignalPipe::EndAtOnce(true);
  if (signals.Drain()) return LoopEnd::Signalled;
  window.Update();  // the first picture, without the sun until the first tick

  // Whether the server may have sent something that is not read yet. Each look costs Xlib a few
  // reads of the socket; a wait that ran out with the socket quiet needs none.
  bool look = true;
  for (;;) {
    while (look && window.Alive() && XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      window.HandleEvent(event);
    }
    window.Update();
    if (!window.Alive()) return LoopEnd::WindowGone;

    timespec before = WallClock();
    if (schedule.Due(before)) {
      const std::time_t ticked = before.tv_sec;
      window.Tick();
      window.Update();
      if (!window.Alive()) return LoopEnd::WindowGone;
      before = WallClock();
      if (before.tv_sec != ticked) {  // the paint took us into the next second
        look = true;
        continue;
      }
    }

    // Sends what is drawn; a round trip made while handling the last events may have queued new
    // ones.
    look = true;
    if (XEventsQueued(display, QueuedAfterFlush) > 0) continue;

    pollfd waits[2] = {{connection.Fd(), POLLIN, 0}, {signals.Fd(), POLLIN, 0}};
    SignalPipe::EndAtOnce(false);
    const int ready = poll(waits, 2, TickSchedule::MillisecondsToNextSecond(before));
    const int pollError = errno;
    SignalPipe::EndAtOnce(true);
    if (ready < 0 && pollError != EINTR) return LoopEnd::Failed;
    if (signals.Drain()) return LoopEnd::Signalled;
    if (ready > 0 && (waits[0].revents & (POLLERR | POLLHUP)) != 0) return LoopEnd::Failed;
    look = ready != 0 && (waits[0].revents & POLLIN) != 0;
  }
}

}  // namespace sundial::x11
