// sundial-saver: the sundial screen saver for X11. XScreenSaver's conventions (-root,
// -window-id, $XSCREENSAVER_WINDOW) come first; every other command line is the screen saver's
// own (/s, /p ID, /c, /a, d) and goes through the application's start-up.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "DialSession.h"
#include "EventLoop.h"
#include "SaverInvocation.h"
#include "SignalPipe.h"
#include "X11Platform.h"
#include "app/IniProfile.h"
#include "app/SaverApp.h"
#include "window/LocalClock.h"

using namespace sundial;

int main(int argc, char** argv) {
  // Before any window exists, so that an early SIGTERM also ends the saver the clean way.
  x11::SignalPipe signals;

  const std::vector<std::string> args(argv, argv + argc);
  const char* environmentWindow = std::getenv("XSCREENSAVER_WINDOW");
  const x11::SaverInvocation invocation = x11::ClassifyInvocation(
      args, environmentWindow != nullptr ? std::optional<std::string>(environmentWindow)
                                         : std::nullopt);

  IniProfile profile(IniProfile::DefaultPath());
  SystemLocalClock clock;
  x11::X11Platform platform(profile, clock);
  CSaverApp app;

  bool running = false;
  switch (invocation.kind) {
    case x11::InvocationKind::BadWindowId:
      std::fprintf(stderr, "sundial-saver: -window-id needs a window number (decimal or 0x hex)\n");
      return 1;
    case x11::InvocationKind::DrawOnWindow:
      if (auto stored = platform.ReadProfileString(kProfileSection, kProfileFileName)) {
        app.dialFilePath = *stored;
      }
      running = platform.CreateDrawingOnWindow(static_cast<WindowHandle>(invocation.window), app);
      break;
    case x11::InvocationKind::PreviewIn:
      running = app.StartUp(platform, RunMode::ModePreview,
                            static_cast<WindowHandle>(invocation.window));
      break;
    case x11::InvocationKind::CommandLine:
      running = app.StartUp(platform, invocation.commandLine);
      break;
  }
  if (!running) return platform.DisplayFailed() || app.actionFailed ? 1 : 0;

  std::unique_ptr<x11::DialSession> session = platform.TakeSession();
  const x11::LoopEnd end = x11::RunEventLoop(*platform.Connection(), session->window(), signals);
  session.reset();
  return end == x11::LoopEnd::Failed ? 1 : 0;
}
