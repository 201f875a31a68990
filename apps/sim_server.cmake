add_executable(sim_server ${CMAKE_CURRENT_LIST_DIR}/sim_server.cpp)
target_link_libraries(sim_server PRIVATE server simlink)
