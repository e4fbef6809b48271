#!/usr/bin/env bash
# Nothing stored is lost when something fails on the way, with real keys: an object assignment is
# opened while another program holds its file, and a genuine program information file (which
# Wine's shell cannot read) is opened - each time the user is told, over the editor, and the
# assignment saved with a new title keeps its kind and its file; the list's save fails while
# another program holds User.dat (the message blocks the list), and the stored states stay in
# force for the hook; a held title is kept by a save that leaves its box alone, and so is a text
# saved as UTF-16 elsewhere, which the box shows only up to its first zero; a stored text replaced
# by a longer one on a full disk (a small file system mounted over the user folder, where the
# machine lets the test mount one) is kept with its status byte, and the hook still pastes it.
# After each, the stored files are compared byte for byte with a copy taken before.
#
#   kept_content_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE
set -euo pipefail

source "$(dirname "$0")/lib.sh"
e2e_setup shipped

disabled() { probe window "$1" - | grep -q disabled; }
same_as_before() {
  for file in "$@"; do cmp -s "$before/$file" "$user/$file" || fail "$file changed ($step)"; done
}

# Ctrl + Alt + F5 starts a genuine program information file, Ctrl + Alt + F6 pastes a text object,
# Ctrl + Alt + F7 pastes a text.
win_user_dir=$(probe_block userdir)
user=$(winepath -u "$win_user_dir")
full_disk=
if mkdir -p "$work/full" && mount -t tmpfs -o size=1m tmpfs "$work/full" 2>/dev/null; then
  umount "$work/full"
  cp -a "$user/." "$work/full/"
  mount -t tmpfs -o size=1m tmpfs "$user"
  trap 'umount -l "$user" 2>/dev/null; e2e_cleanup' EXIT
  cp -a "$work/full/." "$user/"
  full_disk=1
fi
probe_block userdata "$win_user_dir" 0x674:0x12 0x675:0x1C 0x676:0x18 0x677:0x18 ||
  fail "cannot write the user data"
probe_block pif "$win_user_dir\\0674.pif" "Old editor" 'C:\EDIT.COM' || fail "cannot write the PIF"
printf '\1\0\0\0\14\0\0\0Kept object\0' >"$user/0675.obj"
printf 'Old editor\r\n' >"$user/0674.dat"
printf 'Old object\r\n' >"$user/0675.dat"
printf 'Old text' >"$user/0676.txt"
printf '\377\376W\0i\0d\0e\0' >"$user/0677.txt"
before="$work/before"
cp -a "$user" "$before"

in_desktop "${install}Talowick.exe"
poll 60 visible TFormMain || fail "the main window did not show"
focus_desktop >/dev/null

# The user is told, over the editor, which file could not be opened.
told_about() {
  poll 10 box_shown "User data file error." || fail "the editor did not say what it could not open"
  local told
  told=$(probe msgbox "User data file error." 0)
  grep -q "$1" <<<"$told" || fail "the message does not name $1: $told"
  disabled TFormAssign || fail "the message does not block the editor"
  press_button "User data file error." 1
}
# Another program holds a file of the user folder open, without sharing, until release_file.
hold_file() {
  rm -f "$work/release"
  wine "$probe_exe" hold "$(winepath -w "$work")\\release" "$win_user_dir\\$1" >/dev/null 2>&1 &
  pids+=($!)
  settle 1
}
release_file() { touch "$work/release"; }

step="object held by another program"
hold_file "0675.obj"
open_editor ctrl+alt+F6
told_about 0675.obj
[ "$(editor_state "&Object")" = "enabled checked" ] || fail "the kind was not kept ($step)"
save_title "New object"
release_file
same_as_before User.dat 0675.obj 0674.pif
[ "$(tr -d '\r\n' <"$user/0675.dat")" = "New object" ] || fail "the title was not saved ($step)"

