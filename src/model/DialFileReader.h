// The dial description file (.vqr) reader: a flat little-endian stream of a fixed first block of
// 26 items, a two-byte version, then the items added over the versions of the design program,
// each present only from its version on. Absent items take fixed or derived defaults; the first
// block is validated, and a bad value brings in the built-in default dial.
//
// The reader fills the parameters only; the caller runs ComputeDialGeometry after a completed
// load (any outcome but Truncated).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/DialModel.h"

namespace sundial {

enum class LoadOutcome {
  File,       // read as written (with the defaults of its version)
  Invalid,    // read to the end, then the default dial set written over it
  Missing,    // could not be opened: the built-in default dial
  Truncated,  // the file ended inside an item: modelReady stays 0, nothing else is promised
};

// Reads the dial file at `path` into `model`.
//  - File and Invalid: every item of the file's version is read; Invalid then writes the default
//    dial set over the model (timeZoneMinutes reset to 0, every other field keeps what was read).
//  - Missing (no such file, empty name, no access, not a regular file: a FIFO, a device or a
//    directory is never opened for reading): the default dial set is written over the model
//    and timeZoneMinutes keeps its value. The caller must then empty the application's dial file
//    name (CSaverApp::dialFilePath), so that the picture carries no dial name for the rest of the
//    run; the profile is not changed.
//  - For these three, modelReady is set to 1 and longitudeCorrection computed.
//  - Truncated: modelReady stays as it was (0 on a fresh model); the fields read so far are
//    written. Reading again from the start gives the same result.
// Whatever the bytes, no allocation exceeds the bytes remaining in the file, and no string keeps
// more than its first 64 KiB (the rest is passed over unread): a file that claims gigabytes
// costs neither the memory nor the time. `failure`, when given, receives the reason of a
// Missing outcome.
LoadOutcome ReadDialFile(const std::string& path, DialModel& model,
                         std::string* failure = nullptr);

// The same over a file's bytes in memory.
LoadOutcome ReadDialBytes(const std::uint8_t* data, std::size_t size, DialModel& model);

// The JSON word of an outcome: "file", "invalid", "missing", "truncated".
const char* LoadOutcomeName(LoadOutcome outcome);

// Why a file that was read is not shown as written: "it holds values no dial can have" (Invalid),
// "it ends inside an item" (Truncated); empty for File and Missing.
const char* LoadOutcomeReason(LoadOutcome outcome);

// Why the dial file at `path` cannot be shown as the dial it names, in a few words: the system's
// reason when it cannot be opened ("No such file or directory", "Permission denied", "not a
// regular file"), else the reason of an invalid or truncated file. Empty when it loads as written.
std::string DialFileProblem(const std::string& path);

}  // namespace sundial
