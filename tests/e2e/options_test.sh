#!/usr/bin/env bash
# The options and the user data path with real clicks and keys, on Talowick.exe /s opened from its
# notification icon: a declined confirmation keeps its switch; Enabled off removes the hook and Run
# on start-up writes and removes the autostart entry; the path dialog reports a drive without a
# medium and bad paths, keeps the old folder when the new one holds damaged data, and moves the
# user data to a new folder typed with blanks around it, where the hook then finds its assignment.
#
#   options_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE
set -euo pipefail

source "$(dirname "$0")/lib.sh"

settings_key='HKCU\Software\Quintavel Software\Tallowick\CurrentVersion'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# A drive whose medium goes away while the program runs: a drive letter of the prefix pointing at a
# folder that is removed later. Wine learns of a new drive letter when its server starts.
eval "$("$wine_sh" "$build" env)"
free_letters=$(for l in m n o p q r s t u v w x; do [ -e "$WINEPREFIX/dosdevices/$l:" ] || echo $l; done)
medium_letter=$(sed -n 1p <<<"$free_letters")
missing_letter=$(sed -n 2p <<<"$free_letters")
[ -n "$missing_letter" ] || { echo "FAILED: no free drive letters in the prefix" >&2; exit 1; }
medium=$(mktemp -d)
ln -s "$medium" "$WINEPREFIX/dosdevices/$medium_letter:"
wineserver -k 2>/dev/null || true
show_warnings_before=$(wine reg query "$settings_key" /v ShowWarnings 2>/dev/null | tr -d '\r' |
  sed -n 's/.*REG_DWORD *//p')

e2e_setup
options_cleanup() {
  wine reg delete "$run_key" /v Tallowick /f >/dev/null 2>&1 || true
  [ -n "$show_warnings_before" ] && wine reg add "$settings_key" /v ShowWarnings /t REG_DWORD \
    /d "$show_warnings_before" /f >/dev/null 2>&1
  rm -f "$WINEPREFIX/dosdevices/$medium_letter:"
  rm -rf "$medium"
  e2e_cleanup
}
trap options_cleanup EXIT

# "L T R B checked|unchecked enabled|disabled CONTENT" of the control with that text (or class).
content() { child "$1" "$2" | cut -d' ' -f7-; }
checked() { child "$1" "$2" | grep -q " checked "; }
child_exists() { [ -n "$(child "$1" "$2")" ]; }
enabled() { child "$1" "$2" | grep -q " enabled"; }
run_value_gone() { ! wine reg query "$run_key" /v Tallowick >/dev/null 2>&1; }
# The user data folder in the communications block (offset 224), as the hook library reads it.
block_folder() { probe_block mapping TALLOWICK 1024 | tr -d '\n' | cut -c449- | xxd -r -p | tr -d '\0'; }
block_folder_is() { [ "$(block_folder)" = "$1" ]; }
# Answers the message box of that caption with Enter (its default button) and prints its text.
answer_box() {
  local text
  text=$(probe msgbox "$1" 5000)
  [ -n "$text" ] || fail "no message box '$1'"
  xdotool key Return
  poll 5 box_gone "$1" || fail "the message box '$1' did not close"
  printf '%s' "$text"
}
# The menu of the notification icon; its fourth line, under the first separator and "Assignment
# List", is "Options". The keys of a menu that another process's window holds in front go to that
# window, so the line is clicked.
open_options() {
  local l t
  right_click_tray
  poll 5 menu_shown || fail "the notification icon's menu did not show"
  read -r l t _ <<<"$(probe rect "#32768" -)"
  xdotool mousemove $((l + 40)) $((t + 52)) click 1
  poll 10 visible TFormOptions || fail "the notification icon's menu did not open the options"
  settle 0.3
}
# Clicks the tab of the options page "General" or "Network".
show_page() {
  local l t
  read -r l t _ <<<"$(child TFormOptions SysTabControl32)"
  xdotool mousemove $((l + $([ "$1" = General ] && echo 30 || echo 84))) $((t + 11)) click 1
  settle 0.5
}
# Types into the path dialog's edit in place of its text and presses Enter (Select).
select_path() {
  click_child TFormUser Edit
  xdotool key End shift+Home BackSpace
  xdotool type --delay 20 "$1"
  xdotool key Return
}

