#!/usr/bin/env bash
# Soak run: the default flight at a high time scale with every unit, while the
# server and the units are killed (SIGKILL) at random moments and started
# again. Bounded in time and in restarts; loopback only (the radio units run
# in a private network namespace). Reports the restarts survived, the frames
# drawn, the recovery times, and what was left in /dev/shm and in the run tree.
set -uo pipefail

usage() {
  cat <<'EOF'
usage: scripts/soak.sh [--build-dir DIR] [--seconds N] [--max-restarts N] [--time-scale X] [--seed N] [--out DIR]
  --build-dir DIR    the build folder (default build/)
  --seconds N        length of the run (default 240)
  --max-restarts N   kills and restarts at most (default 60)
  --time-scale X     flight speed-up (default 16)
  --seed N           the random choices (default: the clock)
  --out DIR          logs and the report (default out/soak-<date>-<time>)
EOF
}

here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build seconds=240 max_restarts=60 time_scale=16 seed="" out=""
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir|--seconds|--max-restarts|--time-scale|--seed|--out)
      [ $# -ge 2 ] || { echo "soak: $1 needs a value" >&2; exit 2; }
      case "$1" in
        --build-dir) build=$(realpath -m "$2") ;; --seconds) seconds=$2 ;;
        --max-restarts) max_restarts=$2 ;; --time-scale) time_scale=$2 ;;
        --seed) seed=$2 ;; --out) out=$(realpath -m "$2") ;;
      esac
      shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) echo "soak: unknown option \"$(printf '%q' "$1")\"" >&2; usage >&2; exit 2 ;;
  esac
done
for n in "$seconds" "$max_restarts" ${seed:+"$seed"}; do
  case "$n" in ''|*[!0-9]*) echo "soak: --seconds, --max-restarts and --seed take whole numbers" >&2; exit 2 ;; esac
done
for p in apps/sim_server apps/pfd_display apps/mfd_display apps/efis_panel apps/rmu_panel; do
  [ -x "$build/$p" ] || { echo "soak: $build/$p is missing; build first" >&2; exit 1; }
done
[ -n "$out" ] || out=$here/out/soak-$(date +%Y%m%d-%H%M%S)

if [ -z "${COCKPIT_IN_XVFB:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "soak: xvfb-run is missing (package xvfb)" >&2; exit 1; }
  args=(--build-dir "$build" --seconds "$seconds" --max-restarts "$max_restarts" --time-scale "$time_scale" --out "$out")
  [ -n "$seed" ] && args+=(--seed "$seed")
  COCKPIT_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" "$0" "${args[@]}"
fi

RANDOM=${seed:-$(date +%s)}
mkdir -p "$out/logs" || exit 1
work=$(mktemp -d -t soak.XXXXXX) || exit 1
cp -r "$build/run" "$work/run"
mkdir -m 0700 "$work/link"
mkdir "$work/progress"
export COCKPIT_LINK_DIR=$work/link SDL_AUDIODRIVER=dummy

now_ms() { date +%s%3N; }
log() { echo "soak: $*" | tee -a "$out/soak.log"; }

# --- What runs -----------------------------------------------------------------
units=(pfd1 pfd2 du2 du3 efis1 efis2 rmu1 rmu2)
program_of() {
  case "$1" in pfd*) echo pfd_display ;; du*) echo mfd_display ;; efis*) echo efis_panel ;; rmu*) echo rmu_panel ;; esac
}
declare -A pid=() runs=() frames_before=()
all_pids=()
server=""
netns=""

# The radio units share one private network namespace, held by a sleeper.
ns=(unshare -n)
[ "$(id -u)" -eq 0 ] || ns=(unshare -rn)
"${ns[@]}" sh -c 'ip link set lo up && ip route add 224.0.0.0/4 dev lo && exec sleep 100000' &
netns=$!
sleep 0.3
kill -0 "$netns" 2>/dev/null || { echo "soak: cannot make a private network namespace" >&2; exit 1; }

