# sundial_layer(NAME DIR [DEPS...]): a static library made of every .cpp in DIR (not recursing),
# with src/ as the include root so that headers are included as "layer/File.h".
# A layer without sources yet becomes an interface library.
function(sundial_layer name dir)
  file(GLOB _sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  if(_sources)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()
