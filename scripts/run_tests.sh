#!/usr/bin/env bash
# Sets up, builds and runs every test: the unit and picture tests under Xvfb,
# the unit tests again with AddressSanitizer/UBSan, each fuzz target for a
# bounded time, and the Windows cross build with its unit tests under Wine.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
fuzz_seconds=${FUZZ_SECONDS:-20}
status=0

"$here/scripts/setup.sh" "$here/build" || exit 1

# Keep the tests off any real display and off any real audio device.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
run_x() { xvfb-run -a -s "-screen 0 1920x1080x24" "$@"; }

echo "== tests =="
(cd "$here/build" && run_x ctest --output-on-failure -j 2) || status=1

echo "== sanitizer build: unit tests =="
if "$here/scripts/setup.sh" "$here/build-asan" -DCOCKPIT_SANITIZE=ON -DCOCKPIT_BENCH=OFF; then
  (cd "$here/build-asan" && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$here/tests/lsan.supp" run_x ctest --output-on-failure -j 2 -L unit) || status=1
else
  status=1
fi

echo "== fuzz targets, ${fuzz_seconds}s each =="
if "$here/scripts/setup.sh" "$here/build-fuzz" -DCOCKPIT_FUZZ=ON -DCOCKPIT_TESTS=OFF -DCOCKPIT_BENCH=OFF \
     -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14; then
  for f in $(find "$here/build-fuzz/fuzz" -type f -name 'fuzz_*' -perm -u+x | sort); do
    name=$(basename "$f")
    corpus="$here/build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds=$(dirname "$f")/seeds_$name
    # Real plans of the shared test data seed the plan readers; they are read
    # in place, never copied into the tree.
    shared_seeds=""
    case $name in fuzz_nav_plan_*) [ -d "$here/../shared/data/plans" ] && shared_seeds="$here/../shared/data/plans" ;; esac
    if "$f" -max_total_time="$fuzz_seconds" -print_final_stats=1 -artifact_prefix="$corpus-" -timeout=5 -rss_limit_mb=2048 "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) $shared_seeds >"$corpus.log" 2>&1; then
      echo "fuzz $name: ok ($(grep -o 'stat::number_of_executed_units: [0-9]*' "$corpus.log" | awk '{print $2}') runs)"
    else
      echo "fuzz $name: FAILED"; tail -40 "$corpus.log"; status=1
    fi
  done
else
  status=1
fi

echo "== Windows build (mingw-w64), its unit and link tests under Wine =="
start=$SECONDS
if "$here/scripts/build_windows.sh" "$here/build-windows"; then
  "$here/scripts/test_windows.sh" "$here/build-windows" unit || status=1
else
  status=1
fi
echo "Windows stage: $((SECONDS - start)) s"

exit $status
