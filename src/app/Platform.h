// Platform: what the saver's start-up and configuration actions need from the system they run
// on. The Windows shell implements it over Win32 (registry profile, common dialogs, MPR.DLL);
// the Linux shell over X11 and an INI profile. Everything above this interface is portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sundial {

class CSaverApp;

// A window of the platform as the command line names it: an HWND value on Windows, an X window
// id on Linux. 0 means no window.
using WindowHandle = std::int64_t;

// Where the one persistent setting lives: the key (company) and application name of the profile,
// and the section and value name of the dial file path.
inline constexpr const char* kProfileKey = "Orvantek";
inline constexpr const char* kProfileApplication = "Screen Saver";
inline constexpr const char* kProfileSection = "Velquarin";
inline constexpr const char* kProfileFileName = "FileName";

// The modal open-file dialog that chooses the dial file. `filter` is the framework's form
// "Description|pattern||"; `filterDescription` and `filterPattern` are its one entry split out.
struct FileChooserRequest {
  std::string title;
  std::string filter;
  std::string filterDescription;
  std::string filterPattern;
  std::string defaultExtension;  // added when the user types a name without one ("vqr")
  std::string initialName;       // the present dial file path
};

class Platform {
 public:
  virtual ~Platform() = default;

  // The profile of the application (key kProfileKey, application kProfileApplication): one
  // string value of a section. Reading gives nothing when the value is absent; writing returns
  // false when the value could not be stored.
  virtual std::optional<std::string> ReadProfileString(const std::string& section,
                                                       const std::string& valueName) = 0;
  virtual bool WriteProfileString(const std::string& section, const std::string& valueName,
                                  const std::string& value) = 0;

  // Runs the modal open-file dialog with no owner window. Gives the full path of the chosen file,
  // or nothing when the user cancels.
  virtual std::optional<std::string> ChooseFile(const FileChooserRequest& request) = 0;

  // Tells the user why a configuration action did not do what was asked (a chosen file that is
  // no dial), in the platform's way: a message box on Windows, a line on stderr on Linux.
  virtual void ReportProblem(const std::string& text) = 0;

  // The directory where the example dial is installed with the saver (the Windows directory on
  // Windows), without a trailing separator, and the separator of paths on this platform.
  virtual std::string SystemDirectory() = 0;
  virtual char PathSeparator() const { return '\\'; }

  // Lets the user change the screen-saver password through the platform's own dialog, owned by
  // `owner`. Does nothing where the platform has no such service.
  virtual void ChangeScreenSaverPassword(WindowHandle owner) = 0;

  // The window that has the user's attention now (the owner of "/c" without a number).
  virtual WindowHandle ForegroundWindow() = 0;

  // Creates the small dial window (CDialWnd) as a visible child covering the whole client area
  // of `parent`, titled "Preview", and makes it the main window. Returns false when `parent`
  // names no window: the process must then end instead of running the message loop.
  // The window reads and may empty app.dialFilePath when it loads the dial.
  virtual bool CreatePreviewWindow(WindowHandle parent, CSaverApp& app) = 0;

  // Creates the full-screen saver window (CSaverWnd) and makes it the main window. Returns false
  // when it could not be created.
  virtual bool CreateFullScreenWindow(CSaverApp& app) = 0;
};

}  // namespace sundial
