// CSaverWnd: the full-screen dial window of the screen saver. On top of the dial window it ends
// the saver at the first sign of a user (a key, a button, the mouse moved beyond a threshold,
// another window or application activated), asking for the screen-saver password once the grace
// period after the start has run out. Platform-neutral: the shell translates its input and
// activation events into the handlers below and supplies the host services.
#pragma once

#include <cstdint>

#include "window/CDialWnd.h"

namespace sundial {

struct CursorPoint {
  std::int32_t x = 0;  // screen pixels
  std::int32_t y = 0;
  friend bool operator==(const CursorPoint&, const CursorPoint&) = default;
};

// The platform's shared screen-saver settings, with the values that hold when they are absent.
struct SaverSettings {
  std::uint32_t passwordDelay = 0;  // seconds after the start that close without a password
  std::int32_t mouseThreshold = 3;  // pixels the cursor may move on either axis
};

// What the saver window needs from its shell besides the dial window's services.
class SaverWndHost : public DialWndHost {
 public:
  // Posts a close request to the window itself; it arrives later as OnClose.
  virtual void PostCloseRequest() = 0;
  // Milliseconds since the system started (wraps around after about 49.7 days).
  virtual std::uint32_t TickCount() = 0;
  // The present cursor position in screen pixels.
  virtual CursorPoint CursorPosition() = 0;
  // Runs the platform's screen-saver password check with the saver window as owner (a nested
  // dialog). True when the user may leave; platforms that check the password themselves, or that
  // have no such service, return true at once.
  virtual bool VerifyPassword() = 0;
  // Destroys the window: the saver ends.
  virtual void DestroyWindow() = 0;
};

// The system commands the saver answers to.
enum class SystemCommand { ScreenSave, Close, Other };

class CSaverWnd : public CDialWnd {
 public:
  CSaverWnd(SaverWndHost& host, LocalClock& clock, std::string& dialFilePath);

  // After the platform window exists and the system has been told a saver runs: takes the cursor
  // reference and the start tick and keeps the settings.
  void OnCreate(const SaverSettings& settings);

  // False for the commands the saver drops (starting another saver, closing from the system
  // menu); the shell passes every other command to the default handling.
  static bool AcceptsSystemCommand(SystemCommand command) {
    return command == SystemCommand::Other;
  }
  // The arrow cursor while the password dialog is open, otherwise no cursor.
  bool ShowsCursor() const { return inPasswordCheck != 0; }
  // Whether the non-client activation change may take place (default handling); otherwise the
  // shell refuses it.
  bool AllowsNcActivate(bool becomingActive) const {
    return inPasswordCheck != 0 || becomingActive;
  }

  // Input and activation; each may request the close. The shell runs the default handling after.
  void OnActivate(bool becomingActive);
  void OnActivateApp(bool becomingActive);
  void OnMouseMove();
  void OnUserInput();  // key, system key, left, middle or right button down

  // The close rule. A close the saver did not request itself is ignored; within the grace period
  // the window is destroyed at once; after it the password is asked for, and a refusal keeps the
  // saver running with a fresh cursor reference.
  void OnClose();

  std::int32_t inPasswordCheck = 0;
  std::int32_t closeRequested = 0;
  CursorPoint lastCursor;
  std::uint32_t startTick = 0;
  std::uint32_t passwordDelay = 0;
  std::int32_t mouseThreshold = 3;

 private:
  void RequestClose();
  bool CursorMovedBeyondThreshold();

  SaverWndHost& saverHost_;
};

}  // namespace sundial
