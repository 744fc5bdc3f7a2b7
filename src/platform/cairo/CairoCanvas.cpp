#include "platform/cairo/CairoCanvas.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "model/Cp1252.h"

namespace sundial {

namespace {

// Windows' "Arial" has a cell (ascent plus descent) of 1.117 em; the painter asks for fonts by
// cell height, Pango by em size.
constexpr double kCellPerEm = 2288.0 / 2048.0;
// The font the system gives a canvas before any font is selected: a cell of 16 pixels.
constexpr int kDefaultCellHeight = 16;
// Cairo keeps coordinates in 24.8 fixed point; lines are cut to this margin around the canvas
// before they reach it, so a far-off point cannot wrap around into the picture.
constexpr double kDrawMargin = 4096;
constexpr double kFarCoordinate = 1 << 22;

// Fonts that carry the zodiac signs (DejaVu Sans) and the bell (Symbola).
constexpr const char* kSymbolFamilies = "DejaVu Sans,Symbola";
constexpr std::uint32_t kBell = 0x1F514;
constexpr std::uint32_t kBellSymbol = 0x237E;  // the APL bell, in fonts that lack the emoji bell

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool SomeFontHas(std::uint32_t codePoint) {
  FcPattern* pattern = FcPatternCreate();
  FcCharSet* charset = FcCharSetCreate();
  FcCharSetAddChar(charset, codePoint);
  FcPatternAddCharSet(pattern, FC_CHARSET, charset);
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
  const bool found = fonts != nullptr && fonts->nfont > 0;
  if (fonts) FcFontSetDestroy(fonts);
  FcObjectSetDestroy(objects);
  FcCharSetDestroy(charset);
  FcPatternDestroy(pattern);
  return found;
}

std::uint32_t BellCodePoint() {
  static const std::uint32_t bell = SomeFontHas(kBell) ? kBell : kBellSymbol;
  return bell;
}

PangoFontDescription* DescribeFont(const FontSpec& spec) {
  PangoFontDescription* d = pango_font_description_new();
  if (spec.charset == kSymbolCharset) {
    pango_font_description_set_family(d, kSymbolFamilies);
  } else {
    pango_font_description_set_family(d, spec.face.empty() ? "Arial" : spec.face.c_str());
  }
  // A positive height is the cell height, a negative one the em height (the Windows rule).
  double em = spec.height > 0   ? spec.height / kCellPerEm
              : spec.height < 0 ? -static_cast<double>(spec.height)
                                : kDefaultCellHeight / kCellPerEm;
  em = std::min(em, 4096.0);
  pango_font_description_set_absolute_size(d, em * PANGO_SCALE);
  return d;
}

// The characters of an ANSI text that have a glyph to draw: a NUL and the five codes the code page
// leaves unassigned (control characters once converted) draw nothing.
std::string Drawable(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const char32_t code = Cp1252ToCodePoint(static_cast<unsigned char>(c));
    if (code != 0 && !(code >= 0x80 && code < 0xA0)) out += c;
  }
  return out;
}

}  // namespace

std::string SymbolFontToUtf8(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x5E && c <= 0x69) {
      AppendUtf8(out, 0x2648 + (c - 0x5E));  // Aries .. Pisces
    } else if (c == 0x25) {
      AppendUtf8(out, BellCodePoint());
    } else if (c == ' ' || c == '\n') {
      out += static_cast<char>(c);
    }
  }
  return out;
}

CairoCanvas::CairoCanvas(cairo_t* cr, int width, int height)
    : cr_(cr), width_(width), height_(height), clipRight_(width + 1.0), clipBottom_(height + 1.0) {
  cairo_save(cr_);

  // What a fresh device context holds: a black one-pixel pen, a white brush, the system font.
  Object pen;
  pen.kind = Kind::Pen;
  pen.stock = true;
  pen_ = Add(pen);
  Object white;
  white.kind = Kind::Brush;
  white.brush = Rgb{255, 255, 255};
  white.stock = true;
  brush_ = Add(white);
  Object black = white;
  black.brush = Rgb{0, 0, 0};
  stockBlackBrush_ = Add(black);
  Object font;
  font.kind = Kind::Font;
  font.font = FontSpec{"Arial", kDefaultCellHeight, kAnsiCharset};
  font.description = DescribeFont(font.font);
  font.stock = true;
  font_ = Add(font);
  fontDescription_ = pango_font_description_copy(objects_[font_].description);
}

