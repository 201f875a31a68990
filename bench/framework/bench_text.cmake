add_executable(bench_text ${CMAKE_CURRENT_LIST_DIR}/bench_text.cpp)
target_link_libraries(bench_text PRIVATE framework platform)
