cockpit_fuzzer(fuzz_accfg SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_accfg.cpp LIBS pfd)
