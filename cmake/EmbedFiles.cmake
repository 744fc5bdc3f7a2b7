# Writes OUTPUT, a header that holds the bytes of FILES as arrays, and kWindowIconPngs, the list of
# them: cmake -DOUTPUT=... -DFILES="a;b" -P EmbedFiles.cmake
set(_arrays "")
set(_list "")
set(_index 0)
foreach(_file IN LISTS FILES)
  file(READ ${_file} _hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _bytes "${_hex}")
  string(REGEX REPLACE "(([^,]+,){16})" "\\1\n    " _bytes "${_bytes}")
  string(APPEND _arrays "inline constexpr unsigned char kIconPng${_index}[] = {\n    ${_bytes}};\n")
  string(APPEND _list "    {kIconPng${_index}, sizeof kIconPng${_index}},\n")
  math(EXPR _index "${_index} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Made by cmake/EmbedFiles.cmake from the icon pictures; not to be edited.
#pragma once

#include <cstddef>

namespace sundial::x11 {

${_arrays}
struct WindowIconPng {
  const unsigned char* data;
  std::size_t size;
};

inline constexpr WindowIconPng kWindowIconPngs[] = {
${_list}};

}  // namespace sundial::x11
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
