// make-examples: writes the example dial files of examples/, one real dial per dial type and the
// example dial the Windows saver installs, with the test writer of dial description files.
//
//   make-examples OUTPUT_DIR
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "geometry/ComputeDialGeometry.h"
#include "model/DialModel.h"
#include "support/VqrWriter.h"

namespace {

using sundial::DialModel;

// The values a dial of the latest file version carries where the design program leaves an item
// at its usual setting.
DialModel BaseDial() {
  DialModel m;
  sundial::ApplyDefaultDial(m, true);
  m.singleHour = 12;
  m.extraLength = m.gnomonLength;
  m.extraSwitch1 = 1;
  m.extraSwitch2 = 1;
  m.referenceAltitude = -6;
  m.referenceSide = 1;
  m.secondZoneEnabled = 1;
  m.secondZoneHours = m.timeZone;
  m.auxText2Value = 0.001;
  m.auxValueA1 = 1010;
  m.auxValueA2 = 10;
  m.auxValueA3 = 100;
  m.auxValueA4 = 20;
  for (auto& t : m.auxTriples) t = {0, 0, 1};
  return m;
}

struct Place {
  double latitude;   // north positive
  double longitude;  // WEST positive
  int timeZone;      // hours east
};

void SetPlace(DialModel& m, const Place& p) {
  m.latitude = p.latitude;
  m.longitude = p.longitude;
  m.timeZone = p.timeZone;
  m.secondZoneHours = p.timeZone;
}

void SetPlate(DialModel& m, double xMin, double xMax, double yMin, double yMax) {
  m.plateXMin = xMin;
  m.plateXMax = xMax;
  m.plateYMin = yMin;
  m.plateYMax = yMax;
}

void SetGnomon(DialModel& m, double length) {
  m.gnomonLength = length;
  m.extraLength = length;
  m.lineExtent = 3 * length;
}

struct Example {
  std::string fileName;
  DialModel model;
};

std::vector<Example> Examples() {
  std::vector<Example> list;
  auto add = [&](const std::string& name, DialModel m) { list.push_back({name, std::move(m)}); };

  {  // 0: a church wall in Florence turned 20 degrees toward the west.
    DialModel m = BaseDial();
    m.title = "Firenze, parete declinante";
    SetPlace(m, {43.7696, -11.2558, 1});
    m.dialType = 0;
    m.planeDeclination = 20;
    SetGnomon(m, 20);
    SetPlate(m, -100, 100, -30, 110);
    m.showItalianHours = 1;
    m.showNoonMark = 1;
    add("type-00-vertical-declining-firenze.vqr", std::move(m));
  }
  {  // 1: a garden dial at the Royal Observatory, Greenwich.
    DialModel m = BaseDial();
    m.title = "Greenwich, garden dial";
    SetPlace(m, {51.4779, 0.0015, 0});
    m.dialType = 1;
    m.planeDeclination = 0;
    m.planeInclination = 0;
    SetGnomon(m, 20);
    SetPlate(m, -110, 110, -120, 20);
    add("type-01-horizontal-greenwich.vqr", std::move(m));
  }
  {  // 2: a polar dial, its plate parallel to the earth's axis, in Palermo.
    DialModel m = BaseDial();
    m.title = "Palermo, quadrante polare";
    SetPlace(m, {38.1157, -13.3615, 1});
    m.dialType = 2;
    m.planeDeclination = 0;
    SetGnomon(m, 20);
    SetPlate(m, -80, 80, -60, 60);
    m.showBabylonianHours = 1;
    add("type-02-polar-palermo.vqr", std::move(m));
  }
  {  // 3: the upper (summer) face of an equatorial dial in Rome.
    DialModel m = BaseDial();
    m.title = "Roma, equatoriale (faccia estiva)";
    SetPlace(m, {41.9028, -12.4964, 1});
    m.dialType = 3;
    SetGnomon(m, 15);
    SetPlate(m, -70, 70, -70, 70);
    add("type-03-equatorial-upper-roma.vqr", std::move(m));
  }
  {  // 4: the lower (winter) face of an equatorial dial in Madrid.
    DialModel m = BaseDial();
    m.title = "Madrid, ecuatorial (cara de invierno)";
    SetPlace(m, {40.4168, 3.7038, 1});
    m.dialType = 4;
    SetGnomon(m, 15);
    SetPlate(m, -70, 70, -70, 70);
    add("type-04-equatorial-lower-madrid.vqr", std::move(m));
  }
  {  // 5: an analemmatic dial on the ground, after the one before the church of Brou.
    DialModel m = BaseDial();
    m.title = "Bourg-en-Bresse, cadran analemmatique";
    SetPlace(m, {46.2052, -5.2255, 1});
    m.dialType = 5;
    m.planeInclination = 0;
    SetGnomon(m, 20);
    m.lineExtent = 100;
    SetPlate(m, -130, 130, -110, 110);
    add("type-05-analemmatic-horizontal-bourg-en-bresse.vqr", std::move(m));
  }
  {  // 6: an analemmatic dial on a wall in Bologna turned 15 degrees toward the east.
    DialModel m = BaseDial();
    m.title = "Bologna, analemmatico verticale";
    SetPlace(m, {44.4949, -11.3426, 1});
    m.dialType = 6;
    m.planeDeclination = -15;
    SetGnomon(m, 20);
    m.lineExtent = 90;
    SetPlate(m, -120, 120, -110, 110);
    add("type-06-analemmatic-vertical-bologna.vqr", std::move(m));
  }
  {  // 7: an orthographic map of the sky for Stockholm, on the horizontal plane.
    DialModel m = BaseDial();
    m.title = "Stockholm, ortografisk himmelskarta";
    SetPlace(m, {59.3293, -18.0686, 1});
    m.dialType = 7;
    m.planeInclination = 0;
    m.lineExtent = 100;
    SetPlate(m, -110, 110, -110, 110);
    m.showAzimuthLines = 1;
    m.showAlmucantars = 1;
    add("type-07-orthographic-horizontal-stockholm.vqr", std::move(m));
  }
  {  // 8: a stereographic map of the sky for Cape Town, on the horizontal plane.
    DialModel m = BaseDial();
    m.title = "Cape Town, stereographic sky map";
    SetPlace(m, {-33.9249, -18.4241, 2});
    m.dialType = 8;
    m.planeInclination = 0;
    m.lineExtent = 100;
    SetPlate(m, -110, 110, -110, 110);
    m.showAlmucantars = 1;
    add("type-08-stereographic-horizontal-cape-town.vqr", std::move(m));
  }
  {  // 9: an orthographic map on a Paris wall turned 10 degrees toward the west.
    DialModel m = BaseDial();
    m.title = "Paris, carte orthographique murale";
    SetPlace(m, {48.8566, -2.3522, 1});
    m.dialType = 9;
    m.planeDeclination = 10;
    m.lineExtent = 100;
    SetPlate(m, -110, 110, -110, 110);
    add("type-09-orthographic-vertical-paris.vqr", std::move(m));
  }
  {  // 10: a stereographic map on a Vienna wall turned 25 degrees toward the east.
    DialModel m = BaseDial();
    m.title = "Wien, stereographische Wandkarte";
    SetPlace(m, {48.2082, -16.3738, 1});
    m.dialType = 10;
    m.planeDeclination = -25;
    m.lineExtent = 100;
    SetPlate(m, -120, 120, -120, 120);
    add("type-10-stereographic-vertical-wien.vqr", std::move(m));
  }
  {  // 11: a roof plate in Lisbon, inclined 60 degrees and declining 35 degrees west.
    DialModel m = BaseDial();
    m.title = "Lisboa, relogio inclinado declinante";
    SetPlace(m, {38.7223, 9.1393, 0});
    m.dialType = 11;
    m.planeDeclination = 35;
    m.planeInclination = 60;
    SetGnomon(m, 20);
    SetPlate(m, -100, 100, -60, 100);
    add("type-11-inclined-declining-lisboa.vqr", std::move(m));
  }
  {  // 12: the same kind of plate in Turin, its polar style read where the style's shadow
     // crosses an ellipse around the style's foot that grows through the year.
    DialModel m = BaseDial();
    m.title = "Torino, lettura sull'ellisse";
    SetPlace(m, {45.0703, -7.6869, 1});
    m.dialType = 12;
    m.planeDeclination = 10;
    m.planeInclination = 75;
    SetGnomon(m, 20);
    // Where the polar style through the nodus meets the plate: the dial centre of the same plate
    // drawn as an inclined declining dial.
    DialModel plain = BaseDial();
    SetPlace(plain, {m.latitude, m.longitude, m.timeZone});
    plain.dialType = 11;
    plain.planeDeclination = m.planeDeclination;
    plain.planeInclination = m.planeInclination;
    SetGnomon(plain, m.gnomonLength);
    plain.modelReady = 1;
    sundial::ComputeDialGeometry(plain);
    constexpr double kDegree = 0.017453292519943295;
    const double toCentre = std::fabs(m.gnomonLength / std::tan(plain.styleHeight * kDegree));
    const double centreX = -std::sin(plain.substyleAngle * kDegree) * toCentre;
    const double centreY = -std::cos(plain.substyleAngle * kDegree) * toCentre;
    m.extraLength = m.gnomonLength;  // the rod's upper point: the nodus, above the origin
    m.extraValue3 = centreX;         // its lower point: the style's foot on the plate
    m.extraValue4 = centreY;
    m.extraValue5 = 0;
    m.extraSwitch1 = 1;  // traced forward through the year
    m.extraSwitch2 = 1;  // an ellipse
    m.extraCoord1 = 0;
    m.extraCoord2 = 40;  // half-axes growing from 40 x 25 to 70 x 45 through the year
    m.extraCoord3 = 70;
    m.extraCoord4 = 25;
    m.extraCoord5 = 45;
    m.extraCoord6 = centreY;  // centre (y, then x): the style's foot
    m.extraCoord7 = centreX;
    SetPlate(m, std::floor(centreX) - 80, std::ceil(centreX) + 80, std::floor(centreY) - 60,
             std::ceil(centreY) + 60);
    std::printf("type 12: style foot at (%.3f, %.3f)\n", centreX, centreY);
    add("type-12-receiving-ellipse-torino.vqr", std::move(m));
  }
  {  // 13: a shepherd's cylinder dial for Venice, its date scale in solar declination.
    DialModel m = BaseDial();
    m.title = "Venezia, cilindro (scala delle declinazioni)";
    SetPlace(m, {45.4408, -12.3155, 1});
    m.dialType = 13;
    // The summer noon sun (68 degrees) casts 2.47 gnomon lengths: the shadow just fills the plate.
    SetGnomon(m, 40);
    SetPlate(m, 0, 120, 0, 100);
    add("type-13-cylinder-declination-venezia.vqr", std::move(m));
  }
  {  // 14: a cylinder dial for Edinburgh with a calendar scale of months.
    DialModel m = BaseDial();
    m.title = "Edinburgh, pillar dial with calendar";
    SetPlace(m, {55.9533, 3.1883, 0});
    m.dialType = 14;
    // The summer noon sun (57.5 degrees) casts 1.57 gnomon lengths: the shadow just fills the plate.
    SetGnomon(m, 75);
    SetPlate(m, 0, 150, 0, 120);
    add("type-14-cylinder-calendar-edinburgh.vqr", std::move(m));
  }
  // The example the Windows saver installs in the Windows directory: the built-in default dial.
  {
    DialModel m = BaseDial();
    m.title = "esempio";
    add("esempio - tolvanet.vqr", std::move(m));
  }
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-examples OUTPUT_DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  for (const Example& e : Examples()) {
    const auto bytes = sundial::test::WriteVqr(e.model);
    const std::string path = dir + "/" + e.fileName;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "make-examples: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}
