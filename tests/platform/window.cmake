cockpit_test(platform_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_test.cpp
  LIBS platform
  LABELS gl)
