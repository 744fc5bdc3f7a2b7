// SIGTERM, SIGINT and SIGHUP (the ways XScreenSaver, a terminal and a closed session end a saver)
// turned into a readable file descriptor, so that the event loop, waiting for events, sees them
// and ends cleanly, freeing its windows and closing the display.
//
// While the loop is busy instead (the first load and geometry of a dial, a paint of a very large
// window, each of which may take seconds) a signal ends the process at once with status 0: a
// drawing saver holds nothing that could be lost, the X server frees its windows and grabs, and
// the one file it ever writes, the profile, is replaced by a rename and so never left half-way.
#pragma once

namespace sundial::x11 {

class SignalPipe {
 public:
  // Installs the handlers; only one instance may exist at a time.
  SignalPipe();
  ~SignalPipe();
  SignalPipe(const SignalPipe&) = delete;
  SignalPipe& operator=(const SignalPipe&) = delete;

  bool Ok() const { return readFd_ >= 0; }
  int Fd() const { return readFd_; }
  // Empties the pipe; true when a signal had arrived since the handlers were installed.
  bool Drain();

  // From now on (true) a signal ends the process at once, or (false) only writes to the pipe.
  // The handlers start in the second way.
  static void EndAtOnce(bool atOnce);

 private:
  int readFd_ = -1;
  int writeFd_ = -1;
};

}  // namespace sundial::x11
