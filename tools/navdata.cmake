# navdata: the navigation-data import and the plan and ident views. The
# import is a library of its own so that tests and benchmarks call it.
find_package(ZLIB REQUIRED)
add_library(navdata_import STATIC
  ${CMAKE_CURRENT_LIST_DIR}/navdata_csv.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navdata_import.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navdata_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navdata_ourairports.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navdata_show.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navdata_xplane.cpp)
target_link_libraries(navdata_import PUBLIC nav ZLIB::ZLIB)
add_executable(navdata ${CMAKE_CURRENT_LIST_DIR}/navdata.cpp)
target_link_libraries(navdata PRIVATE navdata_import server)  # server: printable_text
