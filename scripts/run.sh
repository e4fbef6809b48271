#!/usr/bin/env bash
# Starts the installed Talowick.exe in a Wine virtual desktop and writes a screenshot.
#   run.sh BUILD_DIR SCREENSHOT_PATH
# On the user's DISPLAY the program stays up; on the virtual display `make stop` ends it.
# Every wait is bounded: the script ends within about half a minute whatever the program does.
set -euo pipefail
build=$(cd "$1" && pwd)
shot=$2
here=$(cd "$(dirname "$0")" && pwd)

"$here/wine.sh" "$build" prepare
eval "$("$here/wine.sh" "$build" env)"
desktop=Tallowick
# The probe runs inside the same virtual desktop to see its windows; explorer does not hand its
# exit code back, so only what it prints counts. A probe that hangs is ended.
probe() { timeout 10 wine explorer /desktop=$desktop "$build/tests/probe.exe" "$@" 2>/dev/null || true; }
desktop_exists() { xdotool search --name "^$desktop" >/dev/null 2>&1; }

setsid wine explorer /desktop=$desktop,1024x768 "$build/install/Talowick.exe" </dev/null >/dev/null 2>&1 &

# Two explorers that both find no desktop race to create it, and the loser can hang for good:
# nothing else enters the desktop before its window exists.
for _ in $(seq 100); do
  desktop_exists && break
  sleep 0.1
done
desktop_exists || echo "The Wine desktop did not appear within 10 s." >&2

# Wait until the program shows its window or a message box, then give it a moment to paint.
for _ in $(seq 20); do
  if probe window TFormMain "Quintavel Tallowick" 0 | grep -q visible ||
     probe window "#32770" - 0 | grep -q found; then
    break
  fi
  sleep 0.5
done
sleep 1.5
timeout 10 import -display "$DISPLAY" -window root "$shot"
echo "Talowick.exe is running on display $DISPLAY; screenshot: $shot"
box=$(probe msgbox "Fatal error." 0)
if [ -n "$box" ]; then echo "It reports: $box"; fi
