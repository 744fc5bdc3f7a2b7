// Repaints rectangles of a picture kept on a Cairo image surface, exactly as a whole paint draws
// them. Cairo's antialiasing rasteriser gives a pixel the same value only when the lines reach
// it in the same device coordinates and under a clip that leaves its row whole: the left and
// right edges of a clip cut the lines' edges and change how the coverage of the rows they cross
// is summed, by a level here and there (and so would another origin, through the rounding of the
// lines' outlines). So each rectangle is repainted on the picture itself under a clip of whole
// rows, with only what reaches the rectangle drawn, and the rest of those rows, which that leaves
// wrong, is put back from a copy taken before.
//
// CairoFaceKeeper keeps, the same way, only the face: the picture without its shadow. A tick
// repaints the clock line on it (replaying what reaches the clock line, recorded on the first
// tick), and the picture is shown by drawing the present shadow over the face where it lies,
// band by band under clips of whole rows, handing each finished rectangle to the shell, then
// putting the face back. So the shell needs no second picture the size of the screen.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "render/TickRegion.h"

namespace sundial {

class CairoRectRepainter final : public RectRepainter {
 public:
  // `picture` (not owned) is the image surface the dial window keeps its picture on.
  explicit CairoRectRepainter(cairo_surface_t* picture) : picture_(picture) {}
  void Repaint(const PaintInput& input, MessageReporter& reporter, const IntRect& rect) override;

 private:
  cairo_surface_t* picture_;
  std::vector<std::uint32_t> saved_;
};

class CairoFaceKeeper final : public FaceKeeper {
 public:
  // Receives a rectangle of the picture, finished in rows of RGB24 pixels: `first` is its top left
  // pixel, and its rows lie `stride` pixels apart; they are valid only during the call.
  using Sink =
      std::function<void(const std::uint32_t* first, std::size_t stride, const IntRect& rect)>;

  CairoFaceKeeper() = default;
  ~CairoFaceKeeper() override;
  CairoFaceKeeper(const CairoFaceKeeper&) = delete;
  CairoFaceKeeper& operator=(const CairoFaceKeeper&) = delete;

  void SetSink(Sink sink) { sink_ = std::move(sink); }

  // Makes a face of this size, forgetting the one there was unless it has that size already.
  // Returns whether the face it holds is the one it held (false: new, to be painted whole).
  // Without the memory for it there is no face: Ready() is then false.
  bool Resize(int width, int height);
  bool Ready() const { return face_ != nullptr; }
  // Forgets the face (its memory too).
  void Release();

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void PaintFace(const PaintInput& face, MessageReporter& reporter) override;
  void RepaintFace(const PaintInput& face, MessageReporter& reporter,
                   const IntRect& rect) override;
  void ExpectClockTexts(ClockTextAfter clockTextAfter) override {
    expected_ = std::move(clockTextAfter);
  }
  void ExpectSuns(SunAfter sunAfter) override { sunAfter_ = std::move(sunAfter); }
  int ShadowBandRows() const override;
  void Show(const PaintInput& input, MessageReporter& reporter, const std::vector<IntRect>& rects,
            const TickRegions& shadow, bool changesOnly) override;

 private:
  // Pixel buffers whose new elements are left as they are: each is written whole before it is read.
  template <typename T>
  struct Uninitialized : std::allocator<T> {
    template <typename U>
    struct rebind {
      using other = Uninitialized<U>;
    };
    Uninitialized() = default;
    template <typename U>
    Uninitialized(const Uninitialized<U>&) noexcept {}
    template <typename U>
    void construct(U* p) noexcept {
      ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
      ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
  };
  using Pixels = std::vector<std::uint32_t, Uninitialized<std::uint32_t>>;

