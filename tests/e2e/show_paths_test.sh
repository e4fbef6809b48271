#!/usr/bin/env bash
# Showing the main window after a silent start, with real clicks and keys: every way of bringing
# it up takes the system-wide hook off, so that an assigned combination pressed there opens the
# editor instead of running; the program's task-bar entry restores a minimised window.
#
#   show_paths_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE
set -euo pipefail

source "$(dirname "$0")/lib.sh"
e2e_setup

task_entry_shown() { visible TApplication Tallowick; }
task_entry_gone() { ! task_entry_shown; }
# The program's entry in the task bar of the 1024 x 768 desktop: first after the Start button.
entry_x=80
entry_y=$tray_y

# Ctrl+Alt+F5 holds the text "Pasted by Tallowick": pressed in the main window it must open the
# editor, and neither the clipboard nor the target may see the text.
assigned_combination_opens_the_editor() {
  local how=$1
  probe_block clipboard "left alone" || fail "cannot put a text on the clipboard"
  xdotool key ctrl+alt+F5
  poll 10 visible TFormAssign || fail "after $how, Ctrl+Alt+F5 did not open the editor"
  [ "$(probe_block clipboard)" = "left alone" ] || fail "after $how, the assignment ran"
  probe close TFormAssign -
  poll 10 gone TFormAssign || fail "the editor did not close"
  text_is "" || fail "after $how, the target received the text"
}

in_desktop "${install}Talowick.exe" /s
poll 60 hook_installed || fail "Talowick.exe /s did not install its hook"
start_target
window=$(focus_desktop)
task_entry_gone || fail "a task-bar entry shows while only the notification icon does"

# Shown by a double click on the notification icon.
double_click_tray
poll 10 main_visible || fail "double-clicking the notification icon did not show the window"
poll 10 hook_removed || fail "the hook stays on over the window shown from the notification icon"
task_entry_shown || fail "no task-bar entry while the window shows"
assigned_combination_opens_the_editor "a double click on the notification icon"

# Hidden again: the hook is back and the entry gone.
double_click_tray
poll 10 main_hidden || fail "double-clicking the notification icon did not hide the window"
poll 10 hook_installed || fail "the hook did not come back when the window hid"
poll 10 task_entry_gone || fail "the task-bar entry stays while the window is hidden"

# Shown by a second start of the program.
wine explorer /desktop="$desktop" "${install}Talowick.exe" >/dev/null 2>&1
poll 10 main_visible || fail "a second start did not show the window"
poll 10 hook_removed || fail "the hook stays on over the window shown by a second start"
assigned_combination_opens_the_editor "a second start"

# Minimised with its minimise box, the window hides and the entry stays; a click on the entry
# brings it back, active.
read -r _ top right _ _ _ <<<"$(probe rect TFormMain "Quintavel Tallowick")"
xdotool mousemove $((right - 48)) $((top + 10)) click 1
poll 10 main_hidden || fail "the minimise box did not minimise the window"
poll 10 hook_installed || fail "the hook did not come back when the window was minimised"
task_entry_shown || fail "the task-bar entry went with the minimised window"
import -window root "$build/minimised.png"
xdotool mousemove "$entry_x" "$entry_y" click 1
poll 10 main_visible || fail "clicking the task-bar entry did not restore the window"
poll 10 hook_removed || fail "the hook stays on over the restored window"
assigned_combination_opens_the_editor "a restore from the task bar"

echo "show paths test passed"
