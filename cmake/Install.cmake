# Installing Temura as a desktop application, and packaging it as a .deb with CPack.
#
#   cmake --install build --prefix /usr/local     the layout below, under any prefix
#   make deb                                      build-deb/temura_<version>_<arch>.deb
#
# <prefix>/bin/temura
# <prefix>/share/applications/Temura.desktop      the menu entry; a user's own Start Menu
#                                                 shortcut has the same ID and overrides it
# <prefix>/share/icons/hicolor/*/apps/temura.*    scalable SVG and PNG sizes
# <prefix>/share/mime/packages/temura.xml         application/x-temura, *.temura
# <prefix>/share/metainfo/org.example.temura.metainfo.xml
# <prefix>/share/temura/Help/help.html            found by F1 through the data folders

if(NOT TEMURA_BUILD_QTGUI)
  return()
endif()

include(GNUInstallDirs)

set(TEMURA_RESOURCES ${PROJECT_SOURCE_DIR}/src/resources)

# The program looks for its data in <program folder>/../share/temura (ui/data_file_rules),
# so the two folders must keep that relation.
if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
  message(WARNING "Temura finds its data in ../share/temura beside its program folder; with "
    "CMAKE_INSTALL_BINDIR=${CMAKE_INSTALL_BINDIR} and CMAKE_INSTALL_DATADIR="
    "${CMAKE_INSTALL_DATADIR} the installed help will not be found.")
endif()

# The addresses are written once, in src/app/links.h; the package metadata takes them from there.
file(READ ${PROJECT_SOURCE_DIR}/src/app/links.h TEMURA_LINKS_H)
function(temura_link constant variable)
  if(NOT TEMURA_LINKS_H MATCHES "${constant} = \"([^\"]*)\"")
    message(FATAL_ERROR "src/app/links.h has no ${constant}")
  endif()
  set(${variable} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
temura_link(kHomePage TEMURA_HOME_PAGE)
temura_link(kHelpPage TEMURA_HELP_PAGE)
temura_link(kAuthor TEMURA_AUTHOR)
temura_link(kContact TEMURA_CONTACT)

set(TEMURA_METAINFO org.example.temura.metainfo.xml)
configure_file(${TEMURA_RESOURCES}/desktop/${TEMURA_METAINFO}.in
  ${PROJECT_BINARY_DIR}/${TEMURA_METAINFO} @ONLY)

# A build run from its own folder finds the help the way an installed one does.
configure_file(${TEMURA_RESOURCES}/Help/help.html ${PROJECT_BINARY_DIR}/Help/help.html COPYONLY)

install(TARGETS temura RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TEMURA_RESOURCES}/desktop/Temura.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TEMURA_RESOURCES}/desktop/temura-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME temura.xml)
install(FILES ${PROJECT_BINARY_DIR}/${TEMURA_METAINFO}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TEMURA_RESOURCES}/icons/temura.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The PNGs are rendered from the SVG by scripts/make-icons.sh and committed.
install(DIRECTORY ${TEMURA_RESOURCES}/icons/hicolor/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor FILES_MATCHING PATTERN "*.png")
install(FILES ${TEMURA_RESOURCES}/Help/help.html
  DESTINATION ${CMAKE_INSTALL_DATADIR}/temura/Help)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/temura RENAME copyright)

# ---- the Debian package ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME temura)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${TEMURA_AUTHOR}")
set(CPACK_PACKAGE_CONTACT "${TEMURA_AUTHOR} <${TEMURA_CONTACT}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "always-on-top desktop clock")
# One string (a list would lose its semicolons); CPack indents the lines for the control file.
set(CPACK_PACKAGE_DESCRIPTION
"Temura is a small borderless clock that stays above the other windows.
It shows the local time or the time of any zone from its own list, e-Time
(the day in 1000 units), the time since start-up, UTC or a stopwatch, with
an optional date line and zone name. Looks are kept in .temura settings
files. English and Polish.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # temura_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TEMURA_HOME_PAGE}")
# dpkg-shlibdeps turns the libraries the program links into Debian's runtime packages
# (libqt6widgets6, ...). The plugins Qt loads at run time come with them: the xcb platform plugin
# with libqt6gui6.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-open shows the help and the home page; Liberation gives "Arial" its proper metrics; the tick
# reaches the sound server through libpulse0, loaded by name when the first tick plays.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation, libpulse0")
# No maintainer scripts: dpkg's triggers of shared-mime-info, desktop-file-utils and the icon
# caches refresh their databases when files land in their folders.

include(CPack)
