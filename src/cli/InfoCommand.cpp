// sundial info DIAL.vqr: how the saver would load the dial file, as JSON:
//   {"load": "file" | "invalid" | "missing" | "truncated", "model": {every parameter field}}
// A file that cannot be read is a result, not an error: the exit status is 0 for all four. Only
// output that cannot be written is an error.
#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <string>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/ModelJson.h"
#include "model/DialFileReader.h"

namespace sundial::cli {
namespace {

int RunInfo(const std::string& path) {
  auto model = std::make_unique<DialModel>();
  const LoadOutcome outcome = ReadDialFile(path, *model);
  nlohmann::ordered_json out;
  out["load"] = LoadOutcomeName(outcome);
  out["model"] = ModelToJson(*model);
  std::cout << out.dump(2) << "\n";
  return OutputWritten("info") ? 0 : 1;
}

CommandRegistration reg{"info", "print how a dial file loads, and its parameters, as JSON",
                        [](CLI::App& sub) -> std::function<int()> {
                          auto path = std::make_shared<std::string>();
                          sub.add_option("dial", *path, "the dial description file (.vqr)")
                              ->required();
                          return [path] { return RunInfo(*path); };
                        }};

}  // namespace
}  // namespace sundial::cli
