#include "model/DialFileReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "model/Cp1252.h"
#include "model/DialByteSource.h"
#include "model/RegularFile.h"

namespace sundial {

namespace {

// Raised when the file ends inside an item; caught at the top of the load.
struct EndOfFile {};

// The most of one string that is kept in the model (64 KiB). The design program writes titles
// and labels of a few dozen characters; the nine strings together stay well under 1 MiB.
constexpr std::uint64_t kStringKept = 64 * 1024;

// Items of the stream: little-endian int32, doubles, raw 8-byte blocks and length-prefixed
// strings.
class ItemReader {
 public:
  explicit ItemReader(DialByteSource& source) : source_(source) {}

  void Bytes(void* out, std::size_t count) {
    if (!source_.Read(out, count)) throw EndOfFile{};
  }

  std::uint8_t Byte() {
    std::uint8_t b = 0;
    Bytes(&b, 1);
    return b;
  }

  std::uint16_t Word() {
    std::uint8_t b[2];
    Bytes(b, 2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
  }

  std::uint32_t DoubleWord() {
    std::uint8_t b[4];
    Bytes(b, 4);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
  }

  std::int32_t Int32() { return static_cast<std::int32_t>(DoubleWord()); }

  double Double() {
    std::uint8_t b[8];
    Bytes(b, 8);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | b[i];
    double value;
    static_assert(sizeof value == sizeof bits);
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  Block8 Block() {
    Block8 block{};
    Bytes(block.data(), block.size());
    return block;
  }

  // The length prefix: one byte below 0xFF; else a 16-bit length, where 0xFFFE marks a wide
  // string whose own prefix follows, and 0xFFFF announces a 32-bit length.
  std::string String() {
    bool wide = false;
    std::uint64_t length = Byte();
    if (length == 0xFF) {
      length = Word();
      if (length == 0xFFFE) {
        wide = true;
        length = Byte();
        if (length == 0xFF) length = Word();  // 0xFFFE is now a plain length
      }
      if (length == 0xFFFF) length = DoubleWord();
    }
    const std::uint64_t bytes = wide ? 2 * length : length;
    // A length beyond the bytes actually left is a damaged file, found before allocating.
    if (bytes > source_.Remaining()) throw EndOfFile{};
    // No string of the file is drawn; each is only carried along. A huge one keeps its first
    // kStringKept bytes (whole characters) and the rest is passed over without being read.
    const std::uint64_t kept = std::min(bytes, kStringKept);  // even: whole wide characters
    std::string text(static_cast<std::size_t>(kept), '\0');
    Bytes(text.data(), text.size());
    if (kept < bytes && !source_.Skip(bytes - kept)) throw EndOfFile{};
    if (!wide) return text;
    return Utf16LeToCp1252(reinterpret_cast<const std::uint8_t*>(text.data()),
                           static_cast<std::size_t>(kept / 2));
  }

 private:
  DialByteSource& source_;
};

// The version of the design program that wrote the file: two signed bytes compared one after
// the other (16.13 is later than 16.5).
struct FileVersion {
  int major = 0;
  int minor = 0;
  bool From(int m, int n) const { return major > m || (major == m && minor >= n); }
};

bool InRange(double v, double lo, double hi) { return v >= lo && v <= hi; }
bool StrictlyInside(double v, double lo, double hi) { return v > lo && v < hi; }

// Whole hours of the zone whose meridian lies nearest below the place, for files that name no
// zone: (7.5 - longitude) / 15 truncated toward zero.
std::int32_t ZoneOfLongitude(double longitude, std::int32_t fallback) {
  const double zone = std::trunc((7.5 - longitude) * 0.06666666666666667);
  // An out-of-range longitude makes the file invalid anyway; keep the conversion defined.
  if (!(zone >= -1000 && zone <= 1000)) return fallback;
  return static_cast<std::int32_t>(zone);
}

class Loader {
 public:
  Loader(ItemReader& in, DialModel& model) : in_(in), m_(model) {}

  LoadOutcome Run(DialByteSource& source) {
    ReadFirstBlock();
    std::int8_t major = 0;
    if (source.ReadSome(&major, 1) == 0) {
      ApplyPreVersion();
    } else {
      // The minor byte is read the same plain way; a missing one leaves 0, and the file then
      // ends inside item 29.
      std::int8_t minor = 0;
      source.ReadSome(&minor, 1);
      ReadVersioned(FileVersion{major, minor});
    }
    return invalid_ ? LoadOutcome::Invalid : LoadOutcome::File;
  }

 private:
  void Check(bool valid) {
    if (!valid) invalid_ = true;
  }

  // Items 1 to 26, each of items 1 to 13 checked as soon as it is read. A value that is not
  // finite can place no dial, so it fails every check, the ordering of the plate limits included.
  void ReadFirstBlock() {
    m_.dialType = in_.Int32();
    Check(m_.dialType >= 0 && m_.dialType <= 14);
    m_.planeDeclination = in_.Double();
    Check(InRange(m_.planeDeclination, -180, 180));
    m_.latitude = in_.Double();
    Check(InRange(m_.latitude, -90, 90));
    m_.longitude = in_.Double();
    Check(InRange(m_.longitude, -180, 180));
    m_.gnomonLength = in_.Double();
    Check(m_.gnomonLength > 0 && std::isfinite(m_.gnomonLength));
    m_.styleLength = in_.Double();
    m_.substyleAngle = in_.Double();
    Check(StrictlyInside(m_.substyleAngle, -360, 360));
    m_.styleHeight = in_.Double();
    Check(StrictlyInside(m_.styleHeight, -360, 360));
    m_.timeZone = in_.Int32();
    Check((m_.timeZone >= -11 && m_.timeZone <= 12) || m_.timeZone == kNoTimeZone);
    m_.plateXMin = in_.Double();
    m_.plateXMax = in_.Double();
    Check(std::isfinite(m_.plateXMin) && std::isfinite(m_.plateXMax) &&
          m_.plateXMin < m_.plateXMax);
    m_.plateYMin = in_.Double();
    m_.plateYMax = in_.Double();
    Check(std::isfinite(m_.plateYMin) && std::isfinite(m_.plateYMax) &&
          m_.plateYMin < m_.plateYMax);

    m_.showModernHours = in_.Int32();
    m_.showItalianHours = in_.Int32();
    m_.showBabylonianHours = in_.Int32();
    m_.showTemporaryHours = in_.Int32();
    m_.showIntermediateLines = in_.Int32();
    m_.showEquinoxLine = in_.Int32();
    m_.showSolsticeLines = in_.Int32();
    m_.showSignLines = in_.Int32();
    m_.singleHourLine = in_.Int32();
    m_.showMeanTimeRisingHalf = in_.Int32();
    m_.showMeanTimeFallingHalf = in_.Int32();
    m_.hourLinesAll = in_.Int32();
    m_.showHorizon = in_.Int32();
  }

  void ClearDateLines() {
    m_.dateLineEnabled.fill(0);
    m_.dateLineDay.fill(0);
    m_.dateLineMonth.fill(0);
    m_.dateLineCount = 0;
  }

  void DefaultSecondZone() {
    if (m_.timeZone == kNoTimeZone) {
      m_.secondZoneEnabled = 0;
      m_.secondZoneHours = 0;
      m_.secondZoneMinutes = 0;
    } else {
      m_.secondZoneEnabled = 1;
      m_.secondZoneHours = m_.timeZone;
      m_.secondZoneMinutes = m_.timeZoneMinutes;
    }
  }

  void DefaultExtras() {
    m_.extraValue1 = 0;
    m_.extraValue2 = 0;
    m_.extraLength = m_.gnomonLength;
    m_.extraValue3 = 0;
    m_.extraValue4 = 0;
    m_.extraValue5 = 0;
    m_.extraSwitch1 = 1;
    m_.extraSwitch2 = 1;
    m_.extraCoord1 = m_.extraCoord2 = m_.extraCoord3 = m_.extraCoord4 = 0;
    m_.extraCoord5 = m_.extraCoord6 = m_.extraCoord7 = 0;
  }

  void DefaultAuxValues() {
    m_.auxSwitchA = 0;
    m_.auxValueA1 = 1010;
    m_.auxValueA2 = 10;
    m_.auxValueA3 = 100;
    m_.auxValueA4 = 20;
    m_.auxSwitchB = 0;
  }

  void DefaultAuxText2() {
    m_.auxText2.clear();
    m_.auxText2Int1 = m_.auxText2Int2 = m_.auxText2Int3 = 0;
    m_.auxText2Value = 0.001;
    m_.auxText2Int4 = m_.auxText2Int5 = 0;
    for (Triple& t : m_.auxPoints) t = Triple{};
    m_.auxPointsExtra = Triple{};
  }

  // A file that ends right after item 26 was written before the design program kept a version.
  void ApplyPreVersion() {
    m_.showItalianHoursShifted = 0;
    m_.showReferenceHours = 0;
    m_.showNoonMark = 0;
    m_.showAxes = m_.showSubstyleLine = m_.showGnomonConstruction = 0;
    m_.carriedInt1 = m_.carriedInt2 = 0;
    m_.auxText.clear();
    m_.auxTextInt = m_.auxTextInt1 = m_.auxTextInt2 = m_.auxTextInt3 = 0;
    m_.auxTextValue = 0;
    m_.timeZoneMinutes = 0;
    m_.lineExtent = 3 * m_.gnomonLength;
    m_.planeInclination = 90;
    m_.minStyleHeight = 28;
    ClearDateLines();
    DefaultSecondZone();
    DefaultExtras();
    m_.singleHour = 12;
    m_.singleHourHalf = 0;
    m_.title.clear();
    m_.showAscendantHalf = m_.showAscendantLines = 0;
    m_.showEclipticHalf = m_.showEclipticHours = 0;
    m_.showAzimuthLines = m_.showAlmucantars = 0;
    m_.auxTriplesInt1 = m_.auxTriplesInt2 = 0;
    for (Triple& t : m_.auxTriples) t = Triple{0, 0, 1};
    m_.referenceAltitude = -6;
    m_.hourLabelsReversed = 0;
    for (std::string& label : m_.auxLabels) label.clear();
    DefaultAuxText2();
    m_.referenceSide = 1;
    // Unlike a versioned file, the zone keeps its 99: the hours follow local solar time.
    m_.localSolarTime = m_.timeZone == kNoTimeZone ? 1 : 0;
    DefaultAuxValues();
    // morningOnly and afternoonOnly are left as they are.
  }

  void ReadVersioned(const FileVersion& v) {
    m_.showItalianHoursShifted = in_.Int32();
    m_.showReferenceHours = v.From(6, 6) ? in_.Int32() : 0;
    m_.showNoonMark = v.From(7, 1) ? in_.Int32() : 0;
    m_.lineExtent = v.From(7, 2) ? in_.Double() : 3 * m_.gnomonLength;
    m_.planeInclination = v.From(12, 0) ? in_.Double() : 90;
    if (v.From(13, 0)) {
      m_.showAxes = in_.Int32();
      m_.showSubstyleLine = in_.Int32();
      m_.showGnomonConstruction = in_.Int32();
    } else {
      m_.showAxes = m_.showSubstyleLine = m_.showGnomonConstruction = 0;
    }
    m_.carriedInt1 = v.From(13, 3) ? in_.Int32() : 0;
    if (v.From(14, 1)) {
      m_.auxText = in_.String();
      m_.auxTextInt = in_.Int32();
      m_.auxTextBlock1 = in_.Block();
      m_.auxTextBlock2 = in_.Block();
      m_.auxTextBlock3 = in_.Block();
      m_.auxTextInt1 = in_.Int32();
      m_.auxTextInt2 = in_.Int32();
      m_.auxTextInt3 = in_.Int32();
      m_.auxTextValue = in_.Double();
    } else {
      // The three blocks are not written: they keep what they held.
      m_.auxText.clear();
      m_.auxTextInt = m_.auxTextInt1 = m_.auxTextInt2 = m_.auxTextInt3 = 0;
      m_.auxTextValue = 0;
    }
    m_.minStyleHeight = v.From(14, 11) ? in_.Double() : 28;
    m_.carriedInt2 = v.From(15, 3) ? in_.Int32() : 0;

    // The first user date line (the only one before 24.11).
    if (v.From(16, 5)) {
      m_.dateLineEnabled[0] = in_.Int32();
      m_.dateLineDay[0] = in_.Int32();
      m_.dateLineMonth[0] = in_.Int32();
    } else {
      m_.dateLineEnabled[0] = m_.dateLineDay[0] = m_.dateLineMonth[0] = 0;
    }
    m_.timeZoneMinutes = v.From(16, 13) ? in_.Int32() : 0;

    if (v.From(17, 7)) {
      m_.secondZoneEnabled = in_.Int32();
      m_.secondZoneHours = in_.Int32();
      m_.secondZoneMinutes = in_.Int32();
    } else {
      DefaultSecondZone();
    }

    if (v.From(17, 19)) {
      m_.extraValue1 = in_.Double();
      m_.extraValue2 = in_.Double();
      m_.extraLength = in_.Double();
      m_.extraValue3 = in_.Double();
      m_.extraValue4 = in_.Double();
      m_.extraValue5 = in_.Double();
      m_.extraSwitch1 = in_.Int32();
      m_.extraSwitch2 = in_.Int32();
      m_.extraCoord1 = in_.Double();
      m_.extraCoord2 = in_.Double();
      m_.extraCoord3 = in_.Double();
      m_.extraCoord4 = in_.Double();
      m_.extraCoord5 = in_.Double();
      m_.extraCoord6 = in_.Double();
      m_.extraCoord7 = in_.Double();
    } else {
      DefaultExtras();
    }

    if (v.From(18, 5)) {
      m_.singleHour = in_.Int32();
      m_.singleHourHalf = in_.Int32();
    } else {
      m_.singleHour = 12;
      m_.singleHourHalf = 0;
    }
    if (v.From(19, 2)) {
      m_.title = in_.String();
    } else {
      m_.title.clear();
    }
    if (v.From(19, 4)) {
      m_.showAscendantHalf = in_.Int32();
      m_.showAscendantLines = in_.Int32();
      m_.showEclipticHalf = in_.Int32();
      m_.showEclipticHours = in_.Int32();
    } else {
      m_.showAscendantHalf = m_.showAscendantLines = m_.showEclipticHalf = m_.showEclipticHours = 0;
    }
    if (v.From(20, 1)) {
      m_.showAzimuthLines = in_.Int32();
      m_.showAlmucantars = in_.Int32();
    } else {
      m_.showAzimuthLines = m_.showAlmucantars = 0;
    }
    if (v.From(21, 1)) {
      m_.auxTriplesInt1 = in_.Int32();
      m_.auxTriplesInt2 = in_.Int32();
      for (Triple& t : m_.auxTriples) {
        for (double& x : t) x = in_.Double();
      }
    } else {
      m_.auxTriplesInt1 = m_.auxTriplesInt2 = 0;
      for (Triple& t : m_.auxTriples) t = Triple{};
    }
    if (v.From(21, 5)) {
      m_.referenceAltitude = in_.Double();
      m_.hourLabelsReversed = in_.Int32();
    } else {
      m_.referenceAltitude = -6;
      m_.hourLabelsReversed = 0;
    }
    for (std::string& label : m_.auxLabels) {
      if (v.From(21, 11)) {
        label = in_.String();
      } else {
        label.clear();
      }
    }
    if (v.From(22, 0)) {
      m_.auxText2 = in_.String();
      m_.auxText2Block1 = in_.Block();
      m_.auxText2Block2 = in_.Block();
      m_.auxText2Block3 = in_.Block();
      m_.auxText2Int1 = in_.Int32();
      m_.auxText2Int2 = in_.Int32();
      m_.auxText2Int3 = in_.Int32();
      m_.auxText2Value = in_.Double();
      m_.auxText2Int4 = in_.Int32();
      m_.auxText2Int5 = in_.Int32();
      for (Triple& t : m_.auxPoints) {
        for (double& x : t) x = in_.Double();
      }
      for (double& x : m_.auxPointsExtra) x = in_.Double();
    } else {
      DefaultAuxText2();  // the three blocks keep what they held
    }
    if (v.From(23, 0)) {
      m_.morningOnly = in_.Int32();
      m_.afternoonOnly = in_.Int32();
    } else {
      m_.morningOnly = m_.afternoonOnly = 0;
    }
    m_.referenceSide = v.From(23, 9) ? in_.Int32() : 1;

    if (v.From(23, 10)) {
      m_.localSolarTime = in_.Int32();
    } else if (m_.timeZone == kNoTimeZone) {
      // Older files mark local solar time by naming no zone; the zone is then taken from the
      // longitude, so that the second zone and the labels have one.
      m_.localSolarTime = 1;
      m_.timeZone = ZoneOfLongitude(m_.longitude, m_.timeZone);
      m_.timeZoneMinutes = 0;
    } else {
      m_.localSolarTime = 0;
    }

    if (v.From(23, 12)) {
      m_.auxSwitchA = in_.Int32();
      m_.auxValueA1 = in_.Double();
      m_.auxValueA2 = in_.Double();
      m_.auxValueA3 = in_.Double();
      m_.auxValueA4 = in_.Double();
      m_.auxSwitchB = in_.Int32();
    } else {
      DefaultAuxValues();
    }

    if (v.From(24, 11)) {
      // All twelve user date lines, the first one again.
      m_.dateLineCount = 0;
      for (int i = 0; i < kUserDateLineCount; ++i) {
        m_.dateLineEnabled[i] = in_.Int32();
        m_.dateLineDay[i] = in_.Int32();
        m_.dateLineMonth[i] = in_.Int32();
        if (m_.dateLineEnabled[i] != 0) ++m_.dateLineCount;
      }
    } else {
      // Files from 16.5 on carry one user date line; keep it rather than lose the user's line.
      const int first0 = m_.dateLineEnabled[0], day0 = m_.dateLineDay[0], month0 = m_.dateLineMonth[0];
      ClearDateLines();
      m_.dateLineEnabled[0] = first0;
      m_.dateLineDay[0] = day0;
      m_.dateLineMonth[0] = month0;
      m_.dateLineCount = first0 != 0 ? 1 : 0;
    }
  }

  ItemReader& in_;
  DialModel& m_;
  bool invalid_ = false;
};

void CompleteLoad(DialModel& model) {
  model.modelReady = 1;
  model.longitudeCorrection = LongitudeCorrection(model);
}

LoadOutcome ReadFrom(DialByteSource& source, DialModel& model) {
  ItemReader in(source);
  Loader loader(in, model);
  LoadOutcome outcome;
  try {
    outcome = loader.Run(source);
  } catch (const EndOfFile&) {
    return LoadOutcome::Truncated;
  }
  if (outcome == LoadOutcome::Invalid) ApplyDefaultDial(model, /*resetTimeZoneMinutes=*/true);
  CompleteLoad(model);
  return outcome;
}

}  // namespace

LoadOutcome ReadDialBytes(const std::uint8_t* data, std::size_t size, DialModel& model) {
  DialByteSource source(data, data == nullptr ? 0 : size);
  return ReadFrom(source, model);
}

LoadOutcome ReadDialFile(const std::string& path, DialModel& model, std::string* failure) {
  RegularFile file(path);
  if (!file.Ok()) {
    if (failure != nullptr) *failure = file.Failure();
    ApplyDefaultDial(model, /*resetTimeZoneMinutes=*/false);
    CompleteLoad(model);
    return LoadOutcome::Missing;
  }
  DialByteSource source(file);
  return ReadFrom(source, model);
}

const char* LoadOutcomeName(LoadOutcome outcome) {
  switch (outcome) {
    case LoadOutcome::File:
      return "file";
    case LoadOutcome::Invalid:
      return "invalid";
    case LoadOutcome::Missing:
      return "missing";
    case LoadOutcome::Truncated:
      return "truncated";
  }
  return "truncated";
}

const char* LoadOutcomeReason(LoadOutcome outcome) {
  switch (outcome) {
    case LoadOutcome::Invalid:
      return "it holds values no dial can have";
    case LoadOutcome::Truncated:
      return "it ends inside an item";
    case LoadOutcome::File:
    case LoadOutcome::Missing:
      break;
  }
  return "";
}

std::string DialFileProblem(const std::string& path) {
  auto model = std::make_unique<DialModel>();  // large: kept off the stack
  std::string failure;
  const LoadOutcome outcome = ReadDialFile(path, *model, &failure);
  if (outcome == LoadOutcome::Missing) return failure.empty() ? "it cannot be opened" : failure;
  return LoadOutcomeReason(outcome);
}

}  // namespace sundial
