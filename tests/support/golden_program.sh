#!/usr/bin/env bash
# One golden picture of a whole program: a copy of its run folder, a held
# stand-in simulator in a private link folder with the given offsets set, the
# program's screenshot after N frames, compared with its reference.
# Usage: golden_program.sh NAME BUILD_DIR PROGRAM RUN_FOLDER FRAMES NETNS
#                          [OFFSET=VALUE:SIZE ...] -- [program arguments ...]
# NETNS 1 runs the program in a private network namespace (loopback only).
set -euo pipefail
name=$1 build=$2 program=$3 folder=$4 frames=$5 netns=$6
shift 6
pokes=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do pokes+=("$1"); shift; done
[ $# -gt 0 ] && shift

work=$(mktemp -d -t "golden-$name.XXXXXX")
server=""
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

cp -r "$build/run/$folder" "$work/unit"
mkdir -m 0700 "$work/link"
export COCKPIT_LINK_DIR=$work/link SDL_AUDIODRIVER=dummy
"$build/apps/sim_server" --hold >"$work/server.log" 2>&1 &
server=$!
for _ in $(seq 100); do [ -S "$work/link/UIPCMAIN" ] && break; sleep 0.05; done
for poke in ${pokes[@]+"${pokes[@]}"}; do
  offset=${poke%%=*} rest=${poke#*=}
  "$build/tools/cockpit_ctl" set "$offset" "${rest%%:*}" --size "${rest##*:}" >/dev/null
done

run=("$build/apps/$program" --headless --frames "$frames" --workdir "$work/unit" --screenshot "$work/frame.png" "$@")
if [ "$netns" = 1 ]; then
  # The link folder is a path, so the program reaches the server from its own network.
  unshare -n bash -c 'ip link set lo up && ip route add 224.0.0.0/4 dev lo && exec "$@"' netns "${run[@]}" \
    >"$work/unit.log" 2>&1 || { cat "$work/unit.log" >&2; exit 1; }
else
  "${run[@]}" >"$work/unit.log" 2>&1 || { cat "$work/unit.log" >&2; exit 1; }
fi
"$build/tests/support/golden_compare" "$name" "$work/frame.png"
