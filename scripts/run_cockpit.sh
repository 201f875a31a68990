#!/usr/bin/env bash
# The main job: set up, build, start the stand-in simulator with the default
# scenario and every cockpit unit that has been built, each in its own run
# folder (build/run/<unit>), windows side by side like a cockpit panel.
# Ctrl-C stops everything. Without a display (or with --headless) everything
# runs under Xvfb; at chosen moments of the flight (power-up, take-off, cruise
# with traffic, approach, after landing) every unit window is captured and the
# captures of one moment are composed into one picture in the output folder.
# The radio units' multicast link stays inside a private network namespace.
set -uo pipefail

usage() {
  cat >&2 <<'EOF'
usage: scripts/run_cockpit.sh [--headless] [--no-build] [--build-dir DIR] [--scenario FILE]
                              [--time-scale X] [--out DIR] [--max-seconds N] [--run-dir DIR]
                              [--server-arg ARG]... [--timed-pictures N,SECONDS]
  --headless       run under Xvfb and write pictures even when a display is present
  --no-build       use the existing build (no package check, no build)
  --build-dir DIR  the build folder (default build/)
  --scenario FILE  fly this scenario instead of the default KSEA-KPDX flight
  --time-scale X   flight speed-up (default 1 with a display, 8 headless)
  --out DIR        output folder of the pictures (default out/cockpit-<date>-<time>)
  --max-seconds N  headless: stop after N seconds even if the flight has not ended (default 900)
  --run-dir DIR    the units' run tree (default: the build's run/)
  --server-arg ARG one more argument for sim_server (repeatable), e.g. --server-arg --source
  --timed-pictures N,SECONDS
                   headless: N pictures (flight-1 ...) SECONDS apart instead of the
                   moments of the scripted flight (for a flight the stand-in does not fly)
EOF
}

here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build
run=$build/run
headless=0 no_build=0 scenario="" time_scale="" out="" max_seconds=900 run_given="" timed="" server_extra=()
while [ $# -gt 0 ]; do
  case "$1" in
    --headless) headless=1; shift ;;
    --no-build) no_build=1; shift ;;
    --build-dir) [ $# -ge 2 ] || { usage; exit 2; }; build=$(realpath -m "$2"); run=$build/run; shift 2 ;;
    --scenario) [ $# -ge 2 ] || { usage; exit 2; }; scenario=$(realpath -m "$2"); shift 2 ;;
    --time-scale) [ $# -ge 2 ] || { usage; exit 2; }; time_scale=$2; shift 2 ;;
    --out) [ $# -ge 2 ] || { usage; exit 2; }; out=$(realpath -m "$2"); shift 2 ;;
    --max-seconds) [ $# -ge 2 ] || { usage; exit 2; }; max_seconds=$2; shift 2 ;;
    --run-dir) [ $# -ge 2 ] || { usage; exit 2; }; run_given=$(realpath -m "$2"); shift 2 ;;
    --server-arg) [ $# -ge 2 ] || { usage; exit 2; }; server_extra+=("$2"); shift 2 ;;
    --timed-pictures) [ $# -ge 2 ] || { usage; exit 2; }; timed=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) echo "run_cockpit: unknown argument \"$1\"" >&2; usage; exit 2 ;;
  esac
done
case "$max_seconds" in ''|*[!0-9]*) echo "run_cockpit: --max-seconds needs a whole number" >&2; exit 2 ;; esac
[ -n "$run_given" ] && run=$run_given
if [ -n "$timed" ]; then
  timed_count=${timed%%,*} timed_seconds=${timed#*,}
  case "$timed_count,$timed_seconds" in
    *[!0-9,]*|,*|*,) echo "run_cockpit: --timed-pictures needs N,SECONDS in whole numbers" >&2; exit 2 ;;
  esac
fi
if [ -n "$scenario" ] && [ ! -r "$scenario" ]; then
  echo "run_cockpit: cannot read the scenario $scenario" >&2
  exit 2
fi
[ -n "${DISPLAY:-}" ] || headless=1

# Set-up and build happen once, outside Xvfb.
if [ -z "${COCKPIT_IN_XVFB:-}" ] && [ $no_build -eq 0 ]; then
  "$here/scripts/setup.sh" "$build" || { echo "run_cockpit: set-up or build failed" >&2; exit 1; }
fi
if [ ! -x "$build/apps/sim_server" ] || [ ! -x "$build/tools/cockpit_ctl" ]; then
  echo "run_cockpit: $build/apps/sim_server or $build/tools/cockpit_ctl is missing; build first" >&2
  exit 1
fi

