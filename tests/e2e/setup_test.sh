#!/usr/bin/env bash
# The release package end to end, in a fresh Wine prefix: `make dist` output, a silent install,
# the program started from its Start menu entry, an update over the running copy, a text
# assignment carried out by the installed copy's hook in another application, a silent uninstall
# that leaves only the user data behind, and an install through the setup's pages whose finish page
# starts the program. Prints the setup size and the install and
# uninstall times.
#
#   setup_test.sh BUILD_DIR PROBE_EXE TARGET_EXE
set -euo pipefail

if ! command -v makensis >/dev/null; then
  echo "SKIPPED: makensis is not installed (Debian package nsis; \`make deps\` installs it)"
  exit 77
fi

source "$(dirname "$0")/lib.sh" "$1" "$3" none "$2"

settings_key='HKLM\Software\Quintavel Software\Tallowick\CurrentVersion'
product_key='HKLM\Software\Quintavel Software\Tallowick'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallowick'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
shipped="Talowick.exe Talospur.dll System.dat Graphics.dat Talowick.hlp LICENSE.txt"

# The package.
cmake --build "$build" --target dist >/dev/null || fail "make dist failed (see above)"
dist="$build/dist"
setup=$(ls "$dist"/Tallowick-*-setup.exe 2>/dev/null | head -1)
[ -n "$setup" ] || fail "no setup program in $dist"
name=$(basename "$setup" -setup.exe)
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the package"
size=$(stat -c %s "$setup")
echo "setup size: $size bytes"
[ "$size" -le 1048576 ] || fail "the setup program is larger than 1 MB"

# Ending the prefix's server ends every program in it; the shared cleanup then has none to stop.
setup_cleanup() {
  [ -n "${TALO_PREFIX:-}" ] && wineserver -k 2>/dev/null || true
  install=
  e2e_cleanup
}
work=$(mktemp -d)
trap setup_cleanup EXIT
mkdir "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$dist/$name.zip") || fail "the zip does not unpack"
for file in $shipped; do
  [ -f "$work/zip/$name/$file" ] || fail "the zip lacks $file"
done

# A prefix of its own: nothing in it knows Tallowick before the setup runs.
export TALO_PREFIX="$work/prefix"
eval "$("$wine_sh" "$build" env)"
start_private_display
wineboot -i >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
setsid wineserver -p30 </dev/null >/dev/null 2>&1 || true

key_exists() { wine reg query "$1" >/dev/null 2>&1; }

# The first program in the fresh prefix once printed nothing (the prefix still settling): the
# version is asked until there is an answer, and the answer is shown when it is wrong.
setup_version=
version_read() { setup_version=$(probe_block version "$(winepath -w "$setup")"); [ -n "$setup_version" ]; }
poll 10 version_read || true
product_version=$(sed -n 's/^Tallowick-\([0-9.]*\).*/\1/p' <<<"$name")
[ "$setup_version" = "$product_version" ] ||
  fail "the setup's version resource is \"$setup_version\", not the product version $product_version"

timed() { local start; start=$(date +%s%N); "$@"; echo $((($(date +%s%N) - start) / 1000000)); }
# 10 s for each under Wine; on a slower (emulated) machine as many times that as it is slower.
time_limit_ms=$((10000 * wait_factor))

install_win='C:\Program Files\Tallowick\'
install_unix=$(winepath -u "$install_win")
install_unix=${install_unix%/}
menu_unix=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tallowick')
install_ms=$(timed wine "$setup" /S)
echo "silent install: $install_ms ms"
[ "$install_ms" -lt "$time_limit_ms" ] || fail "the silent install took $install_ms ms"

# The value the program reads, with its trailing backslash; the files byte for byte as shipped.
[ "$(reg_value "$settings_key" InstallDir)" = "$install_win" ] ||
  fail "InstallDir is '$(reg_value "$settings_key" InstallDir)', not '$install_win'"
for file in $shipped; do
  cmp -s "$work/zip/$name/$file" "$install_unix/$file" || fail "$file is not installed as shipped"
done
[ -f "$install_unix/Uninstall.exe" ] || fail "no uninstaller"
[ "$(reg_value "$run_key" Tallowick)" = "\"${install_win}Talowick.exe\" /s" ] ||
  fail "the Run value is '$(reg_value "$run_key" Tallowick)'"
for entry in "Tallowick" "Tallowick Help" "Uninstall Tallowick"; do
  [ -f "$menu_unix/$entry.lnk" ] || fail "no Start menu entry $entry"
