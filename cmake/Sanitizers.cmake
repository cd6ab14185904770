# -DSONAVOLTA_SANITIZE=ON builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer (leak checking comes with the former).
# scripts/harden builds such a tree and runs every test in it with the
# suppressions in scripts/lsan.supp.
#
# -DSONAVOLTA_FUZZ=ON (clang only) adds the libFuzzer targets in fuzz/, on
# top of the sanitizers; the code they reach is built with coverage
# instrumentation so the fuzzer can steer by it. scripts/fuzz builds and runs them.
option(SONAVOLTA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(SONAVOLTA_FUZZ "Build the libFuzzer targets in fuzz/ (clang)" OFF)

# Any undefined behaviour ends the process, so no report can scroll by
# unnoticed in a passing test.
set(SONAVOLTA_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Part of "undefined" in clang, but not in gcc: a double too large for the
  # int it is cast to.
  list(APPEND SONAVOLTA_SANITIZER_FLAGS -fsanitize=float-cast-overflow)
endif()

if(SONAVOLTA_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "SONAVOLTA_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++")
endif()
if(SONAVOLTA_SANITIZE OR SONAVOLTA_FUZZ)
  add_compile_options(${SONAVOLTA_SANITIZER_FLAGS})
  add_link_options(${SONAVOLTA_SANITIZER_FLAGS})
endif()
if(SONAVOLTA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
