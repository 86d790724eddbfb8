# tarnwick_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# One GoogleTest executable; every test in it becomes a ctest test. Tests run
# with the offscreen Qt platform so that they never need a display; tests that
# format dates pin their locale themselves (tw::locale::PinLocale).
function(tarnwick_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  # Helpers shared by tests of several folders: #include "support/...".
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=UTC"
      LABELS "${ARG_LABELS}"
      TIMEOUT 300)
endfunction()

# tarnwick_add_benchmark(<name> SOURCES <files...> LIBS <targets...>)
function(tarnwick_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
  # Benchmarks build on the tests' fixtures: #include "support/...".
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endfunction()
