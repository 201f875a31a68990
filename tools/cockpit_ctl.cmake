add_executable(cockpit_ctl ${CMAKE_CURRENT_LIST_DIR}/cockpit_ctl.cpp ${CMAKE_CURRENT_LIST_DIR}/cockpit_ctl_values.cpp)
target_link_libraries(cockpit_ctl PRIVATE server simlink)
