cockpit_test(model_link_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/model_roundtrip_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/model_server_test.cpp
          ${CMAKE_SOURCE_DIR}/tests/simlink/link_test_support.cpp
  LIBS server simlink
  LABELS unit
  TIMEOUT 180)