CairoCanvas::~CairoCanvas() {
  FlushPolyline();
  if (clipped_) cairo_restore(cr_);
  cairo_restore(cr_);
  for (auto& [handle, object] : objects_) {
    if (object.description) pango_font_description_free(object.description);
  }
  if (fontDescription_) pango_font_description_free(fontDescription_);
  if (layout_) g_object_unref(layout_);
}

ObjectHandle CairoCanvas::Add(Object object) {
  const ObjectHandle handle = nextHandle_++;
  objects_.emplace(handle, std::move(object));
  return handle;
}

ObjectHandle CairoCanvas::CreatePen(const PenSpec& spec) {
  Object o;
  o.kind = Kind::Pen;
  o.pen = spec;
  return Add(o);
}

ObjectHandle CairoCanvas::CreateSolidBrush(Rgb color) {
  Object o;
  o.kind = Kind::Brush;
  o.brush = color;
  return Add(o);
}

ObjectHandle CairoCanvas::CreateFont(const FontSpec& spec) {
  Object o;
  o.kind = Kind::Font;
  o.font = spec;
  o.description = DescribeFont(spec);
  return Add(o);
}

void CairoCanvas::DeleteObject(ObjectHandle object) {
  FlushPolyline();
  auto it = objects_.find(object);
  if (it == objects_.end() || it->second.stock) return;
  if (it->second.description) pango_font_description_free(it->second.description);
  objects_.erase(it);
}

ObjectHandle CairoCanvas::Select(ObjectHandle wanted, Kind kind, ObjectHandle& current) {
  FlushPolyline();
  auto it = objects_.find(wanted);
  if (it == objects_.end() || it->second.kind != kind) return kNoObject;
  const ObjectHandle previous = current;
  current = wanted;
  switch (kind) {
    case Kind::Pen:
      penSpec_ = it->second.pen;
      break;
    case Kind::Brush:
      brushColor_ = it->second.brush;
      break;
    case Kind::Font:
      if (fontDescription_) pango_font_description_free(fontDescription_);
      fontDescription_ = pango_font_description_copy(it->second.description);
      symbolFont_ = it->second.font.charset == kSymbolCharset;
      break;
  }
  return previous;
}

ObjectHandle CairoCanvas::SelectPen(ObjectHandle pen) { return Select(pen, Kind::Pen, pen_); }
ObjectHandle CairoCanvas::SelectBrush(ObjectHandle brush) {
  return Select(brush, Kind::Brush, brush_);
}
ObjectHandle CairoCanvas::SelectFont(ObjectHandle font) { return Select(font, Kind::Font, font_); }

void CairoCanvas::SetSource(Rgb color) {
  cairo_set_source_rgb(cr_, color.r / 255.0, color.g / 255.0, color.b / 255.0);
}

void CairoCanvas::FillRect(const IntRect& rect, ObjectHandle brush) {
  FlushPolyline();
  auto it = objects_.find(brush);
  if (it == objects_.end() || it->second.kind != Kind::Brush) return;
  // Right and bottom edges are outside the rectangle.
  const double l = std::max<double>(rect.left, -1);
  const double t = std::max<double>(rect.top, -1);
  const double r = std::min<double>(rect.right, width_ + 1.0);
  const double b = std::min<double>(rect.bottom, height_ + 1.0);
  if (r <= l || b <= t) return;
  SetSource(it->second.brush);
  cairo_rectangle(cr_, l, t, r - l, b - t);
  cairo_fill(cr_);
}

void CairoCanvas::MoveTo(int x, int y) {
  FlushPolyline();
  currentX_ = x;
  currentY_ = y;
  dashTravel_ = 0;
}

