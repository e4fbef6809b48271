#!/usr/bin/env bash
# Two people on one "Default" folder: two Wine prefixes (two machines, each with its own server,
# registry and clipboard) whose programs share one user data folder, with real keys. The two
# machines save 100 times each at the same moment and nothing is lost; A saves a text and B
# another, and both are stored; B saves a title over the combination that A's editor shows, and
# A's save then asks before it replaces it (No keeps B's); both edit objects at the same time and
# each stores its own; A's later save reaches B's hook without a restart, and B pastes A's texts
# and object.
#
#   two_programs_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE
set -euo pipefail

source "$(dirname "$0")/lib.sh"
e2e_setup shipped

# Machine A is the build's prefix that e2e_setup prepared; machine B a second prefix of the build,
# made once and kept like the first, with an installation of its own that the registry points at
# A's user data folder.
prefix_a=$WINEPREFIX
prefix_b="$build/wineprefix-b"
install_a=$install
install_b=
log_a=$log
log_b="$work/target_b.log"
desktop_a="talo_a_$$"
desktop_b="talo_b_$$"
machine() {
  if [ "$1" = a ]; then
    export WINEPREFIX=$prefix_a; desktop=$desktop_a; install=$install_a; log=$log_a
  else
    export WINEPREFIX=$prefix_b; desktop=$desktop_b; install=$install_b; log=$log_b
  fi
}
# front MACHINE CLASS: the machine's desktop on top of the other, focused, and its window CLASS
# clicked on its caption and in front. A Wine desktop that lost the focus to the other machine's
# takes keys again only after a click, and may have no front window until then; the other
# machine may still take the focus back for a window it has just activated.
front() {
  machine "$1"
  local window
  window=$(poll 30 xdotool search --name "^$desktop" | head -1)
  take_focus() {
    local left top right
    xdotool windowraise "$window"
    xdotool windowfocus --sync "$window" || return 1
    read -r left top right _ <<<"$(probe rect "$2" -)"
    [ -n "$right" ] || return 1
    xdotool mousemove $(((left + right) / 2)) $((top + 8)) click 1
    settle 0.5
    [ "$(xdotool getwindowfocus)" = "$window" ] && foreground_is "$2"
  }
  poll_steps $((10 * wait_factor)) 0.1 take_focus "$@" ||
    fail "the desktop of $1 does not keep the focus on $2"
}
end_machine_b() {
  machine b
  touch "$work/fixture_b.done"
  timeout 20 wine explorer /desktop="$desktop" "${install}Talowick.exe" /t >/dev/null 2>&1 || true
  wineserver -k 2>/dev/null || true
  machine a
}
trap 'end_machine_b; e2e_cleanup' EXIT

TALO_PREFIX=$prefix_b "$wine_sh" "$build" prepare
machine b
wine "$fixture_exe" "$(winepath -w "$work")\\fixture_b" shipped >/dev/null 2>&1 &
pids+=($!)
poll 60 test -s "$work/fixture_b" || fail "the fixture did not prepare machine B"
install_b=$(sed -n 's/^install=//p' "$work/fixture_b" | tr -d '\r')
install=$install_b
shared_base=$(winepath -w "$(dirname "$user_dir")")
wine reg add 'HKCU\Software\Quintavel Software\Tallowick\CurrentVersion' /v UserDir /t REG_SZ \
  /d "$shared_base" /f >/dev/null 2>&1
folder="$(winepath -w "$user_dir")\\"
machine a

# The status byte of `code` in the shared view of the machine's program.
in_view() {
  probe_block mapping TALLOWWICKUSERDATA 3072 | tr -d '\n' | cut -c$((2 * (1024 + $1) + 1))-$((2 * (1024 + $1) + 2))
}
shows() { [ "$(in_view "$1")" = "$2" ]; }

# 1. A hundred saves on each machine at the same moment, each setting one more byte.
step="saves at the same moment"
machine b
wine "$probe_exe" save-each "$folder" 400 64 08 >"$work/saves_b" 2>&1 &
saves_b=$!
machine a
wine "$probe_exe" save-each "$folder" 300 64 08 >"$work/saves_a" 2>&1 ||
  fail "A's saves failed: $(cat "$work/saves_a")"
wait "$saves_b" || fail "B's saves failed: $(cat "$work/saves_b")"
for code in $(seq $((0x300)) $((0x363))) $(seq $((0x400)) $((0x463))); do
  [ "$(status_byte "$code")" = 08 ] || fail "the byte of $(printf %X "$code") was lost ($step)"
done

