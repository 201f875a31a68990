cockpit_test(link_state_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/link_state_test.cpp
  LIBS framework server simlink platform
  LABELS unit TIMEOUT 120)
