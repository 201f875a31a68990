cockpit_test(simlink_client_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/client_test.cpp ${CMAKE_CURRENT_LIST_DIR}/fake_server.cpp
          ${CMAKE_CURRENT_LIST_DIR}/link_test_support.cpp
  LIBS server simlink LABELS unit TIMEOUT 120)
