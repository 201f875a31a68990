cockpit_test(simlink_process_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/process_test.cpp ${CMAKE_CURRENT_LIST_DIR}/link_test_support.cpp
  LIBS simlink LABELS unit TIMEOUT 120)
add_dependencies(simlink_process_test sim_server)
