#!/usr/bin/env bash
# `make run` from a stopped state, several times in a row: each run must end, within its bound,
# with the screenshot line and a picture of the keyboard window.
#
#   run_script_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"; "$source_dir/scripts/wine.sh" "$build" stop' EXIT

for run in 1 2 3; do
  "$source_dir/scripts/wine.sh" "$build" stop
  rm -f "$shot"
  start=$(date +%s)
  output=$(env -u DISPLAY timeout 60 "$source_dir/scripts/run.sh" "$build" "$shot") ||
    { echo "FAILED: run $run did not finish: $output" >&2; exit 1; }
  seconds=$(($(date +%s) - start))
  grep -q "screenshot: $shot" <<<"$output" || { echo "FAILED: run $run: $output" >&2; exit 1; }
  grep -q "It reports" <<<"$output" && { echo "FAILED: run $run: $output" >&2; exit 1; }
  [ -s "$shot" ] || { echo "FAILED: run $run wrote no screenshot" >&2; exit 1; }
  [ "$seconds" -lt 30 ] || { echo "FAILED: run $run took $seconds s" >&2; exit 1; }
  echo "run $run: $seconds s"
done
echo "run script test passed"
