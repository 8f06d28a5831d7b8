# Warnings and sanitizers for our own targets only, so third-party code is not affected.
add_library(temura_warnings INTERFACE)
target_compile_options(temura_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor -Wpedantic)
if(TEMURA_WERROR)
  target_compile_options(temura_warnings INTERFACE -Werror)
endif()

add_library(temura_sanitize INTERFACE)
set(_temura_san_list ${TEMURA_SANITIZE})
if(TEMURA_FUZZ)
  # Fuzzing without the sanitizers would miss most of what it is for.
  list(APPEND _temura_san_list address undefined)
  list(REMOVE_DUPLICATES _temura_san_list)
  # Coverage for the fuzzer in every target of ours; the fuzz programs link libFuzzer itself.
  target_compile_options(temura_sanitize INTERFACE -fsanitize=fuzzer-no-link)
endif()
if(_temura_san_list)
  string(REPLACE ";" "," _temura_san "${_temura_san_list}")
  # A report must fail the test that caused it, not scroll past in its output.
  target_compile_options(temura_sanitize INTERFACE
    -fsanitize=${_temura_san} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(temura_sanitize INTERFACE -fsanitize=${_temura_san})
endif()

# Every target of ours links this one.
add_library(temura_options INTERFACE)
target_link_libraries(temura_options INTERFACE temura_warnings temura_sanitize)
