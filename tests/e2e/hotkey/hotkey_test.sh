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

source "$(dirname "$0")/../lib.sh"
e2e_setup

# The program, and the target in front, clicked into.
start_program_and_target

# Plain typing reaches the target.
xdotool type --delay 50 "ab"
poll 10 text_is "ab" || fail "typed keys did not reach the target"

# The enabled text assignment: pasted, and F5 never reaches the target.
xdotool key ctrl+alt+F5
poll 10 text_is "abPasted by Tallowick" || fail "Ctrl+Alt+F5 did not paste its text"
keys_contain 74 && fail "F5 reached the target"
poll 5 mods_are 0 || fail "a modifier is left down after the paste"

# A text on Ctrl+V pastes once per press, and the paste another assignment types stays a plain
# paste: the hook passes on the keys it types itself. The target still takes every key after.
xdotool key ctrl+v
poll 10 text_is "abPasted by TallowickOnce" || fail "Ctrl+V did not paste its text"
xdotool key ctrl+alt+F5
poll 10 text_is "abPasted by TallowickOncePasted by Tallowick" ||
  fail "Ctrl+Alt+F5 did not paste its own text after Ctrl+V"
xdotool type --delay 50 "c"
poll 10 text_is "abPasted by TallowickOncePasted by Tallowickc" || fail "a paste went on, or a key was lost"
poll 5 mods_are 0 || fail "a modifier is left down after the pastes"

# A disabled assignment and an unassigned combination reach the target unchanged.
xdotool key ctrl+alt+F6
poll 10 keys_contain 75 || fail "Ctrl+Alt+F6 (disabled) did not reach the target"
xdotool key ctrl+alt+F7
poll 10 keys_contain 76 || fail "Ctrl+Alt+F7 (unassigned) did not reach the target"
settle 0.5
text_is "abPasted by TallowickOncePasted by Tallowickc" || fail "a disabled or unassigned combination changed the text"
poll 5 mods_are 0 || fail "a modifier is left down"

# After "/t" every key reaches the target again.
wine explorer /desktop="$desktop" "${install}Talowick.exe" /t >/dev/null 2>&1
poll 30 block_gone || fail "Talowick.exe /t did not end the running instance"
xdotool windowfocus --sync "$window"
xdotool key ctrl+alt+F5
poll 10 keys_contain 74 || fail "after /t, Ctrl+Alt+F5 did not reach the target"
settle 0.5
text_is "abPasted by TallowickOncePasted by Tallowickc" || fail "after /t, Ctrl+Alt+F5 still pasted"

echo "hotkey test passed"
