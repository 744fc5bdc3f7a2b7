#include "FileChooser.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

extern char** environ;

namespace sundial::x11 {

std::optional<std::string> FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::nullopt;
  std::string list = path;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    // An empty entry is the current directory. (Built in one go: assigning a literal to the
    // piece afterwards makes g++ 12 see a false overlap in the copy at -O2.)
    const std::string dir = end > start ? list.substr(start, end - start) : std::string(".");
    const std::string candidate = dir + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

std::vector<std::string> FileChooserArguments(const std::string& toolPath,
                                              const FileChooserRequest& request) {
  const std::string tool = std::filesystem::path(toolPath).filename().string();
  std::vector<std::string> args{toolPath};
  if (tool == "kdialog") {
    std::string start = request.initialName;
    if (start.empty()) {
      const char* home = std::getenv("HOME");
      start = home != nullptr ? home : ".";
    }
    args.insert(args.end(), {"--title", request.title, "--getopenfilename", start,
                             request.filterPattern + "|" + request.filterDescription});
  } else {
    args.insert(args.end(),
                {"--file-selection", "--title=" + request.title,
                 "--file-filter=" + request.filterDescription + " | " + request.filterPattern});
    if (!request.initialName.empty()) args.push_back("--filename=" + request.initialName);
  }
  return args;
}

std::optional<std::string> ChosenPath(const std::string& output,
                                      const std::string& defaultExtension) {
  std::string line = output.substr(0, output.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.empty()) return std::nullopt;
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(line, error);
  if (error) path = line;
  if (!path.has_extension() && !defaultExtension.empty() &&
      !std::filesystem::exists(path, error)) {
    path += "." + defaultExtension;
  }
  return path.lexically_normal().string();
}

namespace {

// Runs `args` with its standard output captured; the exit status, or -1 when it did not run.
int RunCapturing(const std::vector<std::string>& args, std::string& output) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    close(fds[0]);
    return -1;
  }
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n > 0) {
      output.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  close(fds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::optional<std::string> RunFileChooser(const FileChooserRequest& request,
                                          const std::string& noDialogHint) {
  std::optional<std::string> tool = FindOnPath("zenity");
  if (!tool) tool = FindOnPath("kdialog");
  if (!tool) {
    std::fprintf(stderr, "%s\n", noDialogHint.c_str());
    return std::nullopt;
  }
  std::string output;
  // Both tools exit with 0 for a chosen file and with 1 when the user cancels.
  if (RunCapturing(FileChooserArguments(*tool, request), output) != 0) return std::nullopt;
  return ChosenPath(output, request.defaultExtension);
}

}  // namespace sundial::x11
