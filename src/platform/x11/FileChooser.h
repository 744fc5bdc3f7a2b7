// The open-file dialog of the configuration on Linux desktops: zenity (GNOME and most others) or
// kdialog (KDE), whichever is installed, run as a child process. Without either, the user is told
// on stderr where the dial file can be set by hand, and nothing is chosen.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Platform.h"

namespace sundial::x11 {

// The full path of `program` found on $PATH, or nothing.
std::optional<std::string> FindOnPath(const std::string& program);

// The argument vector that asks `tool` ("zenity" or "kdialog", by its full path `toolPath`) for
// one existing file, with the request's title, filter and initial name.
std::vector<std::string> FileChooserArguments(const std::string& toolPath,
                                              const FileChooserRequest& request);

// Turns what the tool printed into the chosen full path: the first line, made absolute, with the
// default extension added when the name has none and no such file exists. Nothing for an empty
// answer.
std::optional<std::string> ChosenPath(const std::string& output,
                                      const std::string& defaultExtension);

// Runs the dialog; nothing when the user cancels or no dialog tool is installed. `noDialogHint`
// is printed in the latter case.
std::optional<std::string> RunFileChooser(const FileChooserRequest& request,
                                          const std::string& noDialogHint);

}  // namespace sundial::x11
