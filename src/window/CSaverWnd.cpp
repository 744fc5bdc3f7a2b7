#include "window/CSaverWnd.h"

#include <cstdlib>

namespace sundial {

CSaverWnd::CSaverWnd(SaverWndHost& host, LocalClock& clock, std::string& dialFilePath)
    : CDialWnd(host, clock, dialFilePath), saverHost_(host) {}

void CSaverWnd::OnCreate(const SaverSettings& settings) {
  inPasswordCheck = 0;
  closeRequested = 0;
  CDialWnd::OnCreate();
  lastCursor = saverHost_.CursorPosition();
  startTick = saverHost_.TickCount();
  passwordDelay = settings.passwordDelay;
  mouseThreshold = settings.mouseThreshold;
}

void CSaverWnd::RequestClose() {
  closeRequested = 1;
  saverHost_.PostCloseRequest();
}

// A move of exactly the threshold is still a resting hand; one pixel more on either axis ends
// the saver.
bool CSaverWnd::CursorMovedBeyondThreshold() {
  const CursorPoint p = saverHost_.CursorPosition();
  const long long dx = std::llabs(static_cast<long long>(p.x) - lastCursor.x);
  const long long dy = std::llabs(static_cast<long long>(p.y) - lastCursor.y);
  return dx > mouseThreshold || dy > mouseThreshold;
}

void CSaverWnd::OnActivate(bool becomingActive) {
  if (inPasswordCheck == 0 && !becomingActive) RequestClose();
}

void CSaverWnd::OnActivateApp(bool becomingActive) {
  if (inPasswordCheck == 0 && !becomingActive) RequestClose();
}

void CSaverWnd::OnMouseMove() {
  if (inPasswordCheck == 0 && CursorMovedBeyondThreshold()) RequestClose();
}

void CSaverWnd::OnUserInput() {
  if (inPasswordCheck == 0) RequestClose();
}

void CSaverWnd::OnClose() {
  if (closeRequested == 0) return;  // not ours: another program or the system menu
  if (inPasswordCheck != 0) {
    saverHost_.DestroyWindow();
    return;
  }
  // Unsigned difference: stays right when the tick count wraps around between start and close.
  const std::uint32_t elapsed = saverHost_.TickCount() - startTick;
  if (static_cast<std::uint64_t>(elapsed) <= static_cast<std::uint64_t>(passwordDelay) * 1000u) {
    saverHost_.DestroyWindow();
    return;
  }
  inPasswordCheck = 1;
  const bool accepted = saverHost_.VerifyPassword();
  inPasswordCheck = 0;
  lastCursor = saverHost_.CursorPosition();
  if (accepted) saverHost_.DestroyWindow();
}

}  // namespace sundial
