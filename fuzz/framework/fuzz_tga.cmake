cockpit_fuzzer(fuzz_tga SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_tga.cpp LIBS framework)
# Beside its seed folder, where the test script looks for both.
set_target_properties(fuzz_tga PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz/framework)
file(COPY ${CMAKE_CURRENT_LIST_DIR}/seeds_fuzz_tga DESTINATION ${CMAKE_BINARY_DIR}/fuzz/framework)
