cockpit_test(server_batch_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/batch_test.cpp LIBS server LABELS unit)
cockpit_test(server_listener_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/listener_test.cpp ${CMAKE_SOURCE_DIR}/tests/simlink/link_test_support.cpp
  LIBS server simlink LABELS unit TIMEOUT 120)
