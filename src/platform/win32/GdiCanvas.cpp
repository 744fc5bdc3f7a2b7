#include "platform/win32/GdiCanvas.h"

namespace sundial::win32 {
namespace {

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

RECT ToRect(const IntRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

GdiCanvas::GdiCanvas(HDC reference, int width, int height) : width_(width), height_(height) {
  dc_ = CreateCompatibleDC(reference);
  if (dc_ != nullptr) bitmap_ = CreateCompatibleBitmap(reference, width, height);
  if (bitmap_ != nullptr) originalBitmap_ = SelectObject(dc_, bitmap_);
  if (dc_ != nullptr) {
    originalPen_ = GetCurrentObject(dc_, OBJ_PEN);
    originalBrush_ = GetCurrentObject(dc_, OBJ_BRUSH);
    originalFont_ = GetCurrentObject(dc_, OBJ_FONT);
  }
}

GdiCanvas::GdiCanvas(int width, int height) : width_(width), height_(height) {
  dc_ = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  if (dc_ != nullptr && width > 0 && height > 0) {
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  if (bitmap_ != nullptr) {
    bits_ = static_cast<std::uint32_t*>(bits);
    originalBitmap_ = SelectObject(dc_, bitmap_);
  }
  if (dc_ != nullptr) {
    originalPen_ = GetCurrentObject(dc_, OBJ_PEN);
    originalBrush_ = GetCurrentObject(dc_, OBJ_BRUSH);
    originalFont_ = GetCurrentObject(dc_, OBJ_FONT);
  }
}

GdiCanvas::~GdiCanvas() {
  if (dc_ != nullptr) {
    // Put the DC's own objects back so that every object of ours is free to be deleted.
    SelectObject(dc_, originalPen_);
    SelectObject(dc_, originalBrush_);
    SelectObject(dc_, originalFont_);
    SelectClipRgn(dc_, nullptr);
    if (originalBitmap_ != nullptr) SelectObject(dc_, originalBitmap_);
  }
  for (Entry& entry : objects_) Release(entry);
  if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
  if (dc_ != nullptr) DeleteDC(dc_);
}

HDC GdiCanvas::Dc() const {
  Flush();
  return dc_;
}

void GdiCanvas::Flush() const {
  if (pendingLine_.empty()) return;
  if (dc_ != nullptr) {
    PolylineTo(dc_, pendingLine_.data(), static_cast<DWORD>(pendingLine_.size()));
  }
  pendingLine_.clear();
}

const std::uint32_t* GdiCanvas::Pixels() const {
  Flush();
  return bits_;
}

void GdiCanvas::CopyTo(HDC target, int x, int y, int width, int height) const {
  if (!Valid()) return;
  Flush();
  BitBlt(target, x, y, width, height, dc_, 0, 0, SRCCOPY);
}

Rgb GdiCanvas::PixelAt(int x, int y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return Rgb{};
  Flush();
  GdiFlush();
  const std::uint32_t p = bits_[static_cast<std::size_t>(y) * width_ + x];
  return Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
             static_cast<std::uint8_t>(p)};
}

ObjectHandle GdiCanvas::Add(HGDIOBJ object, Kind kind, bool stock) {
  if (object == nullptr) return kNoObject;
  // A canvas kept from paint to paint gives the places of deleted objects to new ones, and the
  // stock brush its one place, so that its table does not grow with every paint.
  for (std::size_t i = 0; i < objects_.size(); ++i) {
    Entry& entry = objects_[i];
    if (entry.object == nullptr || (stock && entry.stock && entry.object == object)) {
      entry = Entry{object, kind, stock};
      return static_cast<ObjectHandle>(i + 1);
    }
  }
  objects_.push_back(Entry{object, kind, stock});
  return static_cast<ObjectHandle>(objects_.size());
}

GdiCanvas::Entry* GdiCanvas::Find(ObjectHandle handle, Kind kind) {
  if (handle == kNoObject || handle > objects_.size()) return nullptr;
  Entry& entry = objects_[handle - 1];
  if (entry.object == nullptr || entry.kind != kind) return nullptr;
  return &entry;
}

void GdiCanvas::Release(Entry& entry) {
  if (entry.object != nullptr && !entry.stock) ::DeleteObject(entry.object);
  entry.object = nullptr;
}

ObjectHandle GdiCanvas::CreatePen(const PenSpec& spec) {
  if (spec.style == PenStyle::Dash && spec.width > 1) {
    // CreatePen makes every pen wider than a pixel solid. A wide dashed pen (the thin pens of a
    // high-DPI screen) is a geometric pen with the thin dashed pen's dashes and gaps, each as
    // many times longer as the pen is wider, and square-cut dashes.
    const auto width = static_cast<DWORD>(spec.width);
    const DWORD dashes[2] = {kDashOn * width, kDashOff * width};
    const LOGBRUSH brush{BS_SOLID, ToColorRef(spec.color), 0};
    return Add(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_ROUND, width,
                            &brush, 2, dashes),
               Kind::Pen, false);
  }
  const int style = spec.style == PenStyle::Dash ? PS_DASH : PS_SOLID;
  return Add(::CreatePen(style, spec.width, ToColorRef(spec.color)), Kind::Pen, false);
}

ObjectHandle GdiCanvas::CreateSolidBrush(Rgb color) {
  return Add(::CreateSolidBrush(ToColorRef(color)), Kind::Brush, false);
}

ObjectHandle GdiCanvas::StockBlackBrush() {
  return Add(GetStockObject(BLACK_BRUSH), Kind::Brush, true);
}

ObjectHandle GdiCanvas::CreateFont(const FontSpec& spec) {
  // Cell height, face and character set; every other parameter left at the system's default.
  HFONT font = CreateFontA(spec.height, 0, 0, 0, 0, 0, 0, 0, static_cast<DWORD>(spec.charset), 0,
                           0, 0, 0, spec.face.c_str());
  return Add(font, Kind::Font, false);
}

void GdiCanvas::DeleteObject(ObjectHandle object) {
  Flush();
  if (object == kNoObject || object > objects_.size()) return;
  Entry& entry = objects_[object - 1];
  if (entry.object == nullptr) return;
  // A selected object cannot be deleted: give the DC back its own one first.
  if (dc_ != nullptr) {
    if (object == currentPen_) {
      SelectObject(dc_, originalPen_);
      currentPen_ = kNoObject;
    } else if (object == currentBrush_) {
      SelectObject(dc_, originalBrush_);
      currentBrush_ = kNoObject;
    } else if (object == currentFont_) {
      SelectObject(dc_, originalFont_);
      currentFont_ = kNoObject;
    }
  }
  Release(entry);
}

ObjectHandle GdiCanvas::Select(ObjectHandle handle, Kind kind, ObjectHandle& current) {
  Flush();
  Entry* entry = Find(handle, kind);
  if (entry == nullptr || dc_ == nullptr) return kNoObject;
  if (SelectObject(dc_, entry->object) == nullptr) return kNoObject;
  const ObjectHandle previous = current;
  current = handle;
  return previous;
}

ObjectHandle GdiCanvas::SelectPen(ObjectHandle pen) { return Select(pen, Kind::Pen, currentPen_); }

ObjectHandle GdiCanvas::SelectBrush(ObjectHandle brush) {
  return Select(brush, Kind::Brush, currentBrush_);
}

ObjectHandle GdiCanvas::SelectFont(ObjectHandle font) {
  return Select(font, Kind::Font, currentFont_);
}

void GdiCanvas::SetTextColor(Rgb color) {
  Flush();
  if (dc_ != nullptr) ::SetTextColor(dc_, ToColorRef(color));
}

void GdiCanvas::SetBackgroundColor(Rgb color) {
  Flush();
  if (dc_ != nullptr) SetBkColor(dc_, ToColorRef(color));
}

void GdiCanvas::SetBackgroundMode(BackgroundMode mode) {
  Flush();
  if (dc_ != nullptr) SetBkMode(dc_, mode == BackgroundMode::Transparent ? TRANSPARENT : OPAQUE);
}

void GdiCanvas::FillRect(const IntRect& rect, ObjectHandle brush) {
  Flush();
  Entry* entry = Find(brush, Kind::Brush);
  if (entry == nullptr || dc_ == nullptr) return;
  const RECT r = ToRect(rect);
  ::FillRect(dc_, &r, static_cast<HBRUSH>(entry->object));
}

void GdiCanvas::MoveTo(int x, int y) {
  Flush();
  if (dc_ != nullptr) MoveToEx(dc_, x, y, nullptr);
}

void GdiCanvas::LineTo(int x, int y) {
  if (dc_ != nullptr) pendingLine_.push_back(POINT{x, y});
}

void GdiCanvas::Ellipse(int left, int top, int right, int bottom) {
  Flush();
  if (dc_ != nullptr) ::Ellipse(dc_, left, top, right, bottom);
}

void GdiCanvas::DrawText(const std::string& text, const IntRect& rect, unsigned flags) {
  Flush();
  if (dc_ == nullptr || text.empty()) return;
  RECT r = ToRect(rect);
  DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &r, flags);
}

void GdiCanvas::SetClipRect(const IntRect& rect) {
  Flush();
  if (dc_ == nullptr) return;
  HRGN region = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
  if (region == nullptr) return;
  SelectClipRgn(dc_, region);  // the DC keeps its own copy
  ::DeleteObject(region);
}

void GdiCanvas::ClearClip() {
  Flush();
  if (dc_ != nullptr) SelectClipRgn(dc_, nullptr);
}

}  // namespace sundial::win32
