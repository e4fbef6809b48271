#!/usr/bin/env bash
# Saves cut short by a crash: the program's own save of User.dat runs in a loop (probe save-loop,
# every status byte changed by each save) and is killed at a random moment, KILLS times; after
# each kill the folder is opened as a start opens it. Every start must succeed and hold one whole
# state, the old or the new, never a mixture.
#
#   save_kill_test.sh BUILD_DIR PROBE_EXE [KILLS]
set -euo pipefail

build=$(cd "$1" && pwd)
probe_exe=$2
kills=${3:-200}
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
"$source_dir/scripts/wine.sh" "$build" prepare
eval "$("$source_dir/scripts/wine.sh" "$build" env)"

work=$(mktemp -d)
trap 'pkill -KILL -f "probe.exe save-loop" 2>/dev/null || true; rm -rf "$work" "$work.loop"' EXIT
folder="$(winepath -w "$work")\\"
probe_win=$(winepath -w "$probe_exe")

restored=0
declare -A seen=()
for ((kill = 1; kill <= kills; kill++)); do
  wine "$probe_win" save-loop "$folder" >"$work.loop" 2>&1 &
  loop=$!
  disown "$loop"  # its death by the kill is no news
  # The first save must have happened before a kill can test anything.
  while [ ! -f "$work/User.dat" ]; do sleep 0.05; done
  sleep "0.$((RANDOM % 400 + 50))"
  kill -0 "$loop" 2>/dev/null || { echo "FAILED: the save loop ended by itself (kill $kill): $(cat "$work.loop")" >&2; exit 1; }
  pkill -KILL -f "probe.exe save-loop" || true
  while kill -0 "$loop" 2>/dev/null; do sleep 0.02; done
  state=$(wine "$probe_win" user-state "$folder" 2>/dev/null | tr -d '\r')
  case "$state" in
    "loaded uniform 0x11" | "loaded uniform 0x12") ;;
    "restored uniform 0x11" | "restored uniform 0x12") restored=$((restored + 1)) ;;
    *) echo "FAILED: kill $kill: the start found '$state'" >&2; ls -l "$work" >&2; exit 1 ;;
  esac
  seen[${state##* }]=1
done
leftovers=$(cd "$work" && ls | grep -v -x -e User.dat -e User.bak -e User.lck -e User.dat.new -e User.bak.new || true)
[ -z "$leftovers" ] || { echo "FAILED: unexpected files: $leftovers" >&2; exit 1; }
echo "$kills kills during saves: every start whole (${!seen[*]} seen; $restored from the backup)"
