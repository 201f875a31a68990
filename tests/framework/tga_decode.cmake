cockpit_test(tga_decode_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tga_decode_test.cpp LIBS framework LABELS unit)
cockpit_test(tga_texture_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tga_texture_test.cpp LIBS framework platform LABELS gl)
