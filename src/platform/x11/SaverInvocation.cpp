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

std::string QuotedCommandLine(const std::vector<std::string>& args) {
  std::string line = "\"" + (args.empty() ? std::string("sundial-saver") : args[0]) + "\"";
  for (std::size_t i = 1; i < args.size(); ++i) line += " " + args[i];
  return line;
}

}  // namespace

SaverInvocation ClassifyInvocation(const std::vector<std::string>& args,
                                   const std::optional<std::string>& screensaverWindow) {
  SaverInvocation result;
  const auto environmentWindow =
      screensaverWindow ? ParseWindowId(*screensaverWindow) : std::optional<std::uint64_t>{};

  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // XScreenSaver passes options with one dash or two.
    const std::string name = arg.rfind("--", 0) == 0 ? arg.substr(1) : arg;
    if (name == "-root") {
      result.kind = InvocationKind::DrawOnWindow;
      result.window = environmentWindow.value_or(0);
      return result;
    }
    if (name == "-window-id") {
      const auto id = i + 1 < args.size() ? ParseWindowId(args[i + 1]) : std::nullopt;
      result.kind = id ? InvocationKind::PreviewIn : InvocationKind::BadWindowId;
      result.window = id.value_or(0);
      return result;
    }
  }
  if (args.size() <= 1 && environmentWindow) {
    result.kind = InvocationKind::DrawOnWindow;
    result.window = *environmentWindow;
    return result;
  }
  result.commandLine = QuotedCommandLine(args);
  return result;
}

}  // namespace sundial::x11
