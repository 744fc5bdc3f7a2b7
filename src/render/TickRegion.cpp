#include "render/TickRegion.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>

namespace sundial {

namespace {

// Room around a stroke beyond half its pen: the antialiased fringe and a thin pen's miter joins
// (Cairo's miter limit of 10 on a one-pixel pen reaches 5 pixels past the corner).
constexpr int kStrokeFringe = 6;
// The cell of the font a canvas holds before any is selected.
constexpr int kDefaultCellHeight = 16;

IntRect Normalized(const IntRect& r) {
  return IntRect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                 std::max(r.top, r.bottom)};
}

IntRect Padded(const IntRect& r, int pad) {
  auto sub = [](int a, int b) { return static_cast<int>(std::max<long long>(INT_MIN, 1LL * a - b)); };
  auto add = [](int a, int b) { return static_cast<int>(std::min<long long>(INT_MAX, 1LL * a + b)); };
  return IntRect{sub(r.left, pad), sub(r.top, pad), add(r.right, pad), add(r.bottom, pad)};
}

long long Area(const IntRect& r) {
  return IsEmptyRect(r) ? 0 : 1LL * (r.right - r.left) * (r.bottom - r.top);
}

int CellHeightOf(const FontSpec& spec) {
  // A negative height is the em, and a cell is about 1.12 em.
  if (spec.height > 0) return spec.height;
  if (spec.height < 0) return static_cast<int>(std::min<long long>(INT_MAX / 4, -2LL * spec.height));
  return kDefaultCellHeight;
}

// The pens and fonts a canvas wrapper must know to tell how far an operation reaches.
class ObjectBook {
 public:
  void AddPen(ObjectHandle h, const PenSpec& spec) {
    if (h != kNoObject) pens_[h] = spec;
  }
  void AddFont(ObjectHandle h, const FontSpec& spec) {
    if (h != kNoObject) fonts_[h] = spec;
  }
  void SelectPen(ObjectHandle h) {
    if (auto it = pens_.find(h); it != pens_.end()) pen_ = it->second;
  }
  void SelectFont(ObjectHandle h) {
    if (auto it = fonts_.find(h); it != fonts_.end()) font_ = it->second;
  }
  // Half the pen's width plus the fringe.
  int StrokeReach() const { return std::max(pen_.width, 1) / 2 + 1 + kStrokeFringe; }
  IntRect TextBounds(const std::string& text, const IntRect& rect, unsigned flags) const {
    return TextReach(text, rect, flags, CellHeightOf(font_), font_.charset == kSymbolCharset);
  }

 private:
  std::map<ObjectHandle, PenSpec> pens_;
  std::map<ObjectHandle, FontSpec> fonts_;
  PenSpec pen_;  // a fresh canvas: the thin black pen, the default font
  FontSpec font_{"Arial", kDefaultCellHeight, kAnsiCharset};
};

// A canvas that draws nothing and gathers how far its drawing operations reach.
class ExtentCanvas final : public Canvas {
 public:
  ExtentCanvas(int width, int height) : width_(width), height_(height) {}

  IntRect Extent() const { return extent_; }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  ObjectHandle CreatePen(const PenSpec& spec) override {
    const ObjectHandle h = next_++;
    book_.AddPen(h, spec);
    return h;
  }
  ObjectHandle CreateSolidBrush(Rgb) override { return next_++; }
  ObjectHandle StockBlackBrush() override { return next_++; }
  ObjectHandle CreateFont(const FontSpec& spec) override {
    const ObjectHandle h = next_++;
    book_.AddFont(h, spec);
    return h;
  }
  void DeleteObject(ObjectHandle) override {}
  ObjectHandle SelectPen(ObjectHandle pen) override {
    book_.SelectPen(pen);
    return Swap(pen_, pen);
  }
  ObjectHandle SelectBrush(ObjectHandle brush) override { return Swap(brush_, brush); }
  ObjectHandle SelectFont(ObjectHandle font) override {
    book_.SelectFont(font);
    return Swap(font_, font);
  }
  void SetTextColor(Rgb) override {}
  void SetBackgroundColor(Rgb) override {}
  void SetBackgroundMode(BackgroundMode) override {}
  void FillRect(const IntRect& rect, ObjectHandle) override { Add(Normalized(rect)); }
  void MoveTo(int x, int y) override {
    x_ = x;
    y_ = y;
  }
  void LineTo(int x, int y) override {
    Add(Padded(Normalized(IntRect{x_, y_, x, y}), book_.StrokeReach()));
    x_ = x;
    y_ = y;
  }
  void Ellipse(int left, int top, int right, int bottom) override {
    Add(Padded(Normalized(IntRect{left, top, right, bottom}), book_.StrokeReach()));
  }
  void DrawText(const std::string& text, const IntRect& rect, unsigned flags) override {
    Add(book_.TextBounds(text, rect, flags));
  }
  void SetClipRect(const IntRect&) override {}
  void ClearClip() override {}

