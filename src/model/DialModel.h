// DialModel: the record of one sundial. The parameters come from the dial description file
// (.vqr) or from the built-in default dial; the computed part is written once by
// ComputeDialGeometry and only read afterwards by the drawing.
//
// Units: angles in degrees, lengths in dial units. Latitude positive north, longitude positive
// WEST of Greenwich, time zones positive EAST. Switches are int32: 0 off, anything else on.
// At construction every number is 0, every string empty, and modelReady is 0.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/DialGeometry.h"

namespace sundial {

inline constexpr int kUserDateLineCount = 12;
inline constexpr std::int32_t kNoTimeZone = 99;  // the file gives no time zone

using Block8 = std::array<std::uint8_t, 8>;  // eight raw bytes carried from the file
using Triple = std::array<double, 3>;

struct DialModel {
  // Identity, place and time zone.
  std::string title;                   // carried; not drawn
  std::int32_t dialType = 0;           // 0..14
  double latitude = 0;                 // degrees, north positive
  double longitude = 0;                // degrees, WEST positive
  std::int32_t timeZone = 0;           // whole hours EAST, -11..12, or kNoTimeZone
  std::int32_t timeZoneMinutes = 0;    // minutes, taking the sign of timeZone
  std::int32_t localSolarTime = 0;     // 1: hour lines in local solar time

  // Dial plane and gnomon.
  double planeDeclination = 0;   // degrees, 0 facing south, positive toward west
  double planeInclination = 0;   // degrees, 90 vertical, 0 horizontal
  double gnomonLength = 0;       // height of the nodus above the plate
  double styleLength = 0;        // recomputed by the geometry
  double substyleAngle = 0;      // recomputed by the geometry
  double styleHeight = 0;        // recomputed by the geometry
  double minStyleHeight = 0;     // below this |styleHeight| the style counts as flat
  double lineExtent = 0;         // reference length (sky-map radius, analemmatic semi-axis)

  // Plate: the drawing area in dial units.
  double plateXMin = 0;
  double plateXMax = 0;
  double plateYMin = 0;
  double plateYMax = 0;

  // Display switches.
  std::int32_t showModernHours = 0;
  std::int32_t showItalianHours = 0;
  std::int32_t showBabylonianHours = 0;
  std::int32_t showTemporaryHours = 0;
  std::int32_t showItalianHoursShifted = 0;
  std::int32_t showReferenceHours = 0;
  std::int32_t showAscendantHalf = 0;
  std::int32_t showAscendantLines = 0;
  std::int32_t showEclipticHalf = 0;
  std::int32_t showEclipticHours = 0;
  std::int32_t showAzimuthLines = 0;
  std::int32_t showAlmucantars = 0;
  std::int32_t showIntermediateLines = 0;
  std::int32_t showEquinoxLine = 0;
  std::int32_t showSolsticeLines = 0;
  std::int32_t showSignLines = 0;
  std::int32_t showNoonMark = 0;
  std::int32_t showMeanTimeRisingHalf = 0;
  std::int32_t showMeanTimeFallingHalf = 0;
  std::int32_t showHorizon = 0;
  std::int32_t showAxes = 0;
  std::int32_t showSubstyleLine = 0;
  std::int32_t showGnomonConstruction = 0;
  std::int32_t hourLinesAll = 0;
  std::int32_t singleHourLine = 0;
  std::int32_t singleHour = 0;
  std::int32_t singleHourHalf = 0;
  std::int32_t hourLabelsReversed = 0;
  std::int32_t afternoonOnly = 0;
  std::int32_t morningOnly = 0;

  // User date lines.
  std::array<std::int32_t, kUserDateLineCount> dateLineEnabled{};
  std::array<std::int32_t, kUserDateLineCount> dateLineDay{};
  std::array<std::int32_t, kUserDateLineCount> dateLineMonth{};
  std::int32_t dateLineCount = 0;

  // Second time zone.
  std::int32_t secondZoneEnabled = 0;
  std::int32_t secondZoneHours = 0;    // hours EAST, or kNoTimeZone
  std::int32_t secondZoneMinutes = 0;

  // Further geometry parameters (the receiving outline of type 12; reference-altitude hours).
  double extraValue1 = 0;
  double extraValue2 = 0;
  double extraLength = 0;
  double extraValue3 = 0;
  double extraValue4 = 0;
  double extraValue5 = 0;
  std::int32_t extraSwitch1 = 0;
  std::int32_t extraSwitch2 = 0;
  double extraCoord1 = 0;
  double extraCoord2 = 0;
  double extraCoord3 = 0;
  double extraCoord4 = 0;
  double extraCoord5 = 0;
  double extraCoord6 = 0;
  double extraCoord7 = 0;
  double referenceAltitude = 0;
  std::int32_t referenceSide = 0;

  // Carried items: read and kept so that the record mirrors the file; never used.
  std::int32_t carriedInt1 = 0;
  std::int32_t carriedInt2 = 0;
  std::string auxText;
  std::int32_t auxTextInt = 0;
  Block8 auxTextBlock1{};
  Block8 auxTextBlock2{};
  Block8 auxTextBlock3{};
  std::int32_t auxTextInt1 = 0;
  std::int32_t auxTextInt2 = 0;
  std::int32_t auxTextInt3 = 0;
  double auxTextValue = 0;
  std::int32_t auxTriplesInt1 = 0;
  std::int32_t auxTriplesInt2 = 0;
  std::array<Triple, 5> auxTriples{};
  std::array<std::string, 6> auxLabels;
  std::string auxText2;
  Block8 auxText2Block1{};
  Block8 auxText2Block2{};
  Block8 auxText2Block3{};
  std::int32_t auxText2Int1 = 0;
  std::int32_t auxText2Int2 = 0;
  std::int32_t auxText2Int3 = 0;
  double auxText2Value = 0;
  std::int32_t auxText2Int4 = 0;
  std::int32_t auxText2Int5 = 0;
  std::array<Triple, 10> auxPoints{};
  Triple auxPointsExtra{};
  std::int32_t auxSwitchA = 0;
  std::int32_t auxSwitchB = 0;
  double auxValueA1 = 0;
  double auxValueA2 = 0;
  double auxValueA3 = 0;
  double auxValueA4 = 0;

  // Computed part.
  std::int32_t modelReady = 0;
  double longitudeCorrection = 0;  // degrees: H = 15 (t - 12) - longitudeCorrection

  // The computed lines live outside the record so that a dial costs only what its type uses:
  // `geometry` is allocated by the first ComputeDialGeometry, `fine` only for a type-12 dial.
  // Both are null until then; readers test them.
  std::unique_ptr<DialGeometry> geometry;
  std::unique_ptr<FineDialGeometry> fine;
};

// Writes the built-in default dial over the model: a vertical plate declining 30 degrees west,
// gnomon 25, at latitude 45.3825 and 7.71 degrees east, zone +1. Only the fields of the default
// set are written; every other field keeps its value. timeZoneMinutes is reset only when
// resetTimeZoneMinutes is true (the invalid-value path; the cannot-open path keeps it).
void ApplyDefaultDial(DialModel& model, bool resetTimeZoneMinutes);

// Degrees between the dial's hour scale and the sun's hour angle: 0 for local solar time, else
// longitude + 15 timeZone + 0.25 copysign(timeZoneMinutes, timeZone).
double LongitudeCorrection(const DialModel& model);

}  // namespace sundial
