#include "platform/win32/Win32Platform.h"

#include <commdlg.h>

#include <vector>

#include "app/SaverApp.h"
#include "platform/win32/DialWindow.h"
#include "platform/win32/PasswordServices.h"
#include "platform/win32/Registry.h"
#include "platform/win32/StringResource.h"

namespace sundial::win32 {

Win32Platform::Win32Platform(HINSTANCE instance, LocalClock& clock, std::string profileRoot)
    : instance_(instance), clock_(clock), profileRoot_(std::move(profileRoot)) {}

Win32Platform::Win32Platform(HINSTANCE instance, LocalClock& clock)
    : Win32Platform(instance, clock,
                    ProfileRoot(kProfileKey, LoadStringResource(instance, IDS_APP_NAME,
                                                                kProfileApplication))) {}

std::optional<std::string> Win32Platform::ReadProfileString(const std::string& section,
                                                            const std::string& valueName) {
  return ReadRegistryString(HKEY_CURRENT_USER, profileRoot_ + "\\" + section, valueName);
}

bool Win32Platform::WriteProfileString(const std::string& section, const std::string& valueName,
                                       const std::string& value) {
  return WriteRegistryString(HKEY_CURRENT_USER, profileRoot_ + "\\" + section, valueName, value);
}

std::optional<std::string> Win32Platform::ChooseFile(const FileChooserRequest& request) {
  // The filter in the dialog's own form: description, NUL, pattern, NUL, NUL.
  std::string filter = request.filterDescription;
  filter += '\0';
  filter += request.filterPattern;
  filter += '\0';
  filter += '\0';
  // Room for the longest path the dialog can return; the present path is the initial name.
  std::vector<char> name(32768, '\0');
  request.initialName.copy(name.data(), name.size() - 1);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = nullptr;
  ofn.hInstance = instance_;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrTitle = request.title.c_str();
  ofn.lpstrDefExt = request.defaultExtension.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
  if (!GetOpenFileNameA(&ofn)) return std::nullopt;
  return std::string(name.data());
}

void Win32Platform::ReportProblem(const std::string& text) {
  const std::string title = LoadStringResource(instance_, IDS_APP_NAME, kProfileApplication);
  MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
}

std::string Win32Platform::SystemDirectory() {
  // Asked with room for whatever length the system reports, so no path is ever cut short.
  std::vector<char> buffer(MAX_PATH + 1, '\0');
  for (;;) {
    const UINT length = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.assign(length + 1, '\0');
  }
}

void Win32Platform::ChangeScreenSaverPassword(WindowHandle owner) {
  win32::ChangeScreenSaverPassword(ToHwnd(owner));
}

WindowHandle Win32Platform::ForegroundWindow() {
  return static_cast<WindowHandle>(reinterpret_cast<INT_PTR>(GetForegroundWindow()));
}

bool Win32Platform::CreatePreviewWindow(WindowHandle parent, CSaverApp& app) {
  mainWindow_ = DialWindow::CreatePreview(instance_, ToHwnd(parent), app.dialFilePath, clock_);
  return mainWindow_ != nullptr;
}

bool Win32Platform::CreateFullScreenWindow(CSaverApp& app) {
  mainWindow_ = DialWindow::CreateFullScreen(instance_, app.dialFilePath, clock_);
  return mainWindow_ != nullptr;
}

}  // namespace sundial::win32
