#include "XScreenSaverList.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include <unistd.h>

namespace sundial::x11 {

namespace {

constexpr const char* kModuleName = "sundial-saver";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

bool Continues(const std::string& line) { return !line.empty() && line.back() == '\\'; }

// The first line of the `programs:` resource (with `star` "*" in a defaults file), or npos.
std::size_t ProgramsLine(const std::vector<std::string>& lines, const std::string& star) {
  const std::string key = star + "programs:";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind(key, 0) == 0) return i;
  }
  return std::string::npos;
}

// The lines [first, last] of the resource that starts at `first`.
std::size_t LastLineOf(const std::vector<std::string>& lines, std::size_t first) {
  std::size_t last = first;
  while (last + 1 < lines.size() && Continues(lines[last])) ++last;
  return last;
}

bool NamesModule(const std::string& line) {
  for (std::size_t at = line.find(kModuleName); at != std::string::npos;
       at = line.find(kModuleName, at + 1)) {
    const bool startsWord = at == 0 || line[at - 1] == '/' || line[at - 1] == ' ' ||
                            line[at - 1] == '\t' || line[at - 1] == ':';
    const std::size_t after = at + std::strlen(kModuleName);
    const bool endsWord = after == line.size() || line[after] == ' ' || line[after] == '\t';
    if (startsWord && endsWord) return true;
  }
  return false;
}

std::optional<std::string> ReadFile(const std::string& path, int& error) {
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = errno;
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.rdbuf();
  error = in.bad() ? (errno != 0 ? errno : EIO) : 0;
  if (error != 0) return std::nullopt;
  return text.str();
}

// Writes `text` to `path` through a file beside it, renamed over it once complete, so that
// XScreenSaver never reads half a file. Returns 0 or the errno of the failure.
int WriteFile(const std::string& path, const std::string& text) {
  const std::string scratch = path + ".new-" + std::to_string(static_cast<long>(getpid()));
  errno = 0;
  std::FILE* file = std::fopen(scratch.c_str(), "wb");
  if (file == nullptr) return errno != 0 ? errno : EIO;
  int error = 0;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) error = errno;
  if (std::fclose(file) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(scratch.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) std::remove(scratch.c_str());
  return error;
}

std::optional<std::string> UserFile() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    std::fprintf(stderr, "sundial-saver: HOME is not set: no ~/.xscreensaver to change\n");
    return std::nullopt;
  }
  return std::string(home) + "/.xscreensaver";
}

int Fail(const std::string& what, const std::string& path, int error) {
  std::fprintf(stderr, "sundial-saver: cannot %s %s: %s\n", what.c_str(), path.c_str(),
               std::strerror(error != 0 ? error : EIO));
  return 1;
}

// Keeps the present file as PATH.bak, then writes the new text.
int Replace(const std::string& path, const std::string& old, const std::string& text) {
  if (const int error = WriteFile(path + ".bak", old)) return Fail("write", path + ".bak", error);
  if (const int error = WriteFile(path, text)) return Fail("write", path, error);
  return 0;
}

}  // namespace

bool ListsModule(const std::string& text) {
  const std::vector<std::string> lines = Lines(text);
  for (const std::string star : {"", "*"}) {
    const std::size_t first = ProgramsLine(lines, star);
    if (first == std::string::npos) continue;
    const std::size_t last = LastLineOf(lines, first);
    for (std::size_t i = first; i <= last; ++i) {
      if (NamesModule(lines[i])) return true;
    }
  }
  return false;
}

std::optional<std::string> ProgramsOfDefaults(const std::string& defaultsText) {
  const std::vector<std::string> lines = Lines(defaultsText);
  const std::size_t first = ProgramsLine(lines, "*");
  if (first == std::string::npos) return std::nullopt;
  const std::size_t last = LastLineOf(lines, first);
  std::vector<std::string> list(lines.begin() + static_cast<long>(first),
                                lines.begin() + static_cast<long>(last) + 1);
  list.front().erase(0, 1);
  return Joined(list);
}

