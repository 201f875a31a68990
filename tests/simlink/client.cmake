# One source, both transports: the Windows build runs it under Wine.
cockpit_test(simlink_client_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/client_test.cpp ${CMAKE_CURRENT_LIST_DIR}/fake_server.cpp
          ${CMAKE_CURRENT_LIST_DIR}/mapping_probe_posix.cpp ${CMAKE_CURRENT_LIST_DIR}/mapping_probe_win32.cpp
          ${CMAKE_SOURCE_DIR}/tests/support/private_link.cpp
  LIBS server simlink platform LABELS unit link TIMEOUT 120)
