#!/usr/bin/env bash
# A standard account, as Windows has it today: a Unix user who does not own the install folder
# (Wine maps file rights to the Unix ones, so the program may read and run it but not write
# there), with a prefix of its own. Its logon start ("/s", as the Run key does it) comes before
# the notification area is there; the keyboard window is asked for by a second start; a text made
# in the editor is pasted by the hook into another application, again after a restart; the options
# show the folder in use; and nothing is ever written into the install folder.
#
#   standard_user_test.sh BUILD_DIR PROBE_EXE TARGET_EXE
set -euo pipefail

source "$(dirname "$0")/lib.sh" "$1" "$3" none "$2"

skip() { echo "SKIPPED: $*"; exit 77; }
[ "$(id -u)" = 0 ] || skip "only root can make the standard user (run the tests as root, as CI does)"
command -v useradd >/dev/null || skip "useradd is not installed (Debian package passwd)"
command -v runuser >/dev/null || skip "runuser is not installed (Debian package util-linux)"

account=talo_standard
[ -f "$build/install/Talowick.exe" ] || fail "no installed program in $build/install"

work=$(mktemp -d)
chmod 755 "$work"
log="$work/target.log"
created_account=
standard_cleanup() {
  # The user's own server ends every program of the user's prefix.
  [ -n "${home:-}" ] && as_user wineserver -k 2>/dev/null || true
  install=
  e2e_cleanup
  [ -n "$created_account" ] && userdel "$account" 2>/dev/null || true
  [ -n "${programs:-}" ] && rm -rf "$programs" || true
}
trap standard_cleanup EXIT
# The installed program as a machine has it: a folder of root's that others may read and run,
# wherever the build lies (a build below a closed home folder would be out of the user's reach).
# The test's own programs lie beside it.
programs=$(mktemp -d)
chmod 755 "$programs"
install_unix="$programs/Tallowick"
cp -r "$build/install" "$install_unix"
cp "$probe_exe" "$target_exe" "$programs/"
probe_exe="$programs/$(basename "$probe_exe")"
target_exe="$programs/$(basename "$target_exe")"
if ! id "$account" >/dev/null 2>&1; then
  useradd --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$account" ||
    skip "useradd could not make the user $account"
  created_account=1
fi
# The user's own: the prefix, and the files through which the test and its programs talk.
chown "$account:" "$work"
home="$work/home"
mkdir "$home"
chown "$account:" "$home"

# Every Wine program of this test runs as that user, in the user's prefix; the lib's helpers
# (probe, in_desktop, ...) call these.
eval "$("$wine_sh" "$build" env)"
start_private_display
user_env=(HOME="$home" WINEPREFIX="$home/prefix" WINEARCH="$WINEARCH" WINEDEBUG=-all
    DISPLAY="$DISPLAY" PATH="$PATH"
  WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=d")
as_user() { runuser -u "$account" -- env "${user_env[@]}" "$@"; }
wine() { as_user wine "$@"; }
winepath() { as_user winepath "$@"; }
wineserver() { as_user wineserver "$@"; }

# The rights under test: the user may run the install folder's files and may not write there.
as_user test -r "$install_unix/Talowick.exe" ||
  skip "the user $account cannot read $install_unix (the temporary folder is closed to others)"
as_user touch "$install_unix/.written_by_user" 2>/dev/null &&
  fail "the user $account may write the install folder: the test would prove nothing"
install_state() { find "$install_unix" -printf '%P %s %T@\n' | sort; }
install_before=$(install_state)

wineboot -i >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
as_user setsid wineserver -p30 </dev/null >/dev/null 2>&1 || true
# What the setup writes for the machine.
install_win="$(winepath -w "$install_unix")\\"
wine reg add 'HKLM\Software\Quintavel Software\Tallowick\CurrentVersion' /v InstallDir \
  /t REG_SZ /d "$install_win" /f >/dev/null 2>&1
install="$install_win"
win_work=$(winepath -w "$work")

# The logon start comes before the notification area: the program waits for it, and adds its icon
# when Explorer says the area is there.
area_log="$work/area.log"
as_user touch "$area_log"
in_desktop "$probe_exe" notification-area "$win_work\\area.log" "$win_work\\area.ready" \
  "$win_work\\area.click" "$win_work\\desktop.done"
poll 30 grep -q started "$area_log" || fail "the test's notification area did not start"
in_desktop "${install}Talowick.exe" /s
poll 30 grep -q "^refused add" "$area_log" || fail "the program did not try to add its icon"
settle 2
[ -z "$(probe msgbox "Fatal error." 0)" ] ||
  fail "the start ended without a notification area: $(probe msgbox "Fatal error." 0)"
touch "$work/area.ready"
poll 30 grep -q "^add .* 1024 0x2410 Tallowick$" "$area_log" ||
  fail "the program did not add its icon once the notification area was there: $(cat "$area_log")"
poll 30 hook_installed || fail "Talowick.exe /s did not install its hook"

# The user data lies below this user's application data, not in the install folder.
user_win=$(probe_block userdir)
case "$user_win" in
  *"\\Tallowick\\_$account\\") ;;
  *) fail "the user data folder is $user_win, not one of the user's application data" ;;
