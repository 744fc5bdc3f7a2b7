// sundial: the headless tool. Prints a dial, the sun and the computed geometry as JSON, and
// renders any dial at any instant. Usage errors print one line to stderr and exit non-zero.
#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>
#include <string>

#include "cli/Command.h"

namespace sundial::cli {
std::vector<CommandEntry>& Commands() {
  static std::vector<CommandEntry> commands;
  return commands;
}
}  // namespace sundial::cli

int main(int argc, char** argv) {
  using namespace sundial::cli;
  CLI::App app{"sundial: inspect and render sundial description files (.vqr)", "sundial"};
  app.require_subcommand(1);
  std::function<int()> run;
  for (auto& entry : Commands()) {
    CLI::App* sub = app.add_subcommand(entry.name, entry.description);
    auto runner = entry.setup(*sub);
    sub->callback([&run, runner] { run = runner; });
  }
  // A first word that names no command gets a plainer message than the parser's own.
  if (argc > 1 && argv[1][0] != '-') {
    const std::string word = argv[1];
    bool known = false;
    for (const auto& entry : Commands()) known = known || entry.name == word;
    if (!known) {
      std::cerr << "sundial: unknown command '" << word << "' (see sundial --help)\n";
      return 2;
    }
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "sundial: " << e.what() << " (see sundial --help)\n";
    return 2;
  }
  try {
    return run ? run() : 2;
  } catch (const std::exception& e) {
    std::cerr << "sundial: " << e.what() << "\n";
    return 1;
  }
}
