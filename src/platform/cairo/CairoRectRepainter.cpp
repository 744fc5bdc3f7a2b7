#include "platform/cairo/CairoRectRepainter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#ifdef __linux__
#include <sys/mman.h>
#endif

#include "platform/cairo/CairoCanvas.h"
#include "render/Titles.h"

namespace sundial {

namespace {

// The rows clipped reach a little past the rectangle, so that the rows where the clip's top and
// bottom cut the lines lie outside it.
constexpr int kMarginRows = 4;
// The shadow's extent is taken in bands of this many rows.
constexpr int kShadowBandRows = 8;
// What the screen showed under the shadow is kept for shadows of up to this many pixels (2 MiB);
// a larger one is shown again whole every second.
constexpr std::size_t kMaxShownPixels = 512 * 1024;
// Changed pixels are shown in strips of this many rows, as runs of columns that are joined across
// gaps up to this wide.
constexpr int kStripRows = 8;
constexpr int kJoinColumns = 16;
// The clock lines of so many coming seconds are drawn ahead, keeping no more than this many pixels
// of them (8 MiB, with the one being drawn: twenty seconds of a 3840x2160 screen's clock line,
// were every pixel of it to change from one second to the next).
constexpr int kSecondsAhead = 20;
constexpr std::size_t kMaxAheadPixels = 2 * 1024 * 1024;
// Pictures of coming shadows composed ahead and left unused are not composed again for so many
// seconds in which the shadow moves.
constexpr int kRestAfterUnusedAhead = 60;

constexpr std::uint32_t kRgb = 0xFFFFFF;
constexpr std::size_t kLargePage = 2 << 20;

// Gathers, strip by strip, the columns where two pictures differ, and gives each run of them as
// a rectangle.
class ChangedRuns {
 public:
  ChangedRuns(int left, int right) : left_(left), mask_(static_cast<std::size_t>(right - left)) {}

  // Compares `n` pixels of row `y` from column `x`.
  void Compare(int x, const std::uint32_t* now, const std::uint32_t* before, int n) {
    std::uint8_t* m = mask_.data() + (x - left_);
    for (int i = 0; i < n; ++i) {
      m[i] |= static_cast<std::uint8_t>(((now[i] ^ before[i]) & kRgb) != 0);
    }
  }
  // Ends the strip of rows [top, bottom): its runs go to `out`, and the mask is cleared.
  template <typename Out>
  void EndStrip(int top, int bottom, Out out) {
    const int n = static_cast<int>(mask_.size());
    for (int i = 0; i < n;) {
      if (!mask_[static_cast<std::size_t>(i)]) {
        ++i;
        continue;
      }
      int end = i + 1;
      for (int gap = 0, j = end; j < n && gap <= kJoinColumns; ++j) {
        if (mask_[static_cast<std::size_t>(j)]) {
          end = j + 1;
          gap = 0;
        } else {
          ++gap;
        }
      }
      out(IntRect{left_ + i, top, left_ + end, bottom});
      std::fill(mask_.begin() + i, mask_.begin() + end, 0);
      i = end;
    }
  }

 private:
  int left_;
  std::vector<std::uint8_t> mask_;
};

// Whether `r` meets any of the bands (each in its own rows).
bool Meets(const std::vector<IntRect>& bands, const IntRect& r) {
  if (IsEmptyRect(r)) return false;
  const std::size_t from = static_cast<std::size_t>(std::max(0, r.top) / kShadowBandRows);
  const std::size_t to = static_cast<std::size_t>(std::max(0, r.bottom - 1) / kShadowBandRows);
  for (std::size_t b = from; b < bands.size() && b <= to; ++b) {
    if (!IsEmptyRect(IntersectRects(bands[b], r))) return true;
  }
  return false;
}

IntRect SurfaceRect(cairo_surface_t* s) {
  return IntRect{0, 0, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)};
}

std::uint32_t* Row(cairo_surface_t* s, int y) {
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s) +
                                          static_cast<std::ptrdiff_t>(y) *
                                              cairo_image_surface_get_stride(s));
}

