#include "SignalPipe.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace sundial::x11 {

namespace {

volatile sig_atomic_t gWriteFd = -1;

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  if (gWriteFd >= 0) {
    [[maybe_unused]] const ssize_t n = write(gWriteFd, &byte, 1);
  }
  errno = saved;
}

void SetHandler(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
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
  close(readFd_);
  close(writeFd_);
}

bool SignalPipe::Drain() {
  char buffer[16];
  bool any = false;
  while (read(readFd_, buffer, sizeof buffer) > 0) any = true;
  return any;
}

}  // namespace sundial::x11