in_desktop "${install}Talowick.exe" /s
poll 60 hook_installed || fail "Talowick.exe /s did not install its hook"
start_target
window=$(focus_desktop)
old_base=$(reg_value "$settings_key" UserDir)
old_folder="${old_base}Default\\"
old_user_dat="$(winepath -u "$old_folder" 2>/dev/null)/User.dat"
old_sum=$(md5sum <"$old_user_dat")
block_folder_is "$old_folder" || fail "the block names $(block_folder), not $old_folder"

# Declining the warnings question keeps the box ticked and Apply as it was; No is the default.
open_options
shot TFormOptions options_general
show_page Network
shot TFormOptions options_network
show_page General
checked TFormOptions "Show &warnings" || fail "Show warnings is not ticked at first"
click_child TFormOptions "Show &warnings"
question=$(answer_box "Disable warnings confirmation.")
grep -q "^Do you wish to disable these warnings?$" <<<"$question" || fail "warnings question: $question"
poll 5 checked TFormOptions "Show &warnings" || fail "answering No left Show warnings unticked"
settle 0.5
enabled TFormOptions "&Apply" && fail "answering No enabled Apply"

# Run on start-up on, Enabled off, OK: the entry is written, Enabled = 0, and the hook is gone.
click_child TFormOptions "&Run on start-up"
poll 5 enabled TFormOptions "&Apply" || fail "ticking Run on start-up did not enable Apply"
click_child TFormOptions "&Enabled"
click_child TFormOptions OK
poll 10 gone TFormOptions || fail "OK did not close the options"
reg_is "$settings_key" Enabled 0x0 || fail "Enabled is $(reg_value "$settings_key" Enabled)"
reg_is "$run_key" Tallowick "\"${install}Talowick.exe\" /s" ||
  fail "the autostart entry is '$(reg_value "$run_key" Tallowick)'"
reg_is "$settings_key" ShowWarnings 0x1 || fail "ShowWarnings was changed"
poll 10 hook_removed || fail "the hook stays installed with Enabled off"
xdotool mousemove --window "$window" 200 150 click 1
xdotool key ctrl+alt+F5
poll 10 keys_contain 74 || fail "with Enabled off, Ctrl+Alt+F5 did not reach the target"
text_is "" || fail "with Enabled off, Ctrl+Alt+F5 still pasted"

# Run on start-up off (confirmed), Enabled on, Apply: the entry is gone, and the form says Close.
open_options
click_child TFormOptions "&Run on start-up"
question=$(probe msgbox "Disable start-up confirmation." 5000)
grep -q "^Do you wish to prevent the Tallowick from loading on start-up?$" <<<"$question" ||
  fail "start-up question: $question"
xdotool key y
poll 5 box_gone "Disable start-up confirmation." || fail "Yes did not close the question"
settle 0.5
checked TFormOptions "&Run on start-up" && fail "answering Yes kept Run on start-up ticked"
click_child TFormOptions "&Enabled"
click_child TFormOptions "&Apply"
poll 5 run_value_gone || fail "Apply left the autostart entry"
reg_is "$settings_key" Enabled 0x1 || fail "Apply did not store Enabled = 1"
poll 5 child_exists TFormOptions Close || fail "after Apply the OK button does not say Close"
enabled TFormOptions Cancel && fail "Cancel stays enabled after Apply"
enabled TFormOptions "&Apply" && fail "Apply stays enabled after Apply"

# The Network page shows the base folder; the path dialog starts there.
show_page Network
[ "$(content TFormOptions Edit)" = "$old_base" ] || fail "the Network page does not show $old_base"
click_child TFormOptions "&Change Path..."
poll 10 visible TFormUser || fail "Change Path did not open the path dialog"
settle 0.5
shot TFormUser user_path
[ "$(content TFormUser Edit)" = "$old_base" ] || fail "the path dialog does not start at $old_base"

