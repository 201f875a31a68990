#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds.
# Usage: scripts/setup.sh [build-dir] [extra cmake args...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
shift || true

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libfreetype-dev libfontconfig-dev libglu1-mesa-dev libgl1-mesa-dri
  xvfb xauth x11-utils
  googletest libgtest-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  libpng-dev zlib1g-dev fonts-b612 fontconfig
  imagemagick librsvg2-bin espeak-ng sox
  iproute2 util-linux
  libzmq3-dev
)
"$here/scripts/install_packages.sh" "${packages[@]}"

# The units ask fontconfig for the face "Korvu"; alias it to the installed cockpit face.
alias_src=$here/artwork/fonts/60-korvu-alias.conf
if [ "$(id -u)" -eq 0 ]; then
  alias_dst=/etc/fonts/conf.d/60-korvu-alias.conf
else
  alias_dst=${XDG_CONFIG_HOME:-$HOME/.config}/fontconfig/conf.d/60-korvu-alias.conf
fi
if ! cmp -s "$alias_src" "$alias_dst" 2>/dev/null; then
  mkdir -p "$(dirname "$alias_dst")"
  cp "$alias_src" "$alias_dst"
  fc-cache -f >/dev/null 2>&1 || true
fi

cmake -S "$here" -B "$build" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
