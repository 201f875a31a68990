cockpit_test(mfd_settings_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mfd_settings_test.cpp
  LIBS mfd framework platform
  LABELS unit)
