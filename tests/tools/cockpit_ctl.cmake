cockpit_test(tools_cockpit_ctl_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/cockpit_ctl_test.cpp ${CMAKE_SOURCE_DIR}/tools/cockpit_ctl_values.cpp
          ${CMAKE_SOURCE_DIR}/tests/simlink/link_test_support.cpp
  LIBS server simlink LABELS unit TIMEOUT 120)
add_dependencies(tools_cockpit_ctl_test sim_server cockpit_ctl)
