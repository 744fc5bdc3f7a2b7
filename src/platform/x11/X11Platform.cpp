#include "X11Platform.h"

#include <X11/Xatom.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "FileChooser.h"
#include "app/SaverApp.h"

namespace sundial::x11 {

namespace {

template <typename Number>
void ReadNumber(const IniProfile& profile, const char* name, Number& value) {
  const std::optional<std::string> text = profile.Read(kSaverSettingsSection, name);
  if (!text) return;
  std::size_t begin = text->find_first_not_of(" \t");
  std::size_t end = text->find_last_not_of(" \t");
  if (begin == std::string::npos) return;
  Number parsed{};
  const char* first = text->data() + begin;
  const char* last = text->data() + end + 1;
  const auto [stop, error] = std::from_chars(first, last, parsed);
  if (error == std::errc() && stop == last) value = parsed;
}

// X window ids are 32-bit values; anything else names no window.
std::optional<Window> AsWindow(WindowHandle handle) {
  if (handle <= 0 || handle > 0xFFFFFFFFll) return std::nullopt;
  return static_cast<Window>(handle);
}

}  // namespace

SaverSettings ReadSaverSettings(const IniProfile& profile) {
  SaverSettings settings;
  ReadNumber(profile, kPasswordDelayName, settings.passwordDelay);
  ReadNumber(profile, kMouseThresholdName, settings.mouseThreshold);
  return settings;
}

std::string InstalledExampleDirectory() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const std::filesystem::path bin = self.parent_path();
    if (bin.filename() == std::filesystem::path(SUNDIAL_BINDIR_RELATIVE).filename()) {
      const std::filesystem::path beside = bin.parent_path() / SUNDIAL_DATADIR_RELATIVE;
      if (std::filesystem::is_directory(beside, error)) return beside.string();
    }
  }
  return SUNDIAL_EXAMPLE_DIR;
}

X11Platform::X11Platform(IniProfile& profile, LocalClock& clock)
    : profile_(profile), clock_(clock) {}

X11Platform::~X11Platform() {
  session_.reset();
  connection_.reset();
}

std::optional<std::string> X11Platform::ReadProfileString(const std::string& section,
                                                          const std::string& valueName) {
  if (dialFileForThisRun_ && section == kProfileSection && valueName == kProfileFileName) {
    return dialFileForThisRun_;
  }
  return profile_.Read(section, valueName);
}

bool X11Platform::WriteProfileString(const std::string& section, const std::string& valueName,
                                     const std::string& value) {
  if (profile_.Write(section, valueName, value)) {
    // "d" and "/c" replace the user's choice: say what it is now.
    if (section == kProfileSection && valueName == kProfileFileName) {
      std::printf("sundial-saver: the saver now shows %s\n", value.c_str());
    }
    return true;
  }
  if (profile_.Path().empty()) {
    std::fprintf(stderr,
                 "sundial-saver: cannot store %s: neither XDG_CONFIG_HOME nor HOME names a place "
                 "for the profile\n",
                 valueName.c_str());
  } else {
    std::fprintf(stderr, "sundial-saver: cannot store %s in %s\n", valueName.c_str(),
                 profile_.Path().string().c_str());
  }
  return false;
}

std::optional<std::string> X11Platform::ChooseFile(const FileChooserRequest& request) {
  if (Connection() == nullptr) {
    displayFailed_ = true;
    return std::nullopt;
  }
  if (!FindOnPath("zenity") && !FindOnPath("kdialog")) displayFailed_ = true;
  const std::string hint = "sundial-saver: no file chooser (zenity or kdialog) is installed; set " +
                           std::string(kProfileFileName) + " in section [" + kProfileSection +
                           "] of " + profile_.Path().string() + " to the full path of a " +
                           request.filterPattern + " dial file";
  return RunFileChooser(request, hint);
}

void X11Platform::ReportProblem(const std::string& text) {
  std::fprintf(stderr, "sundial-saver: %s\n", text.c_str());
}

std::string X11Platform::SystemDirectory() {
  if (exampleDirectory_.empty()) exampleDirectory_ = InstalledExampleDirectory();
  return exampleDirectory_;
}

X11Connection* X11Platform::Connection() {
  if (!connection_ && !connectionFailed_) {
    auto connection =
        std::make_unique<X11Connection>(displayName_ ? displayName_->c_str() : nullptr);
    if (!connection->Ok()) {
      const char* name = displayName_ ? displayName_->c_str() : std::getenv("DISPLAY");
      const bool named = name != nullptr && *name != '\0';
      std::fprintf(stderr, "sundial-saver: cannot open the X display%s%s\n", named ? " " : "",
                   named ? name : " (DISPLAY is not set)");
      connectionFailed_ = true;
      return nullptr;
    }
    connection_ = std::move(connection);
  }
  return connection_.get();
}

WindowHandle X11Platform::ForegroundWindow() {
  X11Connection* connection = Connection();
  if (connection == nullptr) return 0;
  Display* display = connection->display();
  // The window manager's idea of the active window, else the keyboard focus.
  const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", True);
  if (active != None) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), active, 0, 1, False, XA_WINDOW,
                           &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
      const Window window = count == 1 && format == 32 ? *reinterpret_cast<Window*>(data) : None;
      XFree(data);
      if (window != None) return static_cast<WindowHandle>(window);
    }
  }
  Window focus = None;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  return focus == None || focus == PointerRoot ? 0 : static_cast<WindowHandle>(focus);
}

bool X11Platform::CreatePreviewWindow(WindowHandle parent, CSaverApp& app) {
  X11Connection* connection = Connection();
  const std::optional<Window> window = AsWindow(parent);
  if (connection != nullptr && window) {
    session_ = DialSession::Preview(*connection, *window, app.dialFilePath, clock_);
  }
  if (!session_) {
    if (connection != nullptr) {
      const std::string name =
          windowIdText_.empty() ? std::to_string(static_cast<long long>(parent)) : windowIdText_;
      std::fprintf(stderr, "sundial-saver: window %s does not exist\n", name.c_str());
    }
    displayFailed_ = true;
  }
  return session_ != nullptr;
}

bool X11Platform::CreateDrawingOnWindow(WindowHandle target, CSaverApp& app) {
  X11Connection* connection = Connection();
  if (connection != nullptr) {
    const Window window = target == 0 ? DefaultRootWindow(connection->display())
                                      : AsWindow(target).value_or(None);
    if (window != None) {
      // The root window spans every monitor: a dial on each. A window handed over (by
      // XScreenSaver, which gives each monitor its own) gets one dial.
      session_ = DialSession::DrawOn(*connection, window, app.dialFilePath, clock_, target == 0);
    }
    if (!session_) {
      std::fprintf(stderr, "sundial-saver: window 0x%llx does not exist\n",
                   static_cast<unsigned long long>(target));
    }
  }
  if (!session_) displayFailed_ = true;
  return session_ != nullptr;
}

bool X11Platform::CreateTopLevelWindow(CSaverApp& app) {
  X11Connection* connection = Connection();
  if (connection != nullptr) {
    session_ = DialSession::TopLevel(*connection, app.dialFilePath, clock_);
  }
  if (!session_) displayFailed_ = true;
  return session_ != nullptr;
}

bool X11Platform::CreateFullScreenWindow(CSaverApp& app) {
  X11Connection* connection = Connection();
  if (connection != nullptr) {
    session_ = DialSession::FullScreen(*connection, app.dialFilePath, clock_,
                                       ReadSaverSettings(profile_));
  }
  if (!session_) displayFailed_ = true;
  return session_ != nullptr;
}

}  // namespace sundial::x11
