// Self-registration of the `sundial` command's subcommands. Each subcommand lives in its own
// file and declares one static CommandRegistration; main() builds the CLI11 parser from them.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace sundial::cli {

// Adds the subcommand's options to `sub` and returns the function that runs it (exit code).
using CommandSetup = std::function<std::function<int()>(CLI::App& sub)>;

struct CommandEntry {
  std::string name;
  std::string description;
  CommandSetup setup;
};

std::vector<CommandEntry>& Commands();

// Thrown by a command for a command line that is wrong beyond what the parser checks (a value
// out of range, options that do not go together): exit status 2, like the parser's own errors.
// Any other exception is an input or output that could not be used: exit status 1.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct CommandRegistration {
  CommandRegistration(std::string name, std::string description, CommandSetup setup) {
    Commands().push_back({std::move(name), std::move(description), std::move(setup)});
  }
};

}  // namespace sundial::cli
