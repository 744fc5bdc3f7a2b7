// sundial-saver: the sundial screen saver for X11. It takes XScreenSaver's conventions for
// display modules (-root, -window-id, -window, $XSCREENSAVER_WINDOW) and the screen saver's own
// switches (/s, /p ID, /c, /a, d), which go through the application's start-up; anything else
// is refused before the profile is even read. --xscreensaver-add and --xscreensaver-remove edit
// the user's list of XScreenSaver modules.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "DialSession.h"
#include "EventLoop.h"
#include "SaverInvocation.h"
#include "SignalPipe.h"
#include "SundialVersion.h"
#include "X11Platform.h"
#include "XScreenSaverList.h"
#include "app/IniProfile.h"
#include "app/SaverApp.h"
#include "model/DialFileReader.h"
#include "window/LocalClock.h"

using namespace sundial;

namespace {

// The exit status of a command line that is not understood.
constexpr int kUsageStatus = 2;

// XScreenSaver's defaults, whose list of modules a new ~/.xscreensaver starts from.
constexpr const char* kXScreenSaverDefaults = "/etc/X11/app-defaults/XScreenSaver";

// The dial a display mode shows is the built-in one when its file cannot be used; one line on
// stderr (which XScreenSaver keeps in its log) says which file and why.
void WarnIfUnusable(const std::string& dialFile) {
  if (dialFile.empty()) return;
  const std::string problem = DialFileProblem(dialFile);
  if (problem.empty()) return;
  std::fprintf(stderr, "sundial-saver: dial file '%s' cannot be shown (%s): the built-in dial is "
               "shown instead\n", dialFile.c_str(), problem.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  // Before any window exists, so that an early SIGTERM also ends the saver the clean way.
  x11::SignalPipe signals;

  const std::vector<std::string> args(argv, argv + argc);
  const char* environmentWindow = std::getenv("XSCREENSAVER_WINDOW");
  const x11::SaverInvocation invocation = x11::ClassifyInvocation(
      args, environmentWindow != nullptr ? std::optional<std::string>(environmentWindow)
                                         : std::nullopt);

  switch (invocation.kind) {
    case x11::InvocationKind::Help:
      std::fputs(x11::UsageText("sundial-saver").c_str(), stdout);
      return 0;
    case x11::InvocationKind::Version:
      std::printf("sundial-saver %s\n", SUNDIAL_VERSION_STRING);
      return 0;
    case x11::InvocationKind::UsageError:
      std::fprintf(stderr, "sundial-saver: %s\n%s", invocation.error.c_str(),
                   x11::UsageText("sundial-saver").c_str());
      return kUsageStatus;
    case x11::InvocationKind::BadEnvironment:
      std::fprintf(stderr, "sundial-saver: %s\n", invocation.error.c_str());
      return 1;
    case x11::InvocationKind::XScreenSaverAdd:
      return x11::AddToXScreenSaver(kXScreenSaverDefaults);
    case x11::InvocationKind::XScreenSaverRemove:
      return x11::RemoveFromXScreenSaver();
    default:
      break;
  }

  IniProfile profile(IniProfile::DefaultPath());
  SystemLocalClock clock;
  x11::X11Platform platform(profile, clock);
  if (invocation.display) platform.SetDisplayName(*invocation.display);
  if (invocation.dialFile) platform.SetDialFileForThisRun(*invocation.dialFile);
  platform.SetWindowIdText(invocation.windowText);
  CSaverApp app;
  bool running = false;
  switch (invocation.kind) {
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
    case x11::InvocationKind::TopLevel:
      if (auto stored = platform.ReadProfileString(kProfileSection, kProfileFileName)) {
        app.dialFilePath = *stored;
      }
      running = platform.CreateTopLevelWindow(app);
      break;
    case x11::InvocationKind::CommandLine:
      running = app.StartUp(platform, invocation.commandLine);
      break;
    default:
      break;
  }
  if (!running) return platform.DisplayFailed() || app.actionFailed ? 1 : 0;
  // A dial window is up: the dial it shows is the built-in one when its file cannot be used.
  WarnIfUnusable(platform.ReadProfileString(kProfileSection, kProfileFileName).value_or(""));

  std::unique_ptr<x11::DialSession> session = platform.TakeSession();
  const x11::LoopEnd end = x11::RunEventLoop(*platform.Connection(), session->window(), signals);
  session.reset();
  return end == x11::LoopEnd::Failed ? 1 : 0;
}
