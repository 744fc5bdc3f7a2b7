// What every command does at its end: make sure its output reached its destination, and say in
// one line when a dial file gave something else than the dial it names.
#pragma once

#include <string>

#include "model/DialFileReader.h"

namespace sundial::cli {

// Flushes standard output. When it could not be written (a full disk, a closed pipe) prints one
// line "sundial COMMAND: cannot write the output: REASON" to stderr and returns false.
bool OutputWritten(const std::string& command);

// For an invalid or truncated dial file, which the saver shows as the built-in default dial:
// one warning line on stderr naming the file and the load outcome. Nothing for the others.
void WarnAboutLoad(const std::string& command, const std::string& path, LoadOutcome outcome);

// The line for a dial file that cannot be opened as a regular file, e.g.
// "sundial render: cannot open dial file 'x.vqr': No such file or directory". Returns 1, the
// exit status.
int CannotOpenDial(const std::string& command, const std::string& path, const std::string& reason);

}  // namespace sundial::cli
