# Install step: the link from XScreenSaver's module folder (SUNDIAL_HACKDIR) to sundial-saver in
# SUNDIAL_BINDIR, both relative to the prefix unless absolute. The link is relative, as Debian
# wants for links within /usr, and is made under DESTDIR when one is given.
foreach(_dir SUNDIAL_HACKDIR SUNDIAL_BINDIR)
  if(NOT IS_ABSOLUTE "${${_dir}}")
    set(${_dir} "${CMAKE_INSTALL_PREFIX}/${${_dir}}")
  endif()
endforeach()
file(RELATIVE_PATH _target "${SUNDIAL_HACKDIR}" "${SUNDIAL_BINDIR}/sundial-saver")
set(_link "$ENV{DESTDIR}${SUNDIAL_HACKDIR}/sundial-saver")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${SUNDIAL_HACKDIR}")
message(STATUS "Installing: ${_link} -> ${_target}")
file(CREATE_LINK "${_target}" "${_link}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${SUNDIAL_HACKDIR}/sundial-saver")
