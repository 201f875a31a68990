# Frame rates and start-up time of the display-unit skeleton; run under Xvfb:
#   xvfb-run -a build/bench/bench_frames
add_executable(bench_frames ${CMAKE_CURRENT_LIST_DIR}/bench_frames.cpp)
target_link_libraries(bench_frames PRIVATE mfd framework platform)
target_compile_definitions(bench_frames PRIVATE COCKPIT_BINARY_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(bench_frames mfd_display artwork_MFD_Overlay artwork_MFD_NoBezel)
