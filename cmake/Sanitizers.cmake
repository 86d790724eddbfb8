# -DTARNWICK_SANITIZE=ON builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer (any undefined behaviour stops the program), for
# a separate build folder in which the whole test suite runs:
#   cmake -S . -B build-san -G Ninja -DTARNWICK_SANITIZE=ON
#   cmake --build build-san && cd build-san &&
#   LSAN_OPTIONS=suppressions=$PWD/../cmake/lsan.supp QT_QPA_PLATFORM=offscreen ctest
# (lsan.supp silences the font library's cache, which lives until exit).
option(TARNWICK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(TARNWICK_SANITIZE)
  set(TARNWICK_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${TARNWICK_SANITIZER_FLAGS})
  add_link_options(${TARNWICK_SANITIZER_FLAGS})
endif()
