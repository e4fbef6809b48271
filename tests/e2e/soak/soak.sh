#!/usr/bin/env bash
# The soak run (`make soak`; minutes long, so no CTest test): real key events through the hook into
# the hot-key target, with an enabled text (Ctrl+Alt+F5), object (F8, a picture) and shortcut (F9,
# a document whose open command adds a line to a log of launches) and plain typing between them.
# Every round is one combination and three letters, 10 ms apart (none is lost at that pace). A
# paste arrives some 30-40 ms after its keys; it is waited for before the next combination, which
# would otherwise replace the clipboard under it whenever the target is slower than the keys.
#
# It fails on a wrong or missing paste, a lost or reordered letter, a launch count that differs
# from the shortcut events, a combination key that reached the target, a modifier left down, or
# growth between the samples after the first and the last thousand events beyond the tolerances
# below. It prints a table of the samples.
#
#   soak.sh BUILD_DIR TARGET_EXE FIXTURE_EXE PROBE_EXE OPENER_EXE [EVENTS [SAMPLE_EVERY]]
set -euo pipefail

opener_exe=$5
events=${6:-10000}
sample_every=${7:-1000}
letters_per_round=3
round_size=$((1 + letters_per_round))
[ $((events % sample_every)) -eq 0 ] && [ $((sample_every % round_size)) -eq 0 ] ||
  { echo "EVENTS must be a multiple of SAMPLE_EVERY, and that of $round_size" >&2; exit 2; }

# Growth allowed from the sample after the first SAMPLE_EVERY events to the last one: a few
# handles and GDI objects for work still in flight, and 1 MiB of private memory because heaps grow
# in steps (of 64 and 128 KiB here). A leak of one object per thousand events, or of 120 bytes per event, still
# goes beyond them over 9,000 events.
tolerance_handles=8
tolerance_windows=0
tolerance_gdi=2
tolerance_private_kib=1024

source "$(dirname "$0")/../lib.sh"
e2e_setup soak "Z:${opener_exe//\//\\}"
launches=$(winepath -u "$(sed -n 's/^launches=//p' "$work/fixture" | tr -d '\r')")
journal="$log.events"

cycle=(text object text object shortcut)
declare -A combination=([text]=ctrl+alt+F5 [object]=ctrl+alt+F8 [shortcut]=ctrl+alt+F9)
declare -A virtual_key=([text]=74 [object]=77 [shortcut]=78)
# What the target's journal says for each paste: the fixture's text, and its 32 x 32 picture of
# 24 bits (a 40-byte header and 3072 bytes of pixels) as CF_DIB.
declare -A paste_line=([text]="paste text=Pasted by Tallowick" [object]="paste format=8 size=3112")
declare -A sent_of=([text]=0 [object]=0 [shortcut]=0 [letter]=0)
alphabet=abcdefghijklmnopqrstuvwxyz
RANDOM=13
typed=
pastes=0
sent=0
samples=()

paste_count() { grep -c '^paste' "$journal" || true; }
pastes_arrived() { [ "$(paste_count)" -ge "$pastes" ]; }
opened_count() { grep -c '^opened' "$launches" || true; }
launches_arrived() { [ "$(opened_count)" -ge "${sent_of[shortcut]}" ]; }
count_answered() { [ ! -e "$log.count" ]; }

# After the launches so far have arrived and the target has counted its GDI objects: one row of
# "events target-fields program-fields".
take_sample() {
  poll 60 launches_arrived || true
  [ "$(opened_count)" -eq "${sent_of[shortcut]}" ] ||
    fail "$(opened_count) launches after ${sent_of[shortcut]} shortcut events"
  poll 5 mods_are 0 || fail "a modifier is left down after $sent events"
  for kind in "${cycle[@]}"; do
    keys_contain "${virtual_key[$kind]}" && fail "${combination[$kind]} reached the target"
  done
  touch "$log.count"
  poll 10 count_answered || fail "the target did not count its GDI objects"
  local gdi target program
  gdi=$(sed -n 's/^gdi=//p' "$journal" | tail -1)
  [ "${gdi:-0}" -gt 0 ] || fail "the target counted no GDI objects (it always has stock objects)"
  target=$(probe resources TaloHotkeyTarget -)
  program=$(probe resources TFormMain "Quintavel Tallowick")
  [ -n "$target" ] && [ -n "$program" ] || fail "the probe could not measure both processes"
  samples+=("$sent $target own_gdi=$gdi | $program")
  echo "after $sent events: target $target own_gdi=$gdi | Talowick.exe $program"
}

