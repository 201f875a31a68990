cockpit_test(platform_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_test.cpp
  LIBS platform
  LABELS gl)
# The Windows window layer's own messages; the Linux build keeps a placeholder.
cockpit_test(platform_window_win32_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_test_win32.cpp
  LIBS platform
  LABELS unit)
