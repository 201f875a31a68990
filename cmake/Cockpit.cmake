# Shared build helpers. Each source folder owns its CMakeLists.txt and uses these.

# cockpit_library(NAME [DEPS lib...]): a static library of every .cpp in the
# calling folder (not recursive). Headers are included as "folder/file.h".
function(cockpit_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# cockpit_test(NAME SOURCES src... [LIBS lib...] [LABELS l...]): one GoogleTest
# executable registered with ctest. Tests labelled "gl" need a display (Xvfb).
# They run with the source tree's shared data folder reachable as
# COCKPIT_SHARED_DATA and the run tree as COCKPIT_RUN_DIR.
function(cockpit_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_compile_definitions(${name} PRIVATE
    COCKPIT_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    COCKPIT_BINARY_DIR="${CMAKE_BINARY_DIR}"
    COCKPIT_RUN_DIR="${COCKPIT_RUN_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# cockpit_fuzzer(NAME SOURCES src... [LIBS lib...]): a libFuzzer target.
function(cockpit_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()

# cockpit_run_folder(FOLDER [FILES src=>dest ...]) is done with plain
# add_custom_command in the owning folder; the run tree lives under
# ${COCKPIT_RUN_DIR}/<unit folder>/ with textures/ and data/ inside.
