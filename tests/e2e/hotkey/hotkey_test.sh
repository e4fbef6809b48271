#!/usr/bin/env bash
# The hot-key test with real key events: Talowick.exe /s runs with a prepared installation, a
# target window with an edit control is in front inside the same Wine virtual desktop, and xdotool
# presses keys on the X server (events sent to a window are synthetic, and Wine ignores them).
#
# The test draws on an X server of its own: its keymap is changed so that Ctrl+Alt+F1..F12 are
# plain function keys (on a default keymap they are the server's console switches, which never
# reach an application), and no other display is ever sent Ctrl+Alt+Fn.
#
#   hotkey_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE
set -euo pipefail

build=$(cd "$1" && pwd)
target_exe=$2
fixture_exe=$3
probe_exe=$4
source_dir=$(cd "$(dirname "$0")/../../.." && pwd)
wine_sh="$source_dir/scripts/wine.sh"

"$wine_sh" "$build" prepare
eval "$("$wine_sh" "$build" env)"

xvfb_pid=
work=$(mktemp -d)
desktop="talo_hotkey_$$"
win_work=$(winepath -w "$work")
log="$work/target.log"
pids=()

fail() {
  echo "FAILED: $*" >&2
  [ -f "$log" ] && { echo "--- target log:" >&2; cat "$log" >&2; echo >&2; }
  echo "--- clipboard: $(wine "$probe_exe" clipboard 2>/dev/null)" >&2
  exit 1
}

cleanup() {
  touch "$work/target.log.quit" "$work/fixture.done"
  [ -n "${install:-}" ] && wine explorer /desktop="$desktop" "${install}Talowick.exe" /t \
    >/dev/null 2>&1 || true
  for pid in "${pids[@]}"; do
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null || true
  done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# poll SECONDS COMMAND...: runs the command every 0.1 s until it succeeds.
poll() {
  local tries=$(($1 * 10)); shift
  for _ in $(seq "$tries"); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

log_field() { sed -n "s/^$1=//p" "$log" 2>/dev/null | head -1; }
log_text() { sed -n '/^text=/,$p' "$log" 2>/dev/null | sed '1s/^text=//'; }
text_is() { [ "$(log_text)" = "$1" ]; }
keys_contain() { case " $(log_field keys)" in *" $1 "*) return 0 ;; *) return 1 ;; esac; }
mods_are() { [ "$(log_field mods)" = "$1" ]; }
# The hook handle word of the communications block (offset 64), as hex of its four bytes.
hook_word() { wine "$probe_exe" mapping TALLOWICK 1024 2>/dev/null | tr -d '\r\n' | cut -c129-136; }
hook_installed() { local word; word=$(hook_word); [ -n "$word" ] && [ "$word" != 00000000 ]; }
block_gone() { ! wine "$probe_exe" mapping TALLOWICK 1024 >/dev/null 2>&1; }

start_private_display() {
  local n=150
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  # -noreset: the keymap set below must outlive the moments without any client.
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  poll 10 xdotool getdisplaygeometry >/dev/null 2>&1 || fail "no X server on $DISPLAY"
  setxkbmap -option srvrkeys:none || fail "cannot make Ctrl+Alt+Fn plain function keys"
}
start_private_display

# The installation and the program.
wine "$fixture_exe" "$win_work\\fixture" >/dev/null 2>&1 &
pids+=($!)
poll 60 test -s "$work/fixture" || fail "the fixture did not prepare the installation"
install=$(sed -n 's/^install=//p' "$work/fixture" | tr -d '\r')

wine explorer /desktop="$desktop",1024x768 "${install}Talowick.exe" /s >/dev/null 2>&1 &
pids+=($!)
poll 60 hook_installed || fail "Talowick.exe /s did not install its hook"

# The target in front, clicked into.
wine explorer /desktop="$desktop",1024x768 "$target_exe" "$win_work\\target.log" >/dev/null 2>&1 &
pids+=($!)
poll 60 test -s "$log" || fail "the target did not start"
window=$(poll 30 xdotool search --name "^$desktop" | head -1) || true
[ -n "$window" ] || fail "no X window for the desktop $desktop"
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
xdotool windowfocus --sync "$window"
xdotool mousemove --window "$window" 200 150 click 1
sleep 0.5

# Plain typing reaches the target.
xdotool type --delay 50 "ab"
poll 10 text_is "ab" || fail "typed keys did not reach the target"

# The enabled text assignment: pasted, and F5 never reaches the target.
xdotool key ctrl+alt+F5
poll 10 text_is "abPasted by Tallowick" || fail "Ctrl+Alt+F5 did not paste its text"
keys_contain 74 && fail "F5 reached the target"
poll 5 mods_are 0 || fail "a modifier is left down after the paste"

# A disabled assignment and an unassigned combination reach the target unchanged.
xdotool key ctrl+alt+F6
poll 10 keys_contain 75 || fail "Ctrl+Alt+F6 (disabled) did not reach the target"
xdotool key ctrl+alt+F7
poll 10 keys_contain 76 || fail "Ctrl+Alt+F7 (unassigned) did not reach the target"
sleep 0.5
text_is "abPasted by Tallowick" || fail "a disabled or unassigned combination changed the text"
poll 5 mods_are 0 || fail "a modifier is left down"

# After "/t" every key reaches the target again.
wine explorer /desktop="$desktop" "${install}Talowick.exe" /t >/dev/null 2>&1
poll 30 block_gone || fail "Talowick.exe /t did not end the running instance"
xdotool windowfocus --sync "$window"
xdotool key ctrl+alt+F5
poll 10 keys_contain 74 || fail "after /t, Ctrl+Alt+F5 did not reach the target"
sleep 0.5
text_is "abPasted by Tallowick" || fail "after /t, Ctrl+Alt+F5 still pasted"

echo "hotkey test passed"