// Copies the pixels of `block` (inside the surface) into `saved`, row after row.
void Save(cairo_surface_t* s, const IntRect& block, std::vector<std::uint32_t>& saved) {
  cairo_surface_flush(s);
  const int w = block.right - block.left;
  saved.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(block.bottom - block.top));
  std::uint32_t* out = saved.data();
  for (int y = block.top; y < block.bottom; ++y, out += w) {
    std::memcpy(out, Row(s, y) + block.left, sizeof(std::uint32_t) * static_cast<std::size_t>(w));
  }
}

// Puts the pixels of `part` (inside `block`) back from what Save kept of `block`.
void Restore(cairo_surface_t* s, const IntRect& block, const std::vector<std::uint32_t>& saved,
             const IntRect& part) {
  if (IsEmptyRect(part)) return;
  const int w = block.right - block.left;
  const std::size_t n = static_cast<std::size_t>(part.right - part.left);
  for (int y = part.top; y < part.bottom; ++y) {
    const std::uint32_t* from = saved.data() + static_cast<std::ptrdiff_t>(y - block.top) * w +
                                (part.left - block.left);
    std::memcpy(Row(s, y) + part.left, from, sizeof(std::uint32_t) * n);
  }
}

// The whole rows a repaint of `r` is clipped to.
IntRect ClipRowsFor(const IntRect& r, const IntRect& all) {
  return IntRect{0, std::max(0, r.top - kMarginRows), all.right,
                 std::min(all.bottom, r.bottom + kMarginRows)};
}

// Where the pixels of `r` (inside the surface) differ from `before` (r's pixels row after row),
// strip by strip, into `changed`.
void AddChangedRuns(cairo_surface_t* s, const IntRect& r, const std::uint32_t* before,
                    std::size_t beforeStride, std::vector<IntRect>& changed) {
  ChangedRuns runs(r.left, r.right);
  for (int top = r.top; top < r.bottom; top += kStripRows) {
    const int bottom = std::min(r.bottom, top + kStripRows);
    for (int y = top; y < bottom; ++y) {
      runs.Compare(r.left, Row(s, y) + r.left,
                   before + static_cast<std::size_t>(y - r.top) * beforeStride, r.right - r.left);
    }
    runs.EndStrip(top, bottom, [&](const IntRect& c) { changed.push_back(c); });
  }
}

// Repaints `rect` of the picture on `surface` (see the header), through `replay` when given.
// With `watch`, `watched` receives where the text `watch` was drawn, if it was; given where it
// was drawn before, only that much of the rows is saved for it, and should the new text reach
// further, its whole box is reported changed (the caller repaints it). Without `saved` the rest
// of the rows clipped to is left as the repaint leaves it, for the caller to put back.
void RepaintOn(cairo_surface_t* surface, const PaintInput& input, MessageReporter& reporter,
               const IntRect& rect, std::vector<std::uint32_t>* saved, RegionReplay* replay,
               std::vector<IntRect>* changed = nullptr, const std::string* watch = nullptr,
               std::optional<IntRect>* watched = nullptr,
               const std::optional<IntRect>& drawnBefore = std::nullopt,
               PangoLayout** layout = nullptr) {
  const IntRect all = SurfaceRect(surface);
  const IntRect r = IntersectRects(rect, all);
  if (IsEmptyRect(r)) return;
  const IntRect clipRows = ClipRowsFor(r, all);
  // The part of those rows the paint can draw on: all of them, or less when a record is replayed.
  IntRect rows = clipRows;
  if (replay != nullptr) {
    if (const auto touched =
            replay->Touches(input, all.right, all.bottom, clipRows, r, drawnBefore)) {
      rows = BoundingRect(*touched, r);
    }
  }
  if (saved != nullptr) Save(surface, rows, *saved);

  cairo_t* cr = cairo_create(surface);
  {
    CairoCanvas canvas(cr, all.right, all.bottom);
    canvas.SetCullRect(r);
    if (watch != nullptr) canvas.WatchText(*watch);
    if (layout != nullptr) canvas.KeepLayoutIn(layout);
    if (replay != nullptr) {
      replay->Paint(input, canvas, reporter, clipRows, r);
    } else {
      PaintReaching(input, canvas, reporter, clipRows, r);
    }
    if (watched != nullptr) *watched = canvas.WatchedTextBox();
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  if (saved == nullptr) return;
  if (changed != nullptr && watched != nullptr && *watched &&
      !(BoundingRect(**watched, rows) == rows)) {
    changed->push_back(IntersectRects(**watched, all));
  }

  if (changed != nullptr) {
    // The pixels of the rectangle that differ from those it had.
    const std::size_t w = static_cast<std::size_t>(rows.right - rows.left);
    AddChangedRuns(surface, r,
                   saved->data() + static_cast<std::size_t>(r.top - rows.top) * w +
                       static_cast<std::size_t>(r.left - rows.left),
                   w, *changed);
  }

  // Around the rectangle the rows were painted with only part of the picture: put them back.
  Restore(surface, rows, *saved, IntRect{rows.left, rows.top, rows.right, r.top});
  Restore(surface, rows, *saved, IntRect{rows.left, r.bottom, rows.right, rows.bottom});
  Restore(surface, rows, *saved, IntRect{rows.left, r.top, r.left, r.bottom});
  Restore(surface, rows, *saved, IntRect{r.right, r.top, rows.right, r.bottom});
  cairo_surface_mark_dirty(surface);
}

}  // namespace