if [ $headless -eq 1 ] && [ -z "${COCKPIT_IN_XVFB:-}" ]; then
  # One Xvfb for the whole cockpit, large enough for the panel layout.
  command -v xvfb-run >/dev/null || { echo "run_cockpit: xvfb-run is missing (package xvfb)" >&2; exit 1; }
  [ -n "$out" ] || out=$here/out/cockpit-$(date +%Y%m%d-%H%M%S)
  args=(--headless --no-build --build-dir "$build" --out "$out" --max-seconds "$max_seconds")
  [ -n "$scenario" ] && args+=(--scenario "$scenario")
  [ -n "$time_scale" ] && args+=(--time-scale "$time_scale")
  [ -n "$run_given" ] && args+=(--run-dir "$run_given")
  [ -n "$timed" ] && args+=(--timed-pictures "$timed")
  for a in "${server_extra[@]}"; do args+=(--server-arg "$a"); done
  COCKPIT_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" "$0" "${args[@]}"
fi

if [ -z "$time_scale" ]; then
  if [ $headless -eq 1 ]; then time_scale=8; else time_scale=1; fi
fi
[ -n "$out" ] || out=$here/out/cockpit-$(date +%Y%m%d-%H%M%S)
mkdir -p "$out" || { echo "run_cockpit: cannot create $out" >&2; exit 1; }
logs=$out/logs
mkdir -p "$logs"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

# A private link folder, so that this cockpit never meets another server.
COCKPIT_LINK_DIR=$(mktemp -d "${TMPDIR:-/tmp}/cockpit-link.XXXXXX") || exit 1
export COCKPIT_LINK_DIR
ctl=$build/tools/cockpit_ctl

pids=()
cleanup() {
  trap - EXIT INT TERM
  local p
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  rm -rf "$COCKPIT_LINK_DIR"
}
interrupted() { echo; echo "run_cockpit: stopping"; cleanup; exit 130; }
trap cleanup EXIT
trap interrupted INT TERM

# --- Panel layout: folder, program, side, x, y, height -------------------------
# Display units are 0.7165 x height wide, the radio unit 0.8219 x height, the
# EFIS panel 2.745 x height (its height follows its width).
H=500
W=$((H * 7165 / 10000))
RH=400
RW=$((RH * 8219 / 10000))
EW=$((W + W / 4))
EH=$((EW * 1000 / 2745))
GAP=8
ROW2=$((H + 40))
units=(
  "pfd1 pfd_display 0 0 0 $H"
  "du3 mfd_display 0 $((W + GAP)) 0 $H"
  "du2 mfd_display 1 $((2 * (W + GAP))) 0 $H"
  "pfd2 pfd_display 1 $((3 * (W + GAP))) 0 $H"
  "rmu1 rmu_panel 0 $((4 * (W + GAP))) 0 $RH"
  "efis1 efis_panel 0 0 $ROW2 $EH"
  "efis2 efis_panel 1 $((3 * (W + GAP))) $ROW2 $EH"
  "rmu2 rmu_panel 1 $((4 * (W + GAP))) $((RH + 40)) $RH"
)

# Puts the unit's place in the panel layout into its settings file: the
# program itself writes the file (its own defaults when the folder has none)
# with the size, position and side given here, and ends.
place_unit() {
  local folder=$1 program=$2 side=$3 x=$4 y=$5 h=$6 w
  case "$program" in
    pfd_display|mfd_display) w=$((h * 7165 / 10000)) ;;
    rmu_panel) w=$((h * 8219 / 10000)) ;;
    efis_panel) w=$((h * 2745 / 1000)) ;;
  esac
  mkdir -p "$run/$folder"
  "$build/apps/$program" --headless --workdir "$run/$folder" \
    --set "size=$w,$h" --set "position=$x,$y" --set "side=$side" --write-settings
}

# --- The simulator ------------------------------------------------------------
server_args=(--time-scale "$time_scale")
[ -n "$scenario" ] && server_args+=(--scenario "$scenario")
server_args+=("${server_extra[@]}")
"$build/apps/sim_server" "${server_args[@]}" >"$logs/sim_server.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  [ -S "$COCKPIT_LINK_DIR/UIPCMAIN" ] && break
  kill -0 "${pids[0]}" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$COCKPIT_LINK_DIR/UIPCMAIN" ]; then
  echo "run_cockpit: sim_server did not start:" >&2
  cat "$logs/sim_server.log" >&2
  exit 1
fi

# --- The units ----------------------------------------------------------------
unit_flags=()
[ $headless -eq 1 ] && unit_flags+=(--headless)
started=()
rmu_folders=()
for u in "${units[@]}"; do
  read -r folder program side x y h <<<"$u"
  exe=$build/apps/$program
  [ -x "$exe" ] || continue
  if ! place_unit "$folder" "$program" "$side" "$x" "$y" "$h" >>"$logs/$folder.log" 2>&1; then
    echo "run_cockpit: cannot write the settings of $folder (see $logs/$folder.log)" >&2
    continue
  fi
  if [ "$program" = rmu_panel ]; then
    rmu_folders+=("$folder")
    continue
  fi
  "$exe" --workdir "$run/$folder" "${unit_flags[@]}" >"$logs/$folder.log" 2>&1 &
  pids+=($!)
  started+=("$folder")
