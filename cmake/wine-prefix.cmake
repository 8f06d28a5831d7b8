# Makes the Wine prefix that WINEPREFIX names, once: a prefix already made is left as it is
# (wineboot --init on it would redo the first start while other tests may run). The prefix gets
# a CD-ROM drive T: (a folder beside the prefix), so the tests can see the CD-ROM rule at work.
#   cmake -DWINE=/usr/bin/wine -P cmake/wine-prefix.cmake
if(NOT DEFINED ENV{WINEPREFIX})
  message(FATAL_ERROR "WINEPREFIX is not set")
endif()
set(prefix "$ENV{WINEPREFIX}")
if(EXISTS "${prefix}/system.reg")
  return()
endif()
execute_process(COMMAND "${WINE}" wineboot --init RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT EXISTS "${prefix}/system.reg")
  message(FATAL_ERROR "wineboot --init failed (${rc}) for ${prefix}")
endif()

get_filename_component(cdrom "${prefix}/../cdrom" ABSOLUTE)
file(MAKE_DIRECTORY "${cdrom}/Temura")
file(CREATE_LINK "${cdrom}" "${prefix}/dosdevices/t:" SYMBOLIC)
execute_process(COMMAND "${WINE}" reg add "HKLM\\Software\\Wine\\Drives" /v t: /d cdrom /f
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not make T: a CD-ROM drive (${rc})")
endif()

# The tests run on a bare X server: a window Wine hands to a window manager waits two seconds
# for one to take it off the screen each time it is hidden. No window of the tests is managed.
execute_process(COMMAND "${WINE}" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not turn off managed windows (${rc})")
endif()
