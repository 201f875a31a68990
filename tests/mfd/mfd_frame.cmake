cockpit_test(mfd_frame_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mfd_frame_test.cpp
  LIBS mfd framework platform
  LABELS gl)
add_dependencies(mfd_frame_test artwork_MFD_Overlay artwork_MFD_NoBezel)
cockpit_test(mfd_input_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mfd_input_test.cpp
  LIBS mfd framework platform
  LABELS unit)
