// SIGTERM and SIGINT (the way XScreenSaver and a terminal end a saver) turned into a readable
// file descriptor, so that the event loop sees them between two events and ends cleanly, freeing
// its windows and closing the display, instead of dying in the middle of a paint.
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
  // Empties the pipe; true when a signal had arrived.
  bool Drain();

 private:
  int readFd_ = -1;
  int writeFd_ = -1;
};

}  // namespace sundial::x11
