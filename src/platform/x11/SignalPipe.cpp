#include "SignalPipe.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace sundial::x11 {

namespace {

volatile sig_atomic_t gWriteFd = -1;
volatile sig_atomic_t gEndAtOnce = 0;
volatile sig_atomic_t gArrived = 0;

void OnSignal(int) {
  gArrived = 1;
  if (gEndAtOnce != 0) _exit(0);
  const int saved = errno;
  const char byte = 1;
  if (gWriteFd >= 0) {
    [[maybe_unused]] const ssize_t n = write(gWriteFd, &byte, 1);
  }
  errno = saved;
}

// Without SA_RESTART: a call that waits (poll, an open, a read) returns with EINTR rather than
// going on waiting after the signal.
void SetHandler(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
}

}  // namespace

SignalPipe::SignalPipe() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  readFd_ = fds[0];
  writeFd_ = fds[1];
  gWriteFd = writeFd_;
  SetHandler(OnSignal);
}

SignalPipe::~SignalPipe() {
  if (readFd_ < 0) return;
  SetHandler(SIG_DFL);
  gWriteFd = -1;
  gEndAtOnce = 0;
  close(readFd_);
  close(writeFd_);
}

bool SignalPipe::Drain() {
  char buffer[16];
  bool any = false;
  while (read(readFd_, buffer, sizeof buffer) > 0) any = true;
  return any || gArrived != 0;
}

void SignalPipe::EndAtOnce(bool atOnce) { gEndAtOnce = atOnce ? 1 : 0; }

}  // namespace sundial::x11
