#include "render/TickRegion.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>

#include "render/Titles.h"

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

std::uint32_t Packed(Rgb c) { return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b; }

long long Area(const IntRect& r) {
  return IsEmptyRect(r) ? 0 : 1LL * (r.right - r.left) * (r.bottom - r.top);
}

int CellHeightOf(const FontSpec& spec) {
  // A negative height is the em, and a cell is about 1.12 em.
  if (spec.height > 0) return spec.height;
  if (spec.height < 0) return static_cast<int>(std::min<long long>(INT_MAX / 4, -2LL * spec.height));
  return kDefaultCellHeight;
}

// Finds the entry of handle `h` in a short list of (handle, object) pairs, the latest first.
template <typename T>
const T* FindObject(const std::vector<std::pair<ObjectHandle, T>>& list, ObjectHandle h) {
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if (it->first == h) return &it->second;
  }
  return nullptr;
}

// The pens and fonts a canvas wrapper must know to tell how far an operation reaches. A paint
// makes a score of them, so short lists serve (a handle made again is found at its latest).
class ObjectBook {
 public:
  void AddPen(ObjectHandle h, const PenSpec& spec) {
    if (h != kNoObject) pens_.emplace_back(h, spec);
  }
  void AddFont(ObjectHandle h, const FontSpec& spec) {
    if (h != kNoObject) fonts_.emplace_back(h, spec);
  }
  void SelectPen(ObjectHandle h) {
    if (const PenSpec* pen = FindObject(pens_, h)) pen_ = *pen;
  }
  void SelectFont(ObjectHandle h) {
    if (const FontSpec* font = FindObject(fonts_, h)) font_ = *font;
  }
  // Half the pen's width plus the fringe.
  int StrokeReach() const { return std::max(pen_.width, 1) / 2 + 1 + kStrokeFringe; }
  // A wide pen's ends and joins are round: every pixel it touches has its corner within half the
  // pen, its antialiased edge and the half pixel its centre may lie off the point's corner, of
  // some point of the segments it strokes. Nothing sticks out as a thin pen's miter corners do.
  std::optional<int> RoundStrokeReach() const {
    if (pen_.width <= 1) return std::nullopt;
    return pen_.width / 2 + 2;
  }
  IntRect TextBounds(const std::string& text, const IntRect& rect, unsigned flags) const {
    return TextReach(text, rect, flags, CellHeightOf(font_), font_.charset == kSymbolCharset);
  }

 private:
  std::vector<std::pair<ObjectHandle, PenSpec>> pens_;
  std::vector<std::pair<ObjectHandle, FontSpec>> fonts_;
  PenSpec pen_;  // a fresh canvas: the thin black pen, the default font
  FontSpec font_{"Arial", kDefaultCellHeight, kAnsiCharset};
};

// A canvas that draws nothing and gathers how far its drawing operations reach, and, when asked,
// the operations themselves with their arguments (the handles it gives out are numbered in
// order, so two paints that send the same operations give the same list).
class ExtentCanvas final : public Canvas {
 public:
  // With `bandRows`, also how far the operations reach in each band of that many rows.
  ExtentCanvas(int width, int height, int bandRows = 0, std::vector<std::int32_t>* log = nullptr)
      : width_(width), height_(height), bandRows_(bandRows), log_(log) {
    if (bandRows_ > 0 && height_ > 0) {
      bands_.resize(static_cast<std::size_t>((height_ + bandRows_ - 1) / bandRows_));
    }
  }

