// sundial geometry: the computed part of a dial as JSON.
//
//   sundial geometry                          (the built-in default dial)
//   sundial geometry DIAL.vqr
//   sundial geometry DIAL.vqr --family modernHourLines --family dayCurves
//
// Written: dialType, the style values, longitudeCorrection, the plate limits, and every computed
// array the dial type fills, under its field name, with only the filled prefix of each array.
// A DialPoint is [time, x, y, azimuth, altitude], a FlaggedDialPoint [valid, time, x, y,
// azimuth, altitude]; an hour line is {"hour", "lineAngle", "dateLineMarks", "meanTimeMarks",
// "meanTimeCurve"}, any other line {"label", "points"} (almucantar marks: {"label", "west",
// "east"}; day curves carry their entry number as label). An array the type does not fill is
// written empty. Numbers that are not finite are written as null. With a dial file the load
// outcome comes first ("load": "file", "invalid" or "truncated"), then the geometry the saver
// would show: for an invalid or truncated file that of the built-in default dial, with a warning
// line on stderr. A dial file that cannot be opened is an error. --family keeps only the named
// arrays.
//
// The output is streamed: a dial's tens of thousands of points never sit in memory twice.
#include <CLI/CLI.hpp>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "astro/CivilTime.h"
#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "geometry/ComputeDialGeometry.h"
#include "geometry/DialLoader.h"
#include "model/DialModel.h"

namespace sundial::cli {
namespace {

// The value a line record is labelled with: an hour, an azimuth, or an almucantar's altitude.
template <class Record>
double LineLabel(const Record& r) {
  if constexpr (requires { r.altitude; }) {
    return r.altitude;
  } else {
    return r.label;
  }
}

// How much of the computed arrays a dial type fills.
struct Extent {
  int records = 0;
  int points = 0;
};

struct TypeExtents {
  int modernMarks = 7;       // date-line marks per modern hour line
  bool meanTime = false;     // mean-time figures inside the modern hour lines
  int curvePoints = 95;      // points of the hour-family curves
  int hourMarks = 7;         // marks of the Italian, Babylonian, temporary, reference families
  bool hourFamilies = true;  // the six other hour families have marks
  bool familyCurves = true;  // ... and curves
  bool skyLines = true;      // azimuth lines and almucantars
  int eclipticCurvePoints = 95;  // points of the ascendant and ecliptic curves
  int skyMarks = 7;              // marks of the azimuth lines and of each almucantar half
  int azimuthCurvePoints = 95;
  int almucantarPoints = 361;    // azimuths 0..360; the altitude dials: the points of their scale
  int monthLines = 7;        // day-curve entries before the user date lines
  bool userLines = true;
  bool scale = false;        // analemmaticScale
  bool fine = false;         // the fine traces
};

TypeExtents ExtentsOf(int type) {
  TypeExtents e;
  e.meanTime = type <= 4 || type == 11 || type == 13 || type == 14;
  switch (type) {
    case 5:
    case 6:
      e.hourFamilies = e.familyCurves = e.skyLines = e.userLines = false;
      e.scale = true;
      break;
    case 12:
      e.modernMarks = 0;
      e.hourMarks = 0;
      e.familyCurves = e.skyLines = e.userLines = false;
      e.fine = true;
      break;
    case 13:
      e.almucantarPoints = 95;
      break;
    case 14:  // the calendar scale reads every family by the day
      e.modernMarks = e.hourMarks = e.skyMarks = 13;
      e.curvePoints = e.eclipticCurvePoints = e.azimuthCurvePoints = e.almucantarPoints = 365;
      e.monthLines = 13;
      break;
    default:
      break;
  }
  return e;
}

bool UserLineFilled(const DialModel& m, int i) {
  const auto u = static_cast<std::size_t>(i);
  return m.dateLineEnabled[u] != 0 && m.dateLineDay[u] != 0 && m.dateLineMonth[u] != 0;
}

// A small streaming JSON writer for numbers, arrays and objects.
class JsonOut {
 public:
  explicit JsonOut(std::ostream& out) : out_(out) {}

