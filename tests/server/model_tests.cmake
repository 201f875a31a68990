cockpit_test(model_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/model_flight_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/model_write_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/model_table_test.cpp
  LIBS server
  LABELS unit)
