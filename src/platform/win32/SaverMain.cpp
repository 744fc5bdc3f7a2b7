// SundialSaver.scr: the screen saver's entry point. The system starts it with one switch; the
// application object decides the mode, and the display modes run the message loop until the
// dial window is destroyed.
#include "platform/win32/WinApi.h"

#include "app/SaverApp.h"
#include "platform/win32/Win32Platform.h"
#include "window/LocalClock.h"

namespace {

// The one application object; the dial window reads (and may empty) its dial file path.
sundial::CSaverApp theApp;
sundial::SystemLocalClock theClock;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  sundial::win32::Win32Platform platform(instance, theClock);
  if (!theApp.StartUp(platform, GetCommandLineA())) return 0;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
