cockpit_test(simlink_cells_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/cells_test.cpp LIBS simlink LABELS unit)