  IntRect Extent() const { return extent_; }
  const std::vector<IntRect>& Bands() const { return bands_; }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  ObjectHandle CreatePen(const PenSpec& spec) override {
    Log(CanvasOpKind::CreatePen, static_cast<int>(spec.style), spec.width, Packed(spec.color));
    const ObjectHandle h = next_++;
    book_.AddPen(h, spec);
    return h;
  }
  ObjectHandle CreateSolidBrush(Rgb color) override {
    Log(CanvasOpKind::CreateSolidBrush, Packed(color));
    return next_++;
  }
  ObjectHandle StockBlackBrush() override {
    Log(CanvasOpKind::StockBlackBrush);
    return next_++;
  }
  ObjectHandle CreateFont(const FontSpec& spec) override {
    Log(CanvasOpKind::CreateFont, spec.height, spec.charset);
    LogText(spec.face);
    const ObjectHandle h = next_++;
    book_.AddFont(h, spec);
    return h;
  }
  void DeleteObject(ObjectHandle object) override { Log(CanvasOpKind::DeleteObject, object); }
  ObjectHandle SelectPen(ObjectHandle pen) override {
    Log(CanvasOpKind::SelectPen, pen);
    book_.SelectPen(pen);
    return Swap(pen_, pen);
  }
  ObjectHandle SelectBrush(ObjectHandle brush) override {
    Log(CanvasOpKind::SelectBrush, brush);
    return Swap(brush_, brush);
  }
  ObjectHandle SelectFont(ObjectHandle font) override {
    Log(CanvasOpKind::SelectFont, font);
    book_.SelectFont(font);
    return Swap(font_, font);
  }
  void SetTextColor(Rgb color) override { Log(CanvasOpKind::SetTextColor, Packed(color)); }
  void SetBackgroundColor(Rgb color) override {
    Log(CanvasOpKind::SetBackgroundColor, Packed(color));
  }
  void SetBackgroundMode(BackgroundMode mode) override {
    Log(CanvasOpKind::SetBackgroundMode, static_cast<int>(mode));
  }
  void FillRect(const IntRect& rect, ObjectHandle brush) override {
    Log(CanvasOpKind::FillRect, rect.left, rect.top, rect.right, rect.bottom, brush);
    Add(Normalized(rect));
  }
  void MoveTo(int x, int y) override {
    Log(CanvasOpKind::MoveTo, x, y);
    x_ = x;
    y_ = y;
  }
  void LineTo(int x, int y) override {
    Log(CanvasOpKind::LineTo, x, y);
    const int reach = book_.StrokeReach();
    AddToExtent(Padded(Normalized(IntRect{x_, y_, x, y}), reach));
    AddSegmentToBands(x_, y_, x, y, reach, book_.RoundStrokeReach());
    x_ = x;
    y_ = y;
  }
  void Ellipse(int left, int top, int right, int bottom) override {
    Log(CanvasOpKind::Ellipse, left, top, right, bottom);
    Add(Padded(Normalized(IntRect{left, top, right, bottom}), book_.StrokeReach()));
  }
  void DrawText(const std::string& text, const IntRect& rect, unsigned flags) override {
    Log(CanvasOpKind::DrawText, rect.left, rect.top, rect.right, rect.bottom, flags);
    LogText(text);
    Add(book_.TextBounds(text, rect, flags));
  }
  void SetClipRect(const IntRect& rect) override {
    Log(CanvasOpKind::SetClipRect, rect.left, rect.top, rect.right, rect.bottom);
  }
  void ClearClip() override { Log(CanvasOpKind::ClearClip); }

