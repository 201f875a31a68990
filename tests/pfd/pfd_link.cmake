cockpit_test(pfd_exchange_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/pfd_exchange_test.cpp ${CMAKE_SOURCE_DIR}/tests/support/private_link.cpp
  LIBS pfd server
  LABELS unit)