 private:
  static ObjectHandle Swap(ObjectHandle& current, ObjectHandle wanted) {
    const ObjectHandle previous = current;
    current = wanted;
    return previous;
  }
  void Add(const IntRect& r) {
    extent_ = BoundingRect(extent_, IntersectRects(r, IntRect{0, 0, width_, height_}));
  }

  int width_;
  int height_;
  ObjectHandle next_ = 1;
  ObjectHandle pen_ = kNoObject;
  ObjectHandle brush_ = kNoObject;
  ObjectHandle font_ = kNoObject;
  ObjectBook book_;
  int x_ = 0;
  int y_ = 0;
  IntRect extent_;
};

// Passes a paint on to `target` under a clip of one rectangle, the painter's own clips cut to it,
// and leaves out the figures and texts that cannot reach the rectangle `reach` inside it; filled
// rectangles (whole pixels, the same under any clip) are filled inside `reach` only. Lines all
// go through: the canvas stroking them skips what cannot be seen, and a pen's dash pattern runs
// on unbroken.
class RegionCanvas final : public Canvas {
 public:
  RegionCanvas(Canvas& target, const IntRect& region, const IntRect& reach)
      : target_(target), region_(region), reach_(IntersectRects(reach, region)) {
    Apply();
  }
  ~RegionCanvas() override { target_.ClearClip(); }

  int Width() const override { return target_.Width(); }
  int Height() const override { return target_.Height(); }
  ObjectHandle CreatePen(const PenSpec& spec) override {
    const ObjectHandle h = target_.CreatePen(spec);
    book_.AddPen(h, spec);
    return h;
  }
  ObjectHandle CreateSolidBrush(Rgb color) override { return target_.CreateSolidBrush(color); }
  ObjectHandle StockBlackBrush() override { return target_.StockBlackBrush(); }
  ObjectHandle CreateFont(const FontSpec& spec) override {
    const ObjectHandle h = target_.CreateFont(spec);
    book_.AddFont(h, spec);
    return h;
  }
  void DeleteObject(ObjectHandle object) override { target_.DeleteObject(object); }
  ObjectHandle SelectPen(ObjectHandle pen) override {
    book_.SelectPen(pen);
    return target_.SelectPen(pen);
  }
  ObjectHandle SelectBrush(ObjectHandle brush) override { return target_.SelectBrush(brush); }
  ObjectHandle SelectFont(ObjectHandle font) override {
    const ObjectHandle previous = target_.SelectFont(font);
    book_.SelectFont(font);
    return previous;
  }
  void SetTextColor(Rgb color) override { target_.SetTextColor(color); }
  void SetBackgroundColor(Rgb color) override { target_.SetBackgroundColor(color); }
  void SetBackgroundMode(BackgroundMode mode) override { target_.SetBackgroundMode(mode); }
  void FillRect(const IntRect& rect, ObjectHandle brush) override {
    const IntRect inside = IntersectRects(IntersectRects(Normalized(rect), effective_), reach_);
    if (!IsEmptyRect(inside)) target_.FillRect(inside, brush);
  }
  void MoveTo(int x, int y) override { target_.MoveTo(x, y); }
  void LineTo(int x, int y) override { target_.LineTo(x, y); }
  void Ellipse(int left, int top, int right, int bottom) override {
    if (Reaches(Padded(Normalized(IntRect{left, top, right, bottom}), book_.StrokeReach()))) {
      target_.Ellipse(left, top, right, bottom);
    }
  }
  void DrawText(const std::string& text, const IntRect& rect, unsigned flags) override {
    if (Reaches(book_.TextBounds(text, rect, flags))) target_.DrawText(text, rect, flags);
  }
  void SetClipRect(const IntRect& rect) override {
    painterClip_ = Normalized(rect);
    clipped_ = true;
    Apply();
  }
  void ClearClip() override {
    clipped_ = false;
    Apply();
  }

