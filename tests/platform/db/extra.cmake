# A helper program for the tests that need other processes (multi-process,
# crash) and for the interoperability check (tests/scripts/dbf_interop.sh).
add_executable(tw_db_tool ${CMAKE_CURRENT_SOURCE_DIR}/tool/tw_db_tool.cpp)
target_link_libraries(tw_db_tool PRIVATE tw_db)
if(TARGET tw_db_test)
  add_dependencies(tw_db_test tw_db_tool)
  target_compile_definitions(tw_db_test PRIVATE TW_DB_TOOL="$<TARGET_FILE:tw_db_tool>")
endif()
if(TARGET tw_db_test)
  # The crash test reads its tables with python3-dbfread through this script.
  target_compile_definitions(tw_db_test PRIVATE TW_DB_TEST_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
endif()
add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/fuzz ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
# The same helper with Qt: a process started under another locale, with
# QApplication constructed as the program does (the locale test).
if(TARGET Qt6::Widgets)
  add_executable(tw_db_locale_tool ${CMAKE_CURRENT_SOURCE_DIR}/tool/tw_db_tool.cpp)
  target_compile_definitions(tw_db_locale_tool PRIVATE TW_DB_TOOL_QT)
  target_link_libraries(tw_db_locale_tool PRIVATE tw_db Qt6::Widgets)
  if(TARGET tw_db_test)
    add_dependencies(tw_db_test tw_db_locale_tool)
    target_compile_definitions(tw_db_test PRIVATE TW_DB_LOCALE_TOOL="$<TARGET_FILE:tw_db_locale_tool>")
  endif()
endif()
