#!/usr/bin/env bash
# Cross-builds the whole suite for 64-bit Windows with mingw-w64: every
# program (.exe, self-contained) and the tests that run on Windows, with the
# same run tree as the Linux build. Installs what a fresh Debian 12 lacks
# (the compiler, zlib for it, and Wine to run the units that write the run
# folders' settings), and ZeroMQ for link_bridge.exe from Debian's source.
# Usage: scripts/build_windows.sh [build-dir] [extra cmake args...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build-windows}
shift || true

packages=(
  cmake make curl patch xz-utils
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest
  imagemagick librsvg2-bin espeak-ng sox
  wine64 wine
)
"$here/scripts/install_packages.sh" "${packages[@]}"
mkdir -p "$build"
build=$(cd "$build" && pwd)

# The run folders' settings files are written by the units themselves, here
# under Wine, in a prefix of the build's own (scripts/test_windows.sh uses it too).
export WINEPREFIX=$build/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# link_bridge.exe needs a ZeroMQ, which Debian ships only for Linux: a static
# one is built once from Debian's source into the build folder. Without it
# (no way to Debian's archive) the rest of the suite still builds.
if ! "$here/scripts/build_zmq_windows.sh" "$build/zmq-mingw"; then
  echo "build_windows: no ZeroMQ for Windows; link_bridge.exe is left out" >&2
fi

cmake -S "$here" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" -DCOCKPIT_BENCH=OFF \
  -DCOCKPIT_ZMQ_PREFIX="$build/zmq-mingw" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
# The units ran without a display: end that Wine session, so that the tests'
# session starts afresh on their X server.
wineserver -k 2>/dev/null || true
