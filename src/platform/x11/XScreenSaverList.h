// The saver's entry in XScreenSaver's list of display modules, the `programs:` resource of the
// user's ~/.xscreensaver: adding it (the list copied from XScreenSaver's defaults when the user
// has none yet, so that no other module is lost) and removing it again. Only the user's own file
// is ever written, and a copy of it is kept as ~/.xscreensaver.bak before each change.
#pragma once

#include <optional>
#include <string>

namespace sundial::x11 {

// The entry added: the module under the name the settings list it by, drawing on the screen.
inline constexpr const char* kModuleEntry = "\t\t\t\t\"Sundial\"  sundial-saver --root\t\t    \\n";

// Whether the `programs:` list of `text` (a ~/.xscreensaver or app-defaults file) names the module.
bool ListsModule(const std::string& text);

// The `programs:` resource of XScreenSaver's defaults file (its lines from "*programs:" to the
// end of the value), written as ~/.xscreensaver writes it ("programs:"); nothing when absent.
std::optional<std::string> ProgramsOfDefaults(const std::string& defaultsText);

// `text` with the module's entry first in its `programs:` list. Nothing when `text` has no
// `programs:` line.
std::optional<std::string> WithModule(const std::string& text);

// `text` without any entry of the module in its `programs:` list.
std::string WithoutModule(const std::string& text);

// The two commands, on $HOME/.xscreensaver with the defaults read from `defaultsPath`. Each
// prints one line saying what it did (stdout) or why it could not (stderr) and returns the exit
// status: 0 done or nothing to do, 1 the file could not be read or written.
int AddToXScreenSaver(const std::string& defaultsPath);
int RemoveFromXScreenSaver();

}  // namespace sundial::x11
