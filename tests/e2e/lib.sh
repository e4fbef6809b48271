# Shared by the end-to-end shell tests with real key events: a private X server whose keymap makes
# Ctrl+Alt+F1..F12 plain function keys, the test installation (the fixture), programs started in
# one Wine virtual desktop, the target application's log, and polling.
#
# The sourcing script is called with BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE [MORE...]; it
# sources this file (which takes those four) and calls e2e_setup.

build=$(cd "$1" && pwd)
target_exe=$2
fixture_exe=$3
probe_exe=$4
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_sh="$source_dir/scripts/wine.sh"
xvfb_pid=
pids=()
work=
install=
user_dir=
desktop="talo_e2e_$$"
log=

# A command that fails outside a condition ends the test through `set -e`: it is named.
set -E
trap 'echo "FAILED: line $LINENO: $BASH_COMMAND" >&2' ERR

fail() {
  echo "FAILED: $*" >&2
  [ -n "$log" ] && [ -f "$log" ] && { echo "--- target log:" >&2; cat "$log" >&2; echo >&2; }
  exit 1
}

e2e_cleanup() {
  [ -n "$work" ] && touch "$work/target.log.quit" "$work/fixture.done"
  # Bounded: an explorer that enters a desktop while the desktop's last window closes can hang
  # (seen in the emulated x86 machine, where the test had already ended the program).
  [ -n "$install" ] && timeout $((10 * wait_factor)) wine explorer /desktop="$desktop" \
    "${install}Talowick.exe" /t >/dev/null 2>&1 || true
  [ -n "$work" ] && touch "$work/desktop.done"
  for pid in "${pids[@]}"; do
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null || true
  done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$work" ] && rm -rf "$work"
}

# poll SECONDS COMMAND...: runs the command every 0.1 s until it succeeds; poll_often: every
# 0.01 s, for waits that happen thousands of times in a run. On a slower machine (the emulated
# x86 machine) TALO_WAIT_FACTOR stretches every limit: a test there is slow, not wrong.
wait_factor=${TALO_WAIT_FACTOR:-1}
poll() { poll_steps $(($1 * 10 * wait_factor)) 0.1 "${@:2}"; }
poll_often() { poll_steps $(($1 * 100 * wait_factor)) 0.01 "${@:2}"; }
# settle SECONDS: a pause for what has no state to poll (a key that must NOT have any effect).
settle() { sleep "$(awk "BEGIN { print $1 * $wait_factor }")"; }
poll_steps() {
  local tries=$1 step=$2 try; shift 2
  for ((try = 0; try < tries; try++)); do
    if "$@"; then return 0; fi
    sleep "$step"
  done
  return 1
}

start_private_display() {
  local n=150
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  # -noreset: the keymap set below must outlive the moments without any client.
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  poll 10 xdotool getdisplaygeometry >/dev/null 2>&1 || fail "no X server on $DISPLAY"
  setxkbmap -option srvrkeys:none || fail "cannot make Ctrl+Alt+Fn plain function keys"
}

# e2e_setup [FIXTURE_ARGUMENTS...]: the display, the Wine session and the installation.
e2e_setup() {
  "$wine_sh" "$build" prepare
  eval "$("$wine_sh" "$build" env)"
  work=$(mktemp -d)
  log="$work/target.log"
  trap e2e_cleanup EXIT
  start_private_display
  local win_work
  win_work=$(winepath -w "$work")
  wine "$fixture_exe" "$win_work\\fixture" "$@" >/dev/null 2>&1 &
  pids+=($!)
  poll 60 test -s "$work/fixture" || fail "the fixture did not prepare the installation"
  install=$(sed -n 's/^install=//p' "$work/fixture" | tr -d '\r')
  user_dir=$(winepath -u "$(sed -n 's/^user=//p' "$work/fixture" | tr -d '\r')")
}

# in_desktop PROGRAM ARGUMENTS...: starts a program inside the test's virtual desktop, and waits
# until the desktop exists (the explorer that creates it lives as long as the desktop does).
in_desktop() {
  desktop_exists || keep_desktop
  wine explorer /desktop="$desktop",1024x768 "$@" >/dev/null 2>&1 &
  pids+=($!)
  poll 30 desktop_exists || fail "the desktop $desktop did not appear"
}
# The desktop's first program stays until the cleanup. Wine closes a desktop that no process uses
# (between an uninstaller and the copy of itself that it starts, say); an explorer that enters it
# at that moment creates it anew and then waits for good, and so does the probe that it runs.
keep_desktop() {
  wine explorer /desktop="$desktop",1024x768 "$probe_exe" hold "$(winepath -w "$work")\\desktop.done" \
    >/dev/null 2>&1 &
  pids+=($!)
  poll 30 desktop_exists || fail "the desktop $desktop did not appear"
}
desktop_exists() { xdotool search --name "^$desktop" >/dev/null 2>&1; }

# The probe sees windows only from inside the same desktop, which must exist already (in_desktop);
# explorer keeps its exit code, so only what it prints counts. Named blocks are seen from anywhere.
probe() { wine explorer /desktop="$desktop" "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
probe_block() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }

# The X window of the virtual desktop, focused and raised.
focus_desktop() {
  local window
  window=$(poll 30 xdotool search --name "^$desktop" | head -1) || true
  [ -n "$window" ] || fail "no X window for the desktop $desktop"
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  xdotool windowfocus --sync "$window"
  echo "$window"
}

