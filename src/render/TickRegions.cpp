#include "render/TickRegions.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "render/DeviceRect.h"

namespace sundial {

namespace {

// Room around a stroke beyond half its pen: the antialiased fringe and a thin pen's miter joins
// (Cairo's miter limit of 10 on a one-pixel pen reaches 5 pixels past the corner).
constexpr int kStrokeFringe = 6;

int CellHeightOf(const FontSpec& spec) {
  // A negative height is the em, and a cell is about 1.12 em.
  if (spec.height > 0) return spec.height;
  if (spec.height < 0) return static_cast<int>(std::min<long long>(INT_MAX / 4, -2LL * spec.height));
  return RecordingCanvas::kDefaultCellHeight;
}

// A canvas that records what it is sent and gathers how far its drawing operations reach, in
// all and, with `bandRows`, in each band of that many rows.
class ExtentCanvas final : public RecordingCanvas {
 public:
  ExtentCanvas(int width, int height, int bandRows)
      : RecordingCanvas(width, height), width_(width), height_(height), bandRows_(bandRows) {
    if (bandRows_ > 0 && height_ > 0) {
      bands_.resize(static_cast<std::size_t>((height_ + bandRows_ - 1) / bandRows_));
    }
  }

  IntRect Extent() const { return extent_; }
  const std::vector<IntRect>& Bands() const { return bands_; }

  void FillRect(const IntRect& rect, ObjectHandle brush) override {
    RecordingCanvas::FillRect(rect, brush);
    Add(NormalizedRect(rect));
  }
  void MoveTo(int x, int y) override {
    RecordingCanvas::MoveTo(x, y);
    x_ = x;
    y_ = y;
  }
  void LineTo(int x, int y) override {
    RecordingCanvas::LineTo(x, y);
    const int reach = StrokeReach(CurrentPen());
    AddToExtent(PaddedRect(NormalizedRect(IntRect{x_, y_, x, y}), reach));
    AddSegmentToBands(x_, y_, x, y, reach, RoundStrokeReach(CurrentPen()));
    x_ = x;
    y_ = y;
  }
  void Ellipse(int left, int top, int right, int bottom) override {
    RecordingCanvas::Ellipse(left, top, right, bottom);
    Add(PaddedRect(NormalizedRect(IntRect{left, top, right, bottom}), StrokeReach(CurrentPen())));
  }
  void DrawText(const std::string& text, const IntRect& rect, unsigned flags) override {
    RecordingCanvas::DrawText(text, rect, flags);
    Add(TextBounds(CurrentFont(), text, rect, flags));
  }

 private:
  void Add(const IntRect& r) {
    AddToExtent(r);
    if (bands_.empty()) return;
    const IntRect cut = IntersectRects(r, IntRect{0, 0, width_, height_});
    if (IsEmptyRect(cut)) return;
    for (int b = cut.top / bandRows_; b <= (cut.bottom - 1) / bandRows_; ++b) {
      AddToBand(b, cut.left, cut.right);
    }
  }
  void AddToExtent(const IntRect& r) {
    extent_ = BoundingRect(extent_, IntersectRects(r, IntRect{0, 0, width_, height_}));
  }
  void AddToBand(int b, long long left, long long right) {
    const int top = b * bandRows_;
    const IntRect r{static_cast<int>(std::clamp<long long>(left, 0, width_)), top,
                    static_cast<int>(std::clamp<long long>(right, 0, width_)),
                    std::min(height_, top + bandRows_)};
    IntRect& band = bands_[static_cast<std::size_t>(b)];
    band = BoundingRect(band, r);
  }
  // A pixel within `reach` of the segment and inside a band's rows lies within `reach` across of
  // the part of the segment between `reach` above and below that band. With `round` (the reach
  // of a pen whose pixels all lie within that distance of the segment), a pixel also lies within
  // the strip of that half-width along the segment's line, which across the band's rows is much
  // narrower than the first bound for a steep line.
  void AddSegmentToBands(int x0, int y0, int x1, int y1, int reach, std::optional<int> round) {
    if (bands_.empty()) return;
    if (round) reach = std::min(reach, *round);
    const long long low = std::max<long long>(0, std::min(y0, y1) - 1LL * reach);
    const long long high = std::min<long long>(height_ - 1LL, std::max(y0, y1) + 1LL * reach);
    if (low > high) return;
    const double dx = 1.0 * x1 - x0;
    const double dy = 1.0 * y1 - y0;
    // The half-width of that strip along a row.
    const double across = round && y0 != y1 ? *round * std::hypot(dx, dy) / std::fabs(dy) : 0;
    for (long long b = low / bandRows_; b <= high / bandRows_; ++b) {
      const double top = static_cast<double>(b * bandRows_ - reach);
      const double bottom = static_cast<double>((b + 1) * bandRows_ + reach);
      double left = std::min(x0, x1) - reach;
      double right = std::max(x0, x1) + reach;
      if (y0 != y1) {
        // The segment's x where it crosses those rows, its ends kept inside.
        auto xAt = [&](double y) {
          const double t = std::clamp((y - y0) / dy, 0.0, 1.0);
          return x0 + t * dx;
        };
        const double a = xAt(top);
        const double c = xAt(bottom);
        left = std::min(a, c) - reach;
        right = std::max(a, c) + reach;
        if (round && across < right - left) {
          // The line's x across the band's own rows (those of its last row's pixels included).
          const double onLine = x0 + (static_cast<double>(b * bandRows_) - y0) * dx / dy;
          const double offLine = x0 + (static_cast<double>((b + 1) * bandRows_) - y0) * dx / dy;
          left = std::max(left, std::min(onLine, offLine) - across);
          right = std::min(right, std::max(onLine, offLine) + across);
        }
      }
      AddToBand(static_cast<int>(b), static_cast<long long>(std::floor(left)) - 1,
                static_cast<long long>(std::ceil(right)) + 2);
    }
  }

