cockpit_fuzzer(fuzz_png SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_png.cpp LIBS platform)
