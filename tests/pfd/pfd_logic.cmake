cockpit_test(pfd_logic_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/pfd_convert_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pfd_accfg_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pfd_settings_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pfd_speed_logic_test.cpp
  LIBS pfd
  LABELS unit)
