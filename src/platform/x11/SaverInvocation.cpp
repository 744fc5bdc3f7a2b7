#include "SaverInvocation.h"

namespace sundial::x11 {

std::optional<std::uint64_t> ParseWindowId(const std::string& text) {
  std::size_t i = 0;
  unsigned base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    i = 2;
  }
  if (i >= text.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    // X resource ids are 29-bit values carried in 32 bits.
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (value == 0) return std::nullopt;
  return value;
}

namespace {

bool IsDecimal(const std::string& text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Recognises a screen-saver switch at args[i] in one of the forms the Windows saver takes (a
// slash, a dash or nothing before the letter), and gives the text to hand to the start-up
// sequence: the switch, with the window number of P, L, A or C when the next argument is one, in
// which case `i` steps over it. The previews need their window. Nothing for any other word: a
// switch the saver does not know, or a slash alone, is refused rather than ignored.
std::optional<std::string> WindowsSwitch(const std::vector<std::string>& args, std::size_t& i) {
  const std::string& arg = args[i];
  std::size_t letterAt = 0;
  if (!arg.empty() && (arg[0] == '/' || arg[0] == '-')) letterAt = 1;
  if (arg.size() <= letterAt) return std::nullopt;
  const char letter = arg[letterAt];
  const std::string tail = arg.substr(letterAt + 1);
  switch (letter) {
    case 'S':
    case 's':
    case 'd':
      if (tail.empty()) return arg;
      return std::nullopt;
    case 'P':
    case 'p':
    case 'L':
    case 'l':
    case 'A':
    case 'a':
    case 'C':
    case 'c': {
      if (tail.size() > 1 && tail[0] == ':' && IsDecimal(tail.substr(1))) return arg;
      if (!tail.empty()) return std::nullopt;
      if (i + 1 < args.size() && IsDecimal(args[i + 1])) {
        ++i;
        return arg + " " + args[i];
      }
      const bool preview = letter == 'P' || letter == 'p' || letter == 'L' || letter == 'l';
      if (preview) return std::nullopt;
      return arg;
    }
    default:
      return std::nullopt;
  }
}

SaverInvocation UsageError(std::string error) {
  SaverInvocation result;
  result.kind = InvocationKind::UsageError;
  result.error = std::move(error);
  return result;
}

}  // namespace

SaverInvocation ClassifyInvocation(const std::vector<std::string>& args,
                                   const std::optional<std::string>& screensaverWindow) {
  SaverInvocation result;
  std::optional<std::string> windowsSwitch;
  std::string windowsSwitchWord;
  bool root = false;
  bool topLevel = false;
  std::optional<std::uint64_t> windowId;

  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // XScreenSaver passes its options with one dash or two.
    const std::string name = arg.size() > 2 && arg.rfind("--", 0) == 0 ? arg.substr(1) : arg;
    const auto value = [&]() -> const std::string* {
      return i + 1 < args.size() ? &args[++i] : nullptr;
    };
    if (name == "-help" || name == "-h") {
      result.kind = InvocationKind::Help;
      return result;
    }
    if (name == "-version") {
      result.kind = InvocationKind::Version;
      return result;
    }
    if (name == "-xscreensaver-add" || name == "-xscreensaver-remove") {
      if (args.size() != 2) return UsageError(arg + " takes no other argument");
      result.kind = name == "-xscreensaver-add" ? InvocationKind::XScreenSaverAdd
                                                : InvocationKind::XScreenSaverRemove;
      return result;
    }
    if (name == "-root") {
      root = true;
    } else if (name == "-window") {
      topLevel = true;
    } else if (name == "-window-id") {
      const std::string* text = value();
      if (text == nullptr) return UsageError(arg + " needs a window number (decimal or 0x hex)");
      windowId = ParseWindowId(*text);
      if (!windowId) {
        return UsageError(arg + " needs a window number (decimal or 0x hex), not '" + *text +
                          "'");
      }
      result.windowText = *text;
    } else if (name == "-file" || name == "-display") {
      const std::string* text = value();
      if (text == nullptr || text->empty()) {
        return UsageError(arg + (name == "-file" ? " needs the path of a dial file"
                                                 : " needs the name of an X display"));
      }
      (name == "-file" ? result.dialFile : result.display) = *text;
    } else if (name == "-delay" || name == "-visual") {
      // Frame pacing and the choice of visual are XScreenSaver's; a sundial ticks once a second
      // on the window's own visual.
      if (value() == nullptr) return UsageError(arg + " needs a value");
    } else if (name == "-fps" || name == "-install" || name == "-mono") {
      // Nothing to show or choose for these.
    } else if (!windowsSwitch) {
      windowsSwitch = WindowsSwitch(args, i);
      if (!windowsSwitch) {
        const bool preview = arg.size() == 2 && (arg[0] == '/' || arg[0] == '-') &&
                             (arg[1] == 'p' || arg[1] == 'P' || arg[1] == 'l' || arg[1] == 'L');
        if (preview) return UsageError("'" + arg + "' needs the number of a window (decimal)");
        return UsageError("unknown option '" + arg + "'");
      }
      windowsSwitchWord = arg;
    } else {
      return UsageError("unknown option '" + arg + "' (after '" + windowsSwitchWord + "')");
    }
  }

  if (windowsSwitch && (root || topLevel || windowId)) {
    return UsageError("'" + windowsSwitchWord + "' cannot be combined with " +
                      (windowId ? "-window-id" : root ? "-root" : "-window"));
  }
  const std::string program = args.empty() ? std::string("sundial-saver") : args[0];
  if (windowId) {
    result.kind = InvocationKind::PreviewIn;
    result.window = *windowId;
  } else if (root) {
    result.kind = InvocationKind::DrawOnWindow;
    // Empty counts as unset, as XScreenSaver's own modules read it.
    if (screensaverWindow && !screensaverWindow->empty()) {
      const auto id = ParseWindowId(*screensaverWindow);
      if (!id) {
        result.kind = InvocationKind::BadEnvironment;
        result.error = "XSCREENSAVER_WINDOW is '" + *screensaverWindow +
                       "', not a window number (decimal or 0x hex)";
        return result;
      }
      result.window = *id;
      result.windowText = *screensaverWindow;
    }
  } else if (windowsSwitch) {
    result.commandLine = "\"" + program + "\" " + *windowsSwitch;
  } else if (topLevel || args.size() > 1) {
    // Like every XScreenSaver module, a start with neither -root nor -window-id draws in a
    // window of its own.
    result.kind = InvocationKind::TopLevel;
  } else {
    // No argument at all: the configuration, as on Windows.
    result.commandLine = "\"" + program + "\"";
  }
  return result;
}

std::string UsageText(const std::string& program) {
  return "Usage: " + program + " [MODE] [-file DIAL.vqr] [-display NAME]\n"
         "Shows a sundial with the shadow the real sun casts on it now.\n"
         "\n"
         "Modes as XScreenSaver starts its display modules:\n"
         "  -root               draw on $XSCREENSAVER_WINDOW, else on the root window\n"
         "  -window-id ID       draw inside window ID (decimal or 0x hex)\n"
         "  -window             draw in an ordinary window of its own (the default when\n"
         "                      only options are given)\n"
         "Modes of the screen saver itself:\n"
         "  /s                  full screen; a key, a button or a mouse move ends it\n"
         "  /p ID, /p:ID, /l ID preview inside window ID (decimal), ending with it\n"
         "  /c [ID], /c:ID      choose the dial file (zenity or kdialog) and store it as the\n"
         "                      saver's dial; also with no argument\n"
         "  d                   store the installed example dial as the saver's dial\n"
         "  /a [ID], /a:ID      change the password (the screen locker's work: does nothing)\n"
         "  These also take a dash or nothing instead of the slash (-s, s).\n"
         "Options:\n"
         "  -file DIAL.vqr      show this dial for this run; the chosen dial stays as it is\n"
         "  -display NAME       the X display to use instead of $DISPLAY\n"
         "  -delay N, -visual V, -fps, -install, -mono\n"
         "                      XScreenSaver's standard options: accepted and ignored\n"
         "  -help               print this text\n"
         "  --version           print the version\n"
         "XScreenSaver's list of modules (~/.xscreensaver, a copy kept as ~/.xscreensaver.bak):\n"
         "  --xscreensaver-add      add this module to the list (the file is made if needed)\n"
         "  --xscreensaver-remove   take it out of the list again\n"
         "Options take one dash or two. The chosen dial is FileName in section [Velquarin] of\n"
         "$XDG_CONFIG_HOME/Orvantek/Screen Saver.ini (~/.config when the variable is unset).\n";
}

}  // namespace sundial::x11
