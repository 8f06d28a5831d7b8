# Warnings and sanitizers for our own targets only, so third-party code is not affected.
add_library(temura_warnings INTERFACE)
target_compile_options(temura_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor -Wpedantic)
if(TEMURA_WERROR)
  target_compile_options(temura_warnings INTERFACE -Werror)
endif()

add_library(temura_sanitize INTERFACE)
if(TEMURA_SANITIZE)
  string(REPLACE ";" "," _temura_san "${TEMURA_SANITIZE}")
  target_compile_options(temura_sanitize INTERFACE -fsanitize=${_temura_san} -fno-omit-frame-pointer)
  target_link_options(temura_sanitize INTERFACE -fsanitize=${_temura_san})
endif()

# Every target of ours links this one.
add_library(temura_options INTERFACE)
target_link_libraries(temura_options INTERFACE temura_warnings temura_sanitize)
