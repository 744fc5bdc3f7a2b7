#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "model/DialFileReader.h"
#include "support/ModelCompare.h"
#include "support/VqrWriter.h"

namespace sundial {
namespace {

using test::DifferingParameters;
using test::SampleDial;
using test::StringForm;
using test::VqrBytes;
using test::VqrOptions;
using test::VqrVersion;
using test::WriteVqr;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

LoadOutcome Read(const std::vector<std::uint8_t>& bytes, DialModel& model) {
  return ReadDialBytes(bytes.data(), bytes.size(), model);
}

DialModel ReadVersion(const DialModel& source, VqrVersion version, LoadOutcome expected = LoadOutcome::File) {
  DialModel model;
  VqrOptions options;
  options.version = version;
  EXPECT_EQ(Read(WriteVqr(source, options), model), expected)
      << int(version.major) << "." << int(version.minor);
  return model;
}

// The sample as a complete load of a latest-version file leaves it.
DialModel LoadedSample() {
  DialModel expected = SampleDial();
  expected.modelReady = 1;
  expected.longitudeCorrection = LongitudeCorrection(expected);
  return expected;
}

TEST(DialFileReader, LatestVersionReadsEveryItemInEveryStringForm) {
  for (StringForm form : {StringForm::Byte, StringForm::Word, StringForm::DoubleWord, StringForm::Wide}) {
    DialModel model;
    VqrOptions options;
    options.stringForm = form;
    ASSERT_EQ(Read(WriteVqr(SampleDial(), options), model), LoadOutcome::File);
    EXPECT_EQ(DifferingParameters(model, LoadedSample()), std::vector<std::string>{})
        << "string form " << int(form);
  }
}

TEST(DialFileReader, FirstBlockHasFixedPlacesAndTheVersionFollowsIt) {
  VqrOptions pre;
  pre.version.reset();
  EXPECT_EQ(WriteVqr(SampleDial(), pre).size(), 148u);
  const std::vector<std::uint8_t> bytes = WriteVqr(SampleDial());
  EXPECT_EQ(bytes[148], 24);
  EXPECT_EQ(bytes[149], 11);
  EXPECT_EQ(bytes[96], 2);  // showModernHours, the first int32 after the plate
}

TEST(DialFileReader, PreVersionFileTakesItsOwnDefaults) {
  DialModel source = SampleDial();
  source.timeZone = kNoTimeZone;
  DialModel model;
  model.morningOnly = 5;  // not written by a pre-version load
  VqrOptions pre;
  pre.version.reset();
  ASSERT_EQ(Read(WriteVqr(source, pre), model), LoadOutcome::File);
  EXPECT_EQ(model.planeInclination, 90);
  EXPECT_EQ(model.minStyleHeight, 28);
  EXPECT_EQ(model.lineExtent, 120);
  EXPECT_EQ(model.extraLength, 40);
  for (const Triple& t : model.auxTriples) EXPECT_EQ(t, (Triple{0, 0, 1}));
  EXPECT_EQ(model.timeZone, kNoTimeZone);  // kept, unlike a versioned file
  EXPECT_EQ(model.localSolarTime, 1);
  EXPECT_EQ(model.secondZoneEnabled, 0);
  EXPECT_EQ(model.secondZoneHours, 0);
  EXPECT_EQ(model.singleHour, 12);
  EXPECT_EQ(model.referenceAltitude, -6);
  EXPECT_EQ(model.referenceSide, 1);
  EXPECT_EQ(model.auxText2Value, 0.001);
  EXPECT_EQ(model.auxTextValue, 0);
  EXPECT_EQ(model.auxValueA1, 1010);
  EXPECT_EQ(model.extraSwitch1, 1);
  EXPECT_EQ(model.dateLineCount, 0);
  EXPECT_EQ(model.morningOnly, 5);
  EXPECT_EQ(model.modelReady, 1);
  EXPECT_EQ(model.longitudeCorrection, 0);

  source.timeZone = 2;
  model = DialModel{};
  ASSERT_EQ(Read(WriteVqr(source, pre), model), LoadOutcome::File);
  EXPECT_EQ(model.localSolarTime, 0);
  EXPECT_EQ(model.secondZoneEnabled, 1);
  EXPECT_EQ(model.secondZoneHours, 2);
  EXPECT_EQ(model.secondZoneMinutes, 0);
}

TEST(DialFileReader, OldestVersionedFileTakesEveryDefault) {
  DialModel model = ReadVersion(SampleDial(), {1, 0});
  DialModel expected = SampleDial();  // the first block and item 29 as written
  expected.showReferenceHours = expected.showNoonMark = 0;
  expected.lineExtent = 120;
  expected.planeInclination = 90;
  expected.showAxes = expected.showSubstyleLine = expected.showGnomonConstruction = 0;
  expected.carriedInt1 = expected.carriedInt2 = 0;
  expected.auxText.clear();
  expected.auxTextInt = expected.auxTextInt1 = expected.auxTextInt2 = expected.auxTextInt3 = 0;
  expected.auxTextBlock1 = expected.auxTextBlock2 = expected.auxTextBlock3 = Block8{};
  expected.auxTextValue = 0;
  expected.minStyleHeight = 28;
  expected.dateLineEnabled.fill(0);
  expected.dateLineDay.fill(0);
  expected.dateLineMonth.fill(0);
  expected.dateLineCount = 0;
  expected.timeZoneMinutes = 0;
  expected.secondZoneEnabled = 1;
  expected.secondZoneHours = 1;
  expected.secondZoneMinutes = 0;
  expected.extraValue1 = expected.extraValue2 = expected.extraValue3 = 0;
  expected.extraValue4 = expected.extraValue5 = 0;
  expected.extraLength = 40;
  expected.extraSwitch1 = expected.extraSwitch2 = 1;
  expected.extraCoord1 = expected.extraCoord2 = expected.extraCoord3 = expected.extraCoord4 = 0;
  expected.extraCoord5 = expected.extraCoord6 = expected.extraCoord7 = 0;
  expected.singleHour = 12;
  expected.singleHourHalf = 0;
  expected.title.clear();
  expected.showAscendantHalf = expected.showAscendantLines = 0;
  expected.showEclipticHalf = expected.showEclipticHours = 0;
  expected.showAzimuthLines = expected.showAlmucantars = 0;
  expected.auxTriplesInt1 = expected.auxTriplesInt2 = 0;
  expected.auxTriples = {};
  expected.referenceAltitude = -6;
  expected.hourLabelsReversed = 0;
  expected.auxLabels = {};
  expected.auxText2.clear();
  expected.auxText2Block1 = expected.auxText2Block2 = expected.auxText2Block3 = Block8{};
  expected.auxText2Int1 = expected.auxText2Int2 = expected.auxText2Int3 = 0;
  expected.auxText2Int4 = expected.auxText2Int5 = 0;
  expected.auxText2Value = 0.001;
  expected.auxPoints = {};
  expected.auxPointsExtra = {};
  expected.morningOnly = expected.afternoonOnly = 0;
  expected.referenceSide = 1;
  expected.localSolarTime = 0;
  expected.auxSwitchA = expected.auxSwitchB = 0;
  expected.auxValueA1 = 1010;
  expected.auxValueA2 = 10;
  expected.auxValueA3 = 100;
  expected.auxValueA4 = 20;
  expected.modelReady = 1;
  expected.longitudeCorrection = LongitudeCorrection(expected);
  EXPECT_EQ(DifferingParameters(model, expected), std::vector<std::string>{});
}

// Each gate, read at its own version and at the version just before it: exactly the gate's
// fields (and what is derived from them) differ, and the stream stays in step.
TEST(DialFileReader, EveryGateOpensAtItsVersion) {
  struct Gate {
    int major, minor;
    std::vector<std::string> fields;
  };
  const std::vector<Gate> gates = {
      {6, 6, {"showReferenceHours"}},
      {7, 1, {"showNoonMark"}},
      {7, 2, {"lineExtent"}},
      {12, 0, {"planeInclination"}},
      {13, 0, {"showAxes", "showSubstyleLine", "showGnomonConstruction"}},
      {13, 3, {"carriedInt1"}},
      {14, 1, {"auxText", "auxTextInt", "auxTextBlock1", "auxTextBlock2", "auxTextBlock3",
               "auxTextInt1", "auxTextInt2", "auxTextInt3", "auxTextValue"}},
      {14, 11, {"minStyleHeight"}},
      {15, 3, {"carriedInt2"}},
      {16, 5, {"dateLineEnabled", "dateLineDay", "dateLineMonth", "dateLineCount"}},
      {16, 13, {"timeZoneMinutes", "secondZoneMinutes", "longitudeCorrection"}},
      {17, 7, {"secondZoneHours", "secondZoneMinutes"}},
      {17, 19, {"extraValue1", "extraValue2", "extraLength", "extraValue3", "extraValue4",
                "extraValue5", "extraSwitch1", "extraSwitch2", "extraCoord1", "extraCoord2",
                "extraCoord3", "extraCoord4", "extraCoord5", "extraCoord6", "extraCoord7"}},
      {18, 5, {"singleHour", "singleHourHalf"}},
      {19, 2, {"title"}},
      {19, 4, {"showAscendantHalf", "showAscendantLines", "showEclipticHalf", "showEclipticHours"}},
      {20, 1, {"showAzimuthLines", "showAlmucantars"}},
      {21, 1, {"auxTriplesInt1", "auxTriplesInt2", "auxTriples"}},
      {21, 5, {"referenceAltitude", "hourLabelsReversed"}},
      {21, 11, {"auxLabels"}},
      {22, 0, {"auxText2", "auxText2Block1", "auxText2Block2", "auxText2Block3", "auxText2Int1",
               "auxText2Int2", "auxText2Int3", "auxText2Value", "auxText2Int4", "auxText2Int5",
               "auxPoints", "auxPointsExtra"}},
      {23, 0, {"afternoonOnly", "morningOnly"}},
      {23, 9, {"referenceSide"}},
      {23, 10, {"localSolarTime", "longitudeCorrection"}},
      {23, 12, {"auxSwitchA", "auxSwitchB", "auxValueA1", "auxValueA2", "auxValueA3", "auxValueA4"}},
      {24, 11, {"dateLineEnabled", "dateLineDay", "dateLineMonth", "dateLineCount"}},
  };
  DialModel source = SampleDial();
  source.localSolarTime = 1;  // differs from what the time-zone rule derives for zone 1
  for (const Gate& g : gates) {
    const VqrVersion at{static_cast<std::int8_t>(g.major), static_cast<std::int8_t>(g.minor)};
    const VqrVersion before = g.minor > 0
        ? VqrVersion{static_cast<std::int8_t>(g.major), static_cast<std::int8_t>(g.minor - 1)}
        : VqrVersion{static_cast<std::int8_t>(g.major - 1), 99};
    std::vector<std::string> expected = g.fields;
    std::vector<std::string> got =
        DifferingParameters(ReadVersion(source, at), ReadVersion(source, before));
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, expected) << "gate " << g.major << "." << g.minor;
  }
}

TEST(DialFileReader, NegativeMajorIsOlderThanEveryGate) {
  VqrBytes bytes;
  VqrOptions pre;
  pre.version.reset();
  bytes.bytes = WriteVqr(SampleDial(), pre);
  bytes.Byte(0x80).Byte(30).Int32(6);  // version -128.30, then item 29 only
  DialModel model;
  ASSERT_EQ(Read(bytes.bytes, model), LoadOutcome::File);
  EXPECT_EQ(model.showItalianHoursShifted, 6);
  EXPECT_EQ(model.planeInclination, 90);
  EXPECT_EQ(model.referenceSide, 1);
}

TEST(DialFileReader, LaterVersionsReadAsTheLatestAndIgnoreTrailingBytes) {
  DialModel source = SampleDial();
  VqrOptions options;
  std::vector<std::uint8_t> bytes = WriteVqr(source, options);
  bytes[148] = 30;  // version 30.11
  bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
  DialModel model;
  ASSERT_EQ(Read(bytes, model), LoadOutcome::File);
  EXPECT_EQ(DifferingParameters(model, LoadedSample()), std::vector<std::string>{});
}

TEST(DialFileReader, MissingVersionBytesOrItem29IsTruncated) {
  VqrOptions pre;
  pre.version.reset();
  std::vector<std::uint8_t> bytes = WriteVqr(SampleDial(), pre);
  bytes.push_back(24);  // the major byte alone
  DialModel model;
  EXPECT_EQ(Read(bytes, model), LoadOutcome::Truncated);
  EXPECT_EQ(model.modelReady, 0);
  bytes.push_back(11);  // both bytes, no item 29
  EXPECT_EQ(Read(bytes, model), LoadOutcome::Truncated);
  EXPECT_EQ(model.modelReady, 0);
}

TEST(DialFileReader, FilesWithoutAZoneTakeOneFromTheLongitude) {
  DialModel source = SampleDial();
  source.timeZone = kNoTimeZone;
  source.longitude = -7.713333333333334;
  DialModel model = ReadVersion(source, {23, 9});
  EXPECT_EQ(model.localSolarTime, 1);
  EXPECT_EQ(model.timeZone, 1);
  EXPECT_EQ(model.timeZoneMinutes, 0);
  EXPECT_EQ(model.longitudeCorrection, 0);

  source.longitude = 100;  // -6.17 hours, truncated toward zero
  EXPECT_EQ(ReadVersion(source, {23, 9}).timeZone, -6);
  source.longitude = 180;
  EXPECT_EQ(ReadVersion(source, {23, 9}).timeZone, -11);
  source.longitude = -180;
  EXPECT_EQ(ReadVersion(source, {23, 9}).timeZone, 12);

  // Before the second zone was stored, a file without a zone has none either: the second zone
  // is derived before the zone is taken from the longitude.
  model = ReadVersion(source, {17, 6});
  EXPECT_EQ(model.secondZoneEnabled, 0);
  EXPECT_EQ(model.secondZoneHours, 0);

  source.localSolarTime = 0;
  model = ReadVersion(source, {23, 10});
  EXPECT_EQ(model.timeZone, kNoTimeZone);
  EXPECT_EQ(model.localSolarTime, 0);

  source.timeZone = -3;
  model = ReadVersion(source, {23, 9});
  EXPECT_EQ(model.localSolarTime, 0);
  EXPECT_EQ(model.timeZone, -3);
}

TEST(DialFileReader, OneStoredDateLineIsKeptUntilTwelveAreStored) {
  DialModel source = SampleDial();
  DialModel model = ReadVersion(source, {24, 10});
  EXPECT_EQ(model.dateLineEnabled[0], 1);
  EXPECT_EQ(model.dateLineDay[0], 1);
  EXPECT_EQ(model.dateLineMonth[0], 12);
  EXPECT_EQ(model.dateLineCount, 1);
  for (int i = 1; i < kUserDateLineCount; ++i) EXPECT_EQ(model.dateLineEnabled[i], 0);

  source.dateLineEnabled[0] = 0;
  EXPECT_EQ(ReadVersion(source, {16, 5}).dateLineCount, 0);

  source.dateLineEnabled = {1, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  model = ReadVersion(source, {24, 11});
  EXPECT_EQ(model.dateLineCount, 3);
  EXPECT_EQ(model.dateLineEnabled, source.dateLineEnabled);
  EXPECT_EQ(model.dateLineMonth, source.dateLineMonth);
}

// Fields of the built-in default set; on the invalid-value path these, and nothing else, change.
const std::set<std::string> kDefaultSet = {
    "dialType", "latitude", "longitude", "localSolarTime", "planeDeclination", "planeInclination",
    "gnomonLength", "styleLength", "substyleAngle", "styleHeight", "timeZone", "timeZoneMinutes",
    "plateXMin", "plateXMax", "plateYMin", "plateYMax", "minStyleHeight", "lineExtent",
    "showModernHours", "showItalianHours", "showBabylonianHours", "showTemporaryHours",
    "showItalianHoursShifted", "showReferenceHours", "showIntermediateLines", "showEquinoxLine",
    "showSolsticeLines", "showSignLines", "showNoonMark", "singleHourLine",
    "showMeanTimeRisingHalf", "showMeanTimeFallingHalf", "hourLinesAll", "showHorizon",
    "showAxes", "showSubstyleLine", "showGnomonConstruction", "carriedInt1", "auxText",
    "auxTextInt", "auxTextInt1", "auxTextInt2", "auxTextInt3", "auxTextValue",
    "longitudeCorrection"};

TEST(DialFileReader, InvalidValueBringsInTheDefaultSetOnly) {
  DialModel source = SampleDial();
  source.latitude = 91;
  DialModel model;
  ASSERT_EQ(Read(WriteVqr(source), model), LoadOutcome::Invalid);
  for (const std::string& name : DifferingParameters(model, LoadedSample())) {
    EXPECT_TRUE(kDefaultSet.count(name)) << name << " changed on the invalid-value path";
  }
  EXPECT_EQ(model.latitude, 45.3825);
  EXPECT_EQ(model.plateYMin, -37);
  EXPECT_EQ(model.timeZoneMinutes, 0);
  EXPECT_EQ(model.auxTextValue, 0.001);
  EXPECT_EQ(model.title, source.title);
  EXPECT_EQ(model.dateLineCount, 4);
  EXPECT_EQ(model.auxTextBlock1, source.auxTextBlock1);
  EXPECT_EQ(model.modelReady, 1);
  EXPECT_DOUBLE_EQ(model.longitudeCorrection, 7.286666666666666);
}

TEST(DialFileReader, ValidationOfTheFirstBlock) {
  struct Case {
    const char* what;
    void (*change)(DialModel&);
    bool valid;
  };
  const Case cases[] = {
      {"dialType 14", [](DialModel& m) { m.dialType = 14; }, true},
      {"dialType 15", [](DialModel& m) { m.dialType = 15; }, false},
      {"dialType -1", [](DialModel& m) { m.dialType = -1; }, false},
      {"declination 180", [](DialModel& m) { m.planeDeclination = 180; }, true},
      {"declination -180.001", [](DialModel& m) { m.planeDeclination = -180.001; }, false},
      {"latitude -90", [](DialModel& m) { m.latitude = -90; }, true},
      {"latitude 90.5", [](DialModel& m) { m.latitude = 90.5; }, false},
      {"longitude 181", [](DialModel& m) { m.longitude = 181; }, false},
      {"gnomon 0", [](DialModel& m) { m.gnomonLength = 0; }, false},
      {"gnomon tiny", [](DialModel& m) { m.gnomonLength = 1e-300; }, true},
      {"substyle 359.9", [](DialModel& m) { m.substyleAngle = 359.9; }, true},
      {"substyle -360", [](DialModel& m) { m.substyleAngle = -360; }, false},
      {"style height 360", [](DialModel& m) { m.styleHeight = 360; }, false},
      {"style length not checked", [](DialModel& m) { m.styleLength = -kInf; }, true},
      {"zone 12", [](DialModel& m) { m.timeZone = 12; }, true},
      {"zone -11", [](DialModel& m) { m.timeZone = -11; }, true},
      {"zone 13", [](DialModel& m) { m.timeZone = 13; }, false},
      {"zone -12", [](DialModel& m) { m.timeZone = -12; }, false},
      {"zone 99", [](DialModel& m) { m.timeZone = 99; }, true},
      {"plate x equal", [](DialModel& m) { m.plateXMin = m.plateXMax; }, false},
      {"plate y reversed", [](DialModel& m) { m.plateYMin = 200; }, false},
      // Values that are not finite place no dial.
      {"NaN declination", [](DialModel& m) { m.planeDeclination = kNaN; }, false},
      {"NaN latitude", [](DialModel& m) { m.latitude = kNaN; }, false},
      {"NaN longitude", [](DialModel& m) { m.longitude = kNaN; }, false},
      {"NaN gnomon", [](DialModel& m) { m.gnomonLength = kNaN; }, false},
      {"infinite gnomon", [](DialModel& m) { m.gnomonLength = kInf; }, false},
      {"NaN substyle", [](DialModel& m) { m.substyleAngle = kNaN; }, false},
      {"NaN style height", [](DialModel& m) { m.styleHeight = kNaN; }, false},
      {"NaN plateXMin", [](DialModel& m) { m.plateXMin = kNaN; }, false},
      {"NaN plateXMax", [](DialModel& m) { m.plateXMax = kNaN; }, false},
      {"NaN plateYMin", [](DialModel& m) { m.plateYMin = kNaN; }, false},
      {"infinite plateYMax", [](DialModel& m) { m.plateYMax = kInf; }, false},
      {"-infinite plateXMin", [](DialModel& m) { m.plateXMin = -kInf; }, false},
  };
  for (const Case& c : cases) {
    DialModel source = SampleDial();
    c.change(source);
    for (VqrVersion v : {VqrVersion{24, 11}, VqrVersion{16, 5}}) {
      DialModel model;
      const LoadOutcome outcome = Read(WriteVqr(source, {v, StringForm::Byte}), model);
      EXPECT_EQ(outcome, c.valid ? LoadOutcome::File : LoadOutcome::Invalid) << c.what;
      EXPECT_EQ(model.modelReady, 1) << c.what;
      EXPECT_TRUE(std::isfinite(model.longitudeCorrection)) << c.what;
    }
  }
}

TEST(DialFileReader, FileThatCannotBeOpenedGivesTheDefaultDial) {
  const std::string dir = ::testing::TempDir();
  std::vector<std::string> paths{std::string(), dir + "/no-such-dial.vqr", dir};
#ifndef _WIN32
  // Files that are not regular files: opened, a FIFO without a writer would block for ever and a
  // device would never end.
  const std::string fifo = dir + "/dial-fifo-" + std::to_string(std::random_device{}()) + ".vqr";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  paths.push_back(fifo);
  paths.push_back("/dev/zero");
#endif
  for (const std::string& path : paths) {
    DialModel model;
    model.timeZoneMinutes = 30;  // kept on this path
    model.title = "untouched";
    EXPECT_EQ(ReadDialFile(path, model), LoadOutcome::Missing) << path;
    EXPECT_EQ(model.modelReady, 1);
    EXPECT_EQ(model.dialType, 0);
    EXPECT_EQ(model.planeDeclination, 30);
    EXPECT_EQ(model.gnomonLength, 25);
    EXPECT_EQ(model.timeZoneMinutes, 30);
    EXPECT_EQ(model.title, "untouched");
    EXPECT_DOUBLE_EQ(model.longitudeCorrection, 7.286666666666666 + 7.5);
  }
#ifndef _WIN32
  std::string failure;
  DialModel model;
  EXPECT_EQ(ReadDialFile(fifo, model, &failure), LoadOutcome::Missing);
  EXPECT_EQ(failure, "not a regular file");
  std::filesystem::remove(fifo);
#endif
}

TEST(DialFileReader, FileOnDiskLargerThanTheBufferMatchesTheBytes) {
  DialModel source = SampleDial();
  source.title = std::string(5000, 'T');  // straddles the 4096-byte buffer
  source.auxLabels[5] = std::string(9000, 'L');
  VqrOptions options;
  options.stringForm = StringForm::Word;
  const std::vector<std::uint8_t> bytes = WriteVqr(source, options);
  const std::string path =
      ::testing::TempDir() + "/long-dial-" + std::to_string(std::random_device{}()) + ".vqr";
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  DialModel fromFile, fromBytes;
  EXPECT_EQ(ReadDialFile(path, fromFile), LoadOutcome::File);
  EXPECT_EQ(Read(bytes, fromBytes), LoadOutcome::File);
  EXPECT_EQ(DifferingParameters(fromFile, fromBytes), std::vector<std::string>{});
  EXPECT_EQ(fromFile.title, source.title);
  EXPECT_EQ(fromFile.auxLabels[5], source.auxLabels[5]);
  std::filesystem::remove(path);
}

TEST(DialFileReader, TruncationAtEveryOffsetHasADefinedOutcome) {
  const std::vector<std::uint8_t> full = WriteVqr(SampleDial());
  for (std::size_t size = 0; size <= full.size(); ++size) {
    DialModel model;
    const LoadOutcome outcome = ReadDialBytes(full.data(), size, model);
    // A file cut right after item 26 is a valid pre-version file; anywhere else the cut falls
    // before or inside an item.
    const LoadOutcome expected =
        (size == 148 || size == full.size()) ? LoadOutcome::File : LoadOutcome::Truncated;
    ASSERT_EQ(outcome, expected) << "cut at " << size;
    EXPECT_EQ(model.modelReady, expected == LoadOutcome::File ? 1 : 0);
  }
}

}  // namespace
}  // namespace sundial