// A thin line covers the pixels from its start up to, not including, its end: the path runs
// from half a pixel before the start pixel's centre to half a pixel before the end pixel's
// centre. Dashes are measured in steps along the line's major axis, as the thin dashed pen
// counts them, and run on from the previous segment of the same polyline.
//
// Consecutive segments near the canvas are gathered into one polyline and stroked at once
// (solid ones joined, not overlapping; one path in an SVG or PDF; the dashes of a dashed pen
// laid along it as one path of dashes); the next operation of any other kind strokes it.
void CairoCanvas::LineTo(int x, int y) {
  const double x0 = currentX_;
  const double y0 = currentY_;
  currentX_ = x;
  currentY_ = y;
  const double dx = x - x0;
  const double dy = y - y0;
  const double major = std::max(std::fabs(dx), std::fabs(dy));
  if (major == 0) return;
  const bool dashed = penSpec_.width <= 1 && penSpec_.style == PenStyle::Dash;
  auto near = [&](double px, double py) {
    return px > -kDrawMargin && px < width_ + kDrawMargin && py > -kDrawMargin &&
           py < height_ + kDrawMargin;
  };
  if (near(x0, y0) && near(x, y)) {
    if (polyline_.empty()) {
      polyline_.push_back({x0, y0});
      polylineDashed_ = dashed;
      polylineTravel_ = dashTravel_;
    }
    polyline_.push_back({static_cast<double>(x), static_cast<double>(y)});
  } else {
    FlushPolyline();
    StrokeSegment(x0, y0, x, y);
  }
  dashTravel_ += major;
}

void CairoCanvas::FlushPolyline() {
  if (polyline_.size() < 2) {
    polyline_.clear();
    return;
  }
  if (polylineDashed_) {
    StrokeDashedRun();
    return;
  }
  const bool thin = penSpec_.width <= 1;
  const double centre = thin || penSpec_.width % 2 == 1 ? 0.5 : 0.0;
  auto unit = [](const Vertex& from, const Vertex& to) {
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    return Vertex{(to.x - from.x) / length, (to.y - from.y) / length};
  };
  const RunBounds bounds = BoundsOf(polyline_);
  const double left = bounds.left, right = bounds.right, top = bounds.top, bottom = bounds.bottom;
  if (!MayShow(left, top, right, bottom)) {
    polyline_.clear();
    return;
  }
  // Under a clip of a few rows (the clock line repainted), only the segments that come near those
  // rows are stroked, each stretch of them with the segment before and after it, so that every
  // join that can reach the rows is made as in the whole line; the rest of the line has no edge
  // in a row that is drawn. A wide dashed pen's pattern runs from the line's start, so its line
  // is stroked whole.
  const std::size_t last = polyline_.size() - 1;
  const bool wideDash = !thin && penSpec_.style == PenStyle::Dash;
  const double reach = (thin ? 1 : penSpec_.width) / 2.0 + 8;
  auto nearRows = [&](std::size_t segment) {  // the segment ending at point `segment`
    if (segment < 1 || segment > last) return false;
    if (wideDash) return true;
    const double y0 = polyline_[segment - 1].y, y1 = polyline_[segment].y;
    return std::max(y0, y1) + reach > clipTop_ && std::min(y0, y1) - reach < clipBottom_;
  };
  auto kept = [&](std::size_t segment) {
    return segment >= 1 && segment <= last &&
           (nearRows(segment - 1) || nearRows(segment) || nearRows(segment + 1));
  };
  auto point = [&](std::size_t i) {
    Vertex p{polyline_[i].x + centre, polyline_[i].y + centre};
    if (thin && (i == 0 || i == last)) {
      // Back half a pixel: the first pixel whole, the end pixel left out.
      const Vertex u = i == 0 ? unit(polyline_[0], polyline_[1])
                              : unit(polyline_[last - 1], polyline_[last]);
      p.x -= 0.5 * u.x;
      p.y -= 0.5 * u.y;
    }
    return p;
  };
  cairo_new_path(cr_);
  for (std::size_t i = 1; i <= last; ++i) {
    if (!kept(i)) continue;
    if (!kept(i - 1)) {
      const Vertex from = point(i - 1);
      cairo_move_to(cr_, from.x, from.y);
    }
    const Vertex to = point(i);
    cairo_line_to(cr_, to.x, to.y);
  }
  polyline_.clear();
  cairo_set_line_width(cr_, thin ? 1.0 : penSpec_.width);
  cairo_set_line_join(cr_, thin ? CAIRO_LINE_JOIN_MITER : CAIRO_LINE_JOIN_ROUND);
  SetWidePenDash(0);
  SetSource(penSpec_.color);
  cairo_stroke(cr_);
  cairo_set_dash(cr_, nullptr, 0, 0);
}

