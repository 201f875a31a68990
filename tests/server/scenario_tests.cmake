cockpit_test(scenario_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/scenario_parser_test.cpp ${CMAKE_CURRENT_LIST_DIR}/scenario_file_test.cpp
  LIBS server
  LABELS unit)
