# Shared build helpers. Each source folder owns its CMakeLists.txt and uses these.

# Two builds from one tree: Linux (POSIX, SDL2, FreeType, fontconfig, libpng)
# and Windows (mingw-w64, the system's own APIs). A source named *_posix.cpp
# belongs to the Linux build only, *_win32.cpp to the Windows build only; every
# other source is in both. A new file is therefore picked up by both builds
# unless its name says otherwise.
if(WIN32)
  set(COCKPIT_OTHER_PLATFORM_SUFFIX _posix)
else()
  set(COCKPIT_OTHER_PLATFORM_SUFFIX _win32)
endif()

# cockpit_platform_sources(OUT src...): the sources that belong to this build.
function(cockpit_platform_sources out)
  set(kept "")
  foreach(src ${ARGN})
    get_filename_component(stem ${src} NAME_WE)
    if(NOT stem MATCHES "${COCKPIT_OTHER_PLATFORM_SUFFIX}$")
      list(APPEND kept ${src})
    endif()
  endforeach()
  set(${out} ${kept} PARENT_SCOPE)
endfunction()

# Tests that use POSIX processes, sockets or SDL directly, or start programs
# through tests/support/programs.h (fork and exec), or use private network
# namespaces (tests/support/private_network.h), cannot run on Windows; the
# Windows build keeps their names (as disabled tests and empty targets) so
# that the CMake files that mention them stay valid.
set(COCKPIT_POSIX_ONLY_INCLUDES
    "#include (<(sys/(socket|mman|wait|un|stat)|poll|SDL[A-Za-z_]*)\\.h>|\"tests/support/(programs|private_network)\\.h\")")
function(cockpit_uses_posix_only out)
  set(found FALSE)
  foreach(src ${ARGN})
    file(STRINGS ${src} hits REGEX "${COCKPIT_POSIX_ONLY_INCLUDES}")
    if(hits)
      set(found TRUE)
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# cockpit_library(NAME [DEPS lib...]): a static library of every .cpp in the
# calling folder (not recursive) that belongs to this build. Headers are
# included as "folder/file.h".
function(cockpit_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  cockpit_platform_sources(srcs ${srcs})
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# cockpit_test(NAME SOURCES src... [LIBS lib...] [LABELS l...] [TIMEOUT s]): one
# GoogleTest executable registered with ctest. Tests labelled "gl" need a
# display (Xvfb). They know the source tree as COCKPIT_SOURCE_DIR (its shared
# data folder is COCKPIT_SOURCE_DIR/../shared/data, absent in a user's clone),
# the build tree as COCKPIT_BINARY_DIR and the run tree as COCKPIT_RUN_DIR.
function(cockpit_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  cockpit_platform_sources(ARG_SOURCES ${ARG_SOURCES})
  # A test of the other build's own code (all its sources *_win32.cpp, say)
  # or one that needs POSIX is kept as a disabled placeholder.
  set(other_build FALSE)
  if(NOT ARG_SOURCES)
    set(other_build TRUE)
  elseif(WIN32)
    cockpit_uses_posix_only(other_build ${ARG_SOURCES})
  endif()
  if(other_build)
    # Never built; it only lets the CMake lines that name it stand.
    set(stub ${CMAKE_BINARY_DIR}/other_build_placeholder.cpp)
    if(NOT EXISTS ${stub})
      file(WRITE ${stub} "int main() { return 0; }\n")
    endif()
    add_executable(${name} EXCLUDE_FROM_ALL ${stub})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES DISABLED TRUE LABELS "other_build")
    return()
  endif()
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
  # Tests with windows share one X server; run them one at a time so that no
  # other test's window takes the focus or the keyboard from them.
  if("gl" IN_LIST ARG_LABELS)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
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

# Artwork: an SVG source rendered at build time into a TGA texture.
# cockpit_artwork(NAME SVG path.svg WIDTH w HEIGHT h)
# produces ${CMAKE_BINARY_DIR}/artwork/NAME.tga and the target artwork_NAME.
# The TGA is written bottom-up (first file row = bottom of the picture), which
# is how the units map texture row 0 onto the bottom of their quads.
find_program(COCKPIT_RSVG rsvg-convert)
find_program(COCKPIT_IM_CONVERT NAMES convert-im6.q16 convert-im6 magick PATHS /usr/bin NO_DEFAULT_PATH)
function(cockpit_artwork name)
  cmake_parse_arguments(ARG "" "SVG;WIDTH;HEIGHT" "" ${ARGN})
  set(out ${CMAKE_BINARY_DIR}/artwork/${name}.tga)
  set(png ${CMAKE_BINARY_DIR}/artwork/${name}.png)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/artwork
    COMMAND ${COCKPIT_RSVG} -w ${ARG_WIDTH} -h ${ARG_HEIGHT} -o ${png} ${ARG_SVG}
    COMMAND ${COCKPIT_IM_CONVERT} ${png} -flip ${out}.tmp.tga
    COMMAND ${CMAKE_COMMAND} -E rename ${out}.tmp.tga ${out}
    DEPENDS ${ARG_SVG}
    COMMENT "Rendering artwork ${name}.tga")
  add_custom_target(artwork_${name} ALL DEPENDS ${out})
