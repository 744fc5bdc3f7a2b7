# sundial_man_page(SOURCE): installs the roff page SOURCE (NAME.SECTION) compressed as Debian
# wants it (gzip -9, no name or time stamp inside) in <mandir>/manSECTION.
include(GNUInstallDirs)
find_program(SUNDIAL_GZIP gzip REQUIRED)

function(sundial_man_page source)
  get_filename_component(_name ${source} NAME)
  string(REGEX REPLACE "^.*\\.([0-9])$" "\\1" _section ${_name})
  set(_out ${PROJECT_BINARY_DIR}/man/${_name}.gz)
  add_custom_command(OUTPUT ${_out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${SUNDIAL_GZIP} -9nc ${source} > ${_out}
    DEPENDS ${source} VERBATIM)
  add_custom_target(man-${_name} ALL DEPENDS ${_out})
  install(FILES ${_out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${_section})
endfunction()
