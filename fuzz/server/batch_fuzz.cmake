cockpit_fuzzer(fuzz_server_batch SOURCES ${CMAKE_CURRENT_LIST_DIR}/batch_fuzz.cpp LIBS server)
