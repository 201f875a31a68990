add_executable(sim_server ${CMAKE_CURRENT_LIST_DIR}/sim_server.cpp)
target_link_libraries(sim_server PRIVATE server simlink)
# The receivers' default navigation database: the display units' copy in the run tree.
target_compile_definitions(sim_server PRIVATE COCKPIT_DEFAULT_NAVDATA="${COCKPIT_RUN_DIR}/du3/data")
# The FlightGear protocol file, in the run tree for copying into FlightGear's Protocol folder.
cockpit_run_folder(FOLDER flightgear DATA ${CMAKE_SOURCE_DIR}/server/flightgear/korvu.xml)
target_compile_definitions(sim_server PRIVATE COCKPIT_FLIGHTGEAR_PROTOCOL="${COCKPIT_RUN_DIR}/flightgear/data/korvu.xml")
