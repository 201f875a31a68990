#!/usr/bin/env bash
# Runs scripts/run_cockpit.sh headless on the existing build and checks that
# it names its output folder and composed one picture per moment.
set -u
source_dir=$1
out=$(mktemp -d "${TMPDIR:-/tmp}/cockpit-main-job.XXXXXX")
trap 'rm -rf "$out"' EXIT
log=$out.log
if ! timeout 280 bash "$source_dir/scripts/run_cockpit.sh" --no-build --headless --time-scale 40 \
    --max-seconds 200 --out "$out/pictures" >"$log" 2>&1; then
  echo "run_cockpit.sh failed:"; cat "$log"; rm -f "$log"; exit 1
fi
status=0
grep -q "pictures in $out/pictures" "$log" || { echo "the output folder is not named at the end"; status=1; }
for moment in power-up takeoff cruise-traffic approach after-landing; do
  if [ ! -s "$out/pictures/$moment.png" ]; then
    echo "no picture of $moment"; status=1
  elif ! head -c 8 "$out/pictures/$moment.png" | od -An -tx1 | grep -q '89 50 4e 47'; then
    echo "$moment.png is not a PNG file"; status=1
  fi
done
grep -q "^phase shutdown\|^phase taxi-in" "$out/pictures/after-landing.txt" || { echo "after-landing was not taken after landing"; status=1; }
[ $status -eq 0 ] || cat "$log"
rm -f "$log"
exit $status