done

# Both radio units share one private network namespace: they hear each other's
# multicast there, and nothing of it reaches a real network.
if [ ${#rmu_folders[@]} -gt 0 ]; then
  ns=(unshare -n)
  [ "$(id -u)" -eq 0 ] || ns=(unshare -rn)
  inner='ip link set lo up; ip route add 224.0.0.0/4 dev lo 2>/dev/null
    exe=$1; flags=$2; logdir=$3; shift 3; children=""
    for dir in "$@"; do
      "$exe" --workdir "$dir" $flags >"$logdir/$(basename "$dir").log" 2>&1 & children="$children $!"
    done
    trap "kill $children 2>/dev/null" TERM INT
    wait'
  dirs=()
  for f in "${rmu_folders[@]}"; do dirs+=("$run/$f"); done
  "${ns[@]}" sh -c "$inner" rmu "$build/apps/rmu_panel" "${unit_flags[*]}" "$logs" "${dirs[@]}" >"$logs/rmu-namespace.log" 2>&1 &
  pids+=($!)
  started+=("${rmu_folders[@]}")
fi
echo "run_cockpit: sim_server and ${#started[@]} unit(s) started: ${started[*]:-none}"
echo "run_cockpit: logs in $logs"

if [ $headless -eq 0 ]; then
  echo "run_cockpit: flying; 'build/tools/cockpit_ctl state' shows the aircraft (COCKPIT_LINK_DIR=$COCKPIT_LINK_DIR). Ctrl-C stops."
  wait "${pids[0]}"
  exit 0
fi

# --- Headless: pictures at chosen moments --------------------------------------
im_import=$(command -v import-im6.q16 || command -v import || true)
im_convert=$(command -v convert-im6.q16 || true)
[ -n "$im_convert" ] || { echo "run_cockpit: convert-im6.q16 is missing (package imagemagick)" >&2; exit 1; }

# The window of a unit, found by its title.
window_of() {
  local pattern
  case "$1" in
    pfd1) pattern='Korvu Capt PFD' ;; pfd2) pattern='Korvu FO PFD' ;;
    du2) pattern='Korvu DU2' ;; du3) pattern='Korvu DU3' ;;
    rmu1) pattern='Korvu Capt RMU' ;; rmu2) pattern='Korvu FO RMU' ;;
    efis1) pattern='Korvu Capt EFIS' ;; efis2) pattern='Korvu FO EFIS' ;;
  esac
  xwininfo -root -tree 2>/dev/null | grep -m1 "\"$pattern" | awk '{print $1}'
}

