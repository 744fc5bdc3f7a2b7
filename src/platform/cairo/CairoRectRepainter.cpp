#include "platform/cairo/CairoRectRepainter.h"

#include <algorithm>

#include "platform/cairo/CairoCanvas.h"

namespace sundial {

namespace {

// The rows clipped reach a little past the rectangle, so that the rows where the clip's top and
// bottom cut the lines lie outside it.
constexpr int kMarginRows = 4;

// Copies `rects` of `from`, whose top-left lies at (0, top) of `to`, onto `to`.
template <typename Rects>
void CopyRects(cairo_surface_t* from, int top, cairo_surface_t* to, const Rects& rects) {
  cairo_t* cr = cairo_create(to);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, from, 0, top);
  for (const IntRect& r : rects) {
    if (!IsEmptyRect(r)) cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  cairo_fill(cr);
  cairo_destroy(cr);
}

}  // namespace

void CairoRectRepainter::Repaint(const PaintInput& input, MessageReporter& reporter,
                                 const IntRect& rect) {
  RepaintOn(picture_, input, reporter, rect);
}

void CairoRectRepainter::PaintFace(const PaintInput& input, MessageReporter& reporter) {
  if (face_ == nullptr) return;
  PaintInput face = input;
  face.withShadow = false;
  cairo_t* cr = cairo_create(face_);
  {
    CairoCanvas canvas(cr, cairo_image_surface_get_width(face_),
                       cairo_image_surface_get_height(face_));
    PaintDial(face, canvas, reporter);
  }
  cairo_destroy(cr);
  cairo_surface_flush(face_);
}

void CairoRectRepainter::RepaintFace(const PaintInput& input, MessageReporter& reporter,
                                     const IntRect& rect) {
  if (face_ == nullptr) return;
  PaintInput face = input;
  face.withShadow = false;
  RepaintOn(face_, face, reporter, rect);
}

void CairoRectRepainter::ComposeShadow(const PaintInput& input, MessageReporter& reporter,
                                       const std::vector<IntRect>& rects) {
  if (face_ == nullptr) return;
  cairo_surface_flush(face_);
  CopyRects(face_, 0, picture_, rects);
  cairo_t* cr = cairo_create(picture_);
  {
    CairoCanvas canvas(cr, cairo_image_surface_get_width(picture_),
                       cairo_image_surface_get_height(picture_));
    PaintShadow(input, canvas, reporter);
  }
  cairo_destroy(cr);
  cairo_surface_flush(picture_);
}

void CairoRectRepainter::RepaintOn(cairo_surface_t* picture, const PaintInput& input,
                                   MessageReporter& reporter, const IntRect& rect) {
  const int width = cairo_image_surface_get_width(picture);
  const int height = cairo_image_surface_get_height(picture);
  const IntRect r = IntersectRects(rect, IntRect{0, 0, width, height});
  if (IsEmptyRect(r)) return;
  const IntRect rows{0, std::max(0, r.top - kMarginRows), width,
                     std::min(height, r.bottom + kMarginRows)};

  cairo_surface_flush(picture);
  cairo_surface_t* saved =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, rows.bottom - rows.top);
  if (cairo_surface_status(saved) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(saved);
    return;
  }
  {
    cairo_t* cr = cairo_create(saved);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, picture, 0, -rows.top);
    cairo_paint(cr);
    cairo_destroy(cr);
  }

  cairo_t* cr = cairo_create(picture);
  {
    CairoCanvas canvas(cr, width, height);
    canvas.SetCullRect(r);
    PaintReaching(input, canvas, reporter, rows, r);
  }
  cairo_destroy(cr);

  // Around the rectangle the rows were painted with only part of the picture: put them back.
  const IntRect around[4] = {IntRect{0, rows.top, width, r.top},
                            IntRect{0, r.bottom, width, rows.bottom},
                            IntRect{0, r.top, r.left, r.bottom},
                            IntRect{r.right, r.top, width, r.bottom}};
  CopyRects(saved, rows.top, picture, around);
  cairo_surface_destroy(saved);
  cairo_surface_mark_dirty(picture);
}

}  // namespace sundial
