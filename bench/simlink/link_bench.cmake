add_executable(bench_simlink_link ${CMAKE_CURRENT_LIST_DIR}/link_bench.cpp)
target_link_libraries(bench_simlink_link PRIVATE server simlink Threads::Threads)