std::optional<std::string> WithModule(const std::string& text) {
  std::vector<std::string> lines = Lines(text);
  const std::size_t first = ProgramsLine(lines, "");
  if (first == std::string::npos) return std::nullopt;
  const std::string header = lines[first];
  std::string rest = header.substr(std::strlen("programs:"));
  rest.erase(0, rest.find_first_not_of(" \t"));
  std::vector<std::string> replacement{"programs:\t\t\t\t\t\t\t\t      \\"};
  if (rest.empty()) {
    // An empty list: the entry is its only one.
    replacement.push_back(kModuleEntry);
  } else if (rest == "\\") {
    replacement.push_back(std::string(kModuleEntry) + "\\");
  } else {
    // An entry on the header line itself moves to a line of its own, after the module's.
    replacement.push_back(std::string(kModuleEntry) + "\\");
    replacement.push_back("\t\t\t\t" + rest);
  }
  lines.erase(lines.begin() + static_cast<long>(first));
  lines.insert(lines.begin() + static_cast<long>(first), replacement.begin(), replacement.end());
  return Joined(lines);
}

std::string WithoutModule(const std::string& text) {
  std::vector<std::string> lines = Lines(text);
  const std::size_t first = ProgramsLine(lines, "");
  if (first == std::string::npos) return text;
  std::size_t last = LastLineOf(lines, first);
  for (std::size_t i = last + 1; i-- > first;) {
    if (!NamesModule(lines[i])) continue;
    const bool wasLast = i == last;
    if (i == first) {
      lines[i] = Continues(lines[i]) ? "programs:\t\t\t\t\t\t\t\t      \\" : "programs:";
      continue;
    }
    lines.erase(lines.begin() + static_cast<long>(i));
    --last;
    // The entry before the one removed ends the list now: its line must not continue.
    if (wasLast && Continues(lines[last])) lines[last].pop_back();
  }
  return Joined(lines);
}

int AddToXScreenSaver(const std::string& defaultsPath) {
  const std::optional<std::string> path = UserFile();
  if (!path) return 1;
  int error = 0;
  const std::optional<std::string> present = ReadFile(*path, error);
  if (!present && error != ENOENT) return Fail("read", *path, error);
  if (present && ListsModule(*present)) {
    std::printf("sundial-saver: %s already lists the module; nothing changed\n", path->c_str());
    return 0;
  }
  std::string text = present.value_or("");
  std::optional<std::string> added = WithModule(text);
  if (!added) {
    // No list of the user's own yet: XScreenSaver's default list, so that its other modules stay.
    int defaultsError = 0;
    const std::optional<std::string> defaults = ReadFile(defaultsPath, defaultsError);
    const std::optional<std::string> programs =
        defaults ? ProgramsOfDefaults(*defaults) : std::nullopt;
    if (!text.empty() && text.back() != '\n') text += '\n';
    text += programs.value_or("programs:\n");
    added = WithModule(text);
  }
  int status = 0;
  if (present) {
    status = Replace(*path, *present, *added);
  } else if (const int writeError = WriteFile(*path, *added)) {
    status = Fail("write", *path, writeError);
  }
  if (status == 0) {
    std::printf("sundial-saver: added \"Sundial\" to the modules of %s%s\n", path->c_str(),
                present ? " (the old file is kept as .xscreensaver.bak)" : "");
  }
  return status;
}

int RemoveFromXScreenSaver() {
  const std::optional<std::string> path = UserFile();
  if (!path) return 1;
  int error = 0;
  const std::optional<std::string> present = ReadFile(*path, error);
  if (!present && error != ENOENT) return Fail("read", *path, error);
  if (!present || !ListsModule(*present)) {
    std::printf("sundial-saver: %s does not list the module; nothing changed\n", path->c_str());
    return 0;
  }
  const int status = Replace(*path, *present, WithoutModule(*present));
  if (status == 0) {
    std::printf("sundial-saver: removed \"Sundial\" from the modules of %s (the old file is kept "
                "as .xscreensaver.bak)\n",
                path->c_str());
  }
  return status;
}

}  // namespace sundial::x11