// A wide dashed pen (the thin pens of a high-DPI screen) is dashed as GDI's geometric pen of the
// same width: the thin pen's dashes and gaps each as many times longer as the pen is wider,
// measured along the path from its start, square-cut, the gaps left clear in either background
// mode. Every other pen's line is whole, with the caps the pen has.
void CairoCanvas::SetWidePenDash(double offset) {
  const bool thin = penSpec_.width <= 1;
  const bool wideDash = !thin && penSpec_.style == PenStyle::Dash;
  cairo_set_line_cap(cr_, thin || wideDash ? CAIRO_LINE_CAP_BUTT : CAIRO_LINE_CAP_ROUND);
  if (wideDash) {
    const double pattern[2] = {kDashOn * penSpec_.width, kDashOff * penSpec_.width};
    cairo_set_dash(cr_, pattern, 2, offset);
  } else {
    cairo_set_dash(cr_, nullptr, 0, 0);
  }
}

CairoCanvas::RunBounds CairoCanvas::BoundsOf(const std::vector<Vertex>& run) {
  RunBounds b{run[0].x, run[0].y, run[0].x, run[0].y};
  for (const Vertex& p : run) {
    b.left = std::min(b.left, p.x);
    b.right = std::max(b.right, p.x);
    b.top = std::min(b.top, p.y);
    b.bottom = std::max(b.bottom, p.y);
  }
  return b;
}

bool CairoCanvas::MayShow(double left, double top, double right, double bottom) const {
  // Half the pen, a thin pen's miter corners and the antialiased fringe.
  const double reach = (penSpec_.width <= 1 ? 1 : penSpec_.width) / 2.0 + 8;
  return right + reach > clipLeft_ && left - reach < clipRight_ && bottom + reach > clipTop_ &&
         top - reach < clipBottom_;
}

// The dashes of a run of thin dashed segments, laid exactly where the pattern stroked segment by
// segment puts them (counted in steps along each segment's major axis and running on from one
// segment to the next), and stroked as one path.
void CairoCanvas::StrokeDashedRun() {
  const RunBounds bounds = BoundsOf(polyline_);
  const double left = bounds.left, right = bounds.right, top = bounds.top, bottom = bounds.bottom;
  const std::vector<Vertex> points = std::move(polyline_);
  polyline_.clear();
  if (!MayShow(left, top, right, bottom)) return;

  constexpr double kPeriod = kDashOn + kDashOff;
  cairo_new_path(cr_);
  cairo_set_line_width(cr_, 1.0);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
  cairo_set_dash(cr_, nullptr, 0, 0);
  // Each segment from half a pixel before its start pixel's centre, as a thin line lies.
  auto ends = [&](std::size_t i, Vertex& from, Vertex& to, double& major) {
    const Vertex& a = points[i - 1];
    const Vertex& b = points[i];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
    from = {a.x + 0.5 - 0.5 * ux, a.y + 0.5 - 0.5 * uy};
    to = {b.x + 0.5 - 0.5 * ux, b.y + 0.5 - 0.5 * uy};
    major = std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y));
  };
  // A piece lying wholly above or below the clip's rows is left out: none of its edges reaches
  // a row that is drawn, so what is drawn is the same without it.
  auto outsideRows = [&](double y0, double y1) {
    return std::max(y0, y1) + 2 < clipTop_ || std::min(y0, y1) - 2 > clipBottom_;
  };
  if (backgroundMode_ == BackgroundMode::Opaque) {
    // The gaps of a dashed pen show the background colour in opaque mode.
    for (std::size_t i = 1; i < points.size(); ++i) {
      Vertex from, to;
      double major;
      ends(i, from, to, major);
      if (outsideRows(from.y, to.y)) continue;
      cairo_move_to(cr_, from.x, from.y);
      cairo_line_to(cr_, to.x, to.y);
      SetSource(backgroundColor_);
      cairo_stroke(cr_);
    }
  }
  double travel = polylineTravel_;
  for (std::size_t i = 1; i < points.size(); ++i) {
    Vertex from, to;
    double major;
    ends(i, from, to, major);
    if (major == 0) continue;
    const double end = travel + major;
    for (double s = travel; s < end;) {
      const double phase = std::fmod(s, kPeriod);
      if (phase < kDashOn) {
        const double stop = std::min(end, s + (kDashOn - phase));
        const double t0 = (s - travel) / major, t1 = (stop - travel) / major;
        const double y0 = from.y + t0 * (to.y - from.y), y1 = from.y + t1 * (to.y - from.y);
        if (!outsideRows(y0, y1)) {
          cairo_move_to(cr_, from.x + t0 * (to.x - from.x), y0);
          cairo_line_to(cr_, from.x + t1 * (to.x - from.x), y1);
        }
        s = stop;
      } else {
        s += kPeriod - phase;
      }
    }
    travel = end;
  }
  SetSource(penSpec_.color);
  cairo_stroke(cr_);
}