  void Number(double v) {
    pendingValue_ = false;
    if (!std::isfinite(v)) {
      out_ << "null";
      return;
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out_.write(buf, r.ptr - buf);
  }
  void Int(long v) {
    pendingValue_ = false;
    out_ << v;
  }
  void Key(const char* name) {
    Separate();
    out_ << '"' << name << "\":";
    pendingValue_ = true;
  }
  void String(const char* text) {
    Separate();
    out_ << '"' << text << '"';
  }
  void Begin(char bracket) {
    Separate();
    out_ << bracket;
    first_.push_back(true);
  }
  void End(char bracket) {
    out_ << bracket;
    first_.pop_back();
  }
  // Separator before an element of the enclosing array or object.
  void Separate() {
    if (pendingValue_) {
      pendingValue_ = false;
      return;
    }
    if (!first_.empty()) {
      if (!first_.back()) out_ << ',';
      first_.back() = false;
    }
  }
  void Point(const DialPoint& p) {
    Begin('[');
    for (double v : {p.time, p.x, p.y, p.azimuth, p.altitude}) {
      Separate();
      Number(v);
    }
    End(']');
  }
  void Point(const FlaggedDialPoint& p) {
    Begin('[');
    Separate();
    Int(p.valid);
    for (double v : {p.time, p.x, p.y, p.azimuth, p.altitude}) {
      Separate();
      Number(v);
    }
    End(']');
  }
  template <class Array>
  void Points(const char* key, const Array& points, int count) {
    Key(key);
    Begin('[');
    for (int i = 0; i < count; ++i) Point(points[static_cast<std::size_t>(i)]);
    End(']');
  }
  void Scalar(const char* key, double v) {
    Key(key);
    Number(v);
  }

 private:
  std::ostream& out_;
  std::vector<bool> first_;
  bool pendingValue_ = false;
};

class GeometryWriter {
 public:
  GeometryWriter(JsonOut& json, const DialModel& m, const std::set<std::string>& families)
      : json_(json), m_(m), families_(families), e_(ExtentsOf(m.dialType)) {}

  void Write() {
    const DialGeometry& g = *m_.geometry;
    ModernHourLines(g);
    LabelledLines("italianHourMarks", g.italianHourMarks, e_.hourFamilies, e_.hourMarks);
    LabelledLines("babylonianHourMarks", g.babylonianHourMarks, e_.hourFamilies, e_.hourMarks);
    LabelledLines("temporaryHourMarks", g.temporaryHourMarks, e_.hourFamilies, e_.hourMarks);
    LabelledLines("referenceHourMarks", g.referenceHourMarks, e_.hourFamilies, e_.hourMarks);
    const int signMarks = e_.hourMarks == 0 ? 0 : 13;
    LabelledLines("ascendantLineMarks", g.ascendantLineMarks, e_.hourFamilies, signMarks);
    LabelledLines("eclipticHourMarks", g.eclipticHourMarks, e_.hourFamilies, signMarks);
    LabelledLines("azimuthLineMarks", g.azimuthLineMarks, e_.skyLines, e_.skyMarks);
    AlmucantarMarks(g);
    LabelledLines("modernHourCurves", g.modernHourCurves, true, e_.curvePoints);
    LabelledLines("italianHourCurves", g.italianHourCurves, e_.familyCurves, e_.curvePoints);
    LabelledLines("babylonianHourCurves", g.babylonianHourCurves, e_.familyCurves, e_.curvePoints);
    LabelledLines("temporaryHourCurves", g.temporaryHourCurves, e_.familyCurves, e_.curvePoints);
    LabelledLines("referenceHourCurves", g.referenceHourCurves, e_.familyCurves, e_.curvePoints);
    LabelledLines("ascendantLineCurves", g.ascendantLineCurves, e_.familyCurves,
                  e_.eclipticCurvePoints);
    LabelledLines("eclipticHourCurves", g.eclipticHourCurves, e_.familyCurves,
                  e_.eclipticCurvePoints);
    LabelledLines("azimuthLineCurves", g.azimuthLineCurves, e_.skyLines, e_.azimuthCurvePoints);
    LabelledLines("almucantarCurves", g.almucantarCurves, e_.skyLines, e_.almucantarPoints);
    DayCurves("dayCurves", g.dayCurves, kDayPointCount);
    AnalemmaticScale(g);
    if (e_.fine && m_.fine) Fine(*m_.fine);
  }

