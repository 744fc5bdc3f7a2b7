#include "platform/web/WebCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "model/Cp1252.h"

// The page's side (WebCanvasBridge.js): each draws on the 2D context number `surface`. Colours
// are 0xRRGGBB.
extern "C" {
void sundial_web_begin(int surface);
void sundial_web_end(int surface);
void sundial_web_fill_rect(int surface, double x, double y, double w, double h, int rgb);
// `path` holds `count` vertices (0 move or 1 line, x, y); dashOn 0: solid.
void sundial_web_stroke(int surface, const float* path, int count, double width, int round,
                        int rgb, double dashOn, double dashOff, double dashOffset);
void sundial_web_ellipse(int surface, double cx, double cy, double rx, double ry, int fillRgb,
                         double width, int strokeRgb, int dashed);
// Draws (mode 0) or clears the background box of (mode 1) the UTF-8 `text`, hanging from `top`,
// placed on left..right by `align` (0 left, 1 centre, 2 right); `box` receives the background box
// (left, top, right, bottom).
void sundial_web_text(int surface, const char* text, double em, int symbol, int left, int top,
                      int right, int align, int textRgb, int backgroundRgb, int opaque, int mode,
                      int* box);
void sundial_web_clip(int surface, double left, double top, double right, double bottom);
void sundial_web_clear_clip(int surface);
}

namespace sundial::web {

namespace {

// Windows' "Arial" has a cell (ascent plus descent) of 1.117 em; the painter asks for fonts by
// cell height, the browser by em size.
constexpr double kCellPerEm = 2288.0 / 2048.0;
// The font a canvas holds before any font is selected: a cell of 16 pixels.
constexpr int kDefaultCellHeight = 16;
// Lines are cut to this margin around the canvas before they reach the browser, so that a
// far-off point cannot lose its precision in the context's single-precision path.
constexpr double kDrawMargin = 4096;
constexpr double kFarCoordinate = 1 << 22;

constexpr std::uint32_t kBell = 0x1F514;
constexpr std::uint32_t kAries = 0x2648;
// Asks for a sign's text presentation: browsers would otherwise draw the zodiac signs, which
// are also emoji, from an emoji font rather than from the fonts named.
constexpr std::uint32_t kTextPresentation = 0xFE0E;

int Packed(Rgb c) { return (c.r << 16) | (c.g << 8) | c.b; }

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

// The em size of a font: a positive height is the cell height, a negative one the em height
// (the Windows rule).
double EmOf(const FontSpec& spec) {
  const double em = spec.height > 0   ? spec.height / kCellPerEm
                    : spec.height < 0 ? -static_cast<double>(spec.height)
                                      : kDefaultCellHeight / kCellPerEm;
  return std::min(em, 4096.0);
}

}  // namespace

std::string SymbolFontToUtf8(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x5E && c <= 0x69) {
      AppendUtf8(out, kAries + (c - 0x5E));  // Aries .. Pisces
      AppendUtf8(out, kTextPresentation);
    } else if (c == 0x25) {
      AppendUtf8(out, kBell);
      AppendUtf8(out, kTextPresentation);
    } else if (c == ' ' || c == '\n') {
      out += static_cast<char>(c);
    }
  }
  return out;
}

WebCanvas::WebCanvas(int surface, int width, int height)
    : surface_(surface),
      width_(width),
      height_(height),
      clipRight_(width + 1.0),
      clipBottom_(height + 1.0) {
  sundial_web_begin(surface_);
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
  font.stock = true;
  font_ = Add(font);
  fontSpec_ = font.font;
}

WebCanvas::~WebCanvas() {
  FlushPolyline();
  if (clipped_) sundial_web_clear_clip(surface_);
  sundial_web_end(surface_);
}

ObjectHandle WebCanvas::Add(Object object) {
  object.handle = nextHandle_++;
  objects_.push_back(std::move(object));
  return objects_.back().handle;
}

const WebCanvas::Object* WebCanvas::Find(ObjectHandle handle) const {
  for (const Object& o : objects_) {
    if (o.handle == handle) return &o;
  }
  return nullptr;
}