start_program_and_target
started=$(date +%s)
take_sample
while [ "$sent" -lt "$events" ]; do
  kind=${cycle[$(((sent / round_size) % ${#cycle[@]}))]}
  letters=()
  for ((i = 0; i < letters_per_round; i++)); do letters+=("${alphabet:RANDOM % 26:1}"); done
  xdotool key --delay 10 "${combination[$kind]}" "${letters[@]}"
  sent_of[$kind]=$((sent_of[$kind] + 1))
  sent_of[letter]=$((sent_of[letter] + letters_per_round))
  printf -v round_letters '%s' "${letters[@]}"
  typed+=$round_letters
  sent=$((sent + round_size))
  if [ "$kind" != shortcut ]; then
    pastes=$((pastes + 1))
    echo "${paste_line[$kind]}" >>"$work/expected_pastes"
    poll_often 10 pastes_arrived || fail "paste $pastes (${combination[$kind]}) did not arrive"
  fi
  [ $((sent % sample_every)) -eq 0 ] && take_sample
done
duration=$(($(date +%s) - started))

# What arrived, against what was sent.
grep '^paste' "$journal" >"$work/pastes" || true
diff "$work/expected_pastes" "$work/pastes" >"$work/pastes.diff" ||
  fail "wrong pastes (expected < > arrived): $(head -5 "$work/pastes.diff")"
arrived=$(sed -n 's/^char //p' "$journal" | tr -d '\n')
[ "$arrived" = "$typed" ] ||
  fail "typed letters lost or reordered: ${#arrived} of ${#typed} arrived"

# sample_field ROW SIDE NAME: a number of a sample row; SIDE 1 is the target, 2 Talowick.exe.
sample_field() {
  echo "$1" | cut -d'|' -f"$2" | tr ' ' '\n' | sed -n "s/^$3=//p"
}
print_table() {
  local side=$1 title=$2 row
  echo "$title"
  printf '%8s %8s %12s %8s %8s %5s %5s\n' events handles private_kib windows own_gdi gdi user
  for row in "${samples[@]}"; do
    printf '%8s %8s %12s %8s %8s %5s %5s\n' "${row%% *}" "$(sample_field "$row" "$side" handles)" \
      "$(sample_field "$row" "$side" private_kib)" "$(sample_field "$row" "$side" windows)" \
      "$(sample_field "$row" "$side" own_gdi)" "$(sample_field "$row" "$side" gdi)" \
      "$(sample_field "$row" "$side" user)"
  done
}
echo
echo "soak run: $sent key events in ${duration} s: ${sent_of[letter]} letters," \
  "${sent_of[text]} text pastes, ${sent_of[object]} object pastes," \
  "${sent_of[shortcut]} shortcut events, $(opened_count) launches"
print_table 1 "target (own_gdi: counted by the target itself; gdi, user: GetGuiResources, - = 0)"
print_table 2 "Talowick.exe (own_gdi: not measurable from outside; gdi, user: as above)"

# Growth from the first sample after events (the second row) to the last.
first=${samples[1]}
last=${samples[-1]}
grown() {
  local side=$1 name=$2 limit=$3 before after
  before=$(sample_field "$first" "$side" "$name")
  after=$(sample_field "$last" "$side" "$name")
  [ $((after - before)) -gt "$limit" ]
}
failures=()
name_of_side=(- target Talowick.exe)
for side in 1 2; do
  grown "$side" handles "$tolerance_handles" && failures+=("${name_of_side[$side]} handles")
  grown "$side" windows "$tolerance_windows" && failures+=("${name_of_side[$side]} windows")
  grown "$side" private_kib "$tolerance_private_kib" &&
    failures+=("${name_of_side[$side]} private memory")
done
grown 1 own_gdi "$tolerance_gdi" && failures+=("target GDI objects")
echo "tolerances: handles +$tolerance_handles, windows +$tolerance_windows," \
  "GDI objects +$tolerance_gdi, private memory +$tolerance_private_kib KiB"
[ ${#failures[@]} -eq 0 ] || fail "grew beyond the tolerance: ${failures[*]}"
echo "soak run passed"