 private:
  void Apply() {
    effective_ = clipped_ ? IntersectRects(painterClip_, region_) : region_;
    // An empty clip still has to stop the lines, which all go through.
    target_.SetClipRect(IsEmptyRect(effective_) ? IntRect{region_.left, region_.top, region_.left,
                                                          region_.top}
                                                : effective_);
  }
  bool Reaches(const IntRect& bounds) const {
    return !IsEmptyRect(IntersectRects(IntersectRects(bounds, effective_), reach_));
  }

  Canvas& target_;
  IntRect region_;
  IntRect reach_;
  IntRect painterClip_;
  bool clipped_ = false;
  IntRect effective_;
  ObjectBook book_;
};

class SilentReporter final : public MessageReporter {
 public:
  void ShowMessage(const std::string&) override {}
};

}  // namespace

bool IsEmptyRect(const IntRect& r) { return r.right <= r.left || r.bottom <= r.top; }

IntRect IntersectRects(const IntRect& a, const IntRect& b) {
  const IntRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
  return IsEmptyRect(r) ? IntRect{} : r;
}

IntRect BoundingRect(const IntRect& a, const IntRect& b) {
  if (IsEmptyRect(a)) return IsEmptyRect(b) ? IntRect{} : b;
  if (IsEmptyRect(b)) return a;
  return IntRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom)};
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
  const IntRect r = Normalized(rect);
  long long left = r.left, right = r.right;
  if (flags & kTextCenter) {
    left -= width / 2;
    right += width / 2;
  } else if (flags & kTextRight) {
    left -= width;
  } else {
    right += width;
  }
  // Text hangs from the rectangle's top edge, whichever edge that is.
  const long long top = std::min(rect.top, rect.bottom);
  const long long bottom = std::max<long long>(std::max(rect.top, rect.bottom),
                                               rect.top + 2 * cell * lines);
  auto clampInt = [](long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN / 2, INT_MAX / 2));
  };
  return IntRect{clampInt(left - cell), clampInt(top - cell), clampInt(right + cell),
                 clampInt(bottom + cell)};
}

TickRegions TickDependentRegions(const PaintInput& input, int width, int height) {
  if (!input.sunValid) return TickRegions{};
  SilentReporter silent;
  ExtentCanvas clock(width, height);
  PaintClockLine(input, clock, silent);
  ExtentCanvas shadow(width, height);
  PaintShadow(input, shadow, silent);
  return TickRegions{clock.Extent(), shadow.Extent()};
}

std::vector<IntRect> MergeRegion(std::vector<IntRect> rects, int width, int height) {
  const IntRect canvas{0, 0, width, height};
  std::vector<IntRect> out;
  for (const IntRect& r : rects) {
    const IntRect cut = IntersectRects(r, canvas);
    if (!IsEmptyRect(cut)) out.push_back(cut);
  }
  for (bool joined = true; joined;) {
    joined = false;
    for (std::size_t i = 0; i < out.size() && !joined; ++i) {
      for (std::size_t j = i + 1; j < out.size() && !joined; ++j) {
        const IntRect both = BoundingRect(out[i], out[j]);
        if (Area(both) <= Area(out[i]) + Area(out[j])) {
          out[i] = both;
          out.erase(out.begin() + static_cast<std::ptrdiff_t>(j));
          joined = true;
        }
      }
    }
  }
  return out;
}

void RepaintRect(const PaintInput& input, Canvas& canvas, MessageReporter& reporter,
                 const IntRect& rect) {
  PaintReaching(input, canvas, reporter, rect, rect);
}

void PaintReaching(const PaintInput& input, Canvas& canvas, MessageReporter& reporter,
                   const IntRect& clip, const IntRect& reach) {
  RegionCanvas region(canvas, clip, reach);
  PaintDial(input, region, reporter);
}

}  // namespace sundial
