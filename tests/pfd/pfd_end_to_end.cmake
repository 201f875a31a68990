cockpit_test(pfd_end_to_end_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/pfd_end_to_end_test.cpp
  LIBS server simlink
  LABELS gl
  TIMEOUT 120)
add_dependencies(pfd_end_to_end_test pfd_display artwork_DU_BezelOverlay artwork_DU_NoBezel artwork_zero_flag)