done
# The shell link keeps its target's path as 8-bit and as UTF-16 text.
link_texts=$(strings "$menu_unix/Tallowick.lnk"; strings -el "$menu_unix/Tallowick.lnk")
grep -qixF "${install_win}Talowick.exe" <<<"$link_texts" || fail "the Start menu entry does not point at the program"

# The shared "Default" folder below the application data of all users, which every user of the
# machine may change; the install folder stays the administrators'. Wine keeps no access rules of
# its own: it turns the grant to the Users into Unix rights for others than the owner.
shared_unix=$(winepath -u 'C:\ProgramData\Tallowick\Default')
[ -d "$shared_unix" ] || fail "the setup made no shared folder $shared_unix"
others_may_write() { [ $((8#$(stat -c %a "$1") & 8#022)) != 0 ]; }
others_may_write "$shared_unix" || fail "the shared folder is $(stat -c %A "$shared_unix"): only its owner may write"
others_may_write "$install_unix" && fail "the setup let others write its folder: $(stat -c %A "$install_unix")"

# Started through its Start menu entry, the program finds its files through InstallDir alone
# and shows the keyboard picture.
main_gone() { ! probe window TFormMain "Quintavel Tallowick" 0 | grep -q found; }
start_from_menu() {
  in_desktop start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tallowick\Tallowick.lnk'
  poll 60 main_visible || fail "the program did not show its window from the Start menu entry"
}
start_from_menu
install=$install_win
[ -z "$(probe msgbox "Fatal error." 200)" ] || fail "the installed program failed to start"
read -r left top right bottom _ <<<"$(probe rect TFormMain "Quintavel Tallowick")"
[ $((right - left)) -gt 600 ] && [ $((bottom - top)) -gt 200 ] ||
  fail "the main window is too small for the keyboard: $left $top $right $bottom"
import -window root "$build/setup_test.png" 2>/dev/null || true
user_unix=$(winepath -u "$(probe_block userdir)")
[ -f "$user_unix/User.dat" ] || fail "the program made no user data at $user_unix"
case "$user_unix" in "$install_unix"/*) ;; *) fail "the user data $user_unix is not below $install_unix" ;; esac

# A running copy is found by its window, which is seen only from inside its desktop: the setup
# and the uninstaller run there, as they would on the user's desktop. Explorer does not wait for
# them; each is done when its last registry change is seen.
in_desktop_start() { wine explorer /desktop="$desktop" "$@" >/dev/null 2>&1; }

# An update over the running copy ends it first, and leaves the install as it was.
# The Run value is its last write.
wine reg delete "$settings_key" /v InstallDir /f >/dev/null 2>&1
wine reg delete "$run_key" /v Tallowick /f >/dev/null 2>&1
run_value_written() { [ -n "$(reg_value "$run_key" Tallowick)" ]; }
in_desktop_start "$setup" /S
poll 30 run_value_written || fail "the update did not finish"
[ "$(reg_value "$settings_key" InstallDir)" = "$install_win" ] || fail "the update lost InstallDir"
main_gone || fail "installing over the running program did not end it"
cmp -s "$work/zip/$name/Talowick.exe" "$install_unix/Talowick.exe" || fail "the update lost the program"

# The silent uninstall runs from a copy of itself: it has finished when the HKLM key is gone.
# A text assignment in the installed program's user data is carried out by its hook in another
# application: Ctrl + Alt + F5 pastes it into the target.
wine "$probe_exe" userdata "$(winepath -w "$user_unix")" 0x674:0x18 >/dev/null 2>&1 ||
  fail "cannot write the installed program's user data"
printf 'Pasted by the installed copy' >"$user_unix/0674.txt"
log="$work/target.log"
start_from_menu
start_target
xdotool mousemove --window "$(focus_desktop)" 200 150 click 1
poll 10 hook_installed || fail "the installed program's hook is not on over the target"
xdotool key ctrl+alt+F5
poll 10 text_is "Pasted by the installed copy" || fail "the installed program's hook did not paste"
touch "$log.quit"
uninstall_done() { ! key_exists "$uninstall_key" && [ ! -e "$install_unix/Uninstall.exe" ]; }
start=$(date +%s%N)
in_desktop_start "${install_win}Uninstall.exe" /S
poll 30 uninstall_done || fail "the silent uninstall did not finish"
uninstall_ms=$((($(date +%s%N) - start) / 1000000))
echo "silent uninstall: $uninstall_ms ms"
[ "$uninstall_ms" -lt "$time_limit_ms" ] || fail "the silent uninstall took $uninstall_ms ms"

main_gone || fail "the uninstall left the program running"
leftover=$(cd "$install_unix" && find . -type f ! -path "./$(basename "$user_unix")/*")
[ -z "$leftover" ] || fail "the uninstall left files: $leftover"
[ -f "$user_unix/User.dat" ] || fail "the silent uninstall removed the user data"
[ ! -e "$menu_unix" ] || fail "the Start menu folder is still there"
[ -z "$(reg_value "$run_key" Tallowick)" ] || fail "the Run value is still there"
key_exists "$product_key" && fail "the HKLM key is still there"


# The uninstaller's question, answered both ways, each time after a new silent install over the
# data that the last uninstall kept; the installed program has written its settings by then.
# The uninstaller's message box is the only dialog with Yes and No: the answer goes to whichever
# dialog has the button.
uninstall_caption="Quintavel Tallowick Uninstall "  # sic: the setup system adds the space
user_key='HKCU\Software\Quintavel Software\Tallowick'
page_shows() { probe texts "#32770" "$uninstall_caption" | grep -q "$1"; }
question_shown() { probe texts "#32770" - | grep -q "Also remove the key combination assignments"; }
# The setup as a user runs it, page by page with the default buttons; its finish page's "Start
# Tallowick now" (ticked) starts the program through Explorer, as the user at the desktop and not
# as a child of the setup with its administrator rights.
# The setup's caption names its page ("Quintavel Tallowick Setup: License Agreement"); it is the
# only dialog in the desktop meanwhile.
setup_page_shows() { probe texts "#32770" - | grep -q "$1"; }
install_with_pages() {
  in_desktop "$setup"
  local page
  for page in "Welcome to" "License Agreement" "Choose Components" "Choose Install Location"; do
    poll 30 setup_page_shows "$page" || fail "the setup did not show the page '$page'"
    press_button - 1
  done
  poll 60 setup_page_shows "Completing" || fail "the setup did not reach its finish page"
  probe child "#32770" - "Start Tallowick now" | grep -q " checked enabled " ||
    fail "Start Tallowick now is not offered ticked"
  import -window root "$build/setup_finish.png" 2>/dev/null || true
  local setup_process
  read -r setup_process _ <<<"$(probe process "#32770" -)"
  press_button - 1
  poll 60 main_visible || fail "Start Tallowick now did not start the program"
  read -r _ program_parent _ <<<"$(probe process TFormMain "Quintavel Tallowick")"
  [ -n "$setup_process" ] && [ -n "$program_parent" ] || fail "cannot read the processes"
  [ "$program_parent" != "$setup_process" ] ||
    fail "Start Tallowick now started the program as a child of the setup"
}

uninstall_answering() {
  if [ "$1" = 7 ]; then
    install_with_pages
  else
    wine "$setup" /S || fail "the setup for the uninstall with answer $1 failed"
  fi
  key_exists "$user_key" || fail "no settings of the program to remove ($user_key)"
  in_desktop "${install_win}Uninstall.exe"
  poll 30 page_shows "Uninstalling from:" || fail "the uninstaller did not show its confirmation"
  press_button "$uninstall_caption" 1
  poll 30 question_shown || fail "the uninstaller did not ask about the user data"
  press_button - "$1"
  poll 30 uninstall_done || fail "the uninstall with answer $1 did not finish"
  poll 30 page_shows "Completed" || fail "the uninstaller did not say it has completed"
  press_button "$uninstall_caption" 1
}
uninstall_answering 7  # No
[ -f "$user_unix/User.dat" ] || fail "answering No removed the user data"
key_exists "$user_key" || fail "answering No removed the settings"
uninstall_answering 6  # Yes
[ ! -e "$user_unix" ] || fail "answering Yes left the user data: $(ls -A "$user_unix")"
key_exists "$user_key" && fail "answering Yes left the settings"
# The folder was there before these installs (it held the kept data): emptied, not removed.
[ -z "$(ls -A "$install_unix")" ] || fail "answering Yes left files: $(ls -A "$install_unix")"
[ ! -e "$(winepath -u 'C:\ProgramData\Tallowick')" ] || fail "answering Yes left the shared folder"

install=

echo "setup test passed"
