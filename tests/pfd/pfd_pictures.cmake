cockpit_test(pfd_picture_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/pfd2_picture_fixture.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pfd_attitude_picture_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pfd_speed_picture_test.cpp
  LIBS pfd
  LABELS gl)
