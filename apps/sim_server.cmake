add_executable(sim_server ${CMAKE_CURRENT_LIST_DIR}/sim_server.cpp)
target_link_libraries(sim_server PRIVATE server simlink)
# The receivers' default navigation database: the display units' copy in the run tree.
target_compile_definitions(sim_server PRIVATE COCKPIT_DEFAULT_NAVDATA="${COCKPIT_RUN_DIR}/du3/data")