# The program's windows, seen from inside the desktop: of class CLASS and, where the class alone
# does not tell, with the caption CAPTION.
visible() { probe window "$1" "${2:--}" | grep -q visible; }
gone() { ! visible "$@"; }
main_visible() { visible TFormMain "Quintavel Tallowick"; }
main_hidden() { probe window TFormMain "Quintavel Tallowick" | grep -q hidden; }
# A popup menu's window (of the notification icon, a key, a row) has the class #32768.
menu_shown() { visible "#32768"; }
menu_gone() { gone "#32768"; }
foreground_is() { [ "$(probe foreground)" = "$1" ]; }
# focus_is CLASS TEXT: the control with the focus in that window answers TEXT.
focus_is() { [ "$(probe focus "$1" -)" = "$2" ]; }
# A message box is a dialog (#32770) with the caption CAPTION.
box_shown() { probe window "#32770" "$1" | grep -q found; }
box_gone() { ! box_shown "$1"; }
# press_button CAPTION ID: presses the button ID of the dialog box with that caption ("-": any);
# the test fails when there is no such box or button.
press_button() {
  [ "$(probe press "$1" "$2")" = pressed ] || fail "cannot press button $2 of the box '$1'"
}
# child CLASS TEXT: "left top right bottom checked|unchecked enabled|disabled text" of the control
# with that text (or class) in the window of that class; nothing when there is none.
child() { probe child "$1" - "$2"; }
child_shown() { [ "$(probe child-shown "$1" - "$2")" = shown ]; }
# "enabled|disabled checked|unchecked" of the editor's control with that text.
editor_state() { probe child TFormAssign - "$1" | awk '{ print $6, $5 }'; }
# click_child CLASS TEXT: clicks the control with that text (or class) in that window. The pointer
# leaves first: the hint of the control it rests on would cover the one below.
click_child() {
  local l t r b
  read -r l t r b _ <<<"$(probe child "$1" - "$2")"
  [ -n "$b" ] || fail "no control '$2' on $1"
  xdotool mousemove 1 1 sleep 0.3 mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
}

# The notification area of the 1024 x 768 desktop holds one icon, at its right end.
tray_x=1013
tray_y=757
double_click_tray() { xdotool mousemove "$tray_x" "$tray_y" click --repeat 2 --delay 80 1; }
right_click_tray() { xdotool mousemove "$tray_x" "$tray_y" click 3; }

# The combination pressed in the keyboard window opens the editor.
open_editor() {
  poll 10 foreground_is TFormMain || fail "the keyboard window is not in front before $1"
  xdotool key "$1"
  poll 10 visible TFormAssign || fail "$1 did not open the editor"
  settle 0.5
}
# shot CLASS NAME: the window as the user sees it, into $shots/NAME.png (a script with several
# gives them a folder of their own).
shots=$build
shot() {
  settle 0.5
  local left top right bottom
  read -r left top right bottom _ _ <<<"$(probe rect "$1" -)"
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$shots/$2.png"
}
# In the editor: a new title typed (D moves to it), Enter, and the overwrite question answered Yes.
save_title() {
  xdotool key d ctrl+a
  xdotool type --delay 20 "$1"
  xdotool key Return
  poll 5 box_shown "Save confirmation." || fail "no overwrite question ($1)"
  press_button "Save confirmation." 6
  poll 10 gone TFormAssign || fail "the editor did not close after saving the title $1"
}

# The keyboard window hidden with a double click on the notification icon, which brings the hook
# back, and the target started in front, clicked into.
hide_window_and_start_target() {
  double_click_tray
  poll 10 hook_installed || fail "the hook did not come back when the window hid"
  start_target
  xdotool mousemove --window "$(focus_desktop)" 200 150 click 1
  settle 0.5
}

# The program started silently with its hook on, and the target in front, clicked into; `window`
# is the desktop's X window.
start_program_and_target() {
  in_desktop "${install}Talowick.exe" /s
  poll 60 hook_installed || fail "Talowick.exe /s did not install its hook"
  start_target
  window=$(focus_desktop)
  xdotool mousemove --window "$window" 200 150 click 1
  settle 0.5
}

# The target application and its log.
start_target() {
  in_desktop "$target_exe" "$(winepath -w "$log")"
  poll 60 test -s "$log" || fail "the target did not start"
}
log_field() { sed -n "s/^$1=//p" "$log" 2>/dev/null | head -1; }
log_text() { sed -n '/^text=/,$p' "$log" 2>/dev/null | sed '1s/^text=//'; }
text_is() { [ "$(log_text)" = "$1" ]; }
keys_contain() { case " $(log_field keys)" in *" $1 "*) return 0 ;; *) return 1 ;; esac; }
mods_are() { [ "$(log_field mods)" = "$1" ]; }

# The user data folder: its status byte of combination CODE (a number, 0x674) in User.dat or FILE,
# and a fingerprint of every file's time and content.
status_byte() { od -An -tx1 -j $((1024 + $1)) -N1 "${2:-$user_dir/User.dat}" | tr -d ' \n'; }
user_folder_fingerprint() {
  (cd "$user_dir" && ls -l --time-style=+%s.%N && md5sum -- * 2>/dev/null)
}
# reg_value KEY NAME: the data of the registry value; reg_is KEY NAME DATA.
reg_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
reg_is() { [ "$(reg_value "$1" "$2")" = "$3" ]; }

# The hook handle word of the communications block (offset 64), as hex of its four bytes.
hook_word() { probe_block mapping TALLOWICK 1024 | tr -d '\n' | cut -c129-136; }
hook_installed() { local word; word=$(hook_word); [ -n "$word" ] && [ "$word" != 00000000 ]; }
hook_removed() { [ "$(hook_word)" = 00000000 ]; }
block_gone() { ! wine "$probe_exe" mapping TALLOWICK 1024 >/dev/null 2>&1; }
