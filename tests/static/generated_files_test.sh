#!/usr/bin/env bash
# A build that took its artwork and shipped data files from its twin (TALO_GENERATED_FROM: this
# machine could not run its generators when it was built) runs its own generators here and
# must get the same files byte for byte.
#
#   generated_files_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
made=$(mktemp -d)
trap 'rm -rf "$made"' EXIT

generate() { (cd "$source_dir/tools" && "$source_dir/scripts/wine.sh" "$build" run "$@" >/dev/null); }
same() {
  cmp "$made/$(basename "$1")" "$1" || { echo "FAILED: $1 differs from what this build's generator makes" >&2; exit 1; }
}

for art in app_icon.ico tray_enabled.ico tray_disabled.ico modifier_sets.bmp; do
  generate "$build/tools/art_from_text.exe" "$source_dir/tools/art/${art%.*}.txt" "$made/$art"
  same "$build/generated/$art"
done
generate "$build/tools/make_system_data.exe" "$made/System.dat"
same "$build/install/System.dat"
generate "$build/tools/make_graphics_data.exe" "$made/Graphics.dat"
same "$build/install/Graphics.dat"
generate "$build/tools/make_help_file.exe" "$source_dir/docs/help/talowick_help.txt" "$made/Talowick.hlp"
same "$build/install/Talowick.hlp"
echo "generated files test passed"