ObjectHandle WebCanvas::CreatePen(const PenSpec& spec) {
  Object o;
  o.kind = Kind::Pen;
  o.pen = spec;
  return Add(o);
}

ObjectHandle WebCanvas::CreateSolidBrush(Rgb color) {
  Object o;
  o.kind = Kind::Brush;
  o.brush = color;
  return Add(o);
}

ObjectHandle WebCanvas::CreateFont(const FontSpec& spec) {
  Object o;
  o.kind = Kind::Font;
  o.font = spec;
  return Add(o);
}

void WebCanvas::DeleteObject(ObjectHandle object) {
  FlushPolyline();
  const auto it = std::find_if(objects_.begin(), objects_.end(),
                               [&](const Object& o) { return o.handle == object; });
  if (it == objects_.end() || it->stock) return;
  objects_.erase(it);
}

ObjectHandle WebCanvas::Select(ObjectHandle wanted, Kind kind, ObjectHandle& current) {
  FlushPolyline();
  const Object* o = Find(wanted);
  if (o == nullptr || o->kind != kind) return kNoObject;
  const ObjectHandle previous = current;
  current = wanted;
  switch (kind) {
    case Kind::Pen:
      penSpec_ = o->pen;
      break;
    case Kind::Brush:
      brushColor_ = o->brush;
      break;
    case Kind::Font:
      fontSpec_ = o->font;
      break;
  }
  return previous;
}

ObjectHandle WebCanvas::SelectPen(ObjectHandle pen) { return Select(pen, Kind::Pen, pen_); }
ObjectHandle WebCanvas::SelectBrush(ObjectHandle brush) { return Select(brush, Kind::Brush, brush_); }
ObjectHandle WebCanvas::SelectFont(ObjectHandle font) { return Select(font, Kind::Font, font_); }

void WebCanvas::FillRect(const IntRect& rect, ObjectHandle brush) {
  FlushPolyline();
  const Object* o = Find(brush);
  if (o == nullptr || o->kind != Kind::Brush) return;
  // Right and bottom edges are outside the rectangle.
  const double l = std::max<double>(rect.left, -1);
  const double t = std::max<double>(rect.top, -1);
  const double r = std::min<double>(rect.right, width_ + 1.0);
  const double b = std::min<double>(rect.bottom, height_ + 1.0);
  if (r <= l || b <= t) return;
  sundial_web_fill_rect(surface_, l, t, r - l, b - t, Packed(o->brush));
}

void WebCanvas::MoveTo(int x, int y) {
  FlushPolyline();
  currentX_ = x;
  currentY_ = y;
  dashTravel_ = 0;
}

