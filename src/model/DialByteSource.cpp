#include "model/DialByteSource.h"

#include <algorithm>
#include <cstring>

namespace sundial {

DialByteSource::DialByteSource(const std::uint8_t* data, std::size_t size)
    : memory_(data), size_(size) {}

DialByteSource::DialByteSource(std::FILE* file, std::uint64_t size) : file_(file), size_(size) {}

bool DialByteSource::Refill() {
  bufferPos_ = 0;
  bufferEnd_ = 0;
  const std::uint64_t wanted = std::min<std::uint64_t>(kBufferSize, Remaining());
  if (wanted == 0) return false;
  const std::size_t n = static_cast<std::size_t>(wanted);
  if (memory_ != nullptr) {
    std::memcpy(buffer_.data(), memory_ + consumed_, n);
    bufferEnd_ = n;
  } else {
    bufferEnd_ = std::fread(buffer_.data(), 1, n, file_);
    // A file that shrank since it was opened ends where its bytes end.
    if (bufferEnd_ < n) size_ = consumed_ + bufferEnd_;
  }
  return bufferEnd_ > 0;
}

std::size_t DialByteSource::ReadSome(void* out, std::size_t count) {
  auto* dst = static_cast<std::uint8_t*>(out);
  std::size_t done = 0;
  while (done < count) {
    if (bufferPos_ == bufferEnd_ && !Refill()) break;
    // A value that straddles the end of the buffer is completed after a refill.
    const std::size_t n = std::min(count - done, bufferEnd_ - bufferPos_);
    std::memcpy(dst + done, buffer_.data() + bufferPos_, n);
    bufferPos_ += n;
    consumed_ += n;
    done += n;
  }
  return done;
}

bool DialByteSource::Read(void* out, std::size_t count) { return ReadSome(out, count) == count; }

}  // namespace sundial