 private:
  template <typename... Args>
  void Log(CanvasOpKind kind, Args... args) {
    if (log_ == nullptr) return;
    log_->push_back(static_cast<std::int32_t>(kind));
    (log_->push_back(static_cast<std::int32_t>(args)), ...);
  }
  void LogText(const std::string& text) {
    if (log_ == nullptr) return;
    log_->push_back(static_cast<std::int32_t>(text.size()));
    for (const char c : text) log_->push_back(static_cast<unsigned char>(c));
  }
  static ObjectHandle Swap(ObjectHandle& current, ObjectHandle wanted) {
    const ObjectHandle previous = current;
    current = wanted;
    return previous;
  }
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
  ObjectHandle next_ = 1;
  ObjectHandle pen_ = kNoObject;
  ObjectHandle brush_ = kNoObject;
  ObjectHandle font_ = kNoObject;
  ObjectBook book_;
  int x_ = 0;
  int y_ = 0;
  IntRect extent_;
  std::vector<std::int32_t>* log_;
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

TickRegions TickDependentRegions(const PaintInput& input, int width, int height,
                                 int shadowBandRows) {
  if (!input.sunValid) return TickRegions{};
  SilentReporter silent;
  ExtentCanvas clock(width, height);
  PaintClockLine(input, clock, silent);
  TickRegions regions;
  ExtentCanvas shadow(width, height, std::max(shadowBandRows, 0), &regions.shadowDrawing);
  PaintShadow(input, shadow, silent);
  regions.clockLine = clock.Extent();
  regions.shadow = shadow.Extent();
  regions.shadowBands = shadow.Bands();
  return regions;
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

void PaintShadowReaching(const PaintInput& input, Canvas& canvas, MessageReporter& reporter,
                         const IntRect& clip, const IntRect& reach) {
  RegionCanvas region(canvas, clip, reach);
  PaintShadow(input, region, reporter);
}

namespace {

Rgb Unpacked(std::uint32_t v) {
  return Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
             static_cast<std::uint8_t>(v)};
}

}  // namespace

// Passes every operation on to the canvas drawn on and keeps it in a RegionReplay. The
// operations of a polyline are held back until it reaches the rectangle (then kept) or the next
// MoveTo ends it without having reached it (then only what else came between is kept).
class RecordingTee final : public Canvas {
 public:
  using Op = CanvasOpKind;

  RecordingTee(Canvas& target, RegionReplay& replay, const IntRect& reach,
               const std::string& clockLine)
      : target_(target), replay_(replay), reach_(reach), clockLine_(clockLine) {}
  ~RecordingTee() override {
    EndRun();
    replay_.touched_ = touched_;
    replay_.clockTouched_ = clockTouched_;
  }