start_server() {
  "$build/apps/sim_server" --time-scale "$time_scale" --navdata "$work/run/du3/data" >>"$out/logs/sim_server.log" 2>&1 &
  server=$!
  all_pids+=("$server")
  for _ in $(seq 100); do
    [ -S "$work/link/UIPCMAIN" ] && "$build/tools/cockpit_ctl" state >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  return 1
}

start_unit() {
  local u=$1 exe
  exe=$build/apps/$(program_of "$u")
  rm -f "$work/progress/$u"
  local run=(nice -n 10 "$exe" --headless --workdir "$work/run/$u" --progress "$work/progress/$u")
  case "$u" in
    rmu*) nsenter -t "$netns" -n -- "${run[@]}" >>"$out/logs/$u.log" 2>&1 & ;;
    *) "${run[@]}" >>"$out/logs/$u.log" 2>&1 & ;;
  esac
  pid[$u]=$!
  all_pids+=("${pid[$u]}")
  runs[$u]=$(( ${runs[$u]:-0} + 1 ))
}

frames_of() { awk '$1 == "frames" { print $2 }' "$work/progress/$1" 2>/dev/null; }
connected() { grep -qx "connected 1" "$work/progress/$1" 2>/dev/null; }

# Frames of a run that ends: its last report (at most a second old).
bank_frames() {
  local f
  f=$(frames_of "$1")
  frames_before[$1]=$(( ${frames_before[$1]:-0} + ${f:-0} ))
}

# Waits until every named unit has reported the link connected since its
# progress file was removed; prints the milliseconds from $1, or "timeout".
wait_connected() {
  local t0=$1 u pending
  shift
  for _ in $(seq 600); do
    pending=0
    for u in "$@"; do connected "$u" || pending=1; done
    [ $pending -eq 0 ] && { echo $(( $(now_ms) - t0 )); return 0; }
    sleep 0.1
  done
  echo timeout
  return 1
}

cleanup() {
  trap - EXIT INT TERM
  local u
  for u in "${units[@]}"; do [ -n "${pid[$u]:-}" ] && kill -TERM "${pid[$u]}" 2>/dev/null; done
  for u in "${units[@]}"; do [ -n "${pid[$u]:-}" ] && wait "${pid[$u]}" 2>/dev/null; done
  [ -n "$server" ] && { kill -TERM "$server" 2>/dev/null; wait "$server" 2>/dev/null; }
  [ -n "$netns" ] && { kill "$netns" 2>/dev/null; wait "$netns" 2>/dev/null; }
  rm -rf "$work"
}
trap cleanup EXIT
trap 'echo; log "interrupted"; exit 130' INT TERM

# --- The run -------------------------------------------------------------------
start_server || { echo "soak: sim_server did not start" >&2; cat "$out/logs/sim_server.log" >&2; exit 1; }
for u in "${units[@]}"; do start_unit "$u"; done
t0=$(now_ms)
first=$(wait_connected "$t0" "${units[@]}")
log "sim_server and ${#units[@]} units up, all connected after ${first} ms (time scale $time_scale, seed ${seed:-clock})"
# What the units write in their first run (settings, the plan list) is theirs;
# what appears after this comes from the kills.
(cd "$work/run" && find . -type f | sort) >"$work/run-before.txt"

