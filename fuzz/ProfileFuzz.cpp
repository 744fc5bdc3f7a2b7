// libFuzzer target: the profile reader and writer on any file contents. Every read must end, and
// a value written must be the value read back, whatever else the file holds.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "app/IniProfile.h"

namespace {

std::filesystem::path gDirectory;

void RemoveDirectory() {
  std::error_code error;
  std::filesystem::remove_all(gDirectory, error);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  gDirectory = std::filesystem::temp_directory_path() /
               ("sundial-fuzz-profile-" + std::to_string(getpid()));
  std::filesystem::create_directories(gDirectory);
  std::atexit(RemoveDirectory);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using sundial::IniProfile;
  const std::filesystem::path file = gDirectory / "Screen Saver.ini";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  IniProfile profile(file);
  (void)profile.Read("Velquarin", "FileName");
  (void)profile.Read("Screen Savers", "Mouse Threshold");
  if (!profile.Write("Velquarin", "FileName", "/dials/a b.vqr")) {
    std::fprintf(stderr, "the profile could not be written\n");
    std::abort();
  }
  if (profile.Read("Velquarin", "FileName") != std::optional<std::string>("/dials/a b.vqr")) {
    std::fprintf(stderr, "the value written is not the value read back\n");
    std::abort();
  }
  return 0;
}
