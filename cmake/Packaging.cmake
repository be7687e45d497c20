# Installing like a desktop application, and the Debian package built from the same install rules:
#   cmake --install build --prefix <dir>
#   (cd build && cpack -G DEB)
# The package holds the program, its launcher (desktop entry), its icons in the hicolor theme rendered
# from the window icon at build time, the AppStream metainfo, a manual page, the copyright and the
# changelog.
include(GNUInstallDirs)

# Where the project is published; the AppStream id is its reverse form. Placeholders until there is one.
set(TARNWICK_SITE "https://www.example.com/tarnwick" CACHE STRING
    "Project's web address (AppStream homepage; the screenshot is <site>/docs/tela-principal.png)")
set(TARNWICK_APP_ID "com.example.Tarnwick" CACHE STRING "AppStream component id")
set(TARNWICK_MAINTAINER "Tarnwick developers <tarnwick@example.com>" CACHE STRING
    "Maintainer of the Debian package")

# The date of this version, in the metainfo and the package's changelog; moves with the version.
set(TARNWICK_RELEASE_DATE "2026-12-10")
set(TARNWICK_RELEASE_DATE_RFC2822 "Thu, 10 Dec 2026 12:00:00 +0000")

set(_pkg_src ${PROJECT_SOURCE_DIR}/packaging)
set(_pkg_bin ${PROJECT_BINARY_DIR}/packaging)

# The launcher passes this switch: the program then works in ~/.config/tarnwick (src/app/PastaUsuario.h).
set(TARNWICK_LAUNCHER_SWITCH "--pasta-do-usuario")
# The desktop entry is named after the program, as its window's X11 class and Wayland app id are.
configure_file(${_pkg_src}/tarnwick.desktop.in ${_pkg_bin}/tarnwick.desktop @ONLY)
configure_file(${_pkg_src}/tarnwick.metainfo.xml.in ${_pkg_bin}/${TARNWICK_APP_ID}.metainfo.xml @ONLY)
configure_file(${_pkg_src}/changelog.in ${_pkg_bin}/changelog @ONLY)

# Icons: the window icon drawn by the program's own code, at the theme's usual sizes.
set(TARNWICK_ICON_SIZES 16 22 24 32 48 64 128 256)
set(_icons)
foreach(_size IN LISTS TARNWICK_ICON_SIZES)
  list(APPEND _icons ${_pkg_bin}/hicolor/${_size}x${_size}/apps/tarnwick.png)
endforeach()
add_custom_command(OUTPUT ${_icons}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:icon-render> ${_pkg_bin}/hicolor ${TARNWICK_ICON_SIZES}
  DEPENDS icon-render
  COMMENT "Rendering the desktop icons"
  VERBATIM)
# Compressed as Debian wants them.
add_custom_command(OUTPUT ${_pkg_bin}/changelog.gz ${_pkg_bin}/tarnwick.1.gz
  COMMAND gzip -9nc ${_pkg_bin}/changelog > ${_pkg_bin}/changelog.gz
  COMMAND gzip -9nc ${_pkg_src}/tarnwick.1 > ${_pkg_bin}/tarnwick.1.gz
  DEPENDS ${_pkg_bin}/changelog ${_pkg_src}/tarnwick.1
  VERBATIM)
add_custom_target(tarnwick_packaging_files ALL
  DEPENDS ${_icons} ${_pkg_bin}/changelog.gz ${_pkg_bin}/tarnwick.1.gz)

set(_docdir ${CMAKE_INSTALL_DATADIR}/doc/tarnwick) # Debian's place, whatever the project's name
install(TARGETS tarnwick RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_pkg_bin}/tarnwick.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_pkg_bin}/${TARNWICK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${_pkg_bin}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${_pkg_bin}/tarnwick.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_pkg_src}/copyright ${_pkg_bin}/changelog.gz DESTINATION ${_docdir})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "${TARNWICK_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TARNWICK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TARNWICK_SITE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Firebird client library is loaded at the first connection, so the binary does not name it: it is
# still what every connection goes through.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libfbclient2")
# The embedded Firebird engine opens a local database file; Qt's translations put its own dialogs in
# Portuguese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "firebird3.0-server-core, qt6-translations-l10n")
file(READ ${_pkg_src}/description.txt CPACK_DEBIAN_PACKAGE_DESCRIPTION)
string(STRIP "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}" CPACK_DEBIAN_PACKAGE_DESCRIPTION)
include(CPack)