# The medium goes away; choosing its drive says so and shows the previous drive again.
first_drive=$(content TFormUser ComboBox)
rmdir "$medium"
click_child TFormUser ComboBox
settle 0.3
xdotool key "$medium_letter"
device=$(answer_box "Device error.")
upper=$(tr a-z A-Z <<<"$medium_letter")
[ "$device" = "$(printf '%s:\\ is not accessible.\n\nThe device is not ready.' "$upper")" ] ||
  fail "device message: $device"
[ "$(content TFormUser ComboBox)" = "$first_drive" ] || fail "the drive box did not return to $first_drive"
[ "$(content TFormUser Edit)" = "$old_base" ] || fail "the drive error changed the folder"

# Bad paths give their message and keep the folder; nothing is created. A relative folder is bad
# too: every application would take it from its own current folder.
win_work=$(winepath -w "$work")
touch "$work/afile.txt"
long_name=$(printf 'x%.0s' $(seq 300))
for bad in "$win_work\\afile.txt" "$win_work\\bad|name" "${missing_letter^^}:\\data" \
  "$win_work\\$long_name" Tallowick "C:Data"; do
  select_path "$bad"
  message=$(answer_box "User data path selection error.")
  [ "$message" = "$(printf "Unable to access/create selected user data path,\n'%s\\\\'." "$bad")" ] ||
    fail "message for '$bad': $message"
  visible TFormUser || fail "a bad path closed the path dialog"
done
[ ! -e "$work/bad|name" ] || fail "a folder with '|' in its name was made"
reg_is "$settings_key" UserDir "$old_base" || fail "a bad path changed UserDir"

# A folder whose user data is damaged: its message, and the old folder stays in force.
mkdir -p "$work/broken/Default"
head -c 3072 /dev/zero | tr '\0' x >"$work/broken/Default/User.dat"
select_path "$win_work\\broken"
message=$(answer_box "User data file error.")
[ "$message" = "Tallowick user data file, 'USER.DAT', contains an unrecognized data format." ] ||
  fail "damaged data message: $message"
box_gone "User data path selection error." || fail "the damaged data was reported twice"
visible TFormUser || fail "the damaged data closed the path dialog"
reg_is "$settings_key" UserDir "$old_base" || fail "UserDir was not restored"
block_folder_is "$old_folder" || fail "the block names $(block_folder) after the failed change"

# A new folder typed with blanks around it is created, adopted, shown and published.
select_path "   $win_work\\newbase   "
poll 10 gone TFormUser || fail "Select did not take the new folder"
new_base="$win_work\\newbase\\"
[ "$(content TFormOptions Edit)" = "$new_base" ] || fail "the options do not show $new_base"
reg_is "$settings_key" UserDir "$new_base" || fail "UserDir is $(reg_value "$settings_key" UserDir)"
block_folder_is "${new_base}Default\\" || fail "the block names $(block_folder)"
[ -f "$work/newbase/Default/User.dat" ] || fail "no User.dat in the new folder"
[ "$(md5sum <"$old_user_dat")" = "$old_sum" ] || fail "the old User.dat was changed"
[ ! -e "$(dirname "$old_user_dat")/User.bak" ] || fail "a backup was made in the old folder"

# An assignment stored in the new folder: OK (now "Close") reopens the data, the hook carries it out.
printf '\x18' | dd of="$work/newbase/Default/User.dat" bs=1 seek=$((1024 + 0x676)) conv=notrunc \
  2>/dev/null
printf 'From the new folder' >"$work/newbase/Default/0676.txt"
click_child TFormOptions Close
poll 10 gone TFormOptions || fail "Close did not close the options"
poll 10 hook_installed || fail "the hook did not come back with Enabled on"
xdotool windowfocus --sync "$window"
xdotool mousemove --window "$window" 200 150 click 1
settle 0.5
xdotool key ctrl+alt+F7
poll 10 text_is "From the new folder" || fail "Ctrl+Alt+F7 of the new folder did not paste"
xdotool key ctrl+alt+F5
settle 1
text_is "From the new folder" || fail "the old folder's Ctrl+Alt+F5 still ran"

echo "options test passed"
