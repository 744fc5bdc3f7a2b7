// CSaverApp: the application object of the screen saver. It holds the path of the dial file to
// show, reads it from the profile at start-up, decodes the command line and either runs one
// short action or creates the dial window whose message loop the shell then runs.
#pragma once

#include <cstdint>
#include <string>

#include "app/CommandLine.h"
#include "app/Platform.h"

namespace sundial {

class CSaverApp {
 public:
  // Full path of the dial file to show. Read from the profile at start-up; the dial window
  // empties it when the file cannot be opened, so the picture then carries no dial name.
  std::string dialFilePath;

  // Set by StartUp when a configuration action could not do its work (a chosen file refused, or
  // a path that could not be stored in the profile): the process must then end with a failure
  // status.
  bool actionFailed = false;

  // The start-up sequence for the whole process command line (program path included). Returns
  // true when the shell must run the message loop (a preview or full-screen window now exists),
  // false when the process must end.
  bool StartUp(Platform& platform, const std::string& commandLine);

  // The same for a mode the shell has already decided (the Linux saver takes its own switches).
  bool StartUp(Platform& platform, RunMode mode, WindowHandle handle);
};

// The three configuration actions; each runs once and the process then ends.

// Lets the user choose the dial file in the open-file dialog; stores the chosen full path as
// "FileName" in the profile, or nothing when the user cancels. A chosen file that does not load
// as a dial (missing, unreadable, invalid or truncated) is refused: the platform reports why, the
// profile keeps its choice, and `failed` is set, as it is when the profile cannot be written.
// Returns true when a path was stored.
bool ChooseDialFile(Platform& platform, const std::string& dialFilePath, bool* failed = nullptr);

// Stores the path of the example dial installed in the system directory. Returns the path stored
// (whatever the directory's length, the whole path is kept); `stored`, when given, tells whether
// the profile took it.
std::string StoreExampleDial(Platform& platform, bool* stored = nullptr);

// Lets the user change the screen-saver password, the dialog owned by `owner`.
void ChangePassword(Platform& platform, WindowHandle owner);

// The fixed texts of the configuration dialog and the example dial.
inline constexpr const char* kChooseDialTitle = "Scegli l'orologio da visualizzare";
inline constexpr const char* kDialFileFilter = "Quorlith (*.vqr)|*.vqr||";
inline constexpr const char* kDialFileFilterDescription = "Quorlith (*.vqr)";
inline constexpr const char* kDialFilePattern = "*.vqr";
inline constexpr const char* kDialFileExtension = "vqr";
inline constexpr const char* kExampleDialName = "esempio - tolvanet.vqr";

}  // namespace sundial