  // Every array name this command knows, for checking --family.
  static const std::vector<std::string>& Names() {
    static const std::vector<std::string> names = {
        "modernHourLines",       "italianHourMarks",        "babylonianHourMarks",
        "temporaryHourMarks",    "referenceHourMarks",      "ascendantLineMarks",
        "eclipticHourMarks",     "azimuthLineMarks",        "almucantarMarks",
        "modernHourCurves",      "italianHourCurves",       "babylonianHourCurves",
        "temporaryHourCurves",   "referenceHourCurves",     "ascendantLineCurves",
        "eclipticHourCurves",    "azimuthLineCurves",       "almucantarCurves",
        "dayCurves",             "analemmaticScale",        "modernHourCurvesFine",
        "italianHourCurvesFine", "babylonianHourCurvesFine", "temporaryHourCurvesFine",
        "referenceHourCurvesFine", "ascendantLineCurvesFine", "eclipticHourCurvesFine",
        "azimuthLineCurvesFine", "almucantarCurvesFine",    "dayCurvesFine"};
    return names;
  }

 private:
  bool Wanted(const char* name) const { return families_.empty() || families_.count(name) != 0; }

  void ModernHourLines(const DialGeometry& g) {
    if (!Wanted("modernHourLines")) return;
    json_.Key("modernHourLines");
    json_.Begin('[');
    for (const HourLineRecord& line : g.modernHourLines) {
      json_.Begin('{');
      json_.Scalar("hour", line.hour);
      json_.Scalar("lineAngle", line.lineAngle);
      json_.Points("dateLineMarks", line.dateLineMarks, e_.modernMarks);
      json_.Points("meanTimeMarks", line.meanTimeMarks, e_.meanTime ? kMeanTimeMarkCount : 0);
      json_.Points("meanTimeCurve", line.meanTimeCurve, e_.meanTime ? kYearPointCount : 0);
      json_.End('}');
    }
    json_.End(']');
  }

  template <class Records>
  void LabelledLines(const char* name, const Records& records, bool filled, int points) {
    if (!Wanted(name)) return;
    json_.Key(name);
    json_.Begin('[');
    if (filled) {
      for (const auto& r : records) {
        json_.Begin('{');
        json_.Scalar("label", LineLabel(r));
        json_.Points("points", r.points, points);
        json_.End('}');
      }
    }
    json_.End(']');
  }


  void AlmucantarMarks(const DialGeometry& g) {
    if (!Wanted("almucantarMarks")) return;
    json_.Key("almucantarMarks");
    json_.Begin('[');
    if (e_.skyLines) {
      for (const auto& a : g.almucantarMarks) {
        json_.Begin('{');
        json_.Scalar("label", a.west.altitude);
        json_.Points("west", a.west.points, e_.skyMarks);
        json_.Points("east", a.east.points, e_.skyMarks);
        json_.End('}');
      }
    }
    json_.End(']');
  }

  // The standard (or month) lines, then the user date lines that are switched on.
  template <class Records>
  void DayCurves(const char* name, const Records& records, int points) {
    if (!Wanted(name)) return;
    json_.Key(name);
    json_.Begin('[');
    for (int entry = 0; entry < kDayCurveCount; ++entry) {
      const int user = entry - e_.monthLines;
      const bool filled =
          user < 0 || (e_.userLines && user < kUserDateLineCount && UserLineFilled(m_, user));
      if (!filled) continue;
      json_.Begin('{');
      json_.Scalar("label", entry);
      json_.Points("points", records[static_cast<std::size_t>(entry)].points, points);
      json_.End('}');
    }
    json_.End(']');
  }

  void AnalemmaticScale(const DialGeometry& g) {
    if (!Wanted("analemmaticScale")) return;
    json_.Key("analemmaticScale");
    json_.Begin('[');
    if (e_.scale) {
      for (const PlanePoint& p : g.analemmaticScale) {
        json_.Begin('[');
        json_.Separate();
        json_.Number(p.x);
        json_.Separate();
        json_.Number(p.y);
        json_.End(']');
      }
    }
    json_.End(']');
  }

