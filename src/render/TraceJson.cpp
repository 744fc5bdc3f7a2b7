#include "render/TraceJson.h"

#include <cstdio>
#include <string>

#include "model/Cp1252.h"

namespace sundial {

namespace {

// The text in UTF-8 (from code page 1252), as a JSON string.
std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : Cp1252ToUtf8(text)) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
      out += buffer;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Color(Rgb c) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "[%u,%u,%u]", unsigned{c.r}, unsigned{c.g}, unsigned{c.b});
  return buffer;
}

std::string Rect(const IntRect& r) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "[%d,%d,%d,%d]", r.left, r.top, r.right, r.bottom);
  return buffer;
}

std::string Field(const char* name, const std::string& value) {
  std::string field(",\"");
  field.append(name);
  field.append("\":");
  field.append(value);
  return field;
}

std::string Field(const char* name, long long value) {
  return Field(name, std::to_string(value));
}

std::string Operation(const CanvasOp& op) {
  std::string s = std::string("{\"op\":\"") + CanvasOpName(op.kind) + "\"";
  switch (op.kind) {
    case CanvasOpKind::CreatePen:
      s += Field("handle", op.handle);
      s += Field("style", op.pen.style == PenStyle::Dash ? "\"dash\"" : "\"solid\"");
      s += Field("width", op.pen.width);
      s += Field("color", Color(op.pen.color));
      break;
    case CanvasOpKind::CreateSolidBrush:
      s += Field("handle", op.handle) + Field("color", Color(op.color));
      break;
    case CanvasOpKind::StockBlackBrush:
    case CanvasOpKind::DeleteObject:
      s += Field("handle", op.handle);
      break;
    case CanvasOpKind::CreateFont:
      s += Field("handle", op.handle) + Field("face", JsonString(op.font.face)) +
           Field("height", op.font.height) + Field("charset", op.font.charset);
      break;
    case CanvasOpKind::SelectPen:
    case CanvasOpKind::SelectBrush:
    case CanvasOpKind::SelectFont:
      s += Field("handle", op.handle) + Field("previous", op.result);
      break;
    case CanvasOpKind::SetTextColor:
    case CanvasOpKind::SetBackgroundColor:
      s += Field("color", Color(op.color));
      break;
    case CanvasOpKind::SetBackgroundMode:
      s += Field("mode", op.mode == BackgroundMode::Opaque ? "\"opaque\"" : "\"transparent\"");
      break;
    case CanvasOpKind::FillRect:
      s += Field("rect", Rect(op.rect)) + Field("brush", op.handle);
      break;
    case CanvasOpKind::MoveTo:
      s += Field("x", op.x) + Field("y", op.y);
      break;
    case CanvasOpKind::LineTo:
      s += Field("x", op.x) + Field("y", op.y) + Field("pen", op.currentPen);
      break;
    case CanvasOpKind::Ellipse:
      s += Field("rect", Rect(op.rect)) + Field("pen", op.currentPen) +
           Field("brush", op.currentBrush);
      break;
    case CanvasOpKind::DrawText:
      s += Field("text", JsonString(op.text)) + Field("rect", Rect(op.rect)) +
           Field("flags", op.flags) + Field("font", op.currentFont) +
           Field("color", Color(op.textColor));
      break;
    case CanvasOpKind::SetClipRect:
      s += Field("rect", Rect(op.rect));
      break;
    case CanvasOpKind::ClearClip:
      break;
  }
  return s + "}";
}

}  // namespace

void WriteTraceJson(const RecordingCanvas& canvas, std::ostream& out) {
  out << "{\"width\":" << canvas.Width() << ",\"height\":" << canvas.Height()
      << ",\"operations\":[";
  bool first = true;
  for (const CanvasOp& op : canvas.Ops()) {
    out << (first ? "\n" : ",\n") << Operation(op);
    first = false;
  }
  out << "\n]}\n";
}

}  // namespace sundial
