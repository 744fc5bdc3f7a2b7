// The inclined declining dial traced onto a receiving outline (type 12): the plain lines of the
// inclined declining plate, then the fine traces of every family over the year, read where the
// rod's shadow crosses the outline of the day (geometry/ReceivingOutlineTrace.h).
#include <array>

#include "geometry/DialTypes.h"
#include "geometry/Families.h"
#include "geometry/ReceivingOutlineTrace.h"
#include "geometry/SpecialDials.h"

namespace sundial {

namespace {

// The type-11 projection without the straight hour lines, which this dial does not draw.
class InclinedPlainLayout final : public DialLayout {
 public:
  explicit InclinedPlainLayout(const DialModel& m) : DialLayout(false), model_(m) {}
  PlanePoint Project(const SunPoint& p) const override {
    return ProjectOnInclinedPlate(model_, p.azimuth, p.altitude);
  }

 private:
  const DialModel& model_;
};

template <std::size_t N>
void LabelMarks(std::array<LineMarks, N>& marks) {
  for (std::size_t i = 0; i < N; ++i) marks[i].label = 0.5 * static_cast<double>(i);
}

// The labels of the modern hours, their 95-point curves and the seven standard day curves, as
// the inclined declining dial has them; of the other families' marks only the labels.
void ComputePlainPart(DialModel& model) {
  const InclinedPlainLayout layout(model);
  FamilyContext ctx = MakeFamilyContext(model, layout);
  LabelModernHours(ctx);
  DateScheme curvesOnly = StandardDateScheme();
  curvesOnly.markCount = 0;
  ComputeModernHourLines(ctx, curvesOnly);
  ComputeStandardDayCurves(ctx);
  DialGeometry& g = *model.geometry;
  LabelMarks(g.italianHourMarks);
  LabelMarks(g.babylonianHourMarks);
  LabelMarks(g.temporaryHourMarks);
  LabelMarks(g.referenceHourMarks);
  LabelMarks(g.ascendantLineMarks);
  LabelMarks(g.eclipticHourMarks);
}

}  // namespace

void ComputeReceivingOutlineDial(DialModel& model) {
  SetInclinedDecliningStyleValues(model);
  ComputePlainPart(model);
  // The fine traces take about 54 MB: allocated for this dial type only, zeroed, and skipped
  // (the painter finds no traces) when the memory is not there.
  if (!model.fine) model.fine = FineDialGeometry::NewZeroed();
  if (model.fine) TraceReceivingOutline(model, model.longitudeCorrection, *model.fine);
}

}  // namespace sundial
