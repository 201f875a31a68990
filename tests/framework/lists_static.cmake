cockpit_test(lists_static_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/lists_static_test.cpp LIBS framework platform LABELS gl)
