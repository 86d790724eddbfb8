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

# tarnwick_add_window_test(<name> SOURCES <files...> [LIBS <targets...>] [LOCALE_RUNS])
# Tests of a page through the real main window, offscreen, on the sample
# schedule; the main window's fixtures are in tests/app. With LOCALE_RUNS,
# the tests named *LocaleRuns* run again under the locales a server, a German
# and an American desktop have.
function(tarnwick_add_window_test name)
  cmake_parse_arguments(ARG "LOCALE_RUNS" "" "SOURCES;LIBS" ${ARGN})
  find_package(Qt6 REQUIRED COMPONENTS Test)
  tarnwick_add_test(${name} SOURCES ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/app/testapplication.h
    LIBS tw_app tw_sampleschedule Qt6::Test ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_compile_definitions(${name} PRIVATE TW_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples"
    TW_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/app
    ${PROJECT_SOURCE_DIR}/tests/schedule/sync ${PROJECT_SOURCE_DIR}/tests/platform/mail
    ${PROJECT_SOURCE_DIR}/tests/reports)
  if(ARG_LOCALE_RUNS)
    foreach(lang C.UTF-8 de_DE.UTF-8 en_US.UTF-8)
      add_test(NAME ${name}.LocaleRuns.${lang} COMMAND ${name} --gtest_filter=*LocaleRuns*)
      set_tests_properties(${name}.LocaleRuns.${lang} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=UTC;LANG=${lang};LC_ALL=${lang}" TIMEOUT 300)
    endforeach()
  endif()
endfunction()
