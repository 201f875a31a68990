# Per-group time of the PFD frame and whole-frame rate against empty frames.
add_executable(pfd_group_bench ${CMAKE_CURRENT_LIST_DIR}/pfd_group_bench.cpp)
target_link_libraries(pfd_group_bench PRIVATE pfd server)
target_compile_definitions(pfd_group_bench PRIVATE COCKPIT_BINARY_DIR="${CMAKE_BINARY_DIR}")
