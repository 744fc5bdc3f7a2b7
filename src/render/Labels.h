// The texts that the layers of the face write beside their lines, and where they go.
// (X, Y) is the canvas pixel of the point a label belongs to; u and v are the line units.
#pragma once

#include <cstdint>
#include <string>

#include "render/PaintContext.h"

namespace sundial {

// Symbol-font codes of the zodiac signs (Aries .. Pisces) and of the bell.
inline constexpr char kGlyphAries = 0x5E;
inline constexpr char kGlyphGemini = 0x60;
inline constexpr char kGlyphCancer = 0x61;
inline constexpr char kGlyphLibra = 0x64;
inline constexpr char kGlyphCapricorn = 0x67;
inline constexpr char kGlyphBell = 0x25;

// A label value truncated toward zero, held to a range that any format can print.
int TruncatedLabel(double value);

// "%2d" cut to two characters: the hour numbers and the altitudes.
std::string TwoDigitText(int n);
// The label of a mean-time figure: "12" for a whole hour, "12.5" for a half.
std::string MeanTimeLabelText(double hour);
// "%4d" of the azimuth in whole degrees.
std::string AzimuthLabelText(double azimuth);
// One X per ten followed by the units I .. IX; "" for 0.
std::string RomanNumeral(int n);
// The zodiac glyph of a day curve: Capricorn on the winter solstice (entry 0), Aries and Libra
// on the equinoxes (entry 3), Cancer on the summer solstice (entry 6), nothing on the others.
std::string DayCurveGlyph(int entry);
// The sign whose beginning rises at ascendant line k: Capricorn at 0 and 24, Aries at 6.
std::string AscendantGlyph(int k);

// What an hour or sky layer writes beside its lines.
enum class LabelKind { EndHour, EndHourReversible, EndAzimuth, EndAltitude, RomanTemporary,
                       RomanEcliptic, AscendantGlyph };

// How one hour or sky layer is drawn: its switch, pens, label colour and labels.
struct LayerStyle {
  std::int32_t enabled;
  ObjectHandle solidPen;
  ObjectHandle dashPen;
  Rgb textColor;
  LabelKind label;
  int firstLineDashed = 0;     // 1: line 0 is an intermediate (dashed) line
  int glyphInsideCount = 0;    // ascendant layers: the inside point that carries the glyph
  bool drawNumerals = true;    // ecliptic hours: numerals only when the half layer is off
};

// The labels a layer writes once each of its lines is traced: the numbers at line ends, and the
// Roman numerals, each naming the hour that begins at its line and written midway between that
// line's end and the next one's, once that is known.
class LayerLabels {
 public:
  LayerLabels(PaintContext& ctx, const LayerStyle& layer) : ctx_(ctx), layer_(layer) {}
  // (x, y): the canvas point of the line's last mapped point; label: the line's value.
  void AfterLine(double label, int x, int y, bool solid, bool endsVisible);

 private:
  PaintContext& ctx_;
  const LayerStyle& layer_;
  std::string heldText_;
  int heldX_ = -1;
  int heldY_ = -1;
};

// The hour number of a line end: starts 2u left of the point and 3u below it.
void DrawEndNumber(PaintContext& ctx, int x, int y, const std::string& text);
// Text in the symbol font centred on x with its top at y, in the given colour; the font in use
// before is put back. Nothing is drawn for an empty text.
void DrawGlyph(PaintContext& ctx, int x, int y, const std::string& text, Rgb color);

}  // namespace sundial
