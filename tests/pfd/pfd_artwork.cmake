cockpit_test(pfd_artwork_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/pfd_artwork_test.cpp
  LIBS pfd framework
  LABELS unit)
add_dependencies(pfd_artwork_test artwork_DU_BezelOverlay artwork_DU_NoBezel artwork_zero_flag)
