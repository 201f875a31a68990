#!/usr/bin/env bash
# Flies the cockpit with FlightGear: installs FlightGear from Debian (its data
# is over a gigabyte; not part of the tests), starts it over Honolulu, where
# Debian's base scenery lies, with scenery downloads, live weather and
# multiplayer off, and with every I/O channel on 127.0.0.1; then starts
# sim_server with the FlightGear source and every cockpit unit on the
# Honolulu-Kahului flight's stand-in values, plan and a navigation database
# converted from FlightGear's own. Everything runs in a private network
# namespace, so that nothing reaches another machine. Without a display
# FlightGear and the units run under Xvfb and the composed pictures of the
# flight go to the output folder, with FlightGear's own packets, the recording
# of the flight and the figures.
set -uo pipefail

usage() {
  cat >&2 <<'EOF'
usage: scripts/fly_flightgear.sh [--no-build] [--build-dir DIR] [--out DIR] [--pictures N,SECONDS]
                                 [--fg-out PORT] [--fg-in PORT] [--headless]
  --no-build       use the existing build (no package check, no build)
  --build-dir DIR  the build folder (default build/)
  --out DIR        output folder (default out/flightgear-<date>-<time>)
  --pictures N,SECONDS
                   headless: N composed pictures, SECONDS apart (default 3,40)
  --fg-out PORT    FlightGear's stream to sim_server (default 5500)
  --fg-in PORT     sim_server's settings to FlightGear (default 5501)
  --headless       run under Xvfb even when a display is present
EOF
}

here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build no_build=0 out="" pictures=3,40 fg_out=5500 fg_in=5501 headless=0
while [ $# -gt 0 ]; do
  case "$1" in
    --no-build) no_build=1; shift ;;
    --build-dir) [ $# -ge 2 ] || { usage; exit 2; }; build=$(realpath -m "$2"); shift 2 ;;
    --out) [ $# -ge 2 ] || { usage; exit 2; }; out=$(realpath -m "$2"); shift 2 ;;
    --pictures) [ $# -ge 2 ] || { usage; exit 2; }; pictures=$2; shift 2 ;;
    --fg-out) [ $# -ge 2 ] || { usage; exit 2; }; fg_out=$2; shift 2 ;;
    --fg-in) [ $# -ge 2 ] || { usage; exit 2; }; fg_in=$2; shift 2 ;;
    --headless) headless=1; shift ;;
    -h|--help) usage; exit 0 ;;
    *) echo "fly_flightgear: unknown argument \"$1\"" >&2; usage; exit 2 ;;
  esac
done
for p in "$fg_out" "$fg_in"; do
  case "$p" in ''|*[!0-9]*) echo "fly_flightgear: ports are whole numbers" >&2; exit 2 ;; esac
done
[ -n "${DISPLAY:-}" ] || headless=1
[ -n "$out" ] || out=$here/out/flightgear-$(date +%Y%m%d-%H%M%S)

fg_root=/usr/share/games/flightgear
fgfs=/usr/games/fgfs
protocol=$here/server/flightgear/korvu.xml
traffic=$here/server/flightgear/korvu_traffic.xml

if [ -z "${FLY_IN_NAMESPACE:-}" ]; then
  if [ $no_build -eq 0 ]; then
    "$here/scripts/setup.sh" "$build" || { echo "fly_flightgear: set-up or build failed" >&2; exit 1; }
    echo "fly_flightgear: installing FlightGear from Debian when missing (over a gigabyte the first time)"
    "$here/scripts/install_packages.sh" flightgear || { echo "fly_flightgear: cannot install flightgear" >&2; exit 1; }
  fi
  [ -x "$fgfs" ] || { echo "fly_flightgear: $fgfs is missing (Debian package flightgear)" >&2; exit 1; }
  [ -x "$build/apps/sim_server" ] || { echo "fly_flightgear: $build/apps/sim_server is missing; build first" >&2; exit 1; }
  # FlightGear reads generic protocols and traffic scenarios from its own
  # data folder only.
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
  for pair in "$protocol:Protocol/korvu.xml" "$traffic:AI/korvu_traffic.xml"; do
    if ! cmp -s "${pair%%:*}" "$fg_root/${pair#*:}"; then
      $sudo_cmd install -m 0644 "${pair%%:*}" "$fg_root/${pair#*:}" ||
        { echo "fly_flightgear: cannot install $fg_root/${pair#*:}" >&2; exit 1; }
    fi
  done
  mkdir -p "$out" || exit 1
  # A private network namespace: FlightGear and the cockpit talk over its
  # loopback, and nothing of theirs reaches a real network.
  ns=(unshare -n)
  [ "$(id -u)" -eq 0 ] || ns=(unshare -rn)
  args=(--no-build --build-dir "$build" --out "$out" --pictures "$pictures" --fg-out "$fg_out" --fg-in "$fg_in")
  [ $headless -eq 1 ] && args+=(--headless)
  FLY_IN_NAMESPACE=1 exec "${ns[@]}" "$0" "${args[@]}"
