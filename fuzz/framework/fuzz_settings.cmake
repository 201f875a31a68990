cockpit_fuzzer(fuzz_settings
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_settings.cpp
  LIBS framework platform)
