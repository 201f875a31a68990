cockpit_test(efis_panel_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/efis_panel_test.cpp
  LIBS efis framework platform server simlink
  LABELS gl)
add_dependencies(efis_panel_test efis_panel)
