#!/usr/bin/env bash
# Texts in any script, with real keys: a text of Latin, Greek, Cyrillic and CJK characters and an
# emoji is pasted into the editor's text box, more is typed, and it is saved as UTF-8 after the
# mark; a text that the code page holds is saved in its bytes, as every earlier copy wrote it. Both
# are then pasted by the hook into a program whose edit reads Unicode, and the first is opened and
# saved again unchanged.
#
#   unicode_text_test.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE
set -euo pipefail

source "$(dirname "$0")/lib.sh"
e2e_setup shipped  # Ctrl + Alt + F7 and F8 are free

shots="$build/unicode_text"
mkdir -p "$shots"
# The clipboard may be busy for a moment (Wine's clipboard manager takes over what was there).
put_on_clipboard() {
  poll 10 probe_block clipboard-utf8 "$(winepath -w "$1")" || fail "cannot put $1 on the clipboard"
}
# The text box chosen (Alt+T, Tab), and the UTF-8 file's text pasted into it.
paste_text() {
  put_on_clipboard "$1"
  xdotool key alt+t Tab ctrl+v
}
# xdotool types a character that the keymap lacks by mapping it onto a spare key for the moment of
# the press, and Wine looks the key up later, when the program translates it: on a busy machine
# the character is lost or another one arrives. So characters outside the keymap come as the wide
# character messages that typing makes, through the program's own message loop.
memo_is() { [ "$(probe focus TFormAssign -)" = "$1" ]; }
same_bytes() { cmp "$1" "$2" >&2 || fail "$(basename "$2") holds: $(od -An -c "$2")"; }

scripts="Latin café, Ελληνικά, Русский, 中文 😀"
typed=" Ωμέγα"
printf '%s' "$scripts" >"$work/scripts.txt"
printf '%s' "$typed" >"$work/typed.txt"
{ printf '\xef\xbb\xbf'; printf '%s%s' "$scripts" "$typed"; } >"$work/0676.expected"
ansi="Quotes “in” Windows-1252: café 5€"
printf '%s' "$ansi" >"$work/ansi.txt"
printf 'Quotes \x93in\x94 Windows-1252: caf\xe9 5\x80 ok' >"$work/0677.expected"

in_desktop "${install}Talowick.exe"
poll 60 visible TFormMain || fail "the main window did not show"
focus_desktop >/dev/null

open_editor ctrl+alt+F7
paste_text "$work/scripts.txt"
probe chars TFormAssign - "$(winepath -w "$work/typed.txt")" || fail "cannot type into the editor"
poll 10 memo_is "$scripts$typed" || fail "the memo holds $(probe focus TFormAssign -)"
shot TFormAssign scripts
xdotool key Return
poll 10 gone TFormAssign || fail "Enter did not save the text in several scripts"
same_bytes "$work/0676.expected" "$user_dir/0676.txt"

open_editor ctrl+alt+F8
paste_text "$work/ansi.txt"
xdotool type --delay $((50 * wait_factor)) " ok"
xdotool key Return
poll 10 gone TFormAssign || fail "Enter did not save the code page's text"
same_bytes "$work/0677.expected" "$user_dir/0677.txt"

# Reopened, the text is shown as it was stored: a new title saved over it leaves its file as it is.
open_editor ctrl+alt+F7
save_title "Scripts"
same_bytes "$work/0676.expected" "$user_dir/0676.txt"

# A snapshot of the text in several scripts, pasted into the object box, previews as it is
# (looked at in the picture).
open_editor ctrl+alt+F8
put_on_clipboard "$work/scripts.txt"
xdotool key alt+o Tab ctrl+v
shot TFormAssign object
xdotool key Escape
poll 10 gone TFormAssign || fail "Escape did not close the editor"

# The hook pastes both into a program whose edit reads Unicode.
hide_window_and_start_target
xdotool key ctrl+alt+F7
poll 10 text_is "$scripts$typed" || fail "Ctrl+Alt+F7 did not paste every character"
xdotool key ctrl+alt+F8
poll 10 text_is "$scripts$typed$ansi ok" || fail "Ctrl+Alt+F8 did not paste the code page's text"

echo "unicode text test passed"