# 2. Both programs with their keyboard windows; A saves a text on Ctrl + Alt + F7, B enables
# Ctrl + Alt + F6 with a text of its own.
for m in a b; do
  machine $m
  in_desktop "${install}Talowick.exe"
  poll 60 visible TFormMain || fail "the keyboard window of $m did not show"
  poll 10 foreground_is TFormMain || fail "the keyboard window of $m did not come to the front"
done
type_text() {
  xdotool key alt+t Tab ctrl+a
  xdotool type --delay 20 "$1"
}
answer() {
  poll 5 box_shown "Save confirmation." || fail "no question ($step)"
  probe msgbox "Save confirmation." 0 | grep -q "$1" || fail "not the question about $1 ($step)"
  press_button "Save confirmation." "$2"
}

step="A saves a text"
front a TFormMain
open_editor ctrl+alt+F7
type_text "Written by A"
xdotool key Return
poll 10 gone TFormAssign || fail "the editor did not close ($step)"

step="B saves a text"
front b TFormMain
open_editor ctrl+alt+F6
xdotool key alt+e
type_text "Written by B"
xdotool key Return
answer "all previous settings" 6
poll 10 gone TFormAssign || fail "the editor did not close ($step)"
[ "$(status_byte 0x676)$(status_byte 0x675)$(status_byte 0x674)" = 181818 ] ||
  fail "not every save is stored ($step)"
[ "$(cat "$user_dir/0676.txt")$(cat "$user_dir/0675.txt")" = "Written by AWritten by B" ] ||
  fail "the texts are not stored ($step)"
[ "$(status_byte 0x300)$(status_byte 0x463)" = 0808 ] || fail "the programs undid earlier saves"

# 3. A's editor shows Ctrl + Alt + F5 while B saves a new title for it: A's save asks, and No
# keeps B's title.
step="a combination changed meanwhile"
front a TFormMain
open_editor ctrl+alt+F5
front b TFormMain
open_editor ctrl+alt+F5
save_title "Title by B"
front a TFormAssign
xdotool key d ctrl+a
xdotool type --delay 20 "Title by A"
xdotool key Return
answer "changed by another" 7
visible TFormAssign || fail "No closed the editor ($step)"
xdotool key Escape
poll 10 gone TFormAssign || fail "Escape did not close the editor ($step)"
[ "$(tr -d '\r\n' <"$user_dir/0674.dat")" = "Title by B" ] || fail "B's title was replaced ($step)"

# 4. Both editors open at once, each with an object pasted from its own machine's clipboard.
step="two objects at once"
front a TFormMain
open_editor ctrl+alt+F8
front b TFormMain
open_editor ctrl+alt+F10
for m in a b; do
  front $m TFormAssign
  probe clipboard "Object of $m"
  xdotool key alt+o Tab ctrl+v
  settle 1
done
for m in a b; do
  front $m TFormAssign
  xdotool key Return
  poll 10 gone TFormAssign || fail "the editor of $m did not close ($step)"
done
grep -q "Object of a" "$user_dir/0677.obj" && ! grep -q "Object of b" "$user_dir/0677.obj" ||
  fail "A did not store its own object ($step)"
grep -q "Object of b" "$user_dir/0679.obj" && ! grep -q "Object of a" "$user_dir/0679.obj" ||
  fail "B did not store its own object ($step)"

# 5. B's hook in front of B's target; A saves one more text, which B's program takes from the
# file without a restart. B's keys paste A's texts and A's object.
step="B's hook acts on A's saves"
front b TFormMain
hide_window_and_start_target
front a TFormMain
open_editor ctrl+alt+F9
type_text "Late by A"
xdotool key Return
poll 10 gone TFormAssign || fail "the editor did not close ($step)"
machine b
poll 10 shows $((0x678)) 18 || fail "B's program did not take A's save ($step)"
front b TaloHotkeyTarget
xdotool key ctrl+alt+F7
poll 10 text_is "Written by A" || fail "B's hook did not paste A's text ($step)"
xdotool key ctrl+alt+F9
poll 10 text_is "Written by ALate by A" || fail "B's hook did not paste A's later text ($step)"
xdotool key ctrl+alt+F8
poll 10 text_is "Written by ALate by AObject of a" || fail "B's hook did not paste A's object"
[ "$(status_byte 0x300)$(status_byte 0x463)$(status_byte 0x675)" = 080818 ] ||
  fail "a later save undid an earlier one"

# Each program takes its working copies away when it ends.
for m in a b; do
  machine $m
  timeout 20 wine explorer /desktop="$desktop" "${install}Talowick.exe" /t >/dev/null 2>&1 || true
done
no_working_copies() { ! ls "$user_dir" | grep -q '^Temp'; }
poll 10 no_working_copies || fail "working copies were left: $(ls "$user_dir")"

echo "two programs test passed"
