// The configuration actions: choosing the dial file, pointing the profile at the example dial,
// and the password change.
#include "app/SaverApp.h"
#include "model/DialFileReader.h"

namespace sundial {

bool ChooseDialFile(Platform& platform, const std::string& dialFilePath, bool* failed) {
  FileChooserRequest request;
  request.title = kChooseDialTitle;
  request.filter = kDialFileFilter;
  request.filterDescription = kDialFileFilterDescription;
  request.filterPattern = kDialFilePattern;
  request.defaultExtension = kDialFileExtension;
  request.initialName = dialFilePath;
  if (failed != nullptr) *failed = false;
  const std::optional<std::string> chosen = platform.ChooseFile(request);
  if (!chosen) return false;
  // Stored, a file that is no dial would only bring the built-in dial, without a word, whenever
  // the saver starts.
  const std::string problem = DialFileProblem(*chosen);
  bool stored = false;
  if (!problem.empty()) {
    platform.ReportProblem("The dial file \"" + *chosen + "\" cannot be shown: " + problem +
                           ". The dial stays as it was.");
  } else {
    stored = platform.WriteProfileString(kProfileSection, kProfileFileName, *chosen);
  }
  if (failed != nullptr) *failed = !stored;
  return stored;
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
