#!/usr/bin/env bash
# The assignment editor with real keys: a free combination chosen on the keyboard window gets a
# text, then a picture object, then a shortcut, each saved and then carried out by the hook in
# another application; between them the editor's states: a refused incomplete save, Escape that
# keeps everything, Apply then Close, an overwrite answered No, and the content boxes' keys and
# menus.
#
#   editor_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE
set -euo pipefail

source "$(dirname "$0")/lib.sh"
e2e_setup shipped  # the shipped system data: Ctrl + Alt + F7 is free and has its name

code=0676  # Ctrl + Alt + F7
caption='"Ctrl + Alt + F7" - Key Combination Assignment'
shots="$build/editor"
mkdir -p "$shots"

file_is() { [ -f "$1" ] && [ "$(cat "$1")" = "$2" ]; }

# The keyboard window shown by a second start and made active: Ctrl+Alt+F7 opens the editor.
show_window_and_open_editor() {
  wine explorer /desktop="$desktop" "${install}Talowick.exe" >/dev/null 2>&1
  poll 10 visible TFormMain || fail "the main window did not show"
  # The window may take a moment to become active after it shows: a click on its caption makes
  # sure, and the combination is pressed again until the editor opens.
  local left top
  for _ in 1 2 3; do
    settle 0.5
    read -r left top _ _ _ _ <<<"$(probe rect TFormMain "Quintavel Tallowick")"
    xdotool mousemove $((left + 300)) $((top + 8)) click 1
    settle 0.3
    xdotool key ctrl+alt+F7
    poll 3 visible TFormAssign && break
  done
  if ! visible TFormAssign; then
    import -window root "$shots/not_opened.png"
    fail "Ctrl+Alt+F7 did not open the editor ($1)"
  fi
  settle 0.5
}
# Enter on the default button; the overwrite question, when it comes, answered with `answer`.
save_with() {
  xdotool key Return
  poll 5 box_shown "Save confirmation." || fail "no overwrite question ($2)"
  xdotool key "$1"
}
shows_close() { [ "$(editor_state Close)" = "enabled unchecked" ]; }
picture_on_clipboard() { probe_block clipboard-formats | grep -qw 8; }
# Ctrl (11) and V (56) reached the target after the keys it had seen before.
pasted_after() { case "$(log_field keys)" in "$1"*"11 56 "*) return 0 ;; *) return 1 ;; esac; }
press_in_target() {
  read -r _ _ _ _ client_x client_y <<<"$(probe rect - "Talo Hotkey Target")"
  xdotool mousemove $((client_x + 60)) $((client_y + 60)) click 1
  settle 0.5
  xdotool key ctrl+alt+F7
}

in_desktop "${install}Talowick.exe"
poll 60 visible TFormMain || fail "the main window did not show"
focus_desktop >/dev/null

# A free combination: its name as title, no kind, not enabled, nothing to apply.
show_window_and_open_editor "first opening"
visible TFormAssign "$caption" || fail "the editor's caption is not: $caption"
[ "$(editor_state "&Apply")" = "disabled unchecked" ] || fail "Apply is enabled on opening"
[ "$(editor_state "&Enabled")" = "enabled unchecked" ] || fail "a free combination opens enabled"
for kind in "&Shortcut" "&Text" "&Object"; do
  [ "$(editor_state "$kind")" = "enabled unchecked" ] ||
    fail "$kind is selected for a free combination"
done
shot TFormAssign fresh

# Enabled without a kind is refused with the incomplete-data message.
xdotool key space
[ "$(editor_state "&Apply")" = "enabled unchecked" ] || fail "ticking Enabled did not enable Apply"
xdotool key Return
poll 5 box_shown "Incomplete key assignment data." || fail "no incomplete-data message"
probe msgbox "Incomplete key assignment data." | grep -q "^Please select one of the three" ||
  fail "the incomplete-data message is not the kind message"
xdotool key Return
settle 0.5
visible TFormAssign || fail "a refused save closed the editor"

# A text: title typed over the name, Text by its access key, a line break with Ctrl+Enter, a tab
# with Ctrl+Tab, and Enter saves (nothing to overwrite: no question).
xdotool key d ctrl+a
xdotool type --delay 20 "My greeting"
xdotool key alt+t Tab
xdotool type --delay 20 "Dear reader,"
xdotool key ctrl+Return ctrl+Tab
xdotool type --delay 20 "hello."
shot TFormAssign text
xdotool key Return
poll 10 gone TFormAssign || fail "Enter did not save and close the editor"
[ "$(status_byte 0x$code)" = 18 ] ||
  fail "User.dat holds $(status_byte 0x$code), not 18, for the text"
[ -f "$user_dir/User.bak" ] || fail "no User.bak after the save"
file_is "$user_dir/$code.dat" $'My greeting\r' || fail "the title file holds: $(cat "$user_dir/$code.dat")"
file_is "$user_dir/$code.txt" $'Dear reader,\r\n\thello.' ||
  fail "the text file holds: $(od -c "$user_dir/$code.txt")"

# In another application the combination pastes that text.
probe clipboard "the test's own clipboard text"
start_target
press_in_target
poll 10 text_is $'Dear reader,\r\n\thello.' || fail "the text was not pasted into the target"

