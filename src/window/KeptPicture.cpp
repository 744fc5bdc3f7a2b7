#include "window/KeptPicture.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "render/DeviceRect.h"

namespace sundial {

namespace {

// The shadow's reach is taken in bands of this many rows, which follow a long slanting shadow
// closely while keeping few rectangles.
constexpr int kShadowBandRows = 8;
// The clip of whole rows the clock line is repainted under reaches this far past it, so that the
// rows where the clip's top and bottom cut the lines lie outside what is kept of the repaint.
constexpr int kMarginRows = 4;

bool Meets(const std::vector<IntRect>& bands, const IntRect& r) {
  return std::any_of(bands.begin(), bands.end(),
                     [&](const IntRect& b) { return !IsEmptyRect(IntersectRects(b, r)); });
}

// Where two shadows lie, band by band: a long slanting shadow covers a small part of its bounding
// box. Neighbouring bands are joined where that costs no more area than keeping them apart.
std::vector<IntRect> BandsOfBoth(const std::vector<IntRect>& a, const std::vector<IntRect>& b) {
  std::vector<IntRect> out;
  IntRect run;
  const auto area = [](const IntRect& r) {
    return IsEmptyRect(r) ? 0LL : 1LL * (r.right - r.left) * (r.bottom - r.top);
  };
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    const IntRect band =
        BoundingRect(i < a.size() ? a[i] : IntRect{}, i < b.size() ? b[i] : IntRect{});
    if (IsEmptyRect(band)) continue;
    const IntRect joined = BoundingRect(run, band);
    if (area(joined) <= area(run) + area(band)) {
      run = joined;
    } else {
      out.push_back(run);
      run = band;
    }
  }
  if (!IsEmptyRect(run)) out.push_back(run);
  return out;
}

}  // namespace

// Once a second. Only the clock line and the shadow differ from the picture shown:
// 1. where the clock line and the shadow lie now;
// 2. where the shadow moved, or meets the clock line (which is repainted from the face), the face
//    is put back under the old shadow;
// 3. the clock line is repainted where the old and the new one lie;
// 4. the face under the new shadow is kept and the shadow, the last thing a paint draws, drawn;
// 5. the rectangles that changed go to the shell: the shadow's bands and what differs on the
//    clock line.
std::vector<IntRect> KeptPicture::Update(const PaintInput& input, PixelSurface& surface,
                                         MessageReporter& reporter) {
  const int width = surface.Width();
  const int height = surface.Height();
  if (!painted_ || !(FaceOf(input, surface) == face_)) {
    PaintWhole(input, surface, reporter);
    return {IntRect{0, 0, width, height}};
  }
  TickRegions now = TickDependentRegions(input, width, height, kShadowBandRows);
  const IntRect clock = BoundingRect(shown_.clockLine, now.clockLine);
  const bool shadowChanges = now.shadowDrawing != shown_.shadowDrawing ||
                             Meets(shown_.shadowBands, clock) || Meets(now.shadowBands, clock);
  if (shadowChanges) PutFaceBack(surface);
  const IntRect clockChanged =
      IsEmptyRect(clock) ? IntRect{} : RepaintClockLine(input, surface, reporter, clock);
  std::vector<IntRect> changed;
  if (shadowChanges) changed = BandsOfBoth(shown_.shadowBands, now.shadowBands);
  if (!IsEmptyRect(clockChanged)) changed.push_back(clockChanged);
  shown_ = std::move(now);
  if (shadowChanges) DrawShadow(input, surface, reporter);
  return changed;
}

void KeptPicture::Forget() { painted_ = false; }

KeptPicture::Face KeptPicture::FaceOf(const PaintInput& input, const PixelSurface& surface) {
  return Face{&input.model,     input.model.geometry.get(), input.model.fine.get(),
              surface.Width(), surface.Height(),          input.dpi,
              input.dialFilePath};
}

