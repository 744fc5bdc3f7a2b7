#include "cli/CommandOutput.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace sundial::cli {

bool OutputWritten(const std::string& command) {
  // The last failed write left its reason in errno; the JSON writers make no other system call.
  std::cout.flush();
  if (std::cout) return true;
  const int error = errno;
  std::cerr << "sundial " << command << ": cannot write the output: "
            << (error != 0 ? std::strerror(error) : "write error") << "\n";
  return false;
}

void WarnAboutLoad(const std::string& command, const std::string& path, LoadOutcome outcome) {
  if (outcome != LoadOutcome::Invalid && outcome != LoadOutcome::Truncated) return;
  const char* why = LoadOutcomeReason(outcome);
  std::cerr << "sundial " << command << ": warning: dial file '" << path << "' loads as "
            << LoadOutcomeName(outcome) << " (" << why << "): the built-in default dial is shown\n";
}

int CannotOpenDial(const std::string& command, const std::string& path, const std::string& reason) {
  std::cerr << "sundial " << command << ": cannot open dial file '" << path << "': " << reason
            << "\n";
  return 1;
}

}  // namespace sundial::cli
