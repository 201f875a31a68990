add_executable(bench_model_units ${CMAKE_CURRENT_LIST_DIR}/model_units_bench.cpp)
target_link_libraries(bench_model_units PRIVATE server simlink Threads::Threads)