// A thin line covers the pixels from its start up to, not including, its end: the path runs
// from half a pixel before the start pixel's centre to half a pixel before the end pixel's
// centre. Dashes are measured in steps along the line's major axis, as the thin dashed pen
// counts them, and run on from the previous segment of the same polyline. Consecutive segments
// near the canvas are gathered into one polyline and stroked at once.
void WebCanvas::LineTo(int x, int y) {
  const double x0 = currentX_;
  const double y0 = currentY_;
  currentX_ = x;
  currentY_ = y;
  const double major = std::max(std::fabs(x - x0), std::fabs(y - y0));
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

bool WebCanvas::MayShow(double left, double top, double right, double bottom) const {
  // Half the pen, a thin pen's miter corners and the antialiased fringe.
  const double reach = (penSpec_.width <= 1 ? 1 : penSpec_.width) / 2.0 + 8;
  return right + reach > clipLeft_ && left - reach < clipRight_ && bottom + reach > clipTop_ &&
         top - reach < clipBottom_;
}

void WebCanvas::StrokePath(double width, bool round, Rgb color, double dashOn, double dashOff,
                           double dashOffset) {
  if (path_.empty()) return;
  sundial_web_stroke(surface_, path_.data(), static_cast<int>(path_.size() / 3), width,
                     round ? 1 : 0, Packed(color), dashOn, dashOff, dashOffset);
  path_.clear();
}

void WebCanvas::FlushPolyline() {
  if (polyline_.size() < 2) {
    polyline_.clear();
    return;
  }
  std::vector<Vertex> points = std::move(polyline_);
  polyline_.clear();
  double left = points[0].x, right = left, top = points[0].y, bottom = top;
  for (const Vertex& p : points) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  if (!MayShow(left, top, right, bottom)) return;
  if (polylineDashed_) {
    StrokeDashedRun(points);
    return;
  }
  const bool thin = penSpec_.width <= 1;
  const double centre = thin || penSpec_.width % 2 == 1 ? 0.5 : 0.0;
  auto unit = [](const Vertex& from, const Vertex& to) {
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    return Vertex{(to.x - from.x) / length, (to.y - from.y) / length};
  };
  const std::size_t last = points.size() - 1;
  for (std::size_t i = 0; i <= last; ++i) {
    double px = points[i].x + centre;
    double py = points[i].y + centre;
    if (thin && (i == 0 || i == last)) {
      // Back half a pixel: the first pixel whole, the end pixel left out.
      const Vertex u = i == 0 ? unit(points[0], points[1]) : unit(points[last - 1], points[last]);
      px -= 0.5 * u.x;
      py -= 0.5 * u.y;
    }
    path_.insert(path_.end(), {i == 0 ? 0.0f : 1.0f, static_cast<float>(px), static_cast<float>(py)});
  }
  // Thin lines keep butt ends and mitred corners; wide ones are round at both.
  StrokePath(thin ? 1.0 : penSpec_.width, !thin, penSpec_.color);
}

// The dashes of a run of thin dashed segments, laid where the pattern stroked segment by segment
// puts them (counted in steps along each segment's major axis and running on from one segment
// to the next), and stroked as one path.
void WebCanvas::StrokeDashedRun(const std::vector<Vertex>& points) {
  constexpr double kPeriod = kDashOn + kDashOff;
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
  auto add = [&](float kind, double x, double y) {
    path_.insert(path_.end(), {kind, static_cast<float>(x), static_cast<float>(y)});
  };
  if (backgroundMode_ == BackgroundMode::Opaque) {
    // The gaps of a dashed pen show the background colour in opaque mode.
    for (std::size_t i = 1; i < points.size(); ++i) {
      Vertex from, to;
      double major;
      ends(i, from, to, major);
      add(0, from.x, from.y);
      add(1, to.x, to.y);
    }
    StrokePath(1.0, false, backgroundColor_);
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
        add(0, from.x + t0 * (to.x - from.x), from.y + t0 * (to.y - from.y));
        add(1, from.x + t1 * (to.x - from.x), from.y + t1 * (to.y - from.y));
        s = stop;
      } else {
        s += kPeriod - phase;
      }
    }
    travel = end;
  }
  StrokePath(1.0, false, penSpec_.color);
}

// A segment with an end far off the canvas, cut to the drawing margin keeping its direction (and
// its dashes where they were).
void WebCanvas::StrokeSegment(double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double length = std::hypot(dx, dy);
  const double major = std::max(std::fabs(dx), std::fabs(dy));
  const bool thin = penSpec_.width <= 1;
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

  // Liang-Barsky against the margin.
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
  path_.insert(path_.end(), {0.0f, static_cast<float>(sx + t0 * (ex - sx)),
                             static_cast<float>(sy + t0 * (ey - sy))});
  path_.insert(path_.end(), {1.0f, static_cast<float>(sx + t1 * (ex - sx)),
                             static_cast<float>(sy + t1 * (ey - sy))});
  const std::vector<float> segment = path_;
  const double width = thin ? 1.0 : penSpec_.width;
  if (thin && penSpec_.style == PenStyle::Dash) {
    if (backgroundMode_ == BackgroundMode::Opaque) {
      StrokePath(width, false, backgroundColor_);
      path_ = segment;
    }
    const double perStep = length / major;
    StrokePath(width, false, penSpec_.color, kDashOn * perStep, kDashOff * perStep,
               (dashTravel_ + t0 * major) * perStep);
  } else {
    StrokePath(width, !thin, penSpec_.color);
  }
}

