// The texts that the screen saver carries as string resources (resources/ResourceIds.h).
#pragma once

#include "platform/win32/WinApi.h"

#include <string>

#include "platform/win32/resources/ResourceIds.h"

namespace sundial::win32 {

// String `id` of the module `instance`, or `fallback` when the module has no such string (a
// program built without the saver's resources, such as the tests).
std::string LoadStringResource(HINSTANCE instance, UINT id, const char* fallback);

}  // namespace sundial::win32