  void Fine(const FineDialGeometry& f) {
    LabelledLines("modernHourCurvesFine", f.modernHourCurvesFine, true, kFineYearPointCount);
    LabelledLines("italianHourCurvesFine", f.italianHourCurvesFine, true, kFineYearPointCount);
    LabelledLines("babylonianHourCurvesFine", f.babylonianHourCurvesFine, true,
                  kFineYearPointCount);
    LabelledLines("temporaryHourCurvesFine", f.temporaryHourCurvesFine, true,
                  kFineYearPointCount);
    LabelledLines("referenceHourCurvesFine", f.referenceHourCurvesFine, true,
                  kFineYearPointCount);
    LabelledLines("ascendantLineCurvesFine", f.ascendantLineCurvesFine, true,
                  kFineYearPointCount);
    LabelledLines("eclipticHourCurvesFine", f.eclipticHourCurvesFine, true, kFineYearPointCount);
    LabelledLines("azimuthLineCurvesFine", f.azimuthLineCurvesFine, true, kFineYearPointCount);
    LabelledLines("almucantarCurvesFine", f.almucantarCurvesFine, true, kFineYearPointCount);
    const TypeExtents saved = e_;
    e_.monthLines = 13;
    e_.userLines = true;
    DayCurves("dayCurvesFine", f.dayCurvesFine, kFineDayPointCount);
    e_ = saved;
  }

  JsonOut& json_;
  const DialModel& m_;
  const std::set<std::string>& families_;
  TypeExtents e_;
};

int RunGeometry(const std::string& path, const std::vector<std::string>& familyList) {
  std::set<std::string> families;
  for (const std::string& f : familyList) {
    bool known = false;
    for (const std::string& n : GeometryWriter::Names()) known = known || n == f;
    if (!known) {
      std::string names;
      for (const std::string& n : GeometryWriter::Names()) names += (names.empty() ? "" : ", ") + n;
      throw UsageError("--family: unknown family '" + f + "'; the families are " + names);
    }
    families.insert(f);
  }

  auto model = std::make_unique<DialModel>();  // large: kept off the stack
  const char* load = nullptr;
  if (path.empty()) {
    ApplyDefaultDial(*model, true);
    model->modelReady = 1;
    ComputeDialGeometry(*model);
  } else {
    std::string failure;
    const LoadOutcome outcome = LoadDial(path, *model, &failure);
    if (outcome == LoadOutcome::Missing) return CannotOpenDial("geometry", path, failure);
    WarnAboutLoad("geometry", path, outcome);
    if (outcome == LoadOutcome::Truncated) {
      // As the dial window does: a file that ends inside an item shows the default dial.
      *model = DialModel{};
      LoadDial(std::string(), *model);
    }
    load = LoadOutcomeName(outcome);
  }

  std::ios::sync_with_stdio(false);
  JsonOut json(std::cout);
  json.Begin('{');
  if (load != nullptr) {
    json.Key("load");
    json.String(load);
  }
  if (model->modelReady != 0 && model->geometry) {
    json.Key("dialType");
    json.Int(model->dialType);
    json.Scalar("styleLength", model->styleLength);
    json.Scalar("substyleAngle", model->substyleAngle);
    json.Scalar("styleHeight", model->styleHeight);
    json.Scalar("longitudeCorrection", model->longitudeCorrection);
    json.Scalar("plateXMin", model->plateXMin);
    json.Scalar("plateXMax", model->plateXMax);
    json.Scalar("plateYMin", model->plateYMin);
    json.Scalar("plateYMax", model->plateYMax);
    GeometryWriter(json, *model, families).Write();
  }
  json.End('}');
  std::cout << '\n';
  return OutputWritten("geometry") ? 0 : 1;
}

struct GeometryOptions {
  std::string path;
  std::vector<std::string> families;
};

CommandRegistration reg{
    "geometry", "print the computed geometry of a dial (default: the built-in dial) as JSON",
    [](CLI::App& sub) -> std::function<int()> {
      auto options = std::make_shared<GeometryOptions>();
      sub.add_option("dial", options->path, "dial description file (.vqr)");
      sub.add_option("--family", options->families,
                     "write only this computed array (by field name); may be repeated");
      return [options] { return RunGeometry(options->path, options->families); };
    }};

}  // namespace
}  // namespace sundial::cli
