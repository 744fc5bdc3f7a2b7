#include "render/Labels.h"

#include <cmath>
#include <cstdio>

namespace sundial {

int TruncatedLabel(double value) {
  if (!(std::fabs(value) < 1e6)) return 0;
  return static_cast<int>(value);
}

std::string TwoDigitText(int n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%2d", n);
  return std::string(buffer).substr(0, 2);
}

std::string MeanTimeLabelText(double hour) {
  const int whole = TruncatedLabel(hour);
  if (hour == whole) return TwoDigitText(whole);
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%2d.5", whole);
  return std::string(buffer).substr(0, 4);
}

std::string AzimuthLabelText(double azimuth) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%4d", TruncatedLabel(azimuth));
  return buffer;
}

std::string RomanNumeral(int n) {
  static const char* const kUnits[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
  if (n < 0) return std::string();
  return std::string(static_cast<std::size_t>(n / 10), 'X') + kUnits[n % 10];
}

std::string DayCurveGlyph(int entry) {
  switch (entry) {
    case 0: return std::string(1, kGlyphCapricorn);
    case 3: return std::string(1, kGlyphAries) + "  " + kGlyphLibra;
    case 6: return std::string(1, kGlyphCancer);
    default: return std::string();
  }
}

std::string AscendantGlyph(int k) {
  return std::string(1, static_cast<char>(kGlyphAries + (k / 2 + 9) % 12));
}

void DrawEndNumber(PaintContext& ctx, int x, int y, const std::string& text) {
  const int u = ctx.U();
  const int v = ctx.V();
  ctx.canvas.DrawText(text, IntRect{x - 2 * u, y + 3 * u, x + 2 * u, y + 8 * v},
                      kTextLeft | kTextNoClip);
}

void DrawGlyph(PaintContext& ctx, int x, int y, const std::string& text, Rgb color) {
  if (text.empty()) return;
  const ObjectHandle previous = ctx.fonts.Select(ctx.res.fontGlyph);
  ctx.canvas.SetTextColor(color);
  ctx.canvas.DrawText(text, IntRect{x, y, x, y}, kTextCenter | kTextNoClip);
  ctx.fonts.Restore(previous);
}

void LayerLabels::AfterLine(double label, int x, int y, bool solid, bool endsVisible) {
  Canvas& canvas = ctx_.canvas;
  const int u = ctx_.U();
  const int v = ctx_.V();
  const int value = TruncatedLabel(label);
  switch (layer_.label) {
    case LabelKind::EndHour:
    case LabelKind::EndHourReversible:
      if (solid && endsVisible) {
        const bool reversed =
            layer_.label == LabelKind::EndHourReversible && ctx_.model.hourLabelsReversed;
        DrawEndNumber(ctx_, x, y, TwoDigitText(reversed ? 24 - value : value));
      }
      break;
    case LabelKind::EndAzimuth:
      if (solid && endsVisible) {
        canvas.DrawText(AzimuthLabelText(label),
                        IntRect{x - 2 * u, y - 3 * u, x + 2 * u, y - 4 * v},
                        kTextCenter | kTextNoClip);
      }
      break;
    case LabelKind::EndAltitude:
      if (solid && endsVisible) {
        canvas.DrawText(TwoDigitText(value), IntRect{x - 2 * u, y + v, x + 2 * u, y - v},
                        kTextLeft | kTextNoClip);
      }
      break;
    case LabelKind::RomanTemporary:
      if (solid && endsVisible) {
        if (heldX_ != -1 && heldY_ != -1) {
          const int mx = (heldX_ + x) / 2;
          const int my = (heldY_ + y) / 2;
          canvas.DrawText(heldText_, IntRect{mx - 2 * u, my - 10 * v, mx + 2 * u, my - 4 * v},
                          kTextLeft | kTextNoClip);
        }
        heldText_ = RomanNumeral(value + 1);
        heldX_ = x;
        heldY_ = y;
      }
      break;
    case LabelKind::RomanEcliptic:
      if (heldX_ != -1 && heldY_ != -1 && heldX_ != x && endsVisible && solid &&
          layer_.drawNumerals) {
        const int mx = (heldX_ + x) / 2;
        const int my = (heldY_ + y) / 2;
        canvas.DrawText(heldText_, IntRect{mx, my, mx, my}, kTextCenter | kTextNoClip);
      }
      if (endsVisible) {
        heldText_ = RomanNumeral(value + 1);
        heldX_ = x;
        heldY_ = y;
      }
      break;
    case LabelKind::AscendantGlyph:
      break;
  }
}

}  // namespace sundial