void CairoRectRepainter::Repaint(const PaintInput& input, MessageReporter& reporter,
                                 const IntRect& rect) {
  RepaintOn(picture_, input, reporter, rect, &saved_, nullptr);
}

CairoFaceKeeper::~CairoFaceKeeper() { Release(); }

void CairoFaceKeeper::Release() {
  if (face_ != nullptr) cairo_surface_destroy(face_);
  face_ = nullptr;
  ahead_.clear();
  ahead_.shrink_to_fit();
  aheadBefore_.clear();
  aheadBefore_.shrink_to_fit();
  if (layout_ != nullptr) g_object_unref(layout_);
  layout_ = nullptr;
  clockLine_.Clear();
  saved_.clear();
  saved_.shrink_to_fit();
  faceChanged_.clear();
  shown_ = Banded{};
  shownShadow_.clear();
  under_ = Banded{};
  shownValid_ = false;
  ClearShadowsAhead();
  shadowAhead_.shrink_to_fit();
  spare_.clear();
  spare_.shrink_to_fit();
}

bool CairoFaceKeeper::Resize(int width, int height) {
  if (face_ != nullptr && width == width_ && height == height_) return true;
  Release();
  width_ = width;
  height_ = height;
  if (width <= 0 || height <= 0) return false;
  // The face's memory in large pages where the system has them: a tick touches a few rows here
  // and there all over it, each row a page of its own when pages are small.
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
  const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
  void* memory = nullptr;
  if (stride > 0 && posix_memalign(&memory, kLargePage, bytes) == 0) {
#ifdef MADV_HUGEPAGE
    madvise(memory, bytes, MADV_HUGEPAGE);
#endif
    std::memset(memory, 0, bytes);
    face_ = cairo_image_surface_create_for_data(static_cast<unsigned char*>(memory),
                                                CAIRO_FORMAT_RGB24, width, height, stride);
    if (cairo_surface_status(face_) == CAIRO_STATUS_SUCCESS) {
      static const cairo_user_data_key_t kMemory{};
      if (cairo_surface_set_user_data(face_, &kMemory, memory, std::free) ==
          CAIRO_STATUS_SUCCESS) {
        return false;
      }
    }
    cairo_surface_destroy(face_);
    std::free(memory);
  }
  face_ = nullptr;
  return false;
}

void CairoFaceKeeper::PaintFace(const PaintInput& face, MessageReporter& reporter) {
  ahead_.clear();
  ClearShadowsAhead();
  clockLine_.Clear();
  shownClockBox_.reset();
  faceChanged_.clear();
  shownValid_ = false;
  if (face_ == nullptr) return;
  cairo_t* cr = cairo_create(face_);
  {
    CairoCanvas canvas(cr, width_, height_);
    PaintDial(face, canvas, reporter);
  }
  cairo_destroy(cr);
  cairo_surface_flush(face_);
}

