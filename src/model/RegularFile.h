// RegularFile: a file opened for reading only when it is a regular file. A FIFO, a device, a
// socket or a directory named as a dial file or a profile must never stall the saver: the open
// itself does not wait (a FIFO without a writer would block an ordinary open for ever), and the
// kind of file is checked on the open descriptor, so that nothing can be swapped in between.
// The size is known from the start, so that no length read from the file is trusted beyond it.
//
// This is the one place of the portable layers that speaks to the operating system's file
// calls: POSIX open/fstat, or the C runtime's _fstat64 on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace sundial {

class RegularFile {
 public:
  // Opens `path` (symbolic links followed). On failure Ok() is false and Failure() tells why.
  explicit RegularFile(const std::string& path);
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  bool Ok() const { return file_ != nullptr; }
  // Why the file could not be opened, e.g. "No such file or directory" or "not a regular file".
  const std::string& Failure() const { return failure_; }
  // The length of the file when it was opened.
  std::uint64_t Size() const { return size_; }

  // Reads up to `count` bytes at the current place and tells how many came.
  std::size_t Read(void* out, std::size_t count);
  // Moves `count` bytes forward without reading them. False when the file cannot seek.
  bool Skip(std::uint64_t count);

 private:
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
  std::string failure_;
};

}  // namespace sundial
