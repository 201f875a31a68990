cockpit_test(pfd2_logic_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/pfd2_minimums_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pfd2_geodesy_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pfd2_annunciator_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pfd2_heading_logic_test.cpp
  LIBS pfd
  LABELS unit)

cockpit_test(pfd2_link_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/pfd2_link_test.cpp ${CMAKE_SOURCE_DIR}/tests/support/private_link.cpp
  LIBS pfd server
  LABELS unit)
