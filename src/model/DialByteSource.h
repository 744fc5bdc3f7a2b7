// DialByteSource: the little-endian byte stream of a dial file, read through a 4096-byte buffer.
// It always knows how many bytes remain, so that no length read from the file is trusted
// beyond the bytes actually there.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace sundial {

class RegularFile;

class DialByteSource {
 public:
  static constexpr std::size_t kBufferSize = 4096;

  // Over bytes in memory (not copied; they must outlive the source).
  DialByteSource(const std::uint8_t* data, std::size_t size);
  // Over an open file, read from its start to the length it had when opened. The source does
  // not close the file.
  explicit DialByteSource(RegularFile& file);

  DialByteSource(const DialByteSource&) = delete;
  DialByteSource& operator=(const DialByteSource&) = delete;

  // Copies `count` bytes to `out`; false when the stream ends first (some bytes may have been
  // consumed).
  bool Read(void* out, std::size_t count);

  // Reads up to `count` bytes and tells how many came.
  std::size_t ReadSome(void* out, std::size_t count);

  // Passes over `count` bytes without keeping them (a file seeks past them); false when the
  // stream ends first.
  bool Skip(std::uint64_t count);

  // Bytes not yet consumed.
  std::uint64_t Remaining() const { return size_ - consumed_; }

 private:
  bool Refill();

  const std::uint8_t* memory_ = nullptr;
  RegularFile* file_ = nullptr;
  std::uint64_t size_ = 0;
  std::uint64_t consumed_ = 0;
  std::array<std::uint8_t, kBufferSize> buffer_{};
  std::size_t bufferPos_ = 0;
  std::size_t bufferEnd_ = 0;
};

}  // namespace sundial
