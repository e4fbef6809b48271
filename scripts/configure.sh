#!/usr/bin/env bash
# Configures one build folder of the Windows programs.
#
#   configure.sh BUILD_DIR x86 [TWIN_BUILD_DIR]   the 32-bit deliverables (what users install)
#   configure.sh BUILD_DIR x64                    the 64-bit twin of the same sources
#
# The twin exists for machines whose kernel executes no 32-bit x86 code (booted without IA-32
# emulation): there it is what runs natively under wine64, and the 32-bit programs run in an
# emulated x86 machine (scripts/test32.sh). Such a machine cannot run the 32-bit generators of the
# artwork and the shipped data files either, so the 32-bit build takes the files the twin's
# generators made (the same code and version resource writes them byte for byte alike), and its
# tests' waits and time limits are stretched for the slower emulated machine.
set -euo pipefail
build=${1:?build dir}
arch=${2:?x86 or x64}
twin=${3:-}
source_dir=$(cd "$(dirname "$0")/.." && pwd)

options=()
case "$arch" in
  x64) toolchain=mingw-x86_64 ;;
  x86)
    toolchain=mingw-i686
    if ! "$source_dir/scripts/test32.sh" --native; then
      [ -n "$twin" ] || { echo "configure.sh: the 32-bit build here needs the twin's build folder" >&2; exit 2; }
      options+=(-DTALO_GENERATED_FROM="$(cd "$twin" && pwd)" -DTALO_TIME_FACTOR=8)
    fi ;;
  *) echo "configure.sh: unknown architecture $arch (x86 or x64)" >&2; exit 2 ;;
esac
cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/$toolchain.cmake" \
  "${options[@]}"
