#include "render/RecordingCanvas.h"

#include <algorithm>

namespace sundial {

const char* CanvasOpName(CanvasOpKind kind) {
  switch (kind) {
    case CanvasOpKind::CreatePen: return "createPen";
    case CanvasOpKind::CreateSolidBrush: return "createSolidBrush";
    case CanvasOpKind::StockBlackBrush: return "stockBlackBrush";
    case CanvasOpKind::CreateFont: return "createFont";
    case CanvasOpKind::DeleteObject: return "deleteObject";
    case CanvasOpKind::SelectPen: return "selectPen";
    case CanvasOpKind::SelectBrush: return "selectBrush";
    case CanvasOpKind::SelectFont: return "selectFont";
    case CanvasOpKind::SetTextColor: return "setTextColor";
    case CanvasOpKind::SetBackgroundColor: return "setBackgroundColor";
    case CanvasOpKind::SetBackgroundMode: return "setBackgroundMode";
    case CanvasOpKind::FillRect: return "fillRect";
    case CanvasOpKind::MoveTo: return "moveTo";
    case CanvasOpKind::LineTo: return "lineTo";
    case CanvasOpKind::Ellipse: return "ellipse";
    case CanvasOpKind::DrawText: return "drawText";
    case CanvasOpKind::SetClipRect: return "setClipRect";
    case CanvasOpKind::ClearClip: return "clearClip";
  }
  return "unknown";
}

void RecordingCanvas::EraseLines(std::size_t first) {
  if (first >= ops_.size()) return;
  ops_.erase(std::remove_if(ops_.begin() + static_cast<std::ptrdiff_t>(first), ops_.end(),
                            [](const CanvasOp& op) {
                              return op.kind == CanvasOpKind::MoveTo ||
                                     op.kind == CanvasOpKind::LineTo;
                            }),
             ops_.end());
}

CanvasOp& RecordingCanvas::Record(CanvasOpKind kind) {
  CanvasOp& op = ops_.emplace_back();
  op.kind = kind;
  op.currentPen = pen_;
  op.currentBrush = brush_;
  op.currentFont = font_;
  op.textColor = textColor_;
  return op;
}

bool RecordingCanvas::ShouldFail(CanvasOpKind kind) {
  const int n = creations_[kind]++;
  auto it = failures_.find(kind);
  return it != failures_.end() && (it->second == -1 || it->second == n);
}

ObjectHandle RecordingCanvas::Add(const RecordedObject& object) {
  const ObjectHandle handle = nextHandle_++;
  objects_[handle] = object;
  return handle;
}

const RecordedObject* RecordingCanvas::Object(ObjectHandle handle) const {
  auto it = objects_.find(handle);
  return it == objects_.end() ? nullptr : &it->second;
}

PenSpec RecordingCanvas::CurrentPen() const {
  const RecordedObject* pen = Object(pen_);
  return pen != nullptr ? pen->pen : PenSpec{};
}

FontSpec RecordingCanvas::CurrentFont() const {
  const RecordedObject* font = Object(font_);
  return font != nullptr ? font->font : FontSpec{"Arial", kDefaultCellHeight, kAnsiCharset};
}

ObjectHandle RecordingCanvas::CreatePen(const PenSpec& spec) {
  RecordedObject object;
  object.kind = RecordedObject::Kind::Pen;
  object.pen = spec;
  const ObjectHandle handle = ShouldFail(CanvasOpKind::CreatePen) ? kNoObject : Add(object);
  CanvasOp& op = Record(CanvasOpKind::CreatePen);
  op.pen = spec;
  op.handle = handle;
  return handle;
}

ObjectHandle RecordingCanvas::CreateSolidBrush(Rgb color) {
  RecordedObject object;
  object.kind = RecordedObject::Kind::Brush;
  object.brushColor = color;
  const ObjectHandle handle =
      ShouldFail(CanvasOpKind::CreateSolidBrush) ? kNoObject : Add(object);
  CanvasOp& op = Record(CanvasOpKind::CreateSolidBrush);
  op.color = color;
  op.handle = handle;
  return handle;
}

ObjectHandle RecordingCanvas::StockBlackBrush() {
  ObjectHandle handle = kNoObject;
  if (!ShouldFail(CanvasOpKind::StockBlackBrush)) {
    if (stockBlack_ == kNoObject) {
      RecordedObject object;
      object.kind = RecordedObject::Kind::Brush;
      object.stock = true;
      stockBlack_ = Add(object);
    }
    handle = stockBlack_;
  }
  Record(CanvasOpKind::StockBlackBrush).handle = handle;
  return handle;
}

ObjectHandle RecordingCanvas::CreateFont(const FontSpec& spec) {
  RecordedObject object;
  object.kind = RecordedObject::Kind::Font;
  object.font = spec;
  const ObjectHandle handle = ShouldFail(CanvasOpKind::CreateFont) ? kNoObject : Add(object);
  CanvasOp& op = Record(CanvasOpKind::CreateFont);
  op.font = spec;
  op.handle = handle;
  return handle;
}

void RecordingCanvas::DeleteObject(ObjectHandle object) {
  auto it = objects_.find(object);
  if (it != objects_.end() && !it->second.stock) it->second.deleted = true;
  Record(CanvasOpKind::DeleteObject).handle = object;
}

ObjectHandle RecordingCanvas::Select(ObjectHandle handle, RecordedObject::Kind kind,
                                     ObjectHandle& current, CanvasOpKind opKind) {
  const RecordedObject* object = Object(handle);
  const bool ok = object != nullptr && object->kind == kind && !object->deleted &&
                  !(opKind == CanvasOpKind::SelectFont && failFontSelection_);
  ObjectHandle previous = kNoObject;
  if (ok) {
    previous = current;
    current = handle;
  }
  CanvasOp& op = Record(opKind);
  op.handle = handle;
  op.result = previous;
  return previous;
}

ObjectHandle RecordingCanvas::SelectPen(ObjectHandle pen) {
  return Select(pen, RecordedObject::Kind::Pen, pen_, CanvasOpKind::SelectPen);
}

ObjectHandle RecordingCanvas::SelectBrush(ObjectHandle brush) {
  return Select(brush, RecordedObject::Kind::Brush, brush_, CanvasOpKind::SelectBrush);
}

ObjectHandle RecordingCanvas::SelectFont(ObjectHandle font) {
  return Select(font, RecordedObject::Kind::Font, font_, CanvasOpKind::SelectFont);
}

void RecordingCanvas::SetTextColor(Rgb color) {
  Record(CanvasOpKind::SetTextColor).color = color;
  textColor_ = color;
}

void RecordingCanvas::SetBackgroundColor(Rgb color) {
  Record(CanvasOpKind::SetBackgroundColor).color = color;
}

void RecordingCanvas::SetBackgroundMode(BackgroundMode mode) {
  Record(CanvasOpKind::SetBackgroundMode).mode = mode;
}

void RecordingCanvas::FillRect(const IntRect& rect, ObjectHandle brush) {
  CanvasOp& op = Record(CanvasOpKind::FillRect);
  op.rect = rect;
  op.handle = brush;
}

void RecordingCanvas::MoveTo(int x, int y) {
  CanvasOp& op = Record(CanvasOpKind::MoveTo);
  op.x = x;
  op.y = y;
}

void RecordingCanvas::LineTo(int x, int y) {
  CanvasOp& op = Record(CanvasOpKind::LineTo);
  op.x = x;
  op.y = y;
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  Record(CanvasOpKind::Ellipse).rect = IntRect{left, top, right, bottom};
}

void RecordingCanvas::DrawText(const std::string& text, const IntRect& rect, unsigned flags) {
  CanvasOp& op = Record(CanvasOpKind::DrawText);
  op.text = text;
  op.rect = rect;
  op.flags = flags;
}

void RecordingCanvas::SetClipRect(const IntRect& rect) {
  Record(CanvasOpKind::SetClipRect).rect = rect;
}

void RecordingCanvas::ClearClip() { Record(CanvasOpKind::ClearClip); }

}  // namespace sundial
