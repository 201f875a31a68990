#!/usr/bin/env bash
# Builds a static libzmq for the Windows build, which Debian ships only for
# Linux: the source comes from Debian's own archive (checked against the
# sha256 pinned here, the one Debian's signed .dsc lists), CURVE through
# libzmq's built-in tweetnacl, nothing else from the network. The result is
# kept in the given folder and reused while it is there.
# Usage: scripts/build_zmq_windows.sh PREFIX   (e.g. build-windows/zmq-mingw)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:?usage: build_zmq_windows.sh PREFIX}

version=4.3.4
tarball=zeromq3_${version}.orig.tar.gz
url=http://deb.debian.org/debian/pool/main/z/zeromq3/$tarball
sha256=0ff5a531c9ffaf0dfdc7dc78d13d1383088f454896d252934c429b2554d10559
stamp=$prefix/.built-$version-$sha256

if [ -f "$stamp" ] && [ -f "$prefix/lib/libzmq.a" ]; then
  exit 0
fi

mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
work=$prefix/src
rm -rf "$work"
mkdir -p "$work"

echo "build_zmq_windows: fetching libzmq $version from Debian's archive"
if ! curl -sSf --retry 2 -o "$work/$tarball" "$url"; then
  echo "build_zmq_windows: cannot fetch $url" >&2
  exit 1
fi
if ! echo "$sha256  $work/$tarball" | sha256sum -c --quiet -; then
  echo "build_zmq_windows: $tarball does not match its pinned sha256; not used" >&2
  exit 1
fi
tar -xzf "$work/$tarball" -C "$work"

# Static, no tests, tools or documentation; no drafts (WebSocket, TLS); the
# CURVE mechanism with the bundled tweetnacl, so no libsodium is needed.
start=$(date +%s)
cmake -S "$work/libzmq-$version" -B "$work/build" \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED=OFF -DBUILD_STATIC=ON -DBUILD_TESTS=OFF \
  -DWITH_PERF_TOOL=OFF -DWITH_DOCS=OFF -DWITH_DOC=OFF -DENABLE_CPACK=OFF \
  -DENABLE_DRAFTS=OFF -DENABLE_WS=OFF -DWITH_TLS=OFF -DWITH_LIBBSD=OFF \
  -DWITH_LIBSODIUM=OFF -DENABLE_CURVE=ON -DENABLE_PRECOMPILED=OFF \
  -DWITH_OPENPGM=OFF -DWITH_NORM=OFF -DWITH_VMCI=OFF -DZMQ_WIN32_WINNT=0x0601 -DZMQ_HAVE_IPC=OFF >"$work/configure.log" 2>&1 ||
  { tail -30 "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" -j "$(nproc)" >"$work/build.log" 2>&1 ||
  { tail -30 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >"$work/install.log" 2>&1 ||
  { tail -30 "$work/install.log" >&2; exit 1; }
# The installed archive may carry a version in its name; the build looks for libzmq.a.
if [ ! -f "$prefix/lib/libzmq.a" ]; then
  archive=$(ls "$prefix"/lib/libzmq*.a 2>/dev/null | head -1)
  [ -n "$archive" ] || { echo "build_zmq_windows: no static libzmq was installed" >&2; exit 1; }
  cp "$archive" "$prefix/lib/libzmq.a"
fi
rm -rf "$work"
touch "$stamp"
echo "build_zmq_windows: libzmq $version built in $(( $(date +%s) - start )) s"
