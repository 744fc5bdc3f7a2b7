// Self-registration of the `sundial` command's subcommands. Each subcommand lives in its own
// file and declares one static CommandRegistration; main() builds the CLI11 parser from them.
#pragma once

#include <functional>
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

struct CommandRegistration {
  CommandRegistration(std::string name, std::string description, CommandSetup setup) {
    Commands().push_back({std::move(name), std::move(description), std::move(setup)});
  }
};

}  // namespace sundial::cli
