# Cross-compiling the suite for 64-bit Windows with Debian's mingw-w64.
# Used by scripts/build_windows.sh; tests run under Wine through the
# cross-compiling emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The "posix" thread model: std::thread and std::mutex need it with GCC 12.
set(COCKPIT_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${COCKPIT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${COCKPIT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${COCKPIT_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${COCKPIT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained programs: the C++ runtime, winpthread and zlib are linked in,
# so a unit runs from any folder without the compiler's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(COCKPIT_WINE NAMES wine wine64)
if(COCKPIT_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${COCKPIT_WINE})
endif()
