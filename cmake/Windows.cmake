# The Windows build's libraries, under the names the Linux build's targets
# use, so that every folder's CMake file serves both builds unchanged:
# OpenGL::GL, PkgConfig::GLU, Threads::Threads and rt exist in both.
# SDL2, FreeType, fontconfig and libpng have no Windows build in Debian; the
# platform layer's *_win32.cpp sources use the system's own APIs instead.

# C99 formatting (%zu, %lld, rounding as glibc) instead of the old runtime's.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
                        _USE_MATH_DEFINES)  # M_PI under strict ISO C++ as on glibc

find_package(Threads REQUIRED)
add_library(OpenGL::GL INTERFACE IMPORTED)
set_target_properties(OpenGL::GL PROPERTIES INTERFACE_LINK_LIBRARIES opengl32)
add_library(PkgConfig::GLU INTERFACE IMPORTED)
set_target_properties(PkgConfig::GLU PROPERTIES INTERFACE_LINK_LIBRARIES "glu32;opengl32")
add_library(rt INTERFACE)  # POSIX real-time library: nothing to link on Windows
set(ZLIB_USE_STATIC_LIBS ON)  # linked into the programs, no zlib DLL to ship
find_package(ZLIB REQUIRED)   # the PNG writer's deflate (Debian libz-mingw-w64-dev)

if(COCKPIT_TESTS)
  # Debian ships GoogleTest as source; it is built here with the same compiler.
  set(COCKPIT_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  # Its CMake file defines GTest::gtest and GTest::gtest_main as well.
  add_subdirectory(${COCKPIT_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
