// The saver's profile on Linux: an INI file, $XDG_CONFIG_HOME/Orvantek/Screen Saver.ini (or
// ~/.config/... when the variable is unset), with one [section] per group of values. A write
// replaces the file atomically (a temporary file renamed over it), so a crash never leaves a
// half-written profile; every other line of the file is kept as it was.
#pragma once

#include <string>

#include "X11Platform.h"

namespace sundial::x11 {

class IniProfileStore final : public ProfileStore {
 public:
  // The profile of the company `key` and application `application`.
  IniProfileStore(const std::string& key, const std::string& application);
  // A profile at an explicit path (tests).
  explicit IniProfileStore(std::string path) : path_(std::move(path)) {}

  std::optional<std::string> Read(const std::string& section, const std::string& name) override;
  bool Write(const std::string& section, const std::string& name,
             const std::string& value) override;
  std::string Location() const override { return path_; }

 private:
  std::string path_;
};

}  // namespace sundial::x11
