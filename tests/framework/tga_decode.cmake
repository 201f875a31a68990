cockpit_test(tga_decode_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tga_decode_test.cpp LIBS framework LABELS unit)