  int width_;
  int height_;
  int bandRows_;
  std::vector<IntRect> bands_;
  int x_ = 0;
  int y_ = 0;
  IntRect extent_;
};

class SilentReporter final : public MessageReporter {
 public:
  void ShowMessage(const std::string&) override {}
};

}  // namespace

int StrokeReach(const PenSpec& pen) { return std::max(pen.width, 1) / 2 + 1 + kStrokeFringe; }

// Every pixel a round pen touches has its corner within half the pen, its antialiased edge and
// the half pixel its centre may lie off the point's corner, of some point of its segments.
std::optional<int> RoundStrokeReach(const PenSpec& pen) {
  if (pen.width <= 1) return std::nullopt;
  return pen.width / 2 + 2;
}

IntRect TextBounds(const FontSpec& font, const std::string& text, const IntRect& rect,
                   unsigned flags) {
  return TextReach(text, rect, flags, CellHeightOf(font), font.charset == kSymbolCharset);
}

IntRect TextReach(const std::string& text, const IntRect& rect, unsigned flags, int cellHeight,
                  bool symbolFont) {
  // Digits and the signs of a clock time are at most 0.6 of a cell wide in the text font (Arial's
  // and Liberation Sans's figures take 0.56 em of a 1.12 em cell, DejaVu Sans's 0.64 em); any
  // other character at most a whole cell.
  const long long cell = std::max(cellHeight, 1);
  auto advance = [&](unsigned char c) -> long long {
    if (symbolFont) return 3 * cell / 2 + 1;
    const bool narrow = (c >= '0' && c <= '9') || c == ' ' || c == ':' || c == '-' || c == '+' ||
                        c == '.' || c == '/';
    return narrow ? 3 * cell / 5 + 1 : cell;
  };
  int lines = 1;
  long long width = 0;
  long long run = 0;
  for (char c : text) {
    if (c == '\n') {
      ++lines;
      run = 0;
    } else {
      run += advance(static_cast<unsigned char>(c));
      width = std::max(width, run);
    }
  }
  // Each line starts at the rectangle's left edge, ends at its right edge or is centred between
  // them, the edges taken as they stand (a canvas does not swap them).
  long long left = rect.left;
  if (flags & kTextCenter) {
    left += (1LL * rect.right - rect.left) / 2 - width / 2 - 1;
  } else if (flags & kTextRight) {
    left = 1LL * rect.right - width;
  }
  const long long right = left + width + 2;
  // Text hangs from the rectangle's top edge, whichever edge that is, a line a cell high; the
  // glyphs' ink and antialiasing stay within a quarter of a cell around their cells.
  const long long top = std::min(rect.top, rect.bottom);
  const long long bottom = std::max<long long>(std::max(rect.top, rect.bottom),
                                               rect.top + 5 * cell * lines / 4);
  const long long pad = cell / 4 + 2;
  auto clampInt = [](long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN / 2, INT_MAX / 2));
  };
  return IntRect{clampInt(left - pad), clampInt(top - pad), clampInt(right + pad),
                 clampInt(bottom + pad)};
}

TickRegions TickDependentRegions(const PaintInput& input, int width, int height,
                                 int shadowBandRows) {
  if (!input.sunValid) return TickRegions{};
  SilentReporter silent;
  ExtentCanvas clock(width, height, 0);
  PaintClockLine(input, clock, silent);
  ExtentCanvas shadow(width, height, std::max(shadowBandRows, 0));
  PaintShadow(input, shadow, silent);
  return TickRegions{clock.Extent(), shadow.Bands(), shadow.Ops()};
}

}  // namespace sundial
