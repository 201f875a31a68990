cockpit_test(server_batch_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/batch_test.cpp LIBS server LABELS unit)
cockpit_test(server_listener_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/listener_test.cpp ${CMAKE_SOURCE_DIR}/tests/simlink/link_test_support.cpp
  LIBS server simlink LABELS unit TIMEOUT 120)
cockpit_test(server_link_limits_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/link_limits_test.cpp ${CMAKE_SOURCE_DIR}/tests/support/private_link.cpp
          ${CMAKE_SOURCE_DIR}/tests/simlink/link_test_support.cpp
  LIBS server simlink LABELS unit TIMEOUT 120)
# The trust test runs link_trust_probe as a second user (as root; skipped otherwise).
add_executable(link_trust_probe ${CMAKE_CURRENT_LIST_DIR}/link_trust_probe.cpp)
target_link_libraries(link_trust_probe PRIVATE simlink)
cockpit_test(server_link_trust_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/link_trust_test.cpp ${CMAKE_SOURCE_DIR}/tests/simlink/link_test_support.cpp
          ${CMAKE_SOURCE_DIR}/tests/support/private_link.cpp
  LIBS server simlink LABELS unit TIMEOUT 120)
target_compile_definitions(server_link_trust_test PRIVATE LINK_TRUST_PROBE="$<TARGET_FILE:link_trust_probe>")
add_dependencies(server_link_trust_test link_trust_probe sim_server)
