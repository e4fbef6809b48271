#!/usr/bin/env bash
# The small dialogs with real keys and clicks: the about box opened from a form's Help menu in the
# running program shows the program's own version and opens the help file from its web line, and
# the rename dialog takes a new name for the working shortcut only after an edit.
#
#   dialogs_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE RENAME_HOST_EXE
set -euo pipefail

rename_host_exe=$5
source "$(dirname "$0")/lib.sh"
e2e_setup

# The about box, from the options form's Help menu.
in_desktop "${install}Talowick.exe"
poll 60 visible TFormMain || fail "the main window did not show"
focus_desktop >/dev/null
read -r _ _ _ _ client_x client_y <<<"$(probe rect TFormMain "Quintavel Tallowick")"
xdotool mousemove $((client_x + 279 + 115)) $((client_y + 261 + 15)) click 1
poll 10 visible TFormOptions || fail "the Options button did not open the options"
xdotool key alt+h
settle 0.5
xdotool key a
poll 10 visible TFormAbout || fail "Help, About did not open the about box"
version=$(probe_block version "$(winepath -w "$build/install/Talowick.exe")")
[ -n "$version" ] || fail "the probe read no version from the program"
texts=$(probe texts TFormAbout -)
grep -qx "Version $version" <<<"$texts" || fail "the about box does not show Version $version: $texts"
grep -q "^Copyright" <<<"$texts" || fail "the about box shows no copyright: $texts"
import -window root "$build/about_box.png"
# The web line, reached by Tab, shows the help file's name; Enter opens it, and reports it missing.
web_line=$(probe child TFormAbout - Edit | cut -d' ' -f7-)
[ "$web_line" = Talowick.hlp ] || fail "the web line shows \"$web_line\", not the help file's name"
xdotool key Tab
poll 5 focus_is TFormAbout Talowick.hlp || fail "Tab did not reach the web line"
xdotool key Return
poll 5 box_shown "About Tallowick" || fail "the missing help file was not reported"
probe msgbox "About Tallowick" | grep -q "^Unable to open '.*Talowick.hlp'\.$" ||
  fail "the report names no help file: $(probe msgbox "About Tallowick")"
xdotool key Return
cp "$build/install/Talowick.hlp" "$(winepath -u "$install")"
poll 5 focus_is TFormAbout Talowick.hlp || fail "the web line lost the focus to the report"
xdotool key Return
poll 10 visible MS_WINHELP || fail "Enter on the web line did not open the help file"
probe close MS_WINHELP -
poll 10 gone MS_WINHELP || fail "the help window did not close"
xdotool key Escape
poll 10 gone TFormAbout || fail "Escape did not close the about box"
probe close TFormOptions -
poll 10 gone TFormOptions || fail "the options did not close"

# The rename dialog: Enter does nothing before an edit; a typed name is saved by Enter.
rename_log="$work/rename.log"
in_desktop "$rename_host_exe" "$(winepath -w "$rename_log")"
poll 30 visible TFormRename || fail "the rename dialog did not show"
settle 0.5
xdotool key Return
settle 0.5
visible TFormRename || fail "Enter closed the rename dialog before the name was edited"
xdotool key ctrl+a
xdotool type --delay 30 "Renamed link"
xdotool key Return
poll 20 test -s "$rename_log" || fail "the rename dialog did not close"
outcome=$(tr -d '\r' <"$rename_log")
grep -qx "result=1" <<<"$outcome" || fail "the rename dialog did not end with OK: $outcome"
grep -qx "name=Renamed link" <<<"$outcome" || fail "the link was not renamed: $outcome"

echo "dialogs test passed"