void CairoCanvas::Flush() {
  FlushPolyline();
  cairo_surface_flush(cairo_get_target(cr_));
}

void CairoCanvas::StrokeSegment(double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double length = std::hypot(dx, dy);
  const double major = std::max(std::fabs(dx), std::fabs(dy));
  const bool thin = penSpec_.width <= 1;
  const double width = thin ? 1.0 : penSpec_.width;

  double sx, sy, ex, ey;
  if (thin) {
    const double ux = dx / length;
    const double uy = dy / length;
    sx = x0 + 0.5 - 0.5 * ux;
    sy = y0 + 0.5 - 0.5 * uy;
    ex = x1 + 0.5 - 0.5 * ux;
    ey = y1 + 0.5 - 0.5 * uy;
  } else {
    const double centre = (penSpec_.width % 2 == 1) ? 0.5 : 0.0;
    sx = x0 + centre;
    sy = y0 + centre;
    ex = x1 + centre;
    ey = y1 + centre;
  }

  // Cut the segment to the drawing margin (Liang-Barsky), keeping its direction.
  double t0 = 0, t1 = 1;
  const double px[4] = {-(ex - sx), ex - sx, -(ey - sy), ey - sy};
  const double q[4] = {sx + kDrawMargin, width_ + kDrawMargin - sx, sy + kDrawMargin,
                       height_ + kDrawMargin - sy};
  for (int i = 0; i < 4; ++i) {
    if (px[i] == 0) {
      if (q[i] < 0) return;
      continue;
    }
    const double t = q[i] / px[i];
    if (px[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
  }
  if (t0 >= t1) return;
  if (!MayShow(std::min(sx, ex), std::min(sy, ey), std::max(sx, ex), std::max(sy, ey))) return;
  const double cx0 = sx + t0 * (ex - sx), cy0 = sy + t0 * (ey - sy);
  const double cx1 = sx + t1 * (ex - sx), cy1 = sy + t1 * (ey - sy);

  cairo_new_path(cr_);
  cairo_move_to(cr_, cx0, cy0);
  cairo_line_to(cr_, cx1, cy1);
  cairo_set_line_width(cr_, width);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
  const bool dashed = thin && penSpec_.style == PenStyle::Dash;
  if (dashed) {
    if (backgroundMode_ == BackgroundMode::Opaque) {
      // The gaps of a dashed pen show the background colour in opaque mode.
      cairo_set_dash(cr_, nullptr, 0, 0);
      SetSource(backgroundColor_);
      cairo_stroke_preserve(cr_);
    }
    const double perStep = length / major;
    const double pattern[2] = {kDashOn * perStep, kDashOff * perStep};
    cairo_set_dash(cr_, pattern, 2, (dashTravel_ + t0 * major) * perStep);
  } else {
    // Cut at its start, a wide dashed segment keeps the dashes it has whole.
    SetWidePenDash(t0 * length);
  }
  SetSource(penSpec_.color);
  cairo_stroke(cr_);
  cairo_set_dash(cr_, nullptr, 0, 0);
}

// The figure lies inside the bounding box, its right and bottom edges excluded; a thin outline
// runs on the centres of the outermost pixels.
void CairoCanvas::Ellipse(int left, int top, int right, int bottom) {
  FlushPolyline();
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (right - left < 2 || bottom - top < 2) return;
  if (right < -kDrawMargin || left > width_ + kDrawMargin || bottom < -kDrawMargin ||
      top > height_ + kDrawMargin) {
    return;
  }
  if (right - left > kFarCoordinate || bottom - top > kFarCoordinate) return;
  const double cx = (left + right) / 2.0;
  const double cy = (top + bottom) / 2.0;
  const double rx = (right - left - 1) / 2.0;
  const double ry = (bottom - top - 1) / 2.0;
  cairo_new_path(cr_);
  cairo_save(cr_);
  cairo_translate(cr_, cx, cy);
  cairo_scale(cr_, rx, ry);
  cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr_);
  SetSource(brushColor_);
  cairo_fill_preserve(cr_);
  cairo_set_line_width(cr_, penSpec_.width <= 1 ? 1.0 : penSpec_.width);
  if (penSpec_.width <= 1 && penSpec_.style == PenStyle::Dash) {
    const double pattern[2] = {kDashOn, kDashOff};
    cairo_set_dash(cr_, pattern, 2, 0);
  }
  SetSource(penSpec_.color);
  cairo_stroke(cr_);
  cairo_set_dash(cr_, nullptr, 0, 0);
}

// Text hangs from the rectangle's top edge, lines break at '\n', and it is aligned left, centred
// or right on the rectangle without being clipped to it. In opaque mode the text's cells are
// first filled with the background colour.
void CairoCanvas::DrawText(const std::string& text, const IntRect& rect, unsigned flags) {
  FlushPolyline();
  if (std::abs(rect.left) > kFarCoordinate || std::abs(rect.right) > kFarCoordinate ||
      std::abs(rect.top) > kFarCoordinate) {
    return;
  }
  const std::string utf8 = symbolFont_ ? SymbolFontToUtf8(text) : Cp1252ToUtf8(Drawable(text));
  if (utf8.empty()) return;
  PangoRectangle logical;
  PangoLayout* layout = Layout();
  const int x = LayOut(layout, utf8, fontDescription_, rect, flags, nullptr, logical);
  const int y = rect.top;
  if (backgroundMode_ == BackgroundMode::Opaque) {
    SetSource(backgroundColor_);
    cairo_rectangle(cr_, x, y + logical.y, logical.width, logical.height);
    cairo_fill(cr_);
  }
  SetSource(textColor_);
  cairo_move_to(cr_, x - logical.x, y);
  pango_cairo_show_layout(cr_, layout);
  cairo_new_path(cr_);
}

// Made on the canvas's first text (most canvases of a tick draw none); Pango sets its context
// from the Cairo context as it makes it.
PangoLayout* CairoCanvas::Layout() {
  if (layout_ == nullptr) layout_ = pango_cairo_create_layout(cr_);
  return layout_;
}

int CairoCanvas::LayOut(PangoLayout* layout, const std::string& utf8,
                        const PangoFontDescription* font, const IntRect& rect, unsigned flags,
                        PangoRectangle* ink, PangoRectangle& logical) {
  // Setting what the layout holds already keeps what it laid out.
  pango_layout_set_font_description(layout, font);
  if (std::strcmp(pango_layout_get_text(layout), utf8.c_str()) != 0) {
    pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
  }
  PangoAlignment alignment = PANGO_ALIGN_LEFT;
  if (flags & kTextRight) alignment = PANGO_ALIGN_RIGHT;
  if (flags & kTextCenter) alignment = PANGO_ALIGN_CENTER;
  pango_layout_set_alignment(layout, alignment);
  pango_layout_get_pixel_extents(layout, ink, &logical);
  if (flags & kTextCenter) return rect.left + (rect.right - rect.left - logical.width) / 2;
  if (flags & kTextRight) return rect.right - logical.width;
  return rect.left;
}

void CairoCanvas::SetClipRect(const IntRect& rect) {
  FlushPolyline();
  if (clipped_) cairo_restore(cr_);
  cairo_save(cr_);
  const double l = std::clamp<double>(std::min(rect.left, rect.right), -1, width_ + 1.0);
  const double r = std::clamp<double>(std::max(rect.left, rect.right), -1, width_ + 1.0);
  const double t = std::clamp<double>(std::min(rect.top, rect.bottom), -1, height_ + 1.0);
  const double b = std::clamp<double>(std::max(rect.top, rect.bottom), -1, height_ + 1.0);
  cairo_new_path(cr_);
  cairo_rectangle(cr_, l, t, r - l, b - t);
  cairo_clip(cr_);
  clipped_ = true;
  clipLeft_ = l;
  clipTop_ = t;
  clipRight_ = r;
  clipBottom_ = b;
}

void CairoCanvas::ClearClip() {
  FlushPolyline();
  if (!clipped_) return;
  cairo_restore(cr_);
  clipped_ = false;
  clipLeft_ = -1;
  clipTop_ = -1;
  clipRight_ = width_ + 1.0;
  clipBottom_ = height_ + 1.0;
}

}  // namespace sundial
