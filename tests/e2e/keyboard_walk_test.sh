#!/usr/bin/env bash
# Talowick.exe driven from the keyboard alone, as a new user would: Tab moves the focus and with
# it the thick frame of the button that Enter presses; Enter presses the focused button, Escape
# the cancel button, in the keyboard window, the list, the options, the path dialog and the
# editor, where Enter on Cancel leaves the user folder as it was and Enter on Apply saves and
# keeps the editor open. Then the saved text is pasted into another application, the program is
# started again, and its combination pressed in the keyboard window opens the editor, nothing
# else. Screenshots of the framed buttons are left in BUILD_DIR/keyboard_walk.
#
#   keyboard_walk_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE
set -euo pipefail

source "$(dirname "$0")/lib.sh"
e2e_setup shipped  # the shipped system data: Ctrl + Alt + F1 and Ctrl + Alt + Space are free

# With the help file installed, help opened by mistake shows as a window of its own.
cp "$build/install/Talowick.hlp" "$(winepath -u "$install")"
code=0670  # Ctrl + Alt + F1
shots="$build/keyboard_walk"
mkdir -p "$shots"

framed_is() { [ "$(probe default "$1" -)" = "$2" ]; }
# Tab until `text` has the focus in the form of class `form`; that button alone shows the frame.
tab_to() {
  local form=$1 text=$2
  for _ in $(seq 12); do
    focus_is "$form" "$text" && break
    xdotool key Tab
    settle 0.2
  done
  focus_is "$form" "$text" || fail "Tab did not reach \"$text\" in $form"
  poll 2 framed_is "$form" "$text" ||
    fail "\"$text\" has the focus, \"$(probe default "$form" -)\" shows the default frame"
}
# The combination, pressed in the keyboard window once it is in front, opens the editor.
press_in_keyboard_window() {
  poll 10 foreground_is TFormMain || fail "the keyboard window is not in front ($2)"
  xdotool key "$1"
  poll 10 visible TFormAssign || fail "$1 did not open the editor ($2)"
  poll 5 foreground_is TFormAssign || fail "the editor is not in front ($2)"
}
type_text_assignment() {
  xdotool key d ctrl+a
  xdotool type --delay 20 "$1"
  xdotool key alt+t Tab
  xdotool type --delay 20 "$2"
}

in_desktop "${install}Talowick.exe"
poll 60 visible TFormMain || fail "the main window did not show"
focus_desktop >/dev/null

# The keyboard window: the list button has the focus and the frame; Enter opens the list.
poll 10 focus_is TFormMain "Key Combination Assignment List" || fail "the list button has no focus"
framed_is TFormMain "Key Combination Assignment List" || fail "the list button shows no frame"
xdotool key Return
poll 10 visible TFormList || fail "Enter on the list button did not open the list"
xdotool key Escape
poll 10 gone TFormList || fail "Escape did not close the list"

# Options by Tab and Enter; its Network page by Ctrl+Tab; the path dialog by Tab and Enter.
poll 10 foreground_is TFormMain || fail "the keyboard window did not come back to the front"
tab_to TFormMain Options
shot TFormMain main_options_framed
xdotool key Return
poll 10 visible TFormOptions || fail "Enter on Options did not open the options"
poll 5 framed_is TFormOptions OK || fail "the options' OK shows no frame"
xdotool key ctrl+Tab
poll 5 child_shown TFormOptions "&Change Path..." || fail "Ctrl+Tab did not show Network"
tab_to TFormOptions "&Change Path..."
shot TFormOptions options_change_path_framed
xdotool key Return
poll 10 visible TFormUser || fail "Enter on Change Path did not open the path dialog"
poll 5 framed_is TFormUser "&Select" || fail "the path dialog's Select shows no frame"
[ "$(probe focus TFormUser -)" != "Select User (Network) Data Path" ] || fail "the path dialog focuses no control"
shot TFormUser user_path
xdotool key Escape
poll 10 gone TFormUser || fail "Escape did not close the path dialog"
xdotool key Escape
poll 10 gone TFormOptions || fail "Escape did not close the options"

# The editor: Enter on the focused Cancel closes it and writes nothing. The opening itself may
# write (a free combination's byte is cleared), so the folder is read once the editor shows.
press_in_keyboard_window ctrl+alt+F1 "Cancel"
before=$(user_folder_fingerprint)
type_text_assignment "Walk title" "walk text"
tab_to TFormAssign Cancel
shot TFormAssign editor_cancel_framed
xdotool key Return
poll 10 gone TFormAssign || fail "Enter on Cancel did not close the editor"
[ "$before" = "$(user_folder_fingerprint)" ] || fail "Enter on Cancel changed the user folder"

# Enter on the focused Apply saves and keeps the editor, whose OK reads Close. Escape does not
# close it then (its Cancel is disabled); Enter presses Close.
press_in_keyboard_window ctrl+alt+F1 "Apply"
xdotool key space
type_text_assignment "Walk title" "walk text"
tab_to TFormAssign "&Apply"
shot TFormAssign editor_apply_framed
xdotool key Return
# The text is stored before the byte that names it: both are waited for.
applied() {
  [ "$(status_byte 0x$code)" = 18 ] && [ "$(cat "$user_dir/$code.txt" 2>/dev/null)" = "walk text" ]
}
poll 10 applied ||
  fail "Apply saved $(status_byte 0x$code) and: $(cat "$user_dir/$code.txt" 2>/dev/null)"
visible TFormAssign || fail "Enter on Apply closed the editor"
poll 5 framed_is TFormAssign Close || fail "OK did not become the framed Close after Apply"
xdotool key Escape
settle 0.5
visible TFormAssign || fail "Escape closed the editor with its Cancel disabled"
xdotool key Return
poll 10 gone TFormAssign || fail "Enter did not press Close"

# The text pasted into another application; the program started again; the combination opens
# the editor alone, which has the keys: help does not open with it.
start_target
read -r _ _ _ _ client_x client_y <<<"$(probe rect - "Talo Hotkey Target")"
xdotool mousemove $((client_x + 60)) $((client_y + 60)) click 1
settle 0.5
xdotool key ctrl+alt+F1
poll 10 text_is "walk text" || fail "the combination did not paste the text: $(log_text)"
wine explorer /desktop="$desktop" "${install}Talowick.exe" >/dev/null 2>&1
press_in_keyboard_window ctrl+alt+F1 "after the paste"
settle 1
! visible MS_WINHELP || fail "the help viewer opened with the editor"
focus_is TFormAssign "&Enabled" || fail "the editor has not the focus: $(probe focus TFormAssign -)"
xdotool key Escape
poll 10 gone TFormAssign || fail "Escape did not reach the editor"

# The combination's key goes to the keyboard window once: the Space of Ctrl + Alt + Space does
# not also reach the editor's focused Enabled box.
press_in_keyboard_window ctrl+alt+space "Ctrl+Alt+Space"
settle 0.5
probe child TFormAssign - "&Enabled" | grep -q " unchecked " || fail "the combination's Space ticked Enabled"
xdotool key Escape
poll 10 gone TFormAssign || fail "Escape did not close the editor"

echo "keyboard walk passed"
