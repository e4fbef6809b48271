#!/usr/bin/env bash
# Help under Wine's help viewer: the main window's Help button opens the shipped Talowick.hlp on
# topic 14, F1 in the assignment list moves it to topic 16, and hiding the main window closes it.
# The help window's caption is the help file's title; the topic title is the first line of the
# viewer's text. A screenshot of the topic is left in BUILD_DIR/help_test.png.
#
#   help_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE
set -euo pipefail

source "$(dirname "$0")/lib.sh"
e2e_setup shipped

help_file="$build/install/Talowick.hlp"
[ -s "$help_file" ] || fail "the build made no Talowick.hlp"
cp "$help_file" "$(winepath -u "$install")"

# The first line of the help viewer's text window: the title of the topic it shows. (Its lines
# may end in a lone carriage return, so those become line ends.)
topic_title() {
  local class
  for class in RichEdit20A RichEdit20W; do
    wine explorer /desktop="$desktop" "$probe_exe" child MS_WINHELP "Tallowick Help" "$class" \
      2>/dev/null | tr '\r' '\n' | sed -n '1s/^\(-\?[0-9]\+ \)\{4\}[a-z]* [a-z]* //p' | grep . &&
      return 0
  done
  return 1
}
topic_is() { [ "$(topic_title)" = "$1" ]; }

in_desktop "${install}Talowick.exe"
poll 60 main_visible || fail "the main window did not show"
window=$(focus_desktop)

# The Help button: topic 14.
click_child TFormMain Help
poll 8 visible MS_WINHELP "Tallowick Help" ||
  fail "the Help button opened no help window captioned \"Tallowick Help\""
poll 5 topic_is "The Main Window" || fail "the help window shows \"$(topic_title)\", not topic 14"
settle 1
import -window root -crop 1024x768+0+0 "$build/help_test.png" 2>/dev/null || true

# F1 in the assignment list: topic 16 in the same help window.
# The help window, owned by the main window, stays above it and may cover the list button: the
# main window is activated by the visible end of its caption, Tab moves the focus from the Help
# button on to the list button, and Space presses it.
read -r left top right _ <<<"$(probe rect TFormMain "Quintavel Tallowick")"
xdotool mousemove $((right - 100)) $((top + 8)) click 1
settle 0.5
xdotool key Tab
poll 5 focus_is TFormMain "Key Combination Assignment List" ||
  fail "Tab did not reach the list button"
xdotool key space
poll 8 visible TFormList || fail "the assignment list did not open"
xdotool key F1
poll 5 topic_is "The Assignment List" || fail "F1 in the list shows \"$(topic_title)\", not topic 16"
xdotool key Escape
poll 5 gone TFormList || fail "the list did not close"

# Hiding the main window closes the help window.
double_click_tray
poll 10 main_hidden || fail "double-clicking the tray icon did not hide the window"
poll 8 gone MS_WINHELP "Tallowick Help" || fail "hiding the main window left the help window open"
echo "help: topics 14 and 16 shown, closed with the main window"
