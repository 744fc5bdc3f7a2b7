#include "support/VqrWriter.h"

#include <cstring>

#include "model/Cp1252.h"

namespace sundial::test {

VqrBytes& VqrBytes::Byte(std::uint8_t v) {
  bytes.push_back(v);
  return *this;
}

VqrBytes& VqrBytes::Int8(std::int8_t v) { return Byte(static_cast<std::uint8_t>(v)); }

VqrBytes& VqrBytes::UInt16(std::uint16_t v) {
  Byte(static_cast<std::uint8_t>(v & 0xFF));
  return Byte(static_cast<std::uint8_t>(v >> 8));
}

VqrBytes& VqrBytes::UInt32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) Byte(static_cast<std::uint8_t>(v >> (8 * i)));
  return *this;
}

VqrBytes& VqrBytes::Int32(std::int32_t v) { return UInt32(static_cast<std::uint32_t>(v)); }

VqrBytes& VqrBytes::Double(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  for (int i = 0; i < 8; ++i) Byte(static_cast<std::uint8_t>(bits >> (8 * i)));
  return *this;
}

VqrBytes& VqrBytes::Block(const Block8& b) {
  bytes.insert(bytes.end(), b.begin(), b.end());
  return *this;
}

namespace {
void Prefix(VqrBytes& out, std::size_t length, StringForm form) {
  if (form == StringForm::Byte && length < 0xFF) {
    out.Byte(static_cast<std::uint8_t>(length));
  } else if (form != StringForm::DoubleWord && length < 0xFFFF) {
    out.Byte(0xFF).UInt16(static_cast<std::uint16_t>(length));
  } else {
    out.Byte(0xFF).UInt16(0xFFFF).UInt32(static_cast<std::uint32_t>(length));
  }
}
}  // namespace

VqrBytes& VqrBytes::String(const std::string& text, StringForm form) {
  if (form == StringForm::Wide) {
    std::u16string units;
    for (char c : text) {
      units += static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    }
    return WideString(units);
  }
  Prefix(*this, text.size(), form);
  bytes.insert(bytes.end(), text.begin(), text.end());
  return *this;
}

VqrBytes& VqrBytes::WideString(const std::u16string& units) {
  Byte(0xFF).UInt16(0xFFFE);
  Prefix(*this, units.size(), StringForm::Byte);
  for (char16_t u : units) UInt16(u);
  return *this;
}

