#!/usr/bin/env bash
# Runs the Windows build's unit tests under Wine, headless under Xvfb, among
# them the link client against the Win32 listener (window class, registered
# message, atom, named mapping), and two programs talking through the link.
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

build=${1:-$here/build-windows}
labels=${2:-unit}

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

# One at a time: window classes are one namespace per Wine session, so two
# link servers of one class cannot serve side by side.
(cd "$build" && run_x ctest --output-on-failure -j 1 -L "$labels") || status=1
exit $status
