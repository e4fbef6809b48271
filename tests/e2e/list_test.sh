#!/usr/bin/env bash
# The assignment list with real clicks and keys: opened from the main window it shows exactly the
# assignments it lists, in the order of their code texts; the "Type" column orders it; Enter
# copies a text; the row menu sorts too; a check mark taken off and saved on closing switches the
# assignment off in User.dat, in the shared view and so in the hook.
#
#   list_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE
set -euo pipefail

source "$(dirname "$0")/lib.sh"
e2e_setup shipped

# "CHECKED CAPTION|TITLE|TYPE" per row, top to bottom.
rows() { probe listview TFormList - | sed -n 's/^row [0-9]* \([01]\) [-0-9]* [-0-9]* [-0-9]* [-0-9]* /\1 /p'; }
# The screen rectangle of the row titled $1, or of the header of column $1 (a number).
row_rect() { probe listview TFormList - | awk -v title="$1" -F'|' '$2 == title { print $1 }' |
  awk '{ print $4, $5, $6, $7 }'; }
header_rect() { probe listview TFormList - | awk -v n="$1" '$1 == "column" && $2 == n { print $3, $4, $5, $6 }'; }
click_at() { xdotool mousemove "$1" "$2" click 1; }
click_row() { local l t r b; read -r l t r b <<<"$(row_rect "$1")"; click_at $((l + 200)) $(((t + b) / 2)); }
click_check_box() { local l t r b; read -r l t r b <<<"$(row_rect "$1")"; click_at $((l + 8)) $(((t + b) / 2)); }
click_header() { local l t r b; read -r l t r b <<<"$(header_rect "$1")"; click_at $(((l + r) / 2)) $(((t + b) / 2)); }
expect_rows() {
  local want=$1 what=$2 got
  poll 5 test "$(rows)" = "$want" || { got=$(rows); fail "$what: got
$got
wanted
$want"; }
}

# An assignment of every kind. Ctrl + Alt + F5 holds the fixture's text "Pasted by Tallowick"; F6
# has kind 4, which no list shows, and "A" alone is no combination the shipped system data offers.
win_user_dir=$(probe_block userdir)
[ -n "$win_user_dir" ] || fail "the probe found no user data folder"
user=$(winepath -u "$win_user_dir")
probe_block userdata "$win_user_dir" 0x674:0x18 0x675:0x08 0x470:0x13 0x170:0x1C 0x74:0x01 \
  0x71:0x12 0x778:0x1C 0x75:0x14 0x41:0x18 || fail "cannot write the user data"
for title in "0674 Greeting" "0470 Home page" "0074 Editor" "0071 Old program" \
  "0778 Signature picture" "0075 Kind four" "0041 Not offered"; do
  printf '%s\r\n' "${title#* }" >"$user/${title%% *}.dat"
done

# The hook pastes the enabled text into the target.
start_program_and_target
xdotool key ctrl+alt+F5
poll 10 text_is "Pasted by Tallowick" || fail "Ctrl+Alt+F5 did not paste its text at first"

# The list, from the main window's button: the rows in the order of the code texts (113, 1136,
# 116, 1652, 1653, 1912, 368).
double_click_tray
poll 10 main_visible || fail "the notification icon did not show the window"
read -r _ _ _ _ client_x client_y <<<"$(probe rect TFormMain "Quintavel Tallowick")"
click_at $((client_x + 24 + 115)) $((client_y + 261 + 15))
poll 10 visible TFormList || fail "the list button did not open the list"
by_code="1 F2|Old program|Shortcut
1 Alt + F1|Home page|Shortcut
0 F5|Editor|Shortcut
1 Ctrl + Alt + F5|Greeting|Text
0 Ctrl + Alt + F6|Ctrl + Alt + F6|Text
1 Shift + Ctrl + Alt + F9|Signature picture|Object
1 Shift + F1|Shift + F1|Object"
expect_rows "$by_code" "the list does not show the assignments by code text"
click_row Greeting
shot TFormList list

# "Type" once: by type, then by the code that was first; twice: all three keys descending.
click_header 2
expect_rows "1 Shift + Ctrl + Alt + F9|Signature picture|Object
1 Shift + F1|Shift + F1|Object
1 F2|Old program|Shortcut
1 Alt + F1|Home page|Shortcut
0 F5|Editor|Shortcut
1 Ctrl + Alt + F5|Greeting|Text
0 Ctrl + Alt + F6|Ctrl + Alt + F6|Text" "one click on Type"
click_header 2
expect_rows "0 Ctrl + Alt + F6|Ctrl + Alt + F6|Text
1 Ctrl + Alt + F5|Greeting|Text
0 F5|Editor|Shortcut
1 Alt + F1|Home page|Shortcut
1 F2|Old program|Shortcut
1 Shift + F1|Shift + F1|Object
1 Shift + Ctrl + Alt + F9|Signature picture|Object" "two clicks on Type"

# Enter on the text row copies the text and says so.
probe_block clipboard "left alone" || fail "cannot put a text on the clipboard"
click_row Greeting
xdotool key Return
copied=$(probe msgbox "Text copied." 5000) || fail "Enter on the text row showed no message"
grep -q "'Greeting', has been copied" <<<"$copied" || fail "the message does not name the row: $copied"
# Wine's clipboard manager may still be taking over the text put there before: asked until it has.
clipboard_is() { [ "$(probe_block clipboard)" = "$1" ]; }
poll 5 clipboard_is "Pasted by Tallowick" || fail "Enter did not copy the text: $(probe_block clipboard)"
press_button "Text copied." 1

# Shift+F10 opens the row menu, whose "Sort Items" puts the code order back; Alt+Enter opens the
# editor in place of the list, which comes back.
xdotool key shift+F10
poll 5 menu_shown || fail "Shift+F10 opened no menu"
xdotool key i
settle 0.3
xdotool key c
expect_rows "$by_code" "Sort Items, by Combination"
xdotool key alt+Return
poll 10 visible TFormAssign || fail "Alt+Enter did not open the editor"
visible TFormList && fail "the list stays shown behind the editor"
probe close TFormAssign -
poll 10 visible TFormList || fail "the list did not come back after the editor"

# Unticked, sorted and closed: the mark stays through the sorting; Cancel keeps the list open;
# Yes saves every row, with a backup.
click_check_box Greeting
poll 5 test "$(rows | grep Greeting)" = "0 Ctrl + Alt + F5|Greeting|Text" ||
  fail "clicking the check box did not untick the row"
click_header 2
poll 5 test "$(rows | head -1)" = "1 Shift + Ctrl + Alt + F9|Signature picture|Object" ||
  fail "the Type column did not sort"
[ "$(rows | grep Greeting)" = "0 Ctrl + Alt + F5|Greeting|Text" ] || fail "sorting lost the change"
xdotool key Escape
question=$(probe msgbox "Save confirmation." 5000) || fail "closing with a change asked nothing"
grep -q "Do you wish save these new settings?" <<<"$question" || fail "unexpected question: $question"
press_button "Save confirmation." 2
settle 0.5
visible TFormList || fail "Cancel closed the list"
[ "$(status_byte 0x674 "$user/User.dat")" = 18 ] || fail "Cancel saved the change"
xdotool key Escape
probe msgbox "Save confirmation." 5000 >/dev/null || fail "the second close asked nothing"
press_button "Save confirmation." 6
poll 10 gone TFormList || fail "Yes did not close the list"
[ "$(status_byte 0x674 "$user/User.dat")" = 08 ] || fail "User.dat does not hold 08 for Ctrl+Alt+F5"
[ "$(status_byte 0x470 "$user/User.dat")" = 13 ] || fail "User.dat lost another row's state"
[ -f "$user/User.bak" ] || fail "no User.bak was written"
[ "$(status_byte 0x674 "$user/User.bak")" = 18 ] || fail "User.bak does not hold the old state"

# The hook now lets Ctrl+Alt+F5 through to the target.
double_click_tray
poll 10 hook_installed || fail "the hook did not come back when the window hid"
xdotool mousemove --window "$window" 200 150 click 1
settle 0.5
xdotool key ctrl+alt+F5
poll 10 keys_contain 74 || fail "Ctrl+Alt+F5, switched off in the list, did not reach the target"
settle 0.5
text_is "Pasted by Tallowick" || fail "Ctrl+Alt+F5 still pasted after it was switched off"

echo "list test passed"