# Captures every unit window and composes them: the displays and the radio
# unit in the top row, the panels below, each with its name.
picture() {
  local moment=$1 dir=$out/.$1 row1=() row2=() f wid img
  mkdir -p "$dir"
  # The flight waits while the windows are captured, so that every unit shows
  # the same moment; the units still draw a few frames of it first.
  "$ctl" pause >/dev/null 2>&1
  "$ctl" state >"$out/$moment.txt" 2>&1
  # The traffic picture refreshes one of its 95 slots a frame: near the
  # intruder it is given the time to walk the whole table.
  if [ "$moment" = cruise-traffic ]; then sleep 8; else sleep 1; fi
  for f in pfd1 du3 du2 pfd2 rmu1 efis1 efis2 rmu2; do
    wid=$(window_of "$f")
    [ -n "$wid" ] || continue
    img=$dir/$f.png
    "$im_import" -window "$wid" "$img" 2>/dev/null || continue
    "$im_convert" "$img" -background '#202020' -fill white -gravity south -splice 0x18 \
      -annotate +0+2 "$f" "$img" 2>/dev/null || continue
    case "$f" in efis*|rmu2) row2+=("$img") ;; *) row1+=("$img") ;; esac
  done
  if [ ${#row1[@]} -eq 0 ] && [ ${#row2[@]} -eq 0 ]; then
    # No unit window: keep the whole screen so that the moment is still recorded.
    "$im_import" -window root "$dir/screen.png" 2>/dev/null && row1=("$dir/screen.png")
  fi
  local rows=()
  [ ${#row1[@]} -gt 0 ] && "$im_convert" -background '#202020' "${row1[@]}" -gravity north +append "$dir/row1.png" && rows+=("$dir/row1.png")
  [ ${#row2[@]} -gt 0 ] && "$im_convert" -background '#202020' "${row2[@]}" -gravity north +append "$dir/row2.png" && rows+=("$dir/row2.png")
  "$ctl" resume >/dev/null 2>&1
  if [ ${#rows[@]} -gt 0 ]; then
    "$im_convert" -background '#202020' "${rows[@]}" -gravity west -append "$out/$moment.png.tmp.png" &&
      mv "$out/$moment.png.tmp.png" "$out/$moment.png" && echo "run_cockpit: $moment -> $out/$moment.png"
  fi
  rm -rf "$dir"
}

# DU3's crew, once its picture is up: the MFD menu, the plan list opened and
# its first plan (the run tree's KSEA-KPDX) loaded, VORs and airports shown,
# back to the top menu and the traffic picture on.
load_plan_on_du3() {
  local key
  for key in 1 3 3 4 4 0 3; do
    "$ctl" press du3.softkey "$key" >/dev/null 2>&1 || return
    sleep 0.6
  done
  echo "run_cockpit: DU3 loaded its plan and shows VORs, airports and traffic"
}

field() { awk -v k="$1" '$1 == k { print $2; exit }' <<<"$state"; }

# A flight the stand-in does not fly (another source, a replay): pictures at
# fixed intervals once the displays have powered up and DU3 has its plan.
if [ -n "$timed" ]; then
  sleep 10
  load_plan_on_du3
  for i in $(seq "$timed_count"); do
    sleep "$timed_seconds"
    kill -0 "${pids[0]}" 2>/dev/null || { echo "run_cockpit: sim_server ended" >&2; break; }
    picture "flight-$i"
  done
  echo "run_cockpit: pictures in $out"
  exit 0
fi

declare -A done_moment=()
moments=(power-up takeoff cruise-traffic approach after-landing)
start_wall=$(date +%s)
while :; do
  now=$(date +%s)
  if [ $((now - start_wall)) -ge "$max_seconds" ]; then
    echo "run_cockpit: time limit of $max_seconds s reached"
    break
  fi
  kill -0 "${pids[0]}" 2>/dev/null || { echo "run_cockpit: sim_server ended" >&2; break; }
  state=$("$ctl" state 2>/dev/null) || { sleep 1; continue; }
  phase=$(field phase)
  avionics=$(awk '$1 == "power" { print $5; exit }' <<<"$state")
  nearest=$(awk '$1 == "traffic" { print int($4); exit }' <<<"$state")
  to_go=$(awk '$1 == "next" { print int($4); exit }' <<<"$state")
  want=""
  # The intruder closes too fast for a look every half second at the
  # speed-up: the flight runs at its own pace while it is near.
  if [ -z "${done_moment[cruise-traffic]:-}" ] && [ -z "${slowed:-}" ] && [ "$phase" = cruise ] &&
     [ "${nearest:-999}" -lt 10 ]; then
    "$ctl" time-scale 1 >/dev/null 2>&1 && slowed=1
  fi
  if [ -z "${done_moment[power-up]:-}" ] && [ "$avionics" = 1 ] &&
     { [ "$phase" = parked ] || [ "$phase" = taxi-out ] || [ "$phase" = lined-up ] || [ "$phase" = takeoff ]; }; then
    # The flight waits while the displays finish their power-up fade (200
    # frames, slow under Xvfb); the picture resumes it.
    if [ -z "${avionics_wall:-}" ]; then
      avionics_wall=$now
      "$ctl" pause >/dev/null 2>&1
    fi
    [ $((now - avionics_wall)) -ge 8 ] && want=power-up
  elif [ -z "${done_moment[takeoff]:-}" ] && [ "$phase" = climb ]; then
    want=takeoff
  elif [ -z "${done_moment[cruise-traffic]:-}" ] &&
       { { [ "$phase" = cruise ] && [ "${nearest:-999}" -lt 2 ]; } || [ "$phase" = descent ]; }; then
    want=cruise-traffic   # in the descent only when the intruder passed between two looks
  elif [ -z "${done_moment[approach]:-}" ] &&
       { { [ "$phase" = approach ] && [ "${to_go:-99}" -lt 5 ]; } || [ "$phase" = landing ]; }; then
    want=approach
  elif [ -z "${done_moment[after-landing]:-}" ] && { [ "$phase" = taxi-in ] || [ "$phase" = shutdown ]; }; then
    want=after-landing
  fi
  if [ -n "$want" ]; then
    picture "$want"
    done_moment[$want]=1
    [ "$want" = power-up ] && load_plan_on_du3
    [ "$want" = cruise-traffic ] && [ -n "${slowed:-}" ] && "$ctl" time-scale "$time_scale" >/dev/null 2>&1
    [ "$want" = after-landing ] && break
  fi
  sleep 0.5
done
for m in "${moments[@]}"; do
  [ -n "${done_moment[$m]:-}" ] || echo "run_cockpit: no picture of $m (the flight did not get there)"
done
echo "run_cockpit: pictures in $out"
