cockpit_fuzzer(fuzz_scenario
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_scenario.cpp
  LIBS server)
