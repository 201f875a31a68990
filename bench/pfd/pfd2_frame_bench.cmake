# Full-PFD frame rate against the empty-frame rate, under a display (Xvfb).
add_executable(pfd2_frame_bench ${CMAKE_CURRENT_LIST_DIR}/pfd2_frame_bench.cpp)
target_link_libraries(pfd2_frame_bench PRIVATE pfd)
target_compile_definitions(pfd2_frame_bench PRIVATE COCKPIT_BINARY_DIR="${CMAKE_BINARY_DIR}")
