#include "cli/CommandOutput.h"

#include <iostream>

namespace sundial::cli {

bool OutputWritten(const std::string& command) {
  std::cout.flush();
  if (std::cout) return true;
  std::cerr << "sundial " << command << ": cannot write the output\n";
  return false;
}

void WarnAboutLoad(const std::string& command, const std::string& path, LoadOutcome outcome) {
  const char* why = nullptr;
  switch (outcome) {
    case LoadOutcome::Invalid:
      why = "it holds values no dial can have";
      break;
    case LoadOutcome::Truncated:
      why = "it ends inside an item";
      break;
    case LoadOutcome::File:
    case LoadOutcome::Missing:
      return;
  }
  std::cerr << "sundial " << command << ": warning: dial file '" << path << "' loads as "
            << LoadOutcomeName(outcome) << " (" << why << "): the built-in default dial is shown\n";
}

int CannotOpenDial(const std::string& command, const std::string& path, const std::string& reason) {
  std::cerr << "sundial " << command << ": cannot open dial file '" << path << "': " << reason
            << "\n";
  return 1;
}

}  // namespace sundial::cli
