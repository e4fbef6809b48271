#!/usr/bin/env bash
# The paste latency with real key events: from the key-down of Ctrl+Alt+F5 (an enabled text
# assignment of Talowick.exe /s) to its text in the target's edit control, against Ctrl+Alt+F8
# of paste_minimal.exe, which puts the same text on the clipboard and types Ctrl+V the same way.
# Both run in the same Wine virtual desktop into the same target, alternately, ROUNDS times each
# (21 unless given); the target times each paste itself (paste_latency_target.cpp). Prints the
# medians and their ratio (goal 1.2), then how long the hook holds the target's input thread.
#
#   bench/paste_latency_bench.sh BUILD_DIR [ROUNDS]
set -euo pipefail

build_dir=$1
rounds=${2:-21}
minimal_exe=$build_dir/bench/paste_minimal.exe
# lib.sh takes the standard arguments of the end-to-end scripts.
set -- "$build_dir" "$build_dir/bench/paste_latency_target.exe" \
  "$build_dir/tests/hotkey_fixture.exe" "$build_dir/tests/probe.exe"
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup

# The text of the fixture's Ctrl+Alt+F5 assignment.
text="Pasted by Tallowick"

# The minimal program has no window: started first, it leaves the target in front.
in_desktop "$minimal_exe" "$text"
start_program_and_target

count() { grep -c "^$1 " "$log" 2>/dev/null || true; }

more_than() { [ "$(count "$1")" -gt "$2" ]; }

# paste KEY VK: presses Ctrl+Alt+KEY and waits for the target's line for it.
paste() {
  local before; before=$(count "$2")
  xdotool key "ctrl+alt+$1"
  poll 10 more_than "$2" "$before" || fail "ctrl+alt+$1 pasted nothing"
  sleep 0.2
}

# One of each first, not counted: the first paste of a process loads what it needs.
paste F5 74
paste F8 77
: >"$log"
for _ in $(seq "$rounds"); do
  paste F5 74
  paste F8 77
done

# A paste that typed something else (a "v" without its Ctrl) is timed but reported apart.
wrong() { grep "^$1 " "$log" | tr -d '\r' | grep -vc " $text\$" || true; }
median() { grep "^$1 " "$log" | cut -d' ' -f2 | tr -d '\r' | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
hook=$(median 74)
minimal=$(median 77)
echo "paste latency, median of $rounds, key-down to text in the edit control:"
echo "  Talowick.exe, Ctrl+Alt+F5 text assignment: $hook us ($(wrong 74) wrong texts)"
echo "  paste_minimal.exe, Ctrl+Alt+F8:            $minimal us ($(wrong 77) wrong texts)"
awk -v a="$hook" -v b="$minimal" 'BEGIN {printf "  ratio %.2f (goal 1.20)\n", a / b}'

# How long the hook holds the target's input thread per paste, over HOLD_ROUNDS pastes (100
# unless given): with the modifiers let go at once (xdotool's own pace), and with Ctrl+Alt held
# down while F5 is pressed again and again.
hold_rounds=${HOLD_ROUNDS:-100}
holds() {
  grep '^hold ' "$log" | cut -d' ' -f2 | tr -d '\r' | sort -n |
    awk '{v[NR]=$1} END {printf "median %d us, worst %d us, over %d pastes\n", v[int((NR+1)/2)], v[NR], NR}'
}
: >"$log"
for _ in $(seq "$hold_rounds"); do paste F5 74; done
echo "input thread held by the hook per paste, modifiers let go at once: $(holds)"
: >"$log"
xdotool keydown ctrl alt
for _ in $(seq "$hold_rounds"); do
  before=$(count 74)
  xdotool key F5
  poll 10 more_than 74 "$before" || { xdotool keyup ctrl alt; fail "F5 with Ctrl+Alt held pasted nothing"; }
done
xdotool keyup ctrl alt
echo "input thread held by the hook per paste, Ctrl+Alt held down:      $(holds)"

# F5 held down too: the keyboard repeats it, and every repeat pastes again without waiting.
: >"$log"
xdotool keydown ctrl alt F5
sleep 3
xdotool keyup F5 alt ctrl
settle 1
echo "input thread held by the hook per paste, Ctrl+Alt+F5 held 3 s:    $(holds)"