# Reopened: the stored text, Text and Enabled selected, nothing to apply; Escape keeps it all.
before=$(user_folder_fingerprint)
show_window_and_open_editor "the stored text"
[ "$(editor_state "&Text")" = "enabled checked" ] || fail "the stored text kind is not selected"
[ "$(editor_state "&Enabled")" = "enabled checked" ] || fail "the stored assignment is not enabled"
[ "$(editor_state "&Apply")" = "disabled unchecked" ] || fail "Apply is enabled on reopening"
xdotool key d ctrl+a
xdotool type --delay 20 "Escaped title"
xdotool key Escape
poll 10 gone TFormAssign || fail "Escape did not close the editor"
[ "$before" = "$(user_folder_fingerprint)" ] || fail "Escape changed the user data folder"

# Apply saves (after the overwrite question) and turns OK into Close; an edit after it is lost
# by Close.
show_window_and_open_editor "Apply then Close"
xdotool key d ctrl+a
xdotool type --delay 20 "Applied title"
xdotool key alt+a
poll 5 box_shown "Save confirmation." || fail "Apply over content asked nothing"
xdotool key y
poll 5 shows_close || fail "OK did not become Close after Apply"
[ "$(editor_state Cancel)" = "disabled unchecked" ] || fail "Cancel stays enabled after Apply"
xdotool key d ctrl+a
xdotool type --delay 20 "Lost title"
[ "$(editor_state "&Apply")" = "enabled unchecked" ] ||
  fail "an edit after Apply did not enable Apply"
xdotool key Return
poll 10 gone TFormAssign || fail "Close did not close the editor"
file_is "$user_dir/$code.dat" $'Applied title\r' || fail "Close saved the edit made after Apply"

# A picture object pasted with Ctrl+V: answering No to the question saves nothing; Yes saves it.
probe clipboard-bitmap 1024 768
show_window_and_open_editor "the object"
xdotool key alt+o Tab ctrl+v
settle 1
shot TFormAssign object
# The box's keys: Ctrl+X takes the object out to the clipboard, Ctrl+V puts it back (a save
# without it would be refused, not asked about); Shift+F10 opens the box's menu. The emulated x86
# machine (waits stretched) leaves the boxes' keys and menus out: its set runs close to the
# machine's hour, and the framework code they walk is the twin's and a native 32-bit run's too.
walk_box_keys() { [ "$wait_factor" = 1 ]; }
if walk_box_keys; then
  probe clipboard "the test's own clipboard text"
  xdotool key ctrl+x
  poll 5 picture_on_clipboard || fail "Ctrl+X in the object box put no picture on the clipboard"
  xdotool key ctrl+v shift+F10
  poll 5 menu_shown || fail "Shift+F10 in the object box opened no menu"
  xdotool key Escape
  poll 5 menu_gone || fail "Escape did not close the object box's menu"
fi
save_with n "object, No"
settle 0.5
visible TFormAssign || fail "No to the overwrite question closed the editor"
[ "$(status_byte 0x$code)" = 18 ] || fail "No to the overwrite question still saved the kind"
[ ! -f "$user_dir/$code.obj" ] || fail "No to the overwrite question still saved the object"
save_with y "object, Yes"
poll 10 gone TFormAssign || fail "the object save did not close the editor"
[ "$(status_byte 0x$code)" = 1c ] ||
  fail "User.dat holds $(status_byte 0x$code), not 1c, for the object"
[ "$(od -An -tu4 -N4 "$user_dir/$code.obj" | tr -d ' ')" = 8 ] ||
  fail "the object file does not start with the picture (CF_DIB)"
probe clipboard "the test's own clipboard text"
keys_before=$(log_field keys)
press_in_target
poll 10 picture_on_clipboard || fail "the combination did not put the picture on the clipboard"
poll 10 pasted_after "$keys_before" ||
  fail "the combination did not deliver the paste to the target: $(log_field keys)"

# A shortcut to a batch file, pasted as a file list; the combination then runs it.
ran="$work/ran.txt"
printf 'echo ran> "%s"\r\n' "$(winepath -w "$ran")" >"$work/mark.bat"
probe clipboard-files "$(winepath -w "$work/mark.bat")"
show_window_and_open_editor "the shortcut"
xdotool key alt+s Tab ctrl+v
settle 1
[ "$(editor_state "&Enabled")" = "enabled checked" ] ||
  fail "the pasted shortcut did not tick Enabled"
shot TFormAssign shortcut
# A right click on the shortcut's name opens the box's menu, as one on the box does.
if walk_box_keys; then
  read -r l t r b _ <<<"$(probe child TFormAssign - mark.bat)"
  [ -n "$b" ] || fail "the shortcut box does not show the name mark.bat"
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 3
  poll 5 menu_shown || fail "a right click on the shortcut's name opened no menu"
  shot TFormAssign shortcut_menu
  xdotool key Escape
  poll 5 menu_gone || fail "Escape did not close the shortcut box's menu"
fi
save_with y "shortcut"
poll 10 gone TFormAssign || fail "the shortcut save did not close the editor"
[ "$(status_byte 0x$code)" = 11 ] ||
  fail "User.dat holds $(status_byte 0x$code), not 11, for the shortcut"
[ -f "$user_dir/$code.lnk" ] || fail "no $code.lnk after the shortcut save"
[ -f "$user_dir/$code.obj" ] && [ -f "$user_dir/$code.txt" ] ||
  fail "the other contents were not kept beside the shortcut"
press_in_target
poll 20 test -f "$ran" || fail "the combination did not open the shortcut"

echo "editor test passed"
