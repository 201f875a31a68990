if(TARGET bridge)
  add_executable(link_bridge ${CMAKE_CURRENT_LIST_DIR}/link_bridge.cpp)
  target_link_libraries(link_bridge PRIVATE bridge)
endif()
