# The Windows downloads, built with the program: the installer (NSIS, 64-bit) and the portable
# zip, both in the build folder:
#   temura-<version>-setup.exe     temura.exe, the help page, a Start Menu entry, an uninstaller
#   temura-<version>-portable.zip  temura.exe and Help/help.html, to run from any folder
find_program(TEMURA_MAKENSIS NAMES makensis REQUIRED)

set(TEMURA_SETUP ${CMAKE_BINARY_DIR}/temura-${PROJECT_VERSION}-setup.exe)
set(TEMURA_PORTABLE ${CMAKE_BINARY_DIR}/temura-${PROJECT_VERSION}-portable.zip)
set(TEMURA_HELP ${PROJECT_SOURCE_DIR}/src/resources/Help/help.html)
set(TEMURA_NSI ${PROJECT_SOURCE_DIR}/packaging/windows/temura.nsi)
set(TEMURA_STAGE ${CMAKE_BINARY_DIR}/portable)
file(MAKE_DIRECTORY ${TEMURA_STAGE}/Help)  # the zip is made inside it

add_custom_command(OUTPUT ${TEMURA_SETUP}
  COMMAND ${TEMURA_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DEXE=$<TARGET_FILE:temura>
    -DHELP=${TEMURA_HELP} -DOUTFILE=${TEMURA_SETUP} ${TEMURA_NSI}
  DEPENDS temura ${TEMURA_NSI} ${TEMURA_HELP}
  COMMENT "Building the Windows installer")
add_custom_command(OUTPUT ${TEMURA_PORTABLE}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:temura> ${TEMURA_STAGE}/temura.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${TEMURA_HELP} ${TEMURA_STAGE}/Help/help.html
  COMMAND ${CMAKE_COMMAND} -E tar cf ${TEMURA_PORTABLE} --format=zip temura.exe Help/help.html
  WORKING_DIRECTORY ${TEMURA_STAGE}
  DEPENDS temura ${TEMURA_HELP}
  COMMENT "Building the portable zip")
add_custom_target(windows-package ALL DEPENDS ${TEMURA_SETUP} ${TEMURA_PORTABLE})
