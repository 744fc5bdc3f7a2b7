// The parameters of a dial as JSON, shared by the commands that print a dial: every parameter
// field under its own name in the order of the record, arrays as arrays, texts converted from
// code page 1252 to UTF-8, 8-byte blocks as 16 hexadecimal digits (the bytes in file order), and
// numbers that are not finite as null.
#pragma once

#include <nlohmann/json.hpp>

#include "model/DialModel.h"

namespace sundial::cli {

nlohmann::ordered_json ModelToJson(const DialModel& model);

// A double as JSON: the number, or null when it is not finite.
nlohmann::ordered_json NumberToJson(double value);

}  // namespace sundial::cli
