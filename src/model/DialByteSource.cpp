#include "model/DialByteSource.h"

#include <algorithm>
#include <cstring>

#include "model/RegularFile.h"

namespace sundial {

DialByteSource::DialByteSource(const std::uint8_t* data, std::size_t size)
    : memory_(data), size_(size) {}

DialByteSource::DialByteSource(RegularFile& file) : file_(&file), size_(file.Size()) {}

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
    bufferEnd_ = file_->Read(buffer_.data(), n);
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

bool DialByteSource::Skip(std::uint64_t count) {
  if (count > Remaining()) return false;
  // First what the buffer already holds, then the rest straight in the file.
  const std::size_t buffered = static_cast<std::size_t>(
      std::min<std::uint64_t>(count, bufferEnd_ - bufferPos_));
  bufferPos_ += buffered;
  consumed_ += buffered;
  const std::uint64_t rest = count - buffered;
  if (rest == 0) return true;
  if (file_ != nullptr && !file_->Skip(rest)) {
    size_ = consumed_;  // a file that cannot seek ends here
    return false;
  }
  consumed_ += rest;
  return true;
}

}  // namespace sundial
