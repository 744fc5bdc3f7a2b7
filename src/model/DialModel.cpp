#include "model/DialModel.h"

#include <cmath>

namespace sundial {

namespace {
// The built-in default dial: a vertical plate declining 30 degrees toward west, at
// latitude 45.3825 N, longitude 7.713333 E, in the zone one hour east of Greenwich.
constexpr double kDefaultLatitude = 45.3825;
constexpr double kDefaultLongitude = -7.713333333333334;
constexpr double kDefaultGnomonLength = 25;
}  // namespace

void ApplyDefaultDial(DialModel& m, bool resetTimeZoneMinutes) {
  m.dialType = 0;
  m.latitude = kDefaultLatitude;
  m.longitude = kDefaultLongitude;
  m.localSolarTime = 0;
  m.planeDeclination = 30;
  m.planeInclination = 90;
  m.gnomonLength = kDefaultGnomonLength;
  m.styleLength = 0;
  m.substyleAngle = 0;
  m.styleHeight = 0;
  m.timeZone = 1;
  m.plateXMin = -5 * kDefaultGnomonLength;
  m.plateXMax = 5 * kDefaultGnomonLength;
  m.plateYMin = std::trunc(-1.5 * kDefaultGnomonLength);
  m.plateYMax = 5 * kDefaultGnomonLength;
  m.minStyleHeight = 0.1;
  m.lineExtent = 3 * kDefaultGnomonLength;

  m.showModernHours = 1;
  m.showItalianHours = 0;
  m.showBabylonianHours = 0;
  m.showTemporaryHours = 0;
  m.showItalianHoursShifted = 0;
  m.showReferenceHours = 0;
  m.showIntermediateLines = 1;
  m.showEquinoxLine = 1;
  m.showSolsticeLines = 1;
  m.showSignLines = 1;
  m.showNoonMark = 0;
  m.singleHourLine = 1;
  m.showMeanTimeRisingHalf = 1;
  m.showMeanTimeFallingHalf = 1;
  m.hourLinesAll = 0;
  m.showHorizon = 0;
  m.showAxes = 0;
  m.showSubstyleLine = 0;
  m.showGnomonConstruction = 0;

  m.carriedInt1 = 0;
  m.auxText.clear();
  m.auxTextInt = 0;
  m.auxTextInt1 = 0;
  m.auxTextInt2 = 0;
  m.auxTextInt3 = 0;
  m.auxTextValue = 0.001;

  if (resetTimeZoneMinutes) m.timeZoneMinutes = 0;
}

double LongitudeCorrection(const DialModel& m) {
  // A zone of 99 means the file names no zone: the hour lines then follow local solar time.
  if (m.localSolarTime != 0 || m.timeZone == kNoTimeZone) return 0.0;
  return m.longitude + 15.0 * m.timeZone +
         0.25 * std::copysign(static_cast<double>(m.timeZoneMinutes),
                              m.timeZone >= 0 ? 1.0 : -1.0);
}

}  // namespace sundial