// Once the clock line has been drawn, only the pixels of its old and new texts can change from one
// tick to the next: everything else the record draws is drawn as it was. The new text is first
// repainted where the old one lay; when it reaches further (another width), the rectangle that
// holds both is repainted again. A clock line drawn ahead for this second is taken instead; when
// none is left, the coming seconds' are drawn ahead.
void CairoFaceKeeper::RepaintFace(const PaintInput& face, MessageReporter& reporter,
                                  const IntRect& rect) {
  if (face_ == nullptr) return;
  const std::string text =
      face.sunValid ? ClockLineText(face.clockText, face.equationText) : std::string();
  IntRect r = rect;
  if (!text.empty() && shownClockBox_) {
    const IntRect was = IntersectRects(*shownClockBox_, rect);
    if (!IsEmptyRect(was)) r = was;
  }
  if (!TakeAhead(face, rect, r)) {
    ahead_.clear();
    RepaintClockLine(face, reporter, rect, r, text);
  }
  if (aheadTaken_ >= ahead_.size()) DrawAhead(face, reporter, rect);
  // Where the coming seconds' clock lines will change the face: where this one's text lies.
  clockArea_ = BoundingRect(clockArea_, shownClockBox_ ? *shownClockBox_ : rect);
}

void CairoFaceKeeper::RepaintClockLine(const PaintInput& face, MessageReporter& reporter,
                                       const IntRect& rect, const IntRect& r,
                                       const std::string& text) {
  std::optional<IntRect> box;
  RepaintOn(face_, face, reporter, r, &saved_, &clockLine_, &faceChanged_, &text, &box,
            text.empty() ? std::nullopt : shownClockBox_, &layout_);
  if (box) {
    const IntRect both = IntersectRects(BoundingRect(r, *box), rect);
    if (!(both == r)) {
      const std::optional<IntRect> drawn = box;
      RepaintOn(face_, face, reporter, both, &saved_, &clockLine_, &faceChanged_, &text, &box,
                drawn, &layout_);
    }
  }
  shownClockBox_ = box;
}

// The clock line drawn ahead for this second, if there is one and it was drawn for this face, this
// rectangle and this clock line, replaces the pixels the repaint would replace.
bool CairoFaceKeeper::TakeAhead(const PaintInput& face, const IntRect& rect, const IntRect& r) {
  if (aheadTaken_ >= ahead_.size() || face.sunValid == 0) return false;
  const Ahead& a = ahead_[aheadTaken_];
  const IntRect all{0, 0, width_, height_};
  if (!(a.rect == rect) || !(a.r == r) || a.clockText != face.clockText ||
      a.equationText != face.equationText ||
      !clockLine_.Touches(face, width_, height_, ClipRowsFor(r, all), r)) {
    return false;
  }
  // The face holds the clock line of the second before: only what differs from it goes in.
  cairo_surface_flush(face_);
  const std::uint32_t* pixels = a.pixels.data();
  for (const IntRect& c : a.changes) {
    const std::size_t n = static_cast<std::size_t>(c.right - c.left);
    for (int y = c.top; y < c.bottom; ++y, pixels += n) {
      std::memcpy(Row(face_, y) + c.left, pixels, sizeof(std::uint32_t) * n);
    }
    faceChanged_.push_back(c);
  }
  cairo_surface_mark_dirty(face_);
  shownClockBox_ = a.box;
  ++aheadTaken_;
  return true;
}