  int Width() const override { return target_.Width(); }
  int Height() const override { return target_.Height(); }
  ObjectHandle CreatePen(const PenSpec& spec) override {
    const ObjectHandle h = target_.CreatePen(spec);
    if (h != kNoObject) penWidths_[h] = spec.width;
    book_.AddPen(h, spec);
    replay_.pens_.push_back(spec);
    Keep({Op::CreatePen, false, {}, h, static_cast<std::uint32_t>(replay_.pens_.size() - 1)});
    return h;
  }
  ObjectHandle CreateSolidBrush(Rgb color) override {
    const ObjectHandle h = target_.CreateSolidBrush(color);
    Keep({Op::CreateSolidBrush, false, {}, h, Packed(color)});
    return h;
  }
  ObjectHandle StockBlackBrush() override {
    const ObjectHandle h = target_.StockBlackBrush();
    Keep({Op::StockBlackBrush, false, {}, h});
    return h;
  }
  ObjectHandle CreateFont(const FontSpec& spec) override {
    const ObjectHandle h = target_.CreateFont(spec);
    book_.AddFont(h, spec);
    replay_.fonts_.push_back(spec);
    Keep({Op::CreateFont, false, {}, h, static_cast<std::uint32_t>(replay_.fonts_.size() - 1)});
    return h;
  }
  void DeleteObject(ObjectHandle object) override {
    target_.DeleteObject(object);
    Keep({Op::DeleteObject, false, {}, object});
  }
  ObjectHandle SelectPen(ObjectHandle pen) override {
    const ObjectHandle previous = target_.SelectPen(pen);
    if (previous != kNoObject) {
      book_.SelectPen(pen);
      auto it = penWidths_.find(pen);
      penWidth_ = it == penWidths_.end() ? 1 : it->second;
    }
    Keep({Op::SelectPen, false, {}, pen});
    return previous;
  }
  ObjectHandle SelectBrush(ObjectHandle brush) override {
    Keep({Op::SelectBrush, false, {}, brush});
    return target_.SelectBrush(brush);
  }
  ObjectHandle SelectFont(ObjectHandle font) override {
    Keep({Op::SelectFont, false, {}, font});
    const ObjectHandle previous = target_.SelectFont(font);
    if (previous != kNoObject) book_.SelectFont(font);
    return previous;
  }
  void SetTextColor(Rgb color) override {
    target_.SetTextColor(color);
    Keep({Op::SetTextColor, false, {}, 0, Packed(color)});
  }
  void SetBackgroundColor(Rgb color) override {
    target_.SetBackgroundColor(color);
    Keep({Op::SetBackgroundColor, false, {}, 0, Packed(color)});
  }
  void SetBackgroundMode(BackgroundMode mode) override {
    target_.SetBackgroundMode(mode);
    Keep({Op::SetBackgroundMode, false, {}, 0, static_cast<std::uint32_t>(mode)});
  }
  void FillRect(const IntRect& rect, ObjectHandle brush) override {
    target_.FillRect(rect, brush);
    Touch(Normalized(rect));
    Keep({Op::FillRect, false, rect, brush});
  }
  void MoveTo(int x, int y) override {
    target_.MoveTo(x, y);
    EndRun();
    runStart_ = replay_.ops_.size();
    inRun_ = true;
    runBox_ = IntRect{};
    x_ = x;
    y_ = y;
    replay_.ops_.push_back({Op::MoveTo, false, IntRect{x, y, 0, 0}});
  }
  void LineTo(int x, int y) override {
    target_.LineTo(x, y);
    // Half the pen, a thin pen's miter corners and the antialiased fringe.
    const int pad = std::max(penWidth_, 1) / 2 + 10;
    const IntRect box = Padded(Normalized(IntRect{x_, y_, x, y}), pad);
    runBox_ = BoundingRect(runBox_, box);
    if (inRun_ && !IsEmptyRect(IntersectRects(box, reach_))) inRun_ = false;  // reached: kept
    x_ = x;
    y_ = y;
    replay_.ops_.push_back({Op::LineTo, false, IntRect{x, y, 0, 0}});
  }
  void Ellipse(int left, int top, int right, int bottom) override {
    target_.Ellipse(left, top, right, bottom);
    Touch(Padded(Normalized(IntRect{left, top, right, bottom}), book_.StrokeReach() + 4));
    Keep({Op::Ellipse, false, IntRect{left, top, right, bottom}});
  }
  void DrawText(const std::string& text, const IntRect& rect, unsigned flags) override {
    target_.DrawText(text, rect, flags);
    if (!clockLine_.empty() && text == clockLine_) {
      clockTouched_ = BoundingRect(clockTouched_, book_.TextBounds(text, rect, flags));
      Keep({Op::DrawText, true, rect, 0, flags});
      return;
    }
    Touch(book_.TextBounds(text, rect, flags));
    replay_.texts_.push_back(text);
    Keep({Op::DrawText, false, rect, 0, flags,
          static_cast<std::uint32_t>(replay_.texts_.size() - 1)});
  }
  void SetClipRect(const IntRect& rect) override {
    target_.SetClipRect(rect);
    Keep({Op::SetClipRect, false, rect});
  }
  void ClearClip() override {
    target_.ClearClip();
    Keep({Op::ClearClip, false, {}});
  }

 private:
  void Keep(const RegionReplay::Recorded& op) { replay_.ops_.push_back(op); }

  // A polyline that never came near the rectangle: its MoveTo and LineTos go, the rest stays.
  void Touch(const IntRect& r) { touched_ = BoundingRect(touched_, r); }

  void EndRun() {
    if (!inRun_) {
      Touch(runBox_);  // a polyline kept, or what was drawn before the first MoveTo
      runBox_ = IntRect{};
      return;
    }
    inRun_ = false;
    runBox_ = IntRect{};
    auto& ops = replay_.ops_;
    const auto from = ops.begin() + static_cast<std::ptrdiff_t>(runStart_);
    ops.erase(std::remove_if(from, ops.end(),
                             [](const RegionReplay::Recorded& r) {
                               return r.op == Op::MoveTo || r.op == Op::LineTo;
                             }),
              ops.end());
  }

