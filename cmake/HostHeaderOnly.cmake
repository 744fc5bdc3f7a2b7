# nlohmann-json and CLI11 for a cross build: both are header-only, so the host's Debian headers
# serve any target. Only their own folders are exposed (never the whole of /usr/include, whose
# C library headers belong to the host).
set(_host_headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${_host_headers})
foreach(_dir nlohmann CLI)
  if(EXISTS /usr/include/${_dir} AND NOT EXISTS ${_host_headers}/${_dir})
    file(CREATE_LINK /usr/include/${_dir} ${_host_headers}/${_dir} SYMBOLIC)
  endif()
endforeach()
if(NOT EXISTS ${_host_headers}/nlohmann/json.hpp)
  message(FATAL_ERROR "nlohmann-json headers not found in /usr/include (Debian nlohmann-json3-dev)")
endif()
if(NOT TARGET nlohmann_json::nlohmann_json)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
                        INTERFACE_INCLUDE_DIRECTORIES ${_host_headers})
endif()
if(EXISTS ${_host_headers}/CLI/CLI.hpp AND NOT TARGET CLI11::CLI11)
  add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
  set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_host_headers})
endif()
