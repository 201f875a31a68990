#!/usr/bin/env bash
# Rewrites the golden pictures (tests/golden/*.png) from what the build draws
# now. Run it on purpose, after a change that is meant to alter a picture,
# and look at every changed PNG before committing it.
# Usage: scripts/update_golden.sh [build-dir] [ctest -R pattern]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
pattern=${2:-}
cmake --build "$build" -j2 >/dev/null
args=(--test-dir "$build" -L golden --output-on-failure)
[ -n "$pattern" ] && args+=(-R "$pattern")
COCKPIT_GOLDEN_UPDATE=1 SDL_AUDIODRIVER=dummy \
  xvfb-run -a -s "-screen 0 1920x1080x24" ctest "${args[@]}"
git -C "$here" status --short -- tests/golden
