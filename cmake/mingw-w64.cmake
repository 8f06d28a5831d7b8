# Cross-building for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix).
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTEMURA_BUILD_QTGUI=OFF
# Tests run under Wine through CMAKE_CROSSCOMPILING_EMULATOR; tests/CMakeLists.txt gives them a
# private Wine prefix inside the build folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TEMURA_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix thread model: std::thread and std::mutex, which GoogleTest uses, need it.
find_program(CMAKE_C_COMPILER NAMES ${TEMURA_MINGW_TRIPLET}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TEMURA_MINGW_TRIPLET}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TEMURA_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TEMURA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe: no libstdc++, libgcc or winpthread DLL to ship or to find under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian's /usr/bin/wine picks wine64 when there is no 32-bit Wine.
find_program(TEMURA_WINE NAMES wine wine64)
if(TEMURA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TEMURA_WINE})
endif()