endfunction()

# The run tree: cockpit_run_folder(FOLDER name [TEXTURES artwork-name...]
#                                  [FILES src...] [DATA src...])
# copies generated textures into <run>/<folder>/textures/ and data files into
# <run>/<folder>/data/, so that a unit started there finds its files.
function(cockpit_run_folder)
  cmake_parse_arguments(ARG "" "FOLDER" "TEXTURES;DATA;DATA_TARGETS" ${ARGN})
  set(dir ${COCKPIT_RUN_DIR}/${ARG_FOLDER})
  set(outputs "")
  foreach(tex ${ARG_TEXTURES})
    set(dst ${dir}/textures/${tex}.tga)
    add_custom_command(OUTPUT ${dst}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/textures ${dir}/data
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_BINARY_DIR}/artwork/${tex}.tga ${dst}
      DEPENDS artwork_${tex} ${CMAKE_BINARY_DIR}/artwork/${tex}.tga)
    list(APPEND outputs ${dst})
  endforeach()
  foreach(src ${ARG_DATA})
    get_filename_component(fname ${src} NAME)
    set(dst ${dir}/data/${fname})
    add_custom_command(OUTPUT ${dst}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/data
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${dst}
      DEPENDS ${src} ${ARG_DATA_TARGETS})
    list(APPEND outputs ${dst})
  endforeach()
  file(MAKE_DIRECTORY ${dir}/textures ${dir}/data)
  string(MD5 hash "${ARGN}")
  string(SUBSTRING ${hash} 0 8 hash)
  add_custom_target(run_${ARG_FOLDER}_${hash} ALL DEPENDS ${outputs})
endfunction()

# A run folder's settings file, written once by the unit program itself: its
# own default file with the given settings, when the folder has none (a file
# the user changed is kept).
# cockpit_run_settings(FOLDER name PROGRAM target FILE settings-file [SET name=value ...])
function(cockpit_run_settings)
  cmake_parse_arguments(ARG "" "FOLDER;PROGRAM;FILE" "SET" ${ARGN})
  # A cross build runs the program through its emulator (Wine for Windows);
  # without one the unit writes its defaults at its first start instead.
  if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  list(TRANSFORM ARG_SET PREPEND "--set;")
  # The program is a target: it is built first, and a rebuilt program does
  # not rewrite the file.
  add_custom_command(OUTPUT ${COCKPIT_RUN_DIR}/${ARG_FOLDER}/${ARG_FILE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${COCKPIT_RUN_DIR}/${ARG_FOLDER}
    COMMAND ${ARG_PROGRAM} --headless --workdir ${COCKPIT_RUN_DIR}/${ARG_FOLDER} ${ARG_SET} --write-settings
    COMMENT "Writing the run folder's ${ARG_FOLDER}/${ARG_FILE}")
  add_custom_target(run_${ARG_FOLDER}_settings ALL DEPENDS ${COCKPIT_RUN_DIR}/${ARG_FOLDER}/${ARG_FILE})
endfunction()

# A golden picture of a whole program (Linux build): the program runs in a
# copy of its run folder against a held sim_server whose offsets are set
# first, and its screenshot after FRAMES frames is compared with
# tests/golden/NAME.png (scripts/update_golden.sh writes the references).
# cockpit_golden_program(NAME name PROGRAM target FOLDER run-folder [FRAMES n]
#                        [PRIVATE_NETWORK] [POKE offset=value:size ...] [ARGS arg ...])
function(cockpit_golden_program)
  cmake_parse_arguments(ARG "PRIVATE_NETWORK" "NAME;PROGRAM;FOLDER;FRAMES" "POKE;ARGS" ${ARGN})
  if(WIN32)
    return()
  endif()
  if(NOT ARG_FRAMES)
    set(ARG_FRAMES 20)
  endif()
  set(netns 0)
  if(ARG_PRIVATE_NETWORK)
    set(netns 1)
  endif()
  add_test(NAME golden_${ARG_NAME}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/support/golden_program.sh ${ARG_NAME} ${CMAKE_BINARY_DIR}
            ${ARG_PROGRAM} ${ARG_FOLDER} ${ARG_FRAMES} ${netns} ${ARG_POKE} -- ${ARG_ARGS})
  set_tests_properties(golden_${ARG_NAME} PROPERTIES LABELS "gl;golden" RUN_SERIAL TRUE TIMEOUT 120)
endfunction()