  // The pixels under the shadow's bands, kept one band after another.
  struct Banded {
    std::vector<IntRect> bands;
    std::vector<std::size_t> offsets;
    Pixels pixels;
    void Lay(const std::vector<IntRect>& of);
    std::uint32_t* Row(std::size_t b, int y) {
      return pixels.data() + Offset(b, y);
    }
    const std::uint32_t* Row(std::size_t b, int y) const { return pixels.data() + Offset(b, y); }
    std::size_t Offset(std::size_t b, int y) const {
      const IntRect& r = bands[b];
      return offsets[b] +
             static_cast<std::size_t>(y - r.top) * static_cast<std::size_t>(r.right - r.left);
    }
  };
  // A clock line of a coming second, drawn ahead: where the pixels of `r` that the repaint of the
  // rectangle `rect` gives when the clock shows `clockText` differ from those of the second
  // before (`changes`), and those pixels (rectangle after rectangle, row after row).
  struct Ahead {
    std::string clockText;
    std::string equationText;
    IntRect rect;
    IntRect r;
    std::optional<IntRect> box;  // where its text lies
    std::vector<IntRect> changes;
    std::vector<std::uint32_t> pixels;
  };
  void RepaintClockLine(const PaintInput& face, MessageReporter& reporter, const IntRect& rect,
                        const IntRect& r, const std::string& text);
  bool TakeAhead(const PaintInput& face, const IntRect& rect, const IntRect& r);
  void DrawAhead(const PaintInput& face, MessageReporter& reporter, const IntRect& rect);

  // The picture of a coming second whose shadow is drawn otherwise than in the second before,
  // composed ahead: the face elsewhere.
  struct ShadowAhead {
    std::vector<std::int32_t> drawing;  // the operations that draw its shadow
    Banded picture;                     // the picture under its shadow's bands
  };
  void DrawShadowOverFace(const PaintInput& input, MessageReporter& reporter,
                          const std::vector<IntRect>& bands);
  bool TakeShadowAhead(const TickRegions& shadow, const std::vector<IntRect>& bands);
  void ComposeShadowsAhead(const PaintInput& input, MessageReporter& reporter,
                           const SunAfter& sunAfter, const IntRect& clockArea);
  void ClearShadowsAhead();
  // Buffers of pictures no longer needed are kept for the next (fresh memory would be faulted in
  // page by page, a burst after another).
  void Spare(Banded& picture);
  Pixels SparePixels();

  // Shows the runs of `area` (in band `b`'s rows) where `now` differs from what the screen shows.
  void PutChanges(std::size_t b, const IntRect& area, const Banded* was, const Banded* face);
  void Put(const IntRect& rect);

  cairo_surface_t* face_ = nullptr;
  PangoLayout* layout_ = nullptr;  // the clock line's, kept from one tick to the next
  int width_ = 0;
  int height_ = 0;
  RegionReplay clockLine_;
  std::optional<IntRect> shownClockBox_;  // where the clock line the face holds lies, once drawn
  ClockTextAfter expected_;               // the clock texts of the coming seconds
  std::vector<Ahead> ahead_;              // their clock lines, drawn ahead
  std::size_t aheadTaken_ = 0;            // how many of them the face has taken
  std::vector<std::uint32_t> aheadBefore_;  // while drawing ahead: the clock line before
  std::vector<std::uint32_t> saved_;
  // Where the face changed since the last Show (the clock line's figures that moved on).
  std::vector<IntRect> faceChanged_;
  // What the screen shows under the last shadow (the face there differs), band by band; valid
  // when shownValid_.
  Banded shown_;
  std::vector<std::int32_t> shownShadow_;  // the operations that drew that shadow
  bool shownValid_ = false;
  // The face under the shadow being drawn; then, swapped with it, the picture there.
  Banded under_;
  // The pictures of the coming seconds' shadows, composed ahead in one go while the drawing is at
  // hand (a long shadow's far end moves every second), and taken as those seconds come. They hold
  // while the face stays as it is where they lie (`shadowAheadReach_`).
  SunAfter sunAfter_;
  std::vector<ShadowAhead> shadowAhead_;
  std::size_t shadowTaken_ = 0;
  std::vector<IntRect> shadowAheadReach_;  // band by band
  IntRect clockArea_;       // where this tick repainted the clock line on the face
  int shadowAheadRest_ = 0;  // ticks to wait after pictures composed ahead went unused
  std::vector<Pixels> spare_;
  Sink sink_;
};

}  // namespace sundial
