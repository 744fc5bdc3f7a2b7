#include "support/ModelCompare.h"

#include <cmath>

#include "model/DialModelFields.h"

namespace sundial::test {

namespace {
bool Same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }
template <class T>
bool Same(const T& a, const T& b) {
  return a == b;
}
bool Same(const Triple& a, const Triple& b) {
  return Same(a[0], b[0]) && Same(a[1], b[1]) && Same(a[2], b[2]);
}
template <std::size_t N>
bool Same(const std::array<Triple, N>& a, const std::array<Triple, N>& b) {
  for (std::size_t i = 0; i < N; ++i) {
    if (!Same(a[i], b[i])) return false;
  }
  return true;
}
}  // namespace

std::vector<std::string> DifferingParameters(const DialModel& a, const DialModel& b) {
  std::vector<std::string> names;
  VisitDialParameters(
      [&names](const char* name, const auto& x, const auto& y) {
        if (!Same(x, y)) names.push_back(name);
      },
      a, b);
  return names;
}

}  // namespace sundial::test
