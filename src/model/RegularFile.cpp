#include "model/RegularFile.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sundial {

namespace {
constexpr const char* kNotRegular = "not a regular file";
}  // namespace

#ifdef _WIN32

RegularFile::RegularFile(const std::string& path) {
  if (path.empty()) {
    failure_ = "no file name";
    return;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    failure_ = std::strerror(errno);
    return;
  }
  struct _stat64 status {};
  if (_fstat64(_fileno(file), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(file);
    failure_ = kNotRegular;
    return;
  }
  file_ = file;
  size_ = status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

bool RegularFile::Skip(std::uint64_t count) {
  if (count > static_cast<std::uint64_t>(INT64_MAX)) return false;
  return _fseeki64(file_, static_cast<__int64>(count), SEEK_CUR) == 0;
}

#else

RegularFile::RegularFile(const std::string& path) {
  if (path.empty()) {
    failure_ = "no file name";
    return;
  }
  // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer; for a regular file it
  // changes nothing.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    failure_ = std::strerror(errno);
    return;
  }
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    failure_ = kNotRegular;
    return;
  }
  std::FILE* file = fdopen(fd, "rb");
  if (file == nullptr) {
    failure_ = std::strerror(errno);
    close(fd);
    return;
  }
  file_ = file;
  size_ = status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

bool RegularFile::Skip(std::uint64_t count) {
  if (count > static_cast<std::uint64_t>(INT64_MAX)) return false;
  return fseeko(file_, static_cast<off_t>(count), SEEK_CUR) == 0;
}

#endif

RegularFile::~RegularFile() {
  if (file_ != nullptr) std::fclose(file_);
}

std::size_t RegularFile::Read(void* out, std::size_t count) {
  return file_ == nullptr ? 0 : std::fread(out, 1, count, file_);
}

}  // namespace sundial
