// IniProfile: the application profile where there is no registry, kept as an INI file
// ("[Section]" headers and "Name=Value" lines). Writes replace the whole file atomically: the new
// text goes to a temporary file beside it, which is then renamed over the old one, so a crash
// never leaves a half-written profile. Sections and lines it does not touch are kept as they are.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace sundial {

class IniProfile {
 public:
  explicit IniProfile(std::filesystem::path file) : file_(std::move(file)) {}

  // $XDG_CONFIG_HOME/Orvantek/Screen Saver.ini, or ~/.config/Orvantek/Screen Saver.ini when
  // XDG_CONFIG_HOME is unset or not absolute. Empty when neither that nor HOME is known.
  static std::filesystem::path DefaultPath();

  // The value of `name` in `section` (both matched without regard to letter case), with the
  // blanks around it removed; nothing when the file, the section or the name is absent. Only a
  // regular file is read, and only its first MiB; a FIFO or a device counts as no file.
  std::optional<std::string> Read(const std::string& section, const std::string& name) const;

  // Sets `name` in `section`, creating the file, its directory, the section or the line as
  // needed. Returns false, leaving the old file whole, when the new one could not be written or
  // when a name or value holds a line break (the format cannot carry it).
  bool Write(const std::string& section, const std::string& name, const std::string& value);

  const std::filesystem::path& Path() const { return file_; }

 private:
  std::filesystem::path file_;
};

// Replaces `target` by a file holding `contents`: written to a temporary file in the same
// directory, flushed, then renamed over `target`. On failure the temporary file is removed and
// `target` is left as it was.
bool ReplaceFileAtomically(const std::filesystem::path& target, const std::string& contents);

}  // namespace sundial
