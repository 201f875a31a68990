#!/usr/bin/env bash
# Builds a static libzmq for the Windows build, which Debian ships only for
# Linux: the source is Debian's own, the upstream tarball with Debian's patch
# series applied in order as dpkg-source applies it, so that Windows gets the
# same fixes as the Linux library (among them a message lost to EINTR). Both
# tarballs come from Debian's archive, each checked against the sha256 pinned
# here (the ones Debian's signed .dsc lists); CURVE through libzmq's built-in
# tweetnacl, nothing else from the network. The result is kept in the given
# folder and reused while it is there.
# Usage: scripts/build_zmq_windows.sh PREFIX   (e.g. build-windows/zmq-mingw)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:?usage: build_zmq_windows.sh PREFIX}

version=4.3.4
revision=6
pool=http://deb.debian.org/debian/pool/main/z/zeromq3
tarball=zeromq3_${version}.orig.tar.gz
sha256=0ff5a531c9ffaf0dfdc7dc78d13d1383088f454896d252934c429b2554d10559
debian_tarball=zeromq3_${version}-${revision}.debian.tar.xz
debian_sha256=fbb0dcb4ffbf483d416d9af722db74ad4edd7004625ce10381e8cd3a71b6cd58
stamp=$prefix/.built-$version-$revision-$sha256-$debian_sha256

if [ -f "$stamp" ] && [ -f "$prefix/lib/libzmq.a" ]; then
  exit 0
fi

mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
work=$prefix/src
rm -rf "$work"
mkdir -p "$work"

echo "build_zmq_windows: fetching libzmq $version-$revision from Debian's archive"
fetch() {  # name sha256
  if ! curl -sSf --retry 2 -o "$work/$1" "$pool/$1"; then
    echo "build_zmq_windows: cannot fetch $pool/$1" >&2
    exit 1
  fi
  if ! echo "$2  $work/$1" | sha256sum -c --quiet -; then
    echo "build_zmq_windows: $1 does not match its pinned sha256; not used" >&2
    exit 1
  fi
}
fetch "$tarball" "$sha256"
fetch "$debian_tarball" "$debian_sha256"
tar -xzf "$work/$tarball" -C "$work"
source=$work/libzmq-$version
tar -xJf "$work/$debian_tarball" -C "$source"

# Debian's series, in order, with dpkg-source's own strictness (no fuzz, no
# reversed or already applied patches). Every patch applies to this build:
# those for the tests and the autotools files change nothing that is built
# here but are kept, so the tree is exactly Debian's.
series=$source/debian/patches/series
applied=""
[ -f "$series" ] || { echo "build_zmq_windows: $debian_tarball has no patch series" >&2; exit 1; }
while read -r patch options; do
  case $patch in ''|'#'*) continue ;; esac
  level=-p1
  case $options in -p[0-9]*) level=${options%% *} ;; esac
  if ! patch -d "$source" "$level" -N -t -F 0 -u -E -s --no-backup-if-mismatch \
       <"$source/debian/patches/$patch" >"$work/patch.log" 2>&1; then
    echo "build_zmq_windows: Debian's $patch does not apply:" >&2
    tail -10 "$work/patch.log" >&2
    exit 1
  fi
  applied="$applied $patch"
done <"$series"
echo "build_zmq_windows: applied Debian's patches:${applied:- none}"

# Static, no tests, tools or documentation; no drafts (WebSocket, TLS); the
# CURVE mechanism with the bundled tweetnacl, so no libsodium is needed.
start=$(date +%s)
cmake -S "$source" -B "$work/build" \
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
echo "build_zmq_windows: libzmq $version-$revision built in $(( $(date +%s) - start )) s"
