#include "cli/ModelJson.h"

#include <cmath>
#include <string>

#include "model/Cp1252.h"
#include "model/DialModelFields.h"

namespace sundial::cli {

namespace {

using Json = nlohmann::ordered_json;

Json ToJson(std::int32_t v) { return v; }
Json ToJson(double v) { return NumberToJson(v); }
Json ToJson(const std::string& text) { return Cp1252ToUtf8(text); }

Json ToJson(const Block8& block) {
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (std::uint8_t b : block) {
    hex += kHex[b >> 4];
    hex += kHex[b & 0xF];
  }
  return hex;
}

template <class T, std::size_t N>
Json ToJson(const std::array<T, N>& values) {
  Json array = Json::array();
  for (const T& v : values) array.push_back(ToJson(v));
  return array;
}

}  // namespace

Json NumberToJson(double value) {
  if (!std::isfinite(value)) return nullptr;
  return value;
}

Json ModelToJson(const DialModel& model) {
  Json out = Json::object();
  VisitDialParameters([&out](const char* name, const auto& field) { out[name] = ToJson(field); },
                      model);
  return out;
}

}  // namespace sundial::cli