std::vector<std::uint8_t> WriteVqr(const DialModel& m, const VqrOptions& options) {
  VqrBytes out;
  const StringForm form = options.stringForm;
  // Items 1 to 26: every file.
  out.Int32(m.dialType)
      .Double(m.planeDeclination)
      .Double(m.latitude)
      .Double(m.longitude)
      .Double(m.gnomonLength)
      .Double(m.styleLength)
      .Double(m.substyleAngle)
      .Double(m.styleHeight)
      .Int32(m.timeZone)
      .Double(m.plateXMin)
      .Double(m.plateXMax)
      .Double(m.plateYMin)
      .Double(m.plateYMax);
  for (std::int32_t s : {m.showModernHours, m.showItalianHours, m.showBabylonianHours,
                         m.showTemporaryHours, m.showIntermediateLines, m.showEquinoxLine,
                         m.showSolsticeLines, m.showSignLines, m.singleHourLine,
                         m.showMeanTimeRisingHalf, m.showMeanTimeFallingHalf, m.hourLinesAll,
                         m.showHorizon}) {
    out.Int32(s);
  }
  if (!options.version) return out.bytes;

  const VqrVersion v = *options.version;
  out.Int8(v.major).Int8(v.minor);
  out.Int32(m.showItalianHoursShifted);
  if (v.From(6, 6)) out.Int32(m.showReferenceHours);
  if (v.From(7, 1)) out.Int32(m.showNoonMark);
  if (v.From(7, 2)) out.Double(m.lineExtent);
  if (v.From(12, 0)) out.Double(m.planeInclination);
  if (v.From(13, 0)) out.Int32(m.showAxes).Int32(m.showSubstyleLine).Int32(m.showGnomonConstruction);
  if (v.From(13, 3)) out.Int32(m.carriedInt1);
  if (v.From(14, 1)) {
    out.String(m.auxText, form).Int32(m.auxTextInt);
    out.Block(m.auxTextBlock1).Block(m.auxTextBlock2).Block(m.auxTextBlock3);
    out.Int32(m.auxTextInt1).Int32(m.auxTextInt2).Int32(m.auxTextInt3).Double(m.auxTextValue);
  }
  if (v.From(14, 11)) out.Double(m.minStyleHeight);
  if (v.From(15, 3)) out.Int32(m.carriedInt2);
  if (v.From(16, 5)) out.Int32(m.dateLineEnabled[0]).Int32(m.dateLineDay[0]).Int32(m.dateLineMonth[0]);
  if (v.From(16, 13)) out.Int32(m.timeZoneMinutes);
  if (v.From(17, 7)) out.Int32(m.secondZoneEnabled).Int32(m.secondZoneHours).Int32(m.secondZoneMinutes);
  if (v.From(17, 19)) {
    out.Double(m.extraValue1).Double(m.extraValue2).Double(m.extraLength);
    out.Double(m.extraValue3).Double(m.extraValue4).Double(m.extraValue5);
    out.Int32(m.extraSwitch1).Int32(m.extraSwitch2);
    for (double c : {m.extraCoord1, m.extraCoord2, m.extraCoord3, m.extraCoord4, m.extraCoord5,
                     m.extraCoord6, m.extraCoord7}) {
      out.Double(c);
    }
  }
  if (v.From(18, 5)) out.Int32(m.singleHour).Int32(m.singleHourHalf);
  if (v.From(19, 2)) out.String(m.title, form);
  if (v.From(19, 4)) {
    out.Int32(m.showAscendantHalf).Int32(m.showAscendantLines);
    out.Int32(m.showEclipticHalf).Int32(m.showEclipticHours);
  }
  if (v.From(20, 1)) out.Int32(m.showAzimuthLines).Int32(m.showAlmucantars);
  if (v.From(21, 1)) {
    out.Int32(m.auxTriplesInt1).Int32(m.auxTriplesInt2);
    for (const Triple& t : m.auxTriples) out.Double(t[0]).Double(t[1]).Double(t[2]);
  }
  if (v.From(21, 5)) out.Double(m.referenceAltitude).Int32(m.hourLabelsReversed);
  if (v.From(21, 11)) {
    for (const std::string& label : m.auxLabels) out.String(label, form);
  }
  if (v.From(22, 0)) {
    out.String(m.auxText2, form);
    out.Block(m.auxText2Block1).Block(m.auxText2Block2).Block(m.auxText2Block3);
    out.Int32(m.auxText2Int1).Int32(m.auxText2Int2).Int32(m.auxText2Int3);
    out.Double(m.auxText2Value).Int32(m.auxText2Int4).Int32(m.auxText2Int5);
    for (const Triple& t : m.auxPoints) out.Double(t[0]).Double(t[1]).Double(t[2]);
    for (double x : m.auxPointsExtra) out.Double(x);
  }
  if (v.From(23, 0)) out.Int32(m.morningOnly).Int32(m.afternoonOnly);
  if (v.From(23, 9)) out.Int32(m.referenceSide);
  if (v.From(23, 10)) out.Int32(m.localSolarTime);
  if (v.From(23, 12)) {
    out.Int32(m.auxSwitchA).Double(m.auxValueA1).Double(m.auxValueA2);
    out.Double(m.auxValueA3).Double(m.auxValueA4).Int32(m.auxSwitchB);
  }
  if (v.From(24, 11)) {
    for (int i = 0; i < kUserDateLineCount; ++i) {
      out.Int32(m.dateLineEnabled[i]).Int32(m.dateLineDay[i]).Int32(m.dateLineMonth[i]);
    }
  }
  return out.bytes;
}

