#include "app/IniProfile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>
#include <vector>

#include "app/Platform.h"
#include "model/RegularFile.h"

namespace sundial {

namespace {

std::string Trim(const std::string& s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  std::size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The profile is a few lines of text. Whatever the file is, no more than this is ever read: a
// profile that is a link to an endless device, or a runaway file, costs a bounded time and memory.
constexpr std::size_t kMostProfileBytes = 1024 * 1024;
// A line longer than this is no entry (Write keeps it as it is).
constexpr std::size_t kLongestEntryLine = 64 * 1024;

// The lines of the profile: only a regular file is read (a FIFO or a device is never opened for
// reading), and only its first kMostProfileBytes.
std::vector<std::string> ReadLines(const std::filesystem::path& file) {
  std::vector<std::string> lines;
  RegularFile in(file.string());
  if (!in.Ok()) return lines;
  std::string text(static_cast<std::size_t>(std::min<std::uint64_t>(in.Size(), kMostProfileBytes)),
                   '\0');
  text.resize(in.Read(text.data(), text.size()));
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// The section name of a "[Section]" line, or nothing.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
  return Trim(t.substr(1, t.size() - 2));
}

// The name of a "Name=Value" line, or nothing for comments and other lines.
std::optional<std::string> NameOf(const std::string& line) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '#') return std::nullopt;
  const std::size_t eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return Trim(t.substr(0, eq));
}

}  // namespace

std::filesystem::path IniProfile::DefaultPath() {
  std::filesystem::path base;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && std::filesystem::path(xdg).is_absolute()) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::filesystem::path(home) / ".config";
  } else {
    return {};
  }
  return base / kProfileKey / (std::string(kProfileApplication) + ".ini");
}

std::optional<std::string> IniProfile::Read(const std::string& section,
                                            const std::string& name) const {
  bool inSection = false;
  for (const std::string& line : ReadLines(file_)) {
    if (auto s = SectionOf(line)) {
      inSection = SameName(*s, section);
    } else if (inSection && line.size() <= kLongestEntryLine) {
      if (auto n = NameOf(line); n && SameName(*n, name)) {
        return Trim(line.substr(line.find('=') + 1));
      }
    }
  }
  return std::nullopt;
}

bool IniProfile::Write(const std::string& section, const std::string& name,
                       const std::string& value) {
  for (const std::string* s : {&section, &name, &value}) {
    if (s->find_first_of("\r\n") != std::string::npos) return false;
  }
  if (name.empty() || name.find('=') != std::string::npos) return false;
  if (file_.empty()) return false;  // no place for a profile (neither XDG_CONFIG_HOME nor HOME)

  std::vector<std::string> lines = ReadLines(file_);
  const std::string entry = name + "=" + value;
  bool inSection = false;
  std::optional<std::size_t> sectionEnd;  // where a new line of the section goes
  bool done = false;
  for (std::size_t i = 0; i < lines.size() && !done; ++i) {
    if (auto s = SectionOf(lines[i])) {
      if (inSection) break;
      inSection = SameName(*s, section);
      if (inSection) sectionEnd = i + 1;
    } else if (inSection) {
      if (auto n = NameOf(lines[i]); n && lines[i].size() <= kLongestEntryLine && SameName(*n, name)) {
        lines[i] = entry;
        done = true;
      } else if (!Trim(lines[i]).empty()) {
        sectionEnd = i + 1;
      }
    }
  }
  if (!done) {
    if (sectionEnd) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
    } else {
      if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
      lines.push_back("[" + section + "]");
      lines.push_back(entry);
    }
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\n";

  std::error_code ec;
  if (file_.has_parent_path()) std::filesystem::create_directories(file_.parent_path(), ec);
  return ReplaceFileAtomically(file_, text);
}

bool ReplaceFileAtomically(const std::filesystem::path& target, const std::string& contents) {
  std::random_device random;
  std::ostringstream suffix;
  suffix << ".tmp-" << std::hex << random();
  std::filesystem::path temp = target;
  temp += suffix.str();
  std::error_code ec;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  std::filesystem::rename(temp, target, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace sundial