// The face, then the shadow over it: the picture of one whole paint.
void KeptPicture::PaintWhole(const PaintInput& input, PixelSurface& surface,
                             MessageReporter& reporter) {
  clockLine_.Clear();
  PaintInput face = input;
  face.withShadow = false;
  surface.Draw([&](Canvas& canvas) { PaintDial(face, canvas, reporter); });
  shown_ = TickDependentRegions(input, surface.Width(), surface.Height(), kShadowBandRows);
  DrawShadow(input, surface, reporter);
  face_ = FaceOf(input, surface);
  painted_ = true;
}

// The face is repainted under a clip of whole rows around the clock line (the antialiasing of
// Cairo differs under clips with left and right edges), replaying what reaches it; what that
// draws around the clock line, with only part of the face, is put back as it was. Returns the
// part of the clock line that changed: from one second to the next, mostly a figure or two.
IntRect KeptPicture::RepaintClockLine(const PaintInput& input, PixelSurface& surface,
                                      MessageReporter& reporter, const IntRect& rect) {
  const int width = surface.Width();
  const int height = surface.Height();
  const IntRect rows{0, std::max(0, rect.top - kMarginRows), width,
                     std::min(height, rect.bottom + kMarginRows)};
  PaintInput face = input;
  face.withShadow = false;
  const IntRect drawn = IntersectRects(
      BoundingRect(clockLine_.Record(face, width, height, reporter, rows, rect), rect), rows);
  const int w = drawn.right - drawn.left;
  rows_.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(drawn.bottom - drawn.top));
  // Pixel (x, y) as it was.
  const auto was = [&](int y, int x) {
    return rows_.data() + static_cast<std::size_t>(y - drawn.top) * w + (x - drawn.left);
  };
  for (int y = drawn.top; y < drawn.bottom; ++y) {
    std::memcpy(was(y, drawn.left), surface.Row(y) + drawn.left, sizeof(std::uint32_t) * w);
  }
  surface.Draw([&](Canvas& canvas) { clockLine_.Replay(face, canvas); });
  // Columns [from, to) of row y put back.
  const auto putBack = [&](std::uint32_t* row, int y, int from, int to) {
    if (to > from) std::memcpy(row + from, was(y, from), sizeof(std::uint32_t) * (to - from));
  };
  IntRect changed;
  for (int y = drawn.top; y < drawn.bottom; ++y) {
    std::uint32_t* row = surface.Row(y);
    if (y < rect.top || y >= rect.bottom) {
      putBack(row, y, drawn.left, drawn.right);
      continue;
    }
    putBack(row, y, drawn.left, rect.left);
    putBack(row, y, rect.right, drawn.right);
    int left = rect.left;
    int right = rect.right;
    while (left < right && row[left] == *was(y, left)) ++left;
    while (left < right && row[right - 1] == *was(y, right - 1)) --right;
    if (left < right) changed = BoundingRect(changed, IntRect{left, y, right, y + 1});
  }
  return changed;
}

void KeptPicture::PutFaceBack(PixelSurface& surface) const {
  const std::uint32_t* from = underShadow_.pixels.data();
  for (const IntRect& band : underShadow_.rects) {
    if (IsEmptyRect(band)) continue;
    const std::size_t n = static_cast<std::size_t>(band.right - band.left);
    for (int y = band.top; y < band.bottom; ++y, from += n) {
      std::memcpy(surface.Row(y) + band.left, from, sizeof(std::uint32_t) * n);
    }
  }
}

// The face under the bands of the shadow shown is kept, and the shadow drawn over it.
void KeptPicture::DrawShadow(const PaintInput& input, PixelSurface& surface,
                             MessageReporter& reporter) {
  underShadow_.rects = shown_.shadowBands;
  underShadow_.pixels.clear();
  for (const IntRect& band : underShadow_.rects) {
    if (IsEmptyRect(band)) continue;
    for (int y = band.top; y < band.bottom; ++y) {
      const std::uint32_t* row = surface.Row(y);
      underShadow_.pixels.insert(underShadow_.pixels.end(), row + band.left, row + band.right);
    }
  }
  if (underShadow_.pixels.empty()) return;
  surface.Draw([&](Canvas& canvas) { PaintShadow(input, canvas, reporter); });
}

}  // namespace sundial