esac
user_dir=$(winepath -u "$user_win")
[ -f "$user_dir/User.dat" ] || fail "no User.dat in $user_dir"
[ "$(stat -c %U "$user_dir/User.dat")" = "$account" ] || fail "User.dat does not belong to $account"

# A second start brings the keyboard window to the front.
in_desktop "${install}Talowick.exe"
poll 30 visible TFormMain || fail "the second start did not show the keyboard window"
poll 10 foreground_is TFormMain || fail "the keyboard window is not in front: $(probe foreground)"
focus_desktop >/dev/null

# The options show the base folder in use.
click_child TFormMain Options
poll 10 visible TFormOptions || fail "the Options button did not open the options"
read -r l t _ <<<"$(child TFormOptions SysTabControl32)"
xdotool mousemove $((l + 84)) $((t + 11)) click 1
settle 0.5
base_shown=$(child TFormOptions Edit | cut -d' ' -f7-)
[ "$base_shown" = "${user_win%_"$account"\\}" ] ||
  fail "the options show '$base_shown' as the folder, not the one in use, ${user_win%_"$account"\\}"
import -window root "$build/standard_user_options.png" 2>/dev/null || true
xdotool key Escape
poll 10 gone TFormOptions || fail "Escape did not close the options"

# A text made in the editor (Ctrl + Alt + F7 is free in the shipped data).
poll 10 foreground_is TFormMain || fail "the keyboard window is not in front after the options"
xdotool key ctrl+alt+F7
poll 10 visible TFormAssign || fail "Ctrl+Alt+F7 did not open the editor"
settle 0.5
xdotool key d ctrl+a
xdotool type --delay 20 "Standard greeting"
xdotool key alt+t Tab
xdotool type --delay 20 "Made by a standard user"
xdotool key Return
poll 10 gone TFormAssign || fail "Enter did not save the text"
[ "$(cat "$user_dir/0676.txt" 2>/dev/null)" = "Made by a standard user" ] ||
  fail "the text was not saved in the user's folder"

# The window hidden, the hook pastes the text into another application.
paste_into_target() {
  rm -f "$log" "$log.quit"
  in_desktop "$target_exe" "$win_work\\target.log"
  poll 30 test -s "$log" || fail "the target did not start"
  read -r _ _ _ _ client_x client_y <<<"$(probe rect - "Talo Hotkey Target")"
  xdotool mousemove $((client_x + 60)) $((client_y + 60)) click 1
  settle 0.5
  xdotool key ctrl+alt+F7
  poll 10 text_is "Made by a standard user" || fail "the hook did not paste the text ($1)"
  touch "$log.quit"
}
probe close TFormMain "Quintavel Tallowick"
poll 10 hook_installed || fail "the hook did not come on when the window hid"
paste_into_target "first run"

# The next logon: the program ends and starts again with "/s", and finds its data.
in_desktop "${install}Talowick.exe" /t
poll 30 block_gone || fail "Talowick.exe /t did not end the program"
in_desktop "${install}Talowick.exe" /s
poll 60 hook_installed || fail "the restarted program did not install its hook"
[ -z "$(probe msgbox "Fatal error." 0)" ] || fail "the restart failed: $(probe msgbox "Fatal error." 0)"
paste_into_target "after the restart"

[ "$(install_state)" = "$install_before" ] ||
  fail "the install folder changed: $(diff <(echo "$install_before") <(install_state))"

echo "standard user test passed ($user_win)"
