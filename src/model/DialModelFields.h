// Every parameter field of DialModel under its own name, in the order of the record, for code
// that treats the fields alike (the JSON of the `sundial` command, comparisons in tests).
#pragma once

#include <utility>

#include "model/DialModel.h"

namespace sundial {

// Calls visit(name, field...) for each parameter field, taking that field of each of `models`
// (DialModels, const or not), then for modelReady and longitudeCorrection. Fields are int32,
// double, std::string, Block8, the int32[12] date-line arrays, Triple and the arrays of Triples
// and strings.
template <class Visitor, class... Models>
void VisitDialParameters(Visitor&& visit, Models&... models) {
  visit("title", models.title...);
  visit("dialType", models.dialType...);
  visit("latitude", models.latitude...);
  visit("longitude", models.longitude...);
  visit("timeZone", models.timeZone...);
  visit("timeZoneMinutes", models.timeZoneMinutes...);
  visit("localSolarTime", models.localSolarTime...);
  visit("planeDeclination", models.planeDeclination...);
  visit("planeInclination", models.planeInclination...);
  visit("gnomonLength", models.gnomonLength...);
  visit("styleLength", models.styleLength...);
  visit("substyleAngle", models.substyleAngle...);
  visit("styleHeight", models.styleHeight...);
  visit("minStyleHeight", models.minStyleHeight...);
  visit("lineExtent", models.lineExtent...);
  visit("plateXMin", models.plateXMin...);
  visit("plateXMax", models.plateXMax...);
  visit("plateYMin", models.plateYMin...);
  visit("plateYMax", models.plateYMax...);
  visit("showModernHours", models.showModernHours...);
  visit("showItalianHours", models.showItalianHours...);
  visit("showBabylonianHours", models.showBabylonianHours...);
  visit("showTemporaryHours", models.showTemporaryHours...);
  visit("showItalianHoursShifted", models.showItalianHoursShifted...);
  visit("showReferenceHours", models.showReferenceHours...);
  visit("showAscendantHalf", models.showAscendantHalf...);
  visit("showAscendantLines", models.showAscendantLines...);
  visit("showEclipticHalf", models.showEclipticHalf...);
  visit("showEclipticHours", models.showEclipticHours...);
  visit("showAzimuthLines", models.showAzimuthLines...);
  visit("showAlmucantars", models.showAlmucantars...);
  visit("showIntermediateLines", models.showIntermediateLines...);
  visit("showEquinoxLine", models.showEquinoxLine...);
  visit("showSolsticeLines", models.showSolsticeLines...);
  visit("showSignLines", models.showSignLines...);
  visit("showNoonMark", models.showNoonMark...);
  visit("showMeanTimeRisingHalf", models.showMeanTimeRisingHalf...);
  visit("showMeanTimeFallingHalf", models.showMeanTimeFallingHalf...);
  visit("showHorizon", models.showHorizon...);
  visit("showAxes", models.showAxes...);
  visit("showSubstyleLine", models.showSubstyleLine...);
  visit("showGnomonConstruction", models.showGnomonConstruction...);
  visit("hourLinesAll", models.hourLinesAll...);
  visit("singleHourLine", models.singleHourLine...);
  visit("singleHour", models.singleHour...);
  visit("singleHourHalf", models.singleHourHalf...);
  visit("hourLabelsReversed", models.hourLabelsReversed...);
  visit("afternoonOnly", models.afternoonOnly...);
  visit("morningOnly", models.morningOnly...);
  visit("dateLineEnabled", models.dateLineEnabled...);
  visit("dateLineDay", models.dateLineDay...);
  visit("dateLineMonth", models.dateLineMonth...);
  visit("dateLineCount", models.dateLineCount...);
  visit("secondZoneEnabled", models.secondZoneEnabled...);
  visit("secondZoneHours", models.secondZoneHours...);
  visit("secondZoneMinutes", models.secondZoneMinutes...);
  visit("extraValue1", models.extraValue1...);
  visit("extraValue2", models.extraValue2...);
  visit("extraLength", models.extraLength...);
  visit("extraValue3", models.extraValue3...);
  visit("extraValue4", models.extraValue4...);
  visit("extraValue5", models.extraValue5...);
  visit("extraSwitch1", models.extraSwitch1...);
  visit("extraSwitch2", models.extraSwitch2...);
  visit("extraCoord1", models.extraCoord1...);
  visit("extraCoord2", models.extraCoord2...);
  visit("extraCoord3", models.extraCoord3...);
  visit("extraCoord4", models.extraCoord4...);
  visit("extraCoord5", models.extraCoord5...);
  visit("extraCoord6", models.extraCoord6...);
  visit("extraCoord7", models.extraCoord7...);
  visit("referenceAltitude", models.referenceAltitude...);
  visit("referenceSide", models.referenceSide...);
  visit("carriedInt1", models.carriedInt1...);
  visit("carriedInt2", models.carriedInt2...);
  visit("auxText", models.auxText...);
  visit("auxTextInt", models.auxTextInt...);
  visit("auxTextBlock1", models.auxTextBlock1...);
  visit("auxTextBlock2", models.auxTextBlock2...);
  visit("auxTextBlock3", models.auxTextBlock3...);
  visit("auxTextInt1", models.auxTextInt1...);
  visit("auxTextInt2", models.auxTextInt2...);
  visit("auxTextInt3", models.auxTextInt3...);
  visit("auxTextValue", models.auxTextValue...);
  visit("auxTriplesInt1", models.auxTriplesInt1...);
  visit("auxTriplesInt2", models.auxTriplesInt2...);
  visit("auxTriples", models.auxTriples...);
  visit("auxLabels", models.auxLabels...);
  visit("auxText2", models.auxText2...);
  visit("auxText2Block1", models.auxText2Block1...);
  visit("auxText2Block2", models.auxText2Block2...);
  visit("auxText2Block3", models.auxText2Block3...);
  visit("auxText2Int1", models.auxText2Int1...);
  visit("auxText2Int2", models.auxText2Int2...);
  visit("auxText2Int3", models.auxText2Int3...);
  visit("auxText2Value", models.auxText2Value...);
  visit("auxText2Int4", models.auxText2Int4...);
  visit("auxText2Int5", models.auxText2Int5...);
  visit("auxPoints", models.auxPoints...);
  visit("auxPointsExtra", models.auxPointsExtra...);
  visit("auxSwitchA", models.auxSwitchA...);
  visit("auxSwitchB", models.auxSwitchB...);
  visit("auxValueA1", models.auxValueA1...);
  visit("auxValueA2", models.auxValueA2...);
  visit("auxValueA3", models.auxValueA3...);
  visit("auxValueA4", models.auxValueA4...);
  visit("modelReady", models.modelReady...);
  visit("longitudeCorrection", models.longitudeCorrection...);
}

}  // namespace sundial
