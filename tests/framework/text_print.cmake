cockpit_test(text_font_outline_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_font_outline_test.cpp LIBS platform LABELS unit)
cockpit_test(text_print_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_print_test.cpp LIBS framework platform LABELS gl)
cockpit_test(text_no_fonts_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_no_fonts_test.cpp LIBS framework platform LABELS unit)
set_tests_properties(text_no_fonts_test PROPERTIES ENVIRONMENT "FONTCONFIG_FILE=${CMAKE_CURRENT_LIST_DIR}/text_no_fonts.conf")