// Right after a repaint, with the text, its font and the record at hand, the clock lines of the
// coming seconds are repainted one after another on the face, and what each changes of the one
// before is kept; the face is then put back. Each replaces the same pixels as the one before, its
// text lying where that one's lay; the first that reaches further is left to its own second.
void CairoFaceKeeper::DrawAhead(const PaintInput& face, MessageReporter& reporter,
                                const IntRect& rect) {
  ahead_.clear();
  aheadTaken_ = 0;
  if (face.sunValid == 0 || !shownClockBox_ || !expected_) return;
  const IntRect r = IntersectRects(*shownClockBox_, rect);
  if (IsEmptyRect(r) || !(BoundingRect(r, *shownClockBox_) == r)) return;
  const std::size_t w = static_cast<std::size_t>(r.right - r.left);
  const std::size_t n = w * static_cast<std::size_t>(r.bottom - r.top);
  // Everything a repaint of `r` can draw on lies in its clip's rows: they are put back after.
  const IntRect rows = ClipRowsFor(r, IntRect{0, 0, width_, height_});
  // (Both buffers are kept from one burst to the next: fresh memory would be cleared each time.)
  std::vector<std::uint32_t>& present = saved_;
  Save(face_, rows, present);
  // The clock line of the second before, row after row.
  std::vector<std::uint32_t>& before = aheadBefore_;
  before.resize(n);
  for (int y = r.top; y < r.bottom; ++y) {
    std::memcpy(before.data() + static_cast<std::size_t>(y - r.top) * w, Row(face_, y) + r.left,
                sizeof(std::uint32_t) * w);
  }
  PaintInput next = face;
  std::optional<IntRect> box = shownClockBox_;
  std::size_t kept = 0;
  for (int seconds = 1; seconds <= kSecondsAhead; ++seconds) {
    if (kept + n > kMaxAheadPixels) break;
    const std::string clockText = expected_(seconds);
    next.clockText = clockText;
    const std::string text = ClockLineText(next.clockText, next.equationText);
    const std::optional<IntRect> drawn = box;
    // The rows around `r` are put back once, after the last.
    RepaintOn(face_, next, reporter, r, nullptr, &clockLine_, nullptr, &text, &box, drawn,
              &layout_);
    if (!box || !(BoundingRect(r, *box) == r)) break;
    Ahead a{clockText, face.equationText, rect, r, box, {}, {}};
    cairo_surface_flush(face_);
    AddChangedRuns(face_, r, before.data(), w, a.changes);
    for (const IntRect& c : a.changes) {
      for (int y = c.top; y < c.bottom; ++y) {
        const std::uint32_t* row = Row(face_, y);
        a.pixels.insert(a.pixels.end(), row + c.left, row + c.right);
        std::memcpy(before.data() + static_cast<std::size_t>(y - r.top) * w + (c.left - r.left),
                    row + c.left, sizeof(std::uint32_t) * static_cast<std::size_t>(c.right - c.left));
      }
    }
    kept += a.pixels.size();
    ahead_.push_back(std::move(a));
  }
  Restore(face_, rows, present, rows);
  cairo_surface_mark_dirty(face_);
}

void CairoFaceKeeper::Banded::Lay(const std::vector<IntRect>& of) {
  bands = of;
  offsets.assign(bands.size(), 0);
  std::size_t total = 0;
  for (std::size_t b = 0; b < bands.size(); ++b) {
    offsets[b] = total;
    if (!IsEmptyRect(bands[b])) {
      total += static_cast<std::size_t>(bands[b].right - bands[b].left) *
               static_cast<std::size_t>(bands[b].bottom - bands[b].top);
    }
  }
  pixels.resize(total);
}

// The picture is the face wherever the shadow cannot reach, and the shadow only reaches its
// bands. With `changesOnly` the screen differs from the new picture only where the face changed
// and where the old or the new shadow lies; there the new pixels are compared with what the
// screen shows (kept from the last picture under the old shadow, the face elsewhere).
int CairoFaceKeeper::ShadowBandRows() const { return kShadowBandRows; }

