// Fakes for the window tests: a host that counts what the window asks of it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "window/CSaverWnd.h"

namespace sundial::testing {

class FakeHost : public SaverWndHost {
 public:
  void Invalidate() override { ++invalidations; }
  void PostCloseRequest() override { ++closeRequests; }
  std::uint32_t TickCount() override { return tick; }
  CursorPoint CursorPosition() override { return cursor; }
  bool VerifyPassword() override {
    ++passwordChecks;
    if (duringPasswordCheck) duringPasswordCheck();
    return passwordAccepted;
  }
  void DestroyWindow() override { ++destroyed; }

  int invalidations = 0;
  int closeRequests = 0;
  int passwordChecks = 0;
  int destroyed = 0;
  std::uint32_t tick = 0;
  CursorPoint cursor;
  bool passwordAccepted = true;
  std::function<void()> duringPasswordCheck;
};

class CollectingReporter : public MessageReporter {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

}  // namespace sundial::testing
