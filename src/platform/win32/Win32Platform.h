// Win32Platform: the saver's start-up and configuration actions over Win32: the profile in the
// current user's registry, the common open-file dialog, the Windows directory, the password
// provider router and the two dial windows.
#pragma once

#include "platform/win32/WinApi.h"

#include <string>

#include "app/Platform.h"
#include "window/LocalClock.h"

namespace sundial::win32 {

class Win32Platform final : public Platform {
 public:
  // `profileRoot` is the registry key of the profile under HKEY_CURRENT_USER
  // (Software\Orvantek\Screen Saver); tests give one of their own.
  Win32Platform(HINSTANCE instance, LocalClock& clock, std::string profileRoot);
  explicit Win32Platform(HINSTANCE instance, LocalClock& clock);

  std::optional<std::string> ReadProfileString(const std::string& section,
                                               const std::string& valueName) override;
  bool WriteProfileString(const std::string& section, const std::string& valueName,
                          const std::string& value) override;
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
  // A message box, as the configuration dialog's own.
  void ReportProblem(const std::string& text) override;
  std::string SystemDirectory() override;
  void ChangeScreenSaverPassword(WindowHandle owner) override;
  WindowHandle ForegroundWindow() override;
  bool CreatePreviewWindow(WindowHandle parent, CSaverApp& app) override;
  bool CreateFullScreenWindow(CSaverApp& app) override;

  // The dial window created by the last Create*Window call (nullptr before).
  HWND MainWindow() const { return mainWindow_; }

 private:
  HINSTANCE instance_;
  LocalClock& clock_;
  std::string profileRoot_;
  HWND mainWindow_ = nullptr;
};

// The window a command-line number names.
inline HWND ToHwnd(WindowHandle handle) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
}

}  // namespace sundial::win32
