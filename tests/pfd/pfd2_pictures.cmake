cockpit_test(pfd2_picture_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/pfd2_picture_fixture.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pfd2_altitude_picture_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pfd2_heading_picture_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pfd2_annunciation_picture_test.cpp
  LIBS pfd
  LABELS gl)