void CairoFaceKeeper::Show(const PaintInput& input, MessageReporter& reporter,
                           const std::vector<IntRect>& rects, const TickRegions& shadow,
                           bool changesOnly) {
  expected_ = nullptr;  // for the repaints of this tick only
  const SunAfter sunAfter = std::move(sunAfter_);
  sunAfter_ = nullptr;
  const IntRect clockArea = clockArea_;
  clockArea_ = IntRect{};
  if (face_ == nullptr) return;
  const IntRect all{0, 0, width_, height_};
  const std::vector<IntRect> faceChanged = std::move(faceChanged_);
  faceChanged_.clear();
  std::vector<IntRect> bands = shadow.shadowBands;
  bands.resize(static_cast<std::size_t>((height_ + kShadowBandRows - 1) / kShadowBandRows));
  const bool diff = changesOnly && shownValid_ && shown_.bands.size() == bands.size();
  bool whole = changesOnly;
  for (const IntRect& r : rects) whole = whole || IntersectRects(r, all) == all;

  if (diff) {
    for (const IntRect& c : faceChanged) Put(IntersectRects(c, all));
    // The pictures composed ahead were composed on the face as it was where they lie.
    const auto underAhead = [&](const IntRect& c) { return Meets(shadowAheadReach_, c); };
    if (std::any_of(faceChanged.begin(), faceChanged.end(), underAhead)) ClearShadowsAhead();
    // The same shadow drawn over the same face: the screen shows it already.
    const auto underShadow = [&](const IntRect& c) {
      for (const IntRect& band : bands) {
        if (!IsEmptyRect(IntersectRects(band, c))) return true;
      }
      return false;
    };
    const bool faceUnderShadow = std::any_of(faceChanged.begin(), faceChanged.end(), underShadow);
    if (shadow.shadowDrawing == shownShadow_ && bands == shown_.bands && !faceUnderShadow) {
      return;
    }
    if (!faceUnderShadow && TakeShadowAhead(shadow, bands)) {
      if (shadowTaken_ >= shadowAhead_.size() && sunAfter) {
        ComposeShadowsAhead(input, reporter, sunAfter, clockArea);
      }
      return;
    }
    ClearShadowsAhead();
  } else {
    ClearShadowsAhead();
    // The face where no shadow lies, band by band across each rectangle.
    for (const IntRect& rect : rects) {
      const IntRect r = IntersectRects(rect, all);
      if (IsEmptyRect(r)) continue;
      int from = r.top;  // rows without shadow not yet shown
      for (int top = r.top; top < r.bottom;) {
        const std::size_t b = static_cast<std::size_t>(top / kShadowBandRows);
        const int bottom = std::min(r.bottom, static_cast<int>(b + 1) * kShadowBandRows);
        const IntRect in = IntersectRects(bands[b], IntRect{r.left, top, r.right, bottom});
        if (!IsEmptyRect(in)) {
          Put(IntRect{r.left, from, r.right, top});
          Put(IntRect{r.left, top, in.left, bottom});
          Put(IntRect{in.right, top, r.right, bottom});
          from = bottom;
        }
        top = bottom;
      }
      Put(IntRect{r.left, from, r.right, r.bottom});
    }
  }

  const bool moved = diff && shadow.shadowDrawing != shownShadow_;
  under_.Lay(bands);
  DrawShadowOverFace(input, reporter, bands);
  const bool keep = whole && under_.pixels.size() <= kMaxShownPixels;
  for (std::size_t b = 0; b < bands.size(); ++b) {
    const IntRect& band = bands[b];
    if (diff) {
      // Under the old shadow only: the face is shown again where it differs from the old shadow.
      const IntRect& old = shown_.bands[b];
      if (!IsEmptyRect(old)) {
        PutChanges(b, IntRect{old.left, old.top, std::min(old.right, band.left), old.bottom},
                   &shown_, nullptr);
        PutChanges(b,
                   IntRect{std::max(old.left, IsEmptyRect(band) ? old.left : band.right),
                           old.top, old.right, old.bottom},
                   &shown_, nullptr);
      }
    }
    if (IsEmptyRect(band)) continue;
    if (diff) {
      PutChanges(b, band, &shown_, &under_);
      // Where the face itself changed the screen showed the face as it was.
      for (const IntRect& c : faceChanged) Put(IntersectRects(band, c));
    } else {
      for (const IntRect& rect : rects) Put(IntersectRects(band, rect));
    }
    // The face put back while the band's pixels are at hand, and the picture kept in its place.
    for (int y = band.top; y < band.bottom; ++y) {
      std::uint32_t* row = Row(face_, y) + band.left;
      std::swap_ranges(row, row + (band.right - band.left), under_.Row(b, y));
    }
  }
  cairo_surface_mark_dirty(face_);
  // What the screen shows under the shadow now, for the next picture to be compared with.
  if (keep) {
    std::swap(shown_, under_);
    shownShadow_ = shadow.shadowDrawing;
    shownValid_ = true;
    // A shadow that moved this second will likely move in the coming ones too.
    if (moved && sunAfter) ComposeShadowsAhead(input, reporter, sunAfter, clockArea);
  } else if (changesOnly) {
    shownValid_ = false;
  }
}

