cockpit_fuzzer(fuzz_efis_settings SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_efis_settings.cpp LIBS efis)
