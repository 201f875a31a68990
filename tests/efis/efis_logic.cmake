cockpit_test(efis_logic_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/efis_logic_test.cpp LIBS efis LABELS unit)
cockpit_test(efis_settings_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/efis_settings_test.cpp LIBS efis LABELS unit)
