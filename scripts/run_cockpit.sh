#!/usr/bin/env bash
# The main job: set up, build, start the stand-in simulator and every cockpit
# unit in its own run folder. With a display the windows open side by side;
# without one everything runs under Xvfb and screenshots go to out/.
# Options: --seconds N  (how long the headless run flies, default 60)
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=60
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    *) echo "usage: $0 [--seconds N]" >&2; exit 2 ;;
  esac
done

"$here/scripts/setup.sh" "$here/build" || exit 1
build=$here/build
run=$build/run
out=$here/out
mkdir -p "$out"

# A private link folder so that this run never meets another server.
export COCKPIT_LINK_DIR=$(mktemp -d "${TMPDIR:-/tmp}/cockpit-link.XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$COCKPIT_LINK_DIR"
}
trap cleanup EXIT INT TERM

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
  exec_x=(xvfb-run -a -s "-screen 0 1920x1080x24")
  # Re-run this script inside one Xvfb so that every unit shares the screen.
  if [ -z "${COCKPIT_IN_XVFB:-}" ]; then
    export COCKPIT_IN_XVFB=1
    trap - EXIT INT TERM
    rm -rf "$COCKPIT_LINK_DIR"
    exec "${exec_x[@]}" "$0" --seconds "$seconds"
  fi
fi

if [ -x "$build/apps/sim_server" ]; then
  "$build/apps/sim_server" &
  pids+=($!)
  sleep 0.5
fi

# unit folder, program
units=(
  "du2 mfd_display" "du3 mfd_display"
  "pfd1 pfd_display" "pfd2 pfd_display"
  "efis1 efis_panel" "efis2 efis_panel"
)
started=0
for u in "${units[@]}"; do
  set -- $u
  folder=$1 program=$2
  exe=$build/apps/$program
  [ -x "$exe" ] && [ -d "$run/$folder" ] || continue
  if [ $headless -eq 1 ]; then
    "$exe" --workdir "$run/$folder" --headless --frames 100000 \
      --screenshot "$out/$folder.png" >"$out/$folder.log" 2>&1 &
  else
    "$exe" --workdir "$run/$folder" >"$out/$folder.log" 2>&1 &
  fi
  pids+=($!)
  started=$((started + 1))
done
echo "run_cockpit: started $started unit(s); logs in $out"

if [ $headless -eq 1 ]; then
  sleep "$seconds"
  import -window root "$out/cockpit.png" 2>/dev/null && echo "run_cockpit: screenshot $out/cockpit.png"
  # Units write their own screenshot when they end cleanly.
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null; done
  sleep 2
  ls "$out"/*.png 2>/dev/null
else
  wait
fi