// The figure lies inside the bounding box, its right and bottom edges excluded; a thin outline
// runs on the centres of the outermost pixels.
void WebCanvas::Ellipse(int left, int top, int right, int bottom) {
  FlushPolyline();
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (right - left < 2 || bottom - top < 2) return;
  if (right < -kDrawMargin || left > width_ + kDrawMargin || bottom < -kDrawMargin ||
      top > height_ + kDrawMargin) {
    return;
  }
  if (right - left > kFarCoordinate || bottom - top > kFarCoordinate) return;
  const bool thin = penSpec_.width <= 1;
  sundial_web_ellipse(surface_, (left + right) / 2.0, (top + bottom) / 2.0,
                      (right - left - 1) / 2.0, (bottom - top - 1) / 2.0, Packed(brushColor_),
                      thin ? 1.0 : penSpec_.width, Packed(penSpec_.color),
                      thin && penSpec_.style == PenStyle::Dash ? 1 : 0);
}

// Text hangs from the rectangle's top edge, lines break at '\n', and it is aligned left, centred
// or right on the rectangle without being clipped to it. In opaque mode the text's cells are
// first filled with the background colour.
void WebCanvas::DrawText(const std::string& text, const IntRect& rect, unsigned flags) {
  FlushPolyline();
  if (std::abs(rect.left) > kFarCoordinate || std::abs(rect.right) > kFarCoordinate ||
      std::abs(rect.top) > kFarCoordinate) {
    return;
  }
  const bool symbol = fontSpec_.charset == kSymbolCharset;
  const std::string utf8 = symbol ? SymbolFontToUtf8(text) : Cp1252ToUtf8(text);
  if (utf8.empty()) return;
  const int align = (flags & kTextCenter) ? 1 : (flags & kTextRight) ? 2 : 0;
  const bool opaque = backgroundMode_ == BackgroundMode::Opaque;
  const bool watched = watching_ && text == watchedText_;
  const int mode = watched && clearWatched_ && opaque ? 1 : 0;
  int box[4] = {0, 0, 0, 0};
  sundial_web_text(surface_, utf8.c_str(), EmOf(fontSpec_), symbol ? 1 : 0, rect.left, rect.top,
                   rect.right, align, Packed(textColor_), Packed(backgroundColor_), opaque ? 1 : 0,
                   mode, box);
  if (watched) {
    watched_ = WatchedText{true, IntRect{box[0], box[1], box[2], box[3]}, textColor_,
                           backgroundColor_};
  }
}

void WebCanvas::WatchText(const std::string& text, bool clearInstead) {
  watching_ = true;
  clearWatched_ = clearInstead;
  watchedText_ = text;
  watched_ = WatchedText{};
}

void WebCanvas::SetClipRect(const IntRect& rect) {
  FlushPolyline();
  if (clipped_) sundial_web_clear_clip(surface_);
  const double l = std::clamp<double>(std::min(rect.left, rect.right), -1, width_ + 1.0);
  const double r = std::clamp<double>(std::max(rect.left, rect.right), -1, width_ + 1.0);
  const double t = std::clamp<double>(std::min(rect.top, rect.bottom), -1, height_ + 1.0);
  const double b = std::clamp<double>(std::max(rect.top, rect.bottom), -1, height_ + 1.0);
  sundial_web_clip(surface_, l, t, r, b);
  clipped_ = true;
  clipLeft_ = l;
  clipTop_ = t;
  clipRight_ = r;
  clipBottom_ = b;
}

void WebCanvas::ClearClip() {
  FlushPolyline();
  if (!clipped_) return;
  sundial_web_clear_clip(surface_);
  clipped_ = false;
  clipLeft_ = -1;
  clipTop_ = -1;
  clipRight_ = width_ + 1.0;
  clipBottom_ = height_ + 1.0;
}

}  // namespace sundial::web
