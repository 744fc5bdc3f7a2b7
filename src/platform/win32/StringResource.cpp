#include "platform/win32/StringResource.h"

namespace sundial::win32 {

std::string LoadStringResource(HINSTANCE instance, UINT id, const char* fallback) {
  // The strings are names and titles, far shorter than this.
  char buffer[256];
  const int length = LoadStringA(instance, id, buffer, static_cast<int>(sizeof buffer));
  if (length <= 0) return fallback;
  return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace sundial::win32