// The shadow drawn once over the face, whose pixels under its bands are kept aside in `under_`
// (laid out for them) for the face to be put back after.
void CairoFaceKeeper::DrawShadowOverFace(const PaintInput& input, MessageReporter& reporter,
                                         const std::vector<IntRect>& bands) {
  cairo_surface_flush(face_);
  bool anyShadow = false;
  for (std::size_t b = 0; b < bands.size(); ++b) {
    const IntRect& band = bands[b];
    if (IsEmptyRect(band)) continue;
    anyShadow = true;
    for (int y = band.top; y < band.bottom; ++y) {
      std::memcpy(under_.Row(b, y), Row(face_, y) + band.left,
                  sizeof(std::uint32_t) * static_cast<std::size_t>(band.right - band.left));
    }
  }
  if (!anyShadow) return;
  cairo_t* cr = cairo_create(face_);
  {
    CairoCanvas canvas(cr, width_, height_);
    PaintShadow(input, canvas, reporter);
  }
  cairo_destroy(cr);
  cairo_surface_flush(face_);
}

void CairoFaceKeeper::Spare(Banded& picture) {
  if (picture.pixels.capacity() > 0 && spare_.size() <= static_cast<std::size_t>(kSecondsAhead)) {
    spare_.push_back(std::move(picture.pixels));
  }
  picture.pixels = Pixels();
}

CairoFaceKeeper::Pixels CairoFaceKeeper::SparePixels() {
  if (spare_.empty()) return Pixels();
  Pixels p = std::move(spare_.back());
  spare_.pop_back();
  return p;
}

void CairoFaceKeeper::ClearShadowsAhead() {
  // Pictures composed ahead of which none was taken: the coming seconds were not as foretold
  // (the clock was set, or the face changed under them); wait a while before composing again.
  if (!shadowAhead_.empty() && shadowTaken_ == 0) shadowAheadRest_ = kRestAfterUnusedAhead;
  for (ShadowAhead& a : shadowAhead_) Spare(a.picture);
  shadowAhead_.clear();
  shadowTaken_ = 0;
  shadowAheadReach_.clear();
}

// The picture of the coming second whose shadow is the one drawn now, composed ahead, replaces the
// picture of the second before it, which the screen shows: its bands go to the screen whole (a long
// shadow that moves changes most of their pixels, its edges shifting along its whole length), and
// the face where only the old shadow lay.
bool CairoFaceKeeper::TakeShadowAhead(const TickRegions& shadow, const std::vector<IntRect>& bands) {
  if (shadowTaken_ >= shadowAhead_.size()) return false;
  ShadowAhead& a = shadowAhead_[shadowTaken_];
  if (a.drawing != shadow.shadowDrawing || !(a.picture.bands == bands)) return false;
  for (std::size_t b = 0; b < bands.size(); ++b) {
    const IntRect& band = bands[b];
    const IntRect& old = shown_.bands[b];
    if (IsEmptyRect(band)) {
      Put(old);
      continue;
    }
    if (!IsEmptyRect(old)) {
      Put(IntRect{old.left, old.top, std::min(old.right, band.left), old.bottom});
      Put(IntRect{std::max(old.left, band.right), old.top, old.right, old.bottom});
    }
    if (sink_) {
      sink_(a.picture.Row(b, band.top), static_cast<std::size_t>(band.right - band.left), band);
    }
  }
  Spare(shown_);
  shown_ = std::move(a.picture);
  shownShadow_ = std::move(a.drawing);
  ++shadowTaken_;
  return true;
}

