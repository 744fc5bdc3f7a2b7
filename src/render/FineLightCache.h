// Which points of the fine traces of a receiving-outline dial are lit. A point is lit when its
// sun stands above the inclined plate (and above the horizon, where the dial shows it): a matter
// of the dial alone, not of the present sun, so it is decided once for the loaded dial and kept
// here by the window that shows it, instead of on every paint.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/DialGeometry.h"

namespace sundial {

class FineLightCache {
 public:
  // Whether the point at `point`, a point inside `fine`, is lit; `decide()` gives the answer the
  // first time it is asked for that point.
  template <typename Decide>
  bool Lit(const FineDialGeometry& fine, const void* point, Decide decide) {
    Prepare(fine);
    const auto offset = Offset(fine, point);
    if (offset >= sizeof(FineDialGeometry)) return decide();
    const std::size_t word = offset / kWordSize;
    std::uint8_t& byte = marks_[word / kPerByte];
    const int shift = static_cast<int>(word % kPerByte) * 2;
    const int mark = (byte >> shift) & 3;
    if (mark != kUnknown) return mark == kLit;
    const bool lit = decide();
    byte = static_cast<std::uint8_t>(byte | ((lit ? kLit : kDark) << shift));
    return lit;
  }

  // Makes room for the answers about `fine`, forgetting those about any other traces.
  void Prepare(const FineDialGeometry& fine) {
    if (owner_ == &fine) return;
    owner_ = &fine;
    marks_.assign(kWords / kPerByte + 1, 0);
  }

  // Keeps the answer for the point at `point`, decided ahead of the paints; Prepare(fine) must
  // have been called. Several threads may keep answers at once, each for its own points, once
  // Prepare has returned: the marks of two different points never share a byte (below), and
  // nothing else of the cache is written.
  void Keep(const FineDialGeometry& fine, const void* point, bool lit) {
    const auto offset = Offset(fine, point);
    if (offset >= sizeof(FineDialGeometry)) return;
    const std::size_t word = offset / kWordSize;
    std::uint8_t& byte = marks_[word / kPerByte];
    const int shift = static_cast<int>(word % kPerByte) * 2;
    byte = static_cast<std::uint8_t>((byte & ~(3 << shift)) | ((lit ? kLit : kDark) << shift));
  }

  // Forgets every answer (another dial was loaded).
  void Clear() {
    owner_ = nullptr;
    marks_.clear();
    marks_.shrink_to_fit();
  }

 private:
  // Two bits for every 8 bytes of the traces: no point is smaller than that.
  static constexpr std::size_t kWordSize = 8;
  static constexpr std::size_t kWords = sizeof(FineDialGeometry) / kWordSize;
  static constexpr std::size_t kPerByte = 4;
  static constexpr int kUnknown = 0;
  static constexpr int kDark = 1;
  static constexpr int kLit = 2;

  // A point is marked at its first word; points lie on word boundaries and span at least a
  // byte's worth of words, so two points never have their marks in the same byte.
  static_assert(alignof(DialPoint) % kWordSize == 0 && alignof(FlaggedDialPoint) % kWordSize == 0);
  static_assert(sizeof(DialPoint) >= kWordSize * kPerByte &&
                sizeof(FlaggedDialPoint) >= kWordSize * kPerByte);

  static std::size_t Offset(const FineDialGeometry& fine, const void* point) {
    return static_cast<std::size_t>(static_cast<const unsigned char*>(point) -
                                    reinterpret_cast<const unsigned char*>(&fine));
  }

  const FineDialGeometry* owner_ = nullptr;
  std::vector<std::uint8_t> marks_;
};

}  // namespace sundial
