cockpit_test(mfd_display_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mfd_display_test.cpp
  LIBS platform
  LABELS gl)
add_dependencies(mfd_display_test mfd_display)
