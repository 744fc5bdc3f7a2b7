#include "app/SaverApp.h"

namespace sundial {

bool CSaverApp::StartUp(Platform& platform, const std::string& commandLine) {
  std::int64_t handle = 0;
  bool foreground = false;
  const RunMode mode = ParseCommandLine(commandLine, handle, foreground);
  // "/c" alone names the window that has the user's attention. The configuration dialog does not
  // use its owner, but the mode keeps it as the command line gave it.
  if (foreground) handle = platform.ForegroundWindow();
  return StartUp(platform, mode, handle);
}

bool CSaverApp::StartUp(Platform& platform, RunMode mode, WindowHandle handle) {
  if (auto stored = platform.ReadProfileString(kProfileSection, kProfileFileName)) {
    dialFilePath = *stored;
  }
  switch (mode) {
    case RunMode::ModeConfigure: {
      bool failed = false;
      ChooseDialFile(platform, dialFilePath, &failed);
      actionFailed = failed;
      return false;
    }
    case RunMode::ModeChangePassword:
      ChangePassword(platform, handle);
      return false;
    case RunMode::ModePreview:
      // A parent that names no window gets no child: end rather than wait for nothing.
      return platform.CreatePreviewWindow(handle, *this);
    case RunMode::ModeFullScreen:
      return platform.CreateFullScreenWindow(*this);
    case RunMode::ModeDefaultExample: {
      bool stored = false;
      StoreExampleDial(platform, &stored);
      actionFailed = !stored;
      return false;
    }
    case RunMode::ModeNone:
      return false;
  }
  return false;
}

}  // namespace sundial
