#!/usr/bin/env bash
# The main window with real mouse clicks and key presses: Talowick.exe starts with its window
# inside a Wine virtual desktop, on the shipped data files; at the end the notification area is
# made anew under the running program.
#
#   keyboard_window_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE
set -euo pipefail

source "$(dirname "$0")/lib.sh"
e2e_setup shipped

settings_key='HKCU\Software\Quintavel Software\Tallowick\CurrentVersion'
# Red pixels in the tray icon: the disabled picture is struck through in red.
tray_red_pixels() {
  import -window root png:- 2>/dev/null |
    convert - -crop 16x16+$((tray_x - 8))+$((tray_y - 8)) txt:- |
    grep -c -E '#[C-F][0-9A-F][0-3][0-9A-F][0-3][0-9A-F]' || true
}
tray_shows_disabled() { [ "$(tray_red_pixels)" -ge 5 ]; }

# The first show centres the window on the 1024 x 768 desktop.
in_desktop "${install}Talowick.exe"
poll 60 main_visible || fail "the main window did not show"
window=$(focus_desktop)
read -r left top right bottom client_x client_y <<<"$(probe rect TFormMain "Quintavel Tallowick")"
[ "$left" -eq $(((1024 - (right - left)) / 2)) ] || fail "not centred across: $left $right"
[ "$top" -eq $(((768 - (bottom - top)) / 2)) ] || fail "not centred down: $top $bottom"

# Clicking a key picture (F1) opens the modifier popup; Escape closes it.
xdotool mousemove $((client_x + 10 + 81 + 15)) $((client_y + 10 + 17 + 15)) click 1
poll 10 menu_shown || fail "clicking F1 did not open the key popup"
xdotool key Escape
poll 10 menu_gone || fail "the key popup did not close"

# Tab still moves the focus between the buttons.
focus_is TFormMain "Key Combination Assignment List" || fail "the first button has no focus"
xdotool key Tab
poll 10 focus_is TFormMain Options || fail "Tab did not move the focus"

# Shift alone is silent and selects nothing.
xdotool key shift
settle 0.5
gone TFormAssign || fail "Shift alone opened the editor"

# An available combination opens the editor for it; the main window keeps its focus state.
xdotool key ctrl+shift+F9
poll 10 visible TFormAssign || fail "Ctrl+Shift+F9 did not open the editor"
probe close TFormAssign -
poll 10 gone TFormAssign || fail "the editor did not close"
focus_is TFormMain Options || fail "the combination reached the main window"

# Double-clicking the tray icon hides the window and shows it again.
double_click_tray
poll 10 main_hidden || fail "double-clicking the tray icon did not hide the window"
double_click_tray
poll 10 main_visible || fail "double-clicking the tray icon did not show the window"

# With the window hidden, Disabled in the tray menu stores Enabled = 0, removes the hook and shows
# the disabled icon; an assigned combination then reaches the application in front.
double_click_tray
poll 10 main_hidden || fail "the window did not hide"
poll 20 hook_installed || fail "the hook is not on while the window is hidden"
tray_shows_disabled && fail "the enabled icon shows red"
right_click_tray
poll 10 menu_shown || fail "the tray menu did not open"
# The menu opens above the icon; "&Disabled" is its eighth line. (Wine does not hand keys to a menu
# whose owner window is hidden, so it is clicked.)
xdotool mousemove $((tray_x - 71)) $((tray_y - 46)) click 1
poll 10 hook_removed || fail "Disabled did not remove the hook"
reg_is "$settings_key" Enabled 0x0 || fail "Disabled did not store Enabled = 0"
poll 10 tray_shows_disabled || fail "the icon did not change to the disabled picture"

start_target
xdotool mousemove --window "$window" 300 300 click 1
settle 0.5
xdotool key ctrl+alt+F5
poll 10 keys_contain 74 || fail "with assignments disabled, Ctrl+Alt+F5 did not reach the target"
text_is "" || fail "with assignments disabled, Ctrl+Alt+F5 still pasted"

# Explorer's notification area made anew while the program runs (as after a crash of Explorer):
# the new area says so with "TaskbarCreated", the program adds its icon there, and the icon's menu
# works. The test's own area stands in for Explorer's, whose requests it takes from now on.
touch "$log.quit"
area_log="$work/area.log"
touch "$area_log"
in_desktop "$probe_exe" notification-area "$(winepath -w "$area_log")" \
  "$(winepath -w "$work/area.ready")" "$(winepath -w "$work/area.click")" \
  "$(winepath -w "$work/desktop.done")"
poll 30 grep -q started "$area_log" || fail "the test's notification area did not start"
touch "$work/area.ready"
poll 10 grep -q "^add .* 1024 0x2410 Tallowick$" "$area_log" ||
  fail "the program did not add its icon to the new notification area: $(cat "$area_log")"
xdotool mousemove 300 200
touch "$work/area.click"
poll 10 menu_shown || fail "the icon in the new notification area did not open its menu"
import -window root "$build/new_notification_area_menu.png" 2>/dev/null || true
read -r menu_left menu_top _ <<<"$(probe rect "#32768" -)"
xdotool mousemove $((menu_left + 40)) $((menu_top + 10)) click 1
poll 10 main_visible || fail "Open Keyboard in the new notification area's menu did not show the window"

echo "keyboard window test passed"