fi

ip link set lo up || { echo "fly_flightgear: cannot bring up the namespace's loopback" >&2; exit 1; }
logs=$out/logs
mkdir -p "$logs"

# The units' run tree for this flight: the build's, with the Honolulu-Kahului
# plan and a database of the islands converted from FlightGear's own data.
run=$out/run
rm -rf "$run"
cp -a "$build/run" "$run" || exit 1
rm -f "$run"/plans/*
cp "$here/server/flightgear/PHNL-PHOG.pln" "$run/plans/"
"$build/tools/navdata" import --quiet --region 18,-161,23,-154 --out "$run/du3/data" \
  "$fg_root/Navaids/nav.dat.gz" "$fg_root/Navaids/fix.dat.gz" "$fg_root/Airports/apt.dat.gz" >"$logs/navdata.log" 2>&1 ||
  { echo "fly_flightgear: navdata import failed (see $logs/navdata.log)" >&2; exit 1; }
cp "$run"/du3/data/{navaids.txt,waypoints.txt,Airports.txt} "$run/du2/data/"

pids=()
cleanup() {
  trap - EXIT INT TERM
  local p
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
}
trap cleanup EXIT
trap 'echo; echo "fly_flightgear: stopping"; exit 130' INT TERM

# FlightGear's own display: Xvfb when headless.
fg_display=${DISPLAY:-}
if [ $headless -eq 1 ]; then
  for n in $(seq 90 120); do [ -e /tmp/.X11-unix/X$n ] || break; done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$logs/fg-xvfb.log" 2>&1 &
  pids+=($!)
  fg_display=:$n
  sleep 1
fi

# The navigation cache FlightGear builds at its first start (minutes) is kept
# beside the build for the next flight.
fg_home=$build/flightgear-home
mkdir -p "$fg_home"
fg_args=(
  --fg-root="$fg_root" --aircraft=c172p
  --lat=21.2600 --lon=-157.7900 --altitude=3000 --heading=100 --vc=110 --in-air
  --ai-scenario=korvu_traffic
  --timeofday=noon --disable-terrasync --disable-real-weather-fetch --disable-sound
  --disable-random-objects --disable-clouds --disable-fgcom --disable-sentry --geometry=640x480
  --disable-panel --disable-hud --fog-disable --shading-flat
  # Under a software renderer FlightGear's own view would take the CPU the
  # units need: the scenery, models and clouds are not drawn (the flight model,
  # the instruments and the I/O channels run as ever).
  --prop:/sim/rendering/draw-mask/terrain=false --prop:/sim/rendering/draw-mask/models=false
  --prop:/sim/rendering/draw-mask/aircraft=false --prop:/sim/rendering/draw-mask/clouds=false
  --prop:/sim/rendering/random-vegetation=false --prop:/sim/rendering/random-buildings=false
  --generic=socket,out,30,127.0.0.1,$fg_out,udp,korvu
  --generic=socket,in,30,127.0.0.1,$fg_in,udp,korvu
  --generic=file,out,30,$out/fg_stream.txt,korvu
)
echo "fly_flightgear: starting FlightGear (log in $logs/flightgear.log)"
# FlightGear asks for a session bus it does not need; without one, libdbus's
# warnings must not abort it.
DISPLAY=$fg_display HOME=$fg_home FG_HOME=$fg_home/.fgfs DBUS_FATAL_WARNINGS=0 \
  "$fgfs" "${fg_args[@]}" >"$logs/flightgear.log" 2>&1 &
fg_pid=$!
pids+=($fg_pid)

# FlightGear is flying once its packets come: the file output grows.
for _ in $(seq 900); do
  [ -s "$out/fg_stream.txt" ] && break
  kill -0 $fg_pid 2>/dev/null || { echo "fly_flightgear: FlightGear ended (see $logs/flightgear.log)" >&2; exit 1; }
  sleep 1
done
[ -s "$out/fg_stream.txt" ] || { echo "fly_flightgear: FlightGear sent nothing in 15 minutes" >&2; exit 1; }
echo "fly_flightgear: FlightGear is flying"
# Its first seconds in the air are slow (the scenery loads): let it settle.
sleep 20

# The figures, before the units take the CPU: FlightGear's packet rate, and the
# round trip of an altimeter setting written on the link, sent to FlightGear and
# seen again in its stream.
measure() {
  local dir value expect t0 t1 state ms=()
  dir=$(mktemp -d "${TMPDIR:-/tmp}/fly-link.XXXXXX") || return
  COCKPIT_LINK_DIR=$dir "$build/apps/sim_server" --source flightgear --fg-out "$fg_out" --fg-in "$fg_in" \
    --scenario "$here/server/scenarios/phnl_phog.scenario" >"$logs/measure-sim_server.log" 2>&1 &
  local server=$!
  sleep 5
  for value in 16208 16224 16240 16256 16272 16288; do   # 1013.0 .. 1018.0 hPa in sixteenths
    expect=$(awk -v v=$value 'BEGIN { printf "baro %.2f hPa", v / 16 }')
    t0=$(date +%s%N)
    COCKPIT_LINK_DIR=$dir "$build/tools/cockpit_ctl" set 0x0330 $value --size 2 >/dev/null 2>&1 || continue
    for _ in $(seq 2000); do
      state=$(COCKPIT_LINK_DIR=$dir "$build/tools/cockpit_ctl" state 2>/dev/null)
      grep -q "$expect" <<<"$state" && break
    done
    t1=$(date +%s%N)
    grep -q "$expect" <<<"$state" && ms+=($(((t1 - t0) / 1000000)))
  done
  {
    grep -m1 "^flightgear " <<<"$state"
    echo "altimeter setting round trip (link -> FlightGear -> link), ms: ${ms[*]:-none}"
  } | sed 's/^/fly_flightgear: /' | tee "$out/figures.txt"
  kill $server 2>/dev/null
  wait $server 2>/dev/null
  rm -rf "$dir"
}
measure

cockpit=(--no-build --build-dir "$build" --run-dir "$run" --out "$out"
  --scenario "$here/server/scenarios/phnl_phog.scenario" --time-scale 1
  --server-arg --source --server-arg flightgear
  --server-arg --fg-out --server-arg "$fg_out" --server-arg --fg-in --server-arg "$fg_in"
  --server-arg --record --server-arg "$out/flight.kvrec")
if [ $headless -eq 1 ]; then
  stream_start=$(wc -l <"$out/fg_stream.txt")
  start_s=$(date +%s.%N)
  "$here/scripts/run_cockpit.sh" "${cockpit[@]}" --headless --timed-pictures "$pictures"
  rc=$?
  end_s=$(date +%s.%N)
  stream_end=$(wc -l <"$out/fg_stream.txt")
  awk -v a="$stream_start" -v b="$stream_end" -v s="$start_s" -v e="$end_s" \
    'BEGIN { printf "fly_flightgear: FlightGear sent %d packets in %.1f s beside the units: %.1f per second\n", b - a, e - s, (b - a) / (e - s) }' |
    tee -a "$out/figures.txt"
  exit $rc
fi
"$here/scripts/run_cockpit.sh" "${cockpit[@]}"
