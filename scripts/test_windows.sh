#!/usr/bin/env bash
# Runs the Windows build's unit tests under Wine, headless under Xvfb, among
# them the link client against the Win32 listener (window class, registered
# message, atom, named mapping), two programs talking through the link, and
# a Linux display reaching the Windows stand-in through link_bridge.
# Installs Wine when it is missing.
# Usage: scripts/test_windows.sh [build-dir] [ctest label regex, default "unit"]
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" = --cross-process ]; then  # run inside Xvfb by the code below
  ctl="wine $2/tools/cockpit_ctl.exe"
  wine "$2/apps/sim_server.exe" --hold >"$2/wine-server.log" 2>&1 &
  for _ in $(seq 50); do $ctl get 0x3304 --size 4 >/dev/null 2>&1 && break; sleep 0.2; done
  ok=1
  if $ctl set 0x0330 16211 --size 2 && [ "$($ctl get 0x0330 --size 2 | tr -d '\r')" = 16211 ]; then ok=0; fi
  wineserver -k
  exit $ok
fi

if [ "${1:-}" = --bridge ]; then  # run inside Xvfb by the code below
  # The simulator's PC: sim_server.exe and link_bridge.exe's serving end
  # under Wine; the display machine: the Linux attaching end and cockpit_ctl
  # through the folder it serves. Loopback only, with CURVE keys, the serving
  # end's made on Windows (Wine sees this machine's root as drive Z:).
  win=$2 linux=$3 port=$4
  temp=$(mktemp -d)
  folder=$temp/link
  mkdir -m 700 "$folder"
  wine "$win/apps/link_bridge.exe" keys "Z:$temp/serve" >/dev/null 2>&1
  "$linux/apps/link_bridge" keys "$temp/attach" >/dev/null 2>&1
  mkdir -p "$temp/serve/clients"
  cp "$temp/attach/bridge.pub" "$temp/serve/clients/display.pub"
  cp "$temp/serve/bridge.pub" "$temp/attach/server.pub"
  ctl() { COCKPIT_LINK_DIR=$folder timeout 10 "$linux/tools/cockpit_ctl" "$@"; }
  wine "$win/apps/sim_server.exe" --hold >"$win/wine-bridge-server.log" 2>&1 &
  for _ in $(seq 50); do wine "$win/tools/cockpit_ctl.exe" get 0x3304 --size 4 >/dev/null 2>&1 && break; sleep 0.2; done
  wine "$win/apps/link_bridge.exe" serve --keys "Z:$temp/serve" "127.0.0.1:$port" >"$win/wine-bridge-serve.log" 2>&1 &
  COCKPIT_LINK_DIR=$folder "$linux/apps/link_bridge" attach --keys "$temp/attach" "127.0.0.1:$port" \
    >"$win/wine-bridge-attach.log" 2>&1 &
  attach=$!
  ok=1
  for _ in $(seq 100); do ctl get 0x3304 --size 4 >/dev/null 2>&1 && break; sleep 0.2; done
  if ctl set 0x0330 16211 --size 2 && [ "$(ctl get 0x0330 --size 2)" = 16211 ] &&
     [ "$(wine "$win/tools/cockpit_ctl.exe" get 0x0330 --size 2 | tr -d '\r')" = 16211 ]; then ok=0; fi
  kill "$attach"; wait "$attach" 2>/dev/null
  wineserver -k
  rm -rf "$temp"
  exit $ok
fi

build=${1:-$here/build-windows}
labels=${2:-unit}
# The Linux build, for the attaching end of the bridge test.
linux_build=${COCKPIT_LINUX_BUILD:-$here/build}

"$here/scripts/install_packages.sh" wine64 wine xvfb xauth fonts-b612 || exit 1
if [ ! -f "$build/CTestTestfile.cmake" ]; then
  echo "test_windows: no Windows build in $build (run scripts/build_windows.sh first)" >&2
  exit 1
fi
build=$(cd "$build" && pwd)  # Wine wants an absolute prefix path

# A prefix of our own, no Mono/Gecko download prompts, no debug chatter.
export WINEPREFIX=$build/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
run_x() { xvfb-run -a -s "-screen 0 1920x1080x24" "$@"; }
# A session left from the build (run without a display) cannot make windows.
wineserver -k 2>/dev/null || true

# Wine must start at all: say so plainly instead of reporting test failures.
# The face "Korvu" stands for the installed cockpit face, as fontconfig's alias
# does for the Linux build.
if ! run_x bash -c 'wineboot -i >/dev/null 2>&1; wine "$0" --help &&
       wine reg add "HKCU\\Software\\Wine\\Fonts\\Replacements" /v Korvu /d B612 /f' \
       "$build/apps/sim_server.exe" >"$build/wine-start.log" 2>&1; then
  echo "test_windows: Wine cannot start a Windows program here:" >&2
  tail -20 "$build/wine-start.log" >&2
  exit 1
fi

status=0
# Two processes, as a unit meets a simulator's server: sim_server.exe serves
# its window, cockpit_ctl.exe writes and reads back through the link.
if run_x "$0" --cross-process "$build"; then
  echo "test_windows: sim_server.exe and cockpit_ctl.exe exchange through the Win32 link: ok"
else
  echo "test_windows: sim_server.exe and cockpit_ctl.exe could not exchange through the Win32 link" >&2
  status=1
fi

# A Linux display reaches the Windows simulator through link_bridge: both
# ends of the bridge on 127.0.0.1, the serving one under Wine.
if [ ! -x "$build/apps/link_bridge.exe" ]; then
  echo "test_windows: no link_bridge.exe in this build; the bridge test is skipped"
elif [ ! -x "$linux_build/apps/link_bridge" ] || [ ! -x "$linux_build/tools/cockpit_ctl" ]; then
  echo "test_windows: no Linux build in $linux_build (COCKPIT_LINUX_BUILD); the bridge test is skipped"
else
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  if run_x "$0" --bridge "$build" "$(cd "$linux_build" && pwd)" "$port"; then
    echo "test_windows: a Linux cockpit_ctl reaches sim_server.exe through link_bridge (serving end under Wine): ok"
  else
    echo "test_windows: a Linux cockpit_ctl could not reach sim_server.exe through link_bridge:" >&2
    tail -5 "$build/wine-bridge-serve.log" "$build/wine-bridge-attach.log" >&2
    status=1
  fi
fi

# One at a time: window classes are one namespace per Wine session, so two
# link servers of one class cannot serve side by side.
(cd "$build" && run_x ctest --output-on-failure -j 1 -L "$labels") || status=1
exit $status
