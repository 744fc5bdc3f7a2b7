// sundial: the headless tool. Prints a dial, the sun and the computed geometry as JSON, and
// renders any dial at any instant. Every command ends with one of three statuses: 0 done; 1 an
// input could not be used or the output could not be written; 2 the command line is wrong. Both
// failures print one line on stderr.
#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>
#include <string>

#include "SundialVersion.h"
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
  app.set_version_flag("--version", std::string("sundial ") + SUNDIAL_VERSION_STRING,
                       "print the version and exit");
  app.footer(
      "Angles are in degrees. Latitude is positive north; longitude is positive WEST (Greenwich "
      "0, Rome -12.5). The sun's azimuth is measured from the south, positive toward the west "
      "(south 0, west 90, east -90); its altitude from the horizon, positive above it.\n"
      "Exit status: 0 done; 1 an input could not be used or the output could not be written "
      "(one line on stderr says what and why); 2 the command line is wrong.\n");
  std::function<int()> run;
  std::string command;
  for (auto& entry : Commands()) {
    CLI::App* sub = app.add_subcommand(entry.name, entry.description);
    auto runner = entry.setup(*sub);
    sub->callback([&run, &command, runner, name = entry.name] {
      run = runner;
      command = name;
    });
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
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "sundial: " << e.what() << " (see sundial --help)\n";
    return 2;
  }
  try {
    return run ? run() : 2;
  } catch (const UsageError& e) {
    std::cerr << "sundial " << command << ": " << e.what() << " (see sundial " << command
              << " --help)\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "sundial " << command << ": " << e.what() << "\n";
    return 1;
  }
}
