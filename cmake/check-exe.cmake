# Checks on the built temura.exe that need no Windows to run: one small file that starts on every
# Windows 10 and 11 as it is, with nothing beside it.
#   cmake -DEXE=temura.exe -DMAX_BYTES=4194304 -P cmake/check-exe.cmake
#   cmake -DEXE=temura.exe -DOBJDUMP=x86_64-w64-mingw32-objdump -P cmake/check-exe.cmake
# With MAX_BYTES the file's size is checked; with OBJDUMP the DLLs it imports.
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${EXE}")
  message(FATAL_ERROR "no such file: ${EXE}")
endif()
get_filename_component(name "${EXE}" NAME)

if(DEFINED MAX_BYTES)
  file(SIZE "${EXE}" size)
  if(size GREATER MAX_BYTES)
    message(FATAL_ERROR "${name} is ${size} bytes, more than ${MAX_BYTES}")
  endif()
  message(STATUS "${name}: ${size} bytes (at most ${MAX_BYTES})")
endif()

if(DEFINED OBJDUMP)
  # The system's own DLLs, present on every Windows 10 and 11. What the toolchain would otherwise
  # ship (libstdc++-6, libgcc_s_*, libwinpthread-1) must be linked in statically.
  set(allowed
    advapi32 comctl32 comdlg32 dwmapi gdi32 imm32 kernel32 msvcrt ole32 oleaut32 shcore shell32
    shlwapi ucrtbase user32 uxtheme version winmm)
  execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed (${rc})")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
  set(imports)
  set(bases)
  set(foreign)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^DLL Name: *" "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" lower)
    list(APPEND imports "${dll}")
    string(REGEX REPLACE "\\.dll$" "" base "${lower}")
    list(APPEND bases "${base}")
    if(NOT base IN_LIST allowed AND NOT base MATCHES "^api-ms-win-(crt|core)-")
      list(APPEND foreign "${dll}")
    endif()
  endforeach()
  # Every program imports kernel32: without it the dump was not read right, and an empty list
  # would pass anything.
  if(NOT "kernel32" IN_LIST bases)
    message(FATAL_ERROR "no kernel32 among the imports of ${name}: ${imports}")
  endif()
  if(foreign)
    list(JOIN foreign ", " foreign)
    message(FATAL_ERROR "${name} imports DLLs that not every Windows has: ${foreign}")
  endif()
  list(JOIN imports ", " imports)
  message(STATUS "${name} imports ${imports}")
endif()