step="genuine program information file"
open_editor ctrl+alt+F5
told_about 0674.pif
[ "$(editor_state "&Shortcut")" = "enabled checked" ] || fail "the kind was not kept ($step)"
[ "$(editor_state "&Enabled")" = "enabled checked" ] || fail "the state was not kept ($step)"
same_as_before User.dat 0674.pif
save_title "New editor"
same_as_before User.dat 0675.obj 0674.pif
[ "$(tr -d '\r\n' <"$user/0674.dat")" = "New editor" ] || fail "the title was not saved ($step)"

# A title held by another program is told about and kept: a save that did not touch the title
# box (Enabled ticked off and on again) leaves the stored title alone.
step="held title"
hold_file "0675.dat"
open_editor ctrl+alt+F6
told_about 0675.dat
xdotool key alt+e alt+e Return
poll 5 box_shown "Save confirmation." || fail "no overwrite question ($step)"
press_button "Save confirmation." 6
poll 10 gone TFormAssign || fail "the editor did not close ($step)"
release_file
[ "$(tr -d '\r\n' <"$user/0675.dat")" = "New object" ] || fail "the held title was written over"

step="text shown in part"
open_editor ctrl+alt+F8
told_about 0677.txt
save_title "Wide text"
same_as_before User.dat 0677.txt

# The list: Ctrl + Alt + F6 (the second row) unticked, then closed with Yes while User.dat is held.
step="list save while User.dat is held"
read -r _ _ _ _ client_x client_y <<<"$(probe rect TFormMain "Quintavel Tallowick")"
xdotool mousemove $((client_x + 24 + 115)) $((client_y + 261 + 15)) click 1
poll 10 visible TFormList || fail "the list did not open"
xdotool key Home Down space
hold_file User.dat
xdotool key Escape
poll 5 box_shown "Save confirmation." || fail "closing the list asked nothing"
press_button "Save confirmation." 6
# The save waits a moment for the file before it gives up: the box comes when it is whole.
write_error_told() { probe msgbox "Save settings error." 0 | grep -q "Unable to write"; }
poll 10 write_error_told || fail "the failed save was not reported"
disabled TFormList || fail "the save error does not block the list"
press_button "Save settings error." 1
release_file
visible TFormList || fail "the list closed after its save failed"
xdotool key Escape
poll 5 box_shown "Save confirmation." || fail "the second close asked nothing"
press_button "Save confirmation." 7
poll 10 gone TFormList || fail "No did not close the list"
same_as_before User.dat 0675.obj 0674.pif

# A text of 12,000 characters pasted over the stored one, saved on a disk with 8 KB left: the
# failure is told, and the stored text and its status byte stay.
step="text replaced on a full disk"
if [ -n "$full_disk" ]; then
  fallocate -l $(($(df --output=avail -B1 "$user" | tail -1) - 8192)) "$user/filler"
  probe clipboard "$(head -c 12000 /dev/zero | tr '\0' x)"
  focus_desktop >/dev/null
  open_editor ctrl+alt+F7
  xdotool key alt+t Tab ctrl+a ctrl+v Return
  poll 5 box_shown "Save confirmation." || fail "no overwrite question ($step)"
  press_button "Save confirmation." 6
  text_error_told() { probe msgbox "Save settings error." 0 | grep -q "user text file write"; }
  poll 10 text_error_told || fail "the failed text save was not reported ($step)"
  press_button "Save settings error." 1
  xdotool key Escape
  poll 10 gone TFormAssign || fail "Escape did not close the editor ($step)"
  rm "$user/filler"
  same_as_before User.dat 0675.obj 0674.pif 0676.txt
else
  echo "no file system can be mounted here: the full disk step is left out"
fi

# The hook still acts on the stored state: Ctrl + Alt + F6 pastes its object into the target, and
# Ctrl + Alt + F7 its text after it.
hide_window_and_start_target
xdotool key ctrl+alt+F6
poll 10 text_is "Kept object" || fail "Ctrl+Alt+F6 did not paste its object after the failed save"
xdotool key ctrl+alt+F7
poll 10 text_is "Kept objectOld text" || fail "Ctrl+Alt+F7 did not paste its kept text"

echo "kept content test passed"