  Canvas& target_;
  RegionReplay& replay_;
  IntRect reach_;
  const std::string& clockLine_;
  std::map<ObjectHandle, int> penWidths_;
  int penWidth_ = 1;  // a fresh canvas: the thin stock pen
  ObjectBook book_;
  IntRect runBox_;   // the reach of the polyline since the last MoveTo
  IntRect touched_;  // the reach of everything kept but the clock line
  IntRect clockTouched_;
  bool inRun_ = false;
  std::size_t runStart_ = 0;
  int x_ = 0;
  int y_ = 0;
};

void RegionReplay::Clear() {
  recorded_ = false;
  touched_ = IntRect{};
  clockTouched_ = IntRect{};
  ops_.clear();
  ops_.shrink_to_fit();
  pens_.clear();
  fonts_.clear();
  texts_.clear();
}

void RegionReplay::Paint(const PaintInput& input, Canvas& canvas, MessageReporter& reporter,
                         const IntRect& clip, const IntRect& reach) {
  if (input.withShadow) {
    PaintReaching(input, canvas, reporter, clip, reach);
    return;
  }
  Key key = KeyOf(input, canvas.Width(), canvas.Height(), clip, reach);
  if (recorded_ && key == key_) {
    Replay(input, canvas);
    return;
  }
  Clear();
  const std::string clockLine =
      input.sunValid ? ClockLineText(input.clockText, input.equationText) : std::string();
  {
    RecordingTee tee(canvas, *this, reach, clockLine);
    PaintReaching(input, tee, reporter, clip, reach);
  }
  DropUnusedObjects();
  ops_.shrink_to_fit();
  key_ = std::move(key);
  recorded_ = true;
}

// A paint makes all its pens, brushes and fonts up front, while what reaches one rectangle mostly
// draws with few of them (the clock line's rectangle: one font). A line is drawn with the pen
// current at it, an ellipse with the current pen and brush, a text in the current font, and a
// filled rectangle with the brush it names; an object of the record that none of the kept
// drawing uses is left out with its selections and its deletion. Selecting it only ever made it
// current until the next selection, and no kept drawing came in between.
void RegionReplay::DropUnusedObjects() {
  using Op = CanvasOpKind;
  enum Kind { kPen, kBrush, kFont };
  std::map<ObjectHandle, Kind> made;
  std::map<ObjectHandle, bool> used;
  ObjectHandle current[3] = {kNoObject, kNoObject, kNoObject};
  auto use = [&](ObjectHandle h) { used[h] = true; };
  for (const Recorded& r : ops_) {
    switch (r.op) {
      case Op::CreatePen:
        if (r.handle != kNoObject) made[r.handle] = kPen;
        break;
      case Op::CreateSolidBrush:
      case Op::StockBlackBrush:
        if (r.handle != kNoObject) made[r.handle] = kBrush;
        break;
      case Op::CreateFont:
        if (r.handle != kNoObject) made[r.handle] = kFont;
        break;
      case Op::SelectPen:
        current[kPen] = r.handle;
        break;
      case Op::SelectBrush:
        current[kBrush] = r.handle;
        break;
      case Op::SelectFont:
        current[kFont] = r.handle;
        break;
      case Op::FillRect:
        use(r.handle);
        break;
      case Op::MoveTo:
      case Op::LineTo:
        use(current[kPen]);
        break;
      case Op::Ellipse:
        use(current[kPen]);
        use(current[kBrush]);
        break;
      case Op::DrawText:
        use(current[kFont]);
        break;
      default:
        break;
    }
  }
  const auto unused = [&](const Recorded& r) {
    switch (r.op) {
      case Op::CreatePen:
      case Op::CreateSolidBrush:
      case Op::StockBlackBrush:
      case Op::CreateFont:
      case Op::SelectPen:
      case Op::SelectBrush:
      case Op::SelectFont:
      case Op::DeleteObject:
        return made.count(r.handle) != 0 && used.count(r.handle) == 0;
      default:
        return false;
    }
  };
  ops_.erase(std::remove_if(ops_.begin(), ops_.end(), unused), ops_.end());
}

RegionReplay::Key RegionReplay::KeyOf(const PaintInput& input, int width, int height,
                                     const IntRect& clip, const IntRect& reach) {
  return Key{&input.model,  input.model.geometry.get(), input.model.fine.get(), width, height,
             clip,          reach,                      input.sunValid,         input.dialFilePath};
}

std::optional<IntRect> RegionReplay::Touches(const PaintInput& input, int width, int height,
                                             const IntRect& clip, const IntRect& reach,
                                             const std::optional<IntRect>& clockLine) const {
  if (input.withShadow || !recorded_ || !(KeyOf(input, width, height, clip, reach) == key_)) {
    return std::nullopt;
  }
  return IntersectRects(BoundingRect(touched_, clockLine ? *clockLine : clockTouched_), clip);
}

void RegionReplay::Replay(const PaintInput& input, Canvas& canvas) const {
  // The objects made now stand in for those made when the paint was recorded; the canvas's own
  // (its stock objects, which a fresh canvas has under the same handles) stay as they are.
  std::vector<std::pair<ObjectHandle, ObjectHandle>> made;
  auto now = [&](ObjectHandle recorded) {
    const ObjectHandle* h = FindObject(made, recorded);
    return h == nullptr ? recorded : *h;
  };
  auto make = [&](ObjectHandle recorded, ObjectHandle h) {
    if (recorded != kNoObject) made.emplace_back(recorded, h);
  };
  const std::string clockLine = ClockLineText(input.clockText, input.equationText);
  using Op = CanvasOpKind;
  for (const Recorded& r : ops_) {
    switch (r.op) {
      case Op::CreatePen:
        make(r.handle, canvas.CreatePen(pens_[r.value]));
        break;
      case Op::CreateSolidBrush:
        make(r.handle, canvas.CreateSolidBrush(Unpacked(r.value)));
        break;
      case Op::StockBlackBrush:
        make(r.handle, canvas.StockBlackBrush());
        break;
      case Op::CreateFont:
        make(r.handle, canvas.CreateFont(fonts_[r.value]));
        break;
      case Op::DeleteObject:
        canvas.DeleteObject(now(r.handle));
        break;
      case Op::SelectPen:
        canvas.SelectPen(now(r.handle));
        break;
      case Op::SelectBrush:
        canvas.SelectBrush(now(r.handle));
        break;
      case Op::SelectFont:
        canvas.SelectFont(now(r.handle));
        break;
      case Op::SetTextColor:
        canvas.SetTextColor(Unpacked(r.value));
        break;
      case Op::SetBackgroundColor:
        canvas.SetBackgroundColor(Unpacked(r.value));
        break;
      case Op::SetBackgroundMode:
        canvas.SetBackgroundMode(static_cast<BackgroundMode>(r.value));
        break;
      case Op::FillRect:
        canvas.FillRect(r.rect, now(r.handle));
        break;
      case Op::MoveTo:
        canvas.MoveTo(r.rect.left, r.rect.top);
        break;
      case Op::LineTo:
        canvas.LineTo(r.rect.left, r.rect.top);
        break;
      case Op::Ellipse:
        canvas.Ellipse(r.rect.left, r.rect.top, r.rect.right, r.rect.bottom);
        break;
      case Op::DrawText:
        canvas.DrawText(r.clockLine ? clockLine : texts_[r.text], r.rect, r.value);
        break;
      case Op::SetClipRect:
        canvas.SetClipRect(r.rect);
        break;
      case Op::ClearClip:
        canvas.ClearClip();
        break;
    }
  }
}

}  // namespace sundial
