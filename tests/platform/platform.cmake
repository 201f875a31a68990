cockpit_test(platform_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/platform_test.cpp
  LIBS platform
  LABELS unit)
cockpit_test(platform_keymap_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/keymap_test.cpp
  LIBS platform
  LABELS unit)