// Right after a shadow that moved was drawn, with the drawing at hand, the pictures of the coming
// seconds' shadows are composed one after another on the face, and the face put back under each.
// A second whose shadow is drawn as in the one before gives none. They stop before a shadow that
// reaches where the clock line changes the face.
void CairoFaceKeeper::ComposeShadowsAhead(const PaintInput& input, MessageReporter& reporter,
                                          const SunAfter& sunAfter, const IntRect& clockArea) {
  ClearShadowsAhead();
  if (shadowAheadRest_ > 0) {
    --shadowAheadRest_;
    return;
  }
  if (!shownValid_) return;
  const std::size_t count =
      static_cast<std::size_t>((height_ + kShadowBandRows - 1) / kShadowBandRows);
  std::vector<IntRect> reach = shown_.bands;
  if (Meets(reach, clockArea)) return;
  shadowAhead_.reserve(kSecondsAhead);  // the pictures are compared by address, one with the next
  const Banded* before = &shown_;
  const std::vector<std::int32_t>* beforeDrawing = &shownShadow_;
  std::size_t kept = 0;
  PaintInput next = input;
  for (int seconds = 1; seconds <= kSecondsAhead; ++seconds) {
    if (!sunAfter(seconds, next)) break;
    TickRegions regions = TickDependentRegions(next, width_, height_, kShadowBandRows);
    std::vector<IntRect>& bands = regions.shadowBands;
    bands.resize(count);
    if (regions.shadowDrawing == *beforeDrawing && bands == before->bands) continue;
    if (Meets(bands, clockArea)) break;
    under_.Lay(bands);
    if (under_.pixels.size() > kMaxShownPixels ||
        kept + under_.pixels.size() > kMaxAheadPixels) {
      break;
    }
    DrawShadowOverFace(next, reporter, bands);
    ShadowAhead a;
    a.drawing = std::move(regions.shadowDrawing);
    for (std::size_t b = 0; b < bands.size(); ++b) {
      const IntRect& band = bands[b];
      if (IsEmptyRect(band)) continue;
      for (int y = band.top; y < band.bottom; ++y) {
        std::uint32_t* row = Row(face_, y) + band.left;
        std::swap_ranges(row, row + (band.right - band.left), under_.Row(b, y));
      }
    }
    cairo_surface_mark_dirty(face_);
    a.picture = std::move(under_);
    under_ = Banded{};
    under_.pixels = SparePixels();
    kept += a.picture.pixels.size();
    for (std::size_t b = 0; b < count; ++b) reach[b] = BoundingRect(reach[b], bands[b]);
    shadowAhead_.push_back(std::move(a));
    before = &shadowAhead_.back().picture;
    beforeDrawing = &shadowAhead_.back().drawing;
  }
  shadowAheadReach_ = std::move(reach);
}

// Compares the face as it is now (with the shadow drawn, where it is) inside `area` with what the
// screen shows: the old shadow's pixels where it lay, else the face, which under the new shadow is
// in `face`.
void CairoFaceKeeper::PutChanges(std::size_t b, const IntRect& area, const Banded* was,
                                 const Banded* face) {
  if (IsEmptyRect(area)) return;
  const IntRect old = was != nullptr ? was->bands[b] : IntRect{};
  ChangedRuns runs(area.left, area.right);
  for (int top = area.top; top < area.bottom; top += kStripRows) {
    const int bottom = std::min(area.bottom, top + kStripRows);
    for (int y = top; y < bottom; ++y) {
      const std::uint32_t* now = Row(face_, y);
      // Columns [a, c) of this row lie under the old shadow.
      const bool underOld = !IsEmptyRect(old) && y >= old.top && y < old.bottom;
      const int a = underOld ? std::clamp(old.left, area.left, area.right) : area.right;
      const int c = underOld ? std::clamp(old.right, area.left, area.right) : area.right;
      if (face != nullptr) {
        const int left = face->bands[b].left;
        const std::uint32_t* f = face->Row(b, y);
        runs.Compare(area.left, now + area.left, f + (area.left - left), a - area.left);
        runs.Compare(c, now + c, f + (c - left), area.right - c);
      }
      if (c > a) runs.Compare(a, now + a, was->Row(b, y) + (a - old.left), c - a);
    }
    runs.EndStrip(top, bottom, [&](const IntRect& r) { Put(r); });
  }
}


void CairoFaceKeeper::Put(const IntRect& rect) {
  if (IsEmptyRect(rect) || !sink_) return;
  cairo_surface_flush(face_);
  sink_(Row(face_, rect.top) + rect.left,
        static_cast<std::size_t>(cairo_image_surface_get_stride(face_)) / sizeof(std::uint32_t),
        rect);
}

}  // namespace sundial
