#include "IniProfileStore.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace sundial::x11 {

namespace {

std::string Trim(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return std::string();
  const std::size_t end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// "[name]" gives name; anything else is not a section header.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return std::nullopt;
  return Trim(trimmed.substr(1, trimmed.size() - 2));
}

// "name=value" gives the name (trimmed); comments and other lines give nothing.
std::optional<std::string> NameOf(const std::string& line) {
  const std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') return std::nullopt;
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string::npos) return std::nullopt;
  return Trim(trimmed.substr(0, equals));
}

}  // namespace

IniProfileStore::IniProfileStore(const std::string& key, const std::string& application) {
  std::filesystem::path base;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
    base = config;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::filesystem::path(home) / ".config";
  } else {
    base = ".config";
  }
  path_ = (base / key / (application + ".ini")).string();
}

std::optional<std::string> IniProfileStore::Read(const std::string& section,
                                                 const std::string& name) {
  std::string current;
  for (const std::string& line : ReadLines(path_)) {
    if (auto header = SectionOf(line)) {
      current = *header;
    } else if (current == section && NameOf(line) == name) {
      const std::string trimmed = Trim(line);
      return Trim(trimmed.substr(trimmed.find('=') + 1));
    }
  }
  return std::nullopt;
}

bool IniProfileStore::Write(const std::string& section, const std::string& name,
                            const std::string& value) {
  if (value.find_first_of("\r\n") != std::string::npos) return false;
  std::vector<std::string> lines = ReadLines(path_);
  const std::string entry = name + "=" + value;
  std::string current;
  std::optional<std::size_t> sectionEnd;  // where a new value of the section goes
  bool replaced = false;
  for (std::size_t i = 0; i < lines.size() && !replaced; ++i) {
    if (auto header = SectionOf(lines[i])) {
      current = *header;
      if (current == section) sectionEnd = i + 1;
    } else if (current == section) {
      if (NameOf(lines[i]) == name) {
        lines[i] = entry;
        replaced = true;
      } else if (!Trim(lines[i]).empty()) {
        sectionEnd = i + 1;
      }
    }
  }
  if (!replaced) {
    if (sectionEnd) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
    } else {
      if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
      lines.push_back("[" + section + "]");
      lines.push_back(entry);
    }
  }

  std::error_code error;
  const std::filesystem::path path(path_);
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  const std::string temporary = path_ + ".tmp." + std::to_string(getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << '\n';
    out.flush();
    if (!out) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace sundial::x11
