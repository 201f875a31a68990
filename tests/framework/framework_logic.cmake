cockpit_test(framework_logic_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bezel_input_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/window_logic_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/settings_file_test.cpp
  LIBS framework platform
  LABELS unit)