DialModel SampleDial() {
  DialModel m;
  m.title = "Meridiana di Torino";
  m.dialType = 1;
  m.latitude = 45.07;
  m.longitude = -7.69;
  m.timeZone = 1;
  m.timeZoneMinutes = 15;
  m.localSolarTime = 0;
  m.planeDeclination = -12.5;
  m.planeInclination = 80;
  m.gnomonLength = 40;
  m.styleLength = 41;
  m.substyleAngle = 3.5;
  m.styleHeight = 44.9;
  m.minStyleHeight = 0.5;
  m.lineExtent = 111;
  m.plateXMin = -150;
  m.plateXMax = 160;
  m.plateYMin = -50;
  m.plateYMax = 170;
  m.showModernHours = 2;
  m.showItalianHours = 3;
  m.showBabylonianHours = 4;
  m.showTemporaryHours = 5;
  m.showItalianHoursShifted = 6;
  m.showReferenceHours = 7;
  m.showAscendantHalf = 8;
  m.showAscendantLines = 9;
  m.showEclipticHalf = 10;
  m.showEclipticHours = 11;
  m.showAzimuthLines = 12;
  m.showAlmucantars = 13;
  m.showIntermediateLines = 14;
  m.showEquinoxLine = 15;
  m.showSolsticeLines = 16;
  m.showSignLines = 17;
  m.showNoonMark = 18;
  m.showMeanTimeRisingHalf = 19;
  m.showMeanTimeFallingHalf = 20;
  m.showHorizon = 21;
  m.showAxes = 22;
  m.showSubstyleLine = 23;
  m.showGnomonConstruction = 24;
  m.hourLinesAll = 25;
  m.singleHourLine = 26;
  m.singleHour = 9;
  m.singleHourHalf = 1;
  m.hourLabelsReversed = 27;
  m.afternoonOnly = 28;
  m.morningOnly = 29;
  for (int i = 0; i < kUserDateLineCount; ++i) {
    m.dateLineEnabled[i] = (i % 3 == 0) ? 1 : 0;  // entries 0, 3, 6, 9
    m.dateLineDay[i] = i + 1;
    m.dateLineMonth[i] = 12 - i;
  }
  m.dateLineCount = 4;
  m.secondZoneEnabled = 1;
  m.secondZoneHours = -5;
  m.secondZoneMinutes = 30;
  m.extraValue1 = 1.5;
  m.extraValue2 = 2.5;
  m.extraLength = 33;
  m.extraValue3 = 3.5;
  m.extraValue4 = 4.5;
  m.extraValue5 = 5.5;
  m.extraSwitch1 = 30;
  m.extraSwitch2 = 31;
  m.extraCoord1 = 11;
  m.extraCoord2 = 12;
  m.extraCoord3 = 13;
  m.extraCoord4 = 14;
  m.extraCoord5 = 15;
  m.extraCoord6 = 16;
  m.extraCoord7 = 17;
  m.referenceAltitude = -3;
  m.referenceSide = 32;
  m.carriedInt1 = 33;
  m.carriedInt2 = 34;
  m.auxText = "Caf\xE9 \x80";  // "Café €" in code page 1252
  m.auxTextInt = 35;
  m.auxTextBlock1 = {1, 2, 3, 4, 5, 6, 7, 8};
  m.auxTextBlock2 = {9, 10, 11, 12, 13, 14, 15, 16};
  m.auxTextBlock3 = {0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7};
  m.auxTextInt1 = 36;
  m.auxTextInt2 = 37;
  m.auxTextInt3 = 38;
  m.auxTextValue = 0.25;
  m.auxTriplesInt1 = 39;
  m.auxTriplesInt2 = 40;
  for (int i = 0; i < 5; ++i) m.auxTriples[i] = {i + 0.1, i + 0.2, i + 0.3};
  for (int i = 0; i < 6; ++i) m.auxLabels[i] = "label " + std::to_string(i);
  m.auxText2 = "second text";
  m.auxText2Block1 = {21, 22, 23, 24, 25, 26, 27, 28};
  m.auxText2Block2 = {31, 32, 33, 34, 35, 36, 37, 38};
  m.auxText2Block3 = {41, 42, 43, 44, 45, 46, 47, 48};
  m.auxText2Int1 = 41;
  m.auxText2Int2 = 42;
  m.auxText2Int3 = 43;
  m.auxText2Value = 0.75;
  m.auxText2Int4 = 44;
  m.auxText2Int5 = 45;
  for (int i = 0; i < 10; ++i) m.auxPoints[i] = {i * 1.0, i * 2.0, i * 3.0};
  m.auxPointsExtra = {7, 8, 9};
  m.auxSwitchA = 46;
  m.auxSwitchB = 47;
  m.auxValueA1 = 1.25;
  m.auxValueA2 = 2.25;
  m.auxValueA3 = 3.25;
  m.auxValueA4 = 4.25;
  return m;
}

}  // namespace sundial::test
