# The Debian package of the Linux programs, made with `cmake --workflow --preset package` (an
# optimised build of only what the package holds, then cpack) in build/package.
# It holds what `cmake --install` installs (the tests, benchmarks and tools install nothing) under
# the prefix /usr, with its copyright and changelog in /usr/share/doc/sundial-saver.
include(GNUInstallDirs)

set(SUNDIAL_PACKAGE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/sundial-saver)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${SUNDIAL_PACKAGE_DOCDIR})
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog
               @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${SUNDIAL_GZIP} -9nc ${PROJECT_BINARY_DIR}/packaging/changelog >
          ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog VERBATIM)
add_custom_target(package-changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${SUNDIAL_PACKAGE_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sundial-saver)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Orvantek)
set(CPACK_PACKAGE_CONTACT "Orvantek <sundial-saver@orvantek.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sundial screen saver for XScreenSaver")
set(CPACK_PACKAGE_DESCRIPTION "Shows one sundial, drawn to scale from a dial description file (.vqr), with
the shadow of its gnomon falling where the real sun casts it at this moment,
and the clock time and the equation of time written beneath it.

The package holds the XScreenSaver display module sundial-saver, which also
runs in a window of its own, example dials of every dial type, and the
sundial command, which renders any dial at any instant to PNG, SVG or PDF and
prints a dial, the sun and the computed geometry as JSON.

To list the module in XScreenSaver's settings, run once, as the user:
sundial-saver --xscreensaver-add. Before removing the package, run
sundial-saver --xscreensaver-remove, which takes it out of the list again.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Liberation Sans stands in for the dial's Arial, DejaVu Sans carries the zodiac signs and
# Symbola the bell.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core, fonts-symbola")
# XScreenSaver's own settings choose the dial there; the file chooser of "/c" is for desktops
# without it, and would bring in a large part of a desktop of its own.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "zenity | kdialog")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