server_restarts=0 unit_restarts=0 survived=0 failed=0 unexpected=0
server_times=() unit_times=()
deadline=$(( $(date +%s) + seconds ))
while [ "$(date +%s)" -lt "$deadline" ] && [ $((server_restarts + unit_restarts)) -lt "$max_restarts" ]; do
  sleep "$(( RANDOM % 8 + 2 )).$(( RANDOM % 10 ))"
  # Anything that ended without being killed is counted and started again.
  if ! kill -0 "$server" 2>/dev/null; then
    wait "$server"; log "sim_server ended by itself (status $?)"; unexpected=$((unexpected + 1)); start_server
  fi
  for u in "${units[@]}"; do
    if ! kill -0 "${pid[$u]}" 2>/dev/null; then
      wait "${pid[$u]}"; log "$u ended by itself (status $?)"; unexpected=$((unexpected + 1))
      bank_frames "$u"; start_unit "$u"
    fi
  done
  if [ $(( RANDOM % 4 )) -eq 0 ]; then
    kill -KILL "$server"; wait "$server" 2>/dev/null
    t0=$(now_ms)
    start_server || { log "sim_server did not come back"; failed=$((failed + 1)); break; }
    for u in "${units[@]}"; do rm -f "$work/progress/$u"; done
    took=$(wait_connected "$t0" "${units[@]}")
    server_restarts=$((server_restarts + 1))
    if [ "$took" = timeout ]; then failed=$((failed + 1)); log "server restart $server_restarts: not every unit came back within 60 s"
    else survived=$((survived + 1)); server_times+=("$took"); log "server killed and restarted: every unit connected again after $took ms"; fi
  else
    u=${units[$(( RANDOM % ${#units[@]} ))]}
    bank_frames "$u"
    kill -KILL "${pid[$u]}"; wait "${pid[$u]}" 2>/dev/null
    t0=$(now_ms)
    start_unit "$u"
    took=$(wait_connected "$t0" "$u")
    unit_restarts=$((unit_restarts + 1))
    if [ "$took" = timeout ]; then failed=$((failed + 1)); log "$u did not come back within 60 s"
    else survived=$((survived + 1)); unit_times+=("$took"); log "$u killed and restarted: drawing and connected after $took ms"; fi
  fi
done

# --- The end: a clean stop, then what is left -----------------------------------
total=0
for u in "${units[@]}"; do bank_frames "$u"; total=$((total + frames_before[$u])); done
state=$("$build/tools/cockpit_ctl" state 2>/dev/null | head -3 | tr '\n' ' ')
for u in "${units[@]}"; do kill -TERM "${pid[$u]}" 2>/dev/null; done
clean=0
for u in "${units[@]}"; do wait "${pid[$u]}" 2>/dev/null && clean=$((clean + 1)); done
kill -TERM "$server" 2>/dev/null; wait "$server" 2>/dev/null
server_status=$?
pid=() server=""

stats() {
  [ $# -gt 0 ] || { echo "none"; return; }
  printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1; s += $1 } END { printf "%d (min %d ms, median %d ms, max %d ms, mean %d ms)", NR, v[1], v[int((NR + 1) / 2)], v[NR], s / NR }'
}
hex_pids=$(for p in "${all_pids[@]}"; do printf '%X|' "$p"; done)
shm_left=$(ls /dev/shm 2>/dev/null | grep -E "^FsasmLib:IPC:(${hex_pids%|}):" || true)
(cd "$work/run" && find . -type f | sort) >"$work/run-after.txt"
run_left=$(comm -13 "$work/run-before.txt" "$work/run-after.txt")
link_left=$(ls -A "$work/link")

{
  echo "soak report ($(date -u +%Y-%m-%dT%H:%M:%SZ)): ${seconds} s at time scale ${time_scale}, seed ${seed:-clock}"
  echo "restarts: $((server_restarts + unit_restarts)) (server $server_restarts, units $unit_restarts); survived $survived, failed $failed; units or server ending by themselves: $unexpected"
  echo "recovery after a server restart (every unit connected again): $(stats ${server_times[@]+"${server_times[@]}"})"
  echo "recovery after a unit restart (drawing and connected): $(stats ${unit_times[@]+"${unit_times[@]}"})"
  echo "frames drawn (all units, all runs): $total"
  for u in "${units[@]}"; do echo "  $u: ${frames_before[$u]} frames in ${runs[$u]} run(s)"; done
  echo "clean stop: $clean of ${#units[@]} units ended with 0 on SIGTERM; sim_server status $server_status"
  echo "flight at the end: $state"
  echo "left in /dev/shm by this run's processes: ${shm_left:-nothing}"
  echo "left in the run tree (new files): ${run_left:-nothing}"
  echo "left in the link folder: ${link_left:-nothing}"
} | tee "$out/report.txt"
[ $failed -eq 0 ] && [ -z "$shm_left" ] && [ -z "$run_left" ]
