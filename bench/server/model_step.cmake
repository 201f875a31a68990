find_package(benchmark REQUIRED)
add_executable(bench_model_step ${CMAKE_CURRENT_LIST_DIR}/model_step.cpp)
target_link_libraries(bench_model_step PRIVATE server benchmark::benchmark benchmark::benchmark_main)
target_compile_definitions(bench_model_step PRIVATE COCKPIT_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
