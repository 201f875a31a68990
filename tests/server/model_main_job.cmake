# The README's first command, headless and fast: the default flight at forty
# times speed must leave a composed picture of each moment it reaches.
add_test(NAME model_main_job
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/model_main_job_test.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
set_tests_properties(model_main_job PROPERTIES LABELS gl TIMEOUT 300 RUN_SERIAL TRUE)
