// The configuration actions: choosing the dial file, pointing the profile at the example dial,
// and the password change.
#include "app/SaverApp.h"

namespace sundial {

bool ChooseDialFile(Platform& platform, const std::string& dialFilePath) {
  FileChooserRequest request;
  request.title = kChooseDialTitle;
  request.filter = kDialFileFilter;
  request.filterDescription = kDialFileFilterDescription;
  request.filterPattern = kDialFilePattern;
  request.defaultExtension = kDialFileExtension;
  request.initialName = dialFilePath;
  const std::optional<std::string> chosen = platform.ChooseFile(request);
  if (!chosen) return false;
  return platform.WriteProfileString(kProfileSection, kProfileFileName, *chosen);
}

std::string StoreExampleDial(Platform& platform, bool* stored) {
  // The path is built at its full length: a long system directory still gives the whole path,
  // never one cut at a fixed capacity. A directory that already ends in a separator gets no
  // second one.
  std::string path = platform.SystemDirectory();
  const char separator = platform.PathSeparator();
  if (path.empty() || path.back() != separator) path += separator;
  path += kExampleDialName;
  const bool written = platform.WriteProfileString(kProfileSection, kProfileFileName, path);
  if (stored != nullptr) *stored = written;
  return path;
}

void ChangePassword(Platform& platform, WindowHandle owner) {
  platform.ChangeScreenSaverPassword(owner);
}

}  // namespace sundial
