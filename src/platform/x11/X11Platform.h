// The Linux saver's side of the platform interface: the profile (an INI file), the file chooser
// of the desktop, the directory of the installed example dials, and the dial windows on the X
// display. The display is opened only when something needs it, so that "d" and a profile read
// work without one.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "DialSession.h"
#include "X11Connection.h"
#include "app/IniProfile.h"
#include "app/Platform.h"
#include "window/CSaverWnd.h"
#include "window/LocalClock.h"

namespace sundial::x11 {

// The section of the profile that holds the shared screen-saver settings, and its two values.
inline constexpr const char* kSaverSettingsSection = "Screen Savers";
inline constexpr const char* kPasswordDelayName = "Password Delay";
inline constexpr const char* kMouseThresholdName = "Mouse Threshold";

// The settings of the full-screen saver from the profile; a value that is absent or not a whole
// number in range keeps its default (no grace period, a threshold of 3 pixels).
SaverSettings ReadSaverSettings(const IniProfile& profile);

// The directory of the installed example dials: beside the program's own installation
// (<prefix>/bin/sundial-saver gives <prefix>/share/sundial-saver) when that exists, else the
// directory of the configured installation prefix.
std::string InstalledExampleDirectory();

class X11Platform final : public Platform {
 public:
  X11Platform(IniProfile& profile, LocalClock& clock);
  ~X11Platform() override;

  std::optional<std::string> ReadProfileString(const std::string& section,
                                               const std::string& valueName) override;
  bool WriteProfileString(const std::string& section, const std::string& valueName,
                          const std::string& value) override;
  // The chooser runs on the display: without one, or without a chooser, nothing is chosen and
  // Failed() tells so.
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
  // One line on stderr.
  void ReportProblem(const std::string& text) override;
  std::string SystemDirectory() override;
  char PathSeparator() const override { return '/'; }
  // The screen locker owns the password on Linux: nothing to do.
  void ChangeScreenSaverPassword(WindowHandle) override {}
  WindowHandle ForegroundWindow() override;
  bool CreatePreviewWindow(WindowHandle parent, CSaverApp& app) override;
  bool CreateFullScreenWindow(CSaverApp& app) override;

  // The XScreenSaver form: draw on `target` itself (0: the root window).
  bool CreateDrawingOnWindow(WindowHandle target, CSaverApp& app);
  // The dial in an ordinary top-level window of its own, which ends the saver when closed.
  bool CreateTopLevelWindow(CSaverApp& app);

  // The X display to open instead of $DISPLAY.
  void SetDisplayName(const std::string& name) { displayName_ = name; }
  // The dial file of this run: reading the profile's dial file gives it, and the profile itself
  // is left as it is.
  void SetDialFileForThisRun(const std::string& path) { dialFileForThisRun_ = path; }
  // How the user wrote the window id of a preview, to name it the same way in messages.
  void SetWindowIdText(const std::string& text) { windowIdText_ = text; }

  // The display, opened on first use; nullptr when there is none (said once on stderr).
  X11Connection* Connection();
  // The dial window created by the start-up, handed to the event loop.
  std::unique_ptr<DialSession> TakeSession() { return std::move(session_); }
  // True when a mode could not do its work for want of the display or of a window (no display,
  // an id naming no window, no file chooser installed).
  bool DisplayFailed() const { return displayFailed_; }

  void SetExampleDirectoryForTesting(const std::string& directory) { exampleDirectory_ = directory; }

 private:
  IniProfile& profile_;
  LocalClock& clock_;
  std::unique_ptr<X11Connection> connection_;
  std::unique_ptr<DialSession> session_;
  std::string exampleDirectory_;
  std::optional<std::string> displayName_;
  std::optional<std::string> dialFileForThisRun_;
  std::string windowIdText_;
  bool displayFailed_ = false;
  bool connectionFailed_ = false;
};

}  // namespace sundial::x11
