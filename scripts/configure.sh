#!/usr/bin/env bash
# Configures the build folder for the Windows programs this machine can run under Wine.
#
#   configure.sh BUILD_DIR
#
# The deliverables are 32-bit programs. A kernel booted without IA-32 emulation cannot execute
# any 32-bit x86 code, so neither Wine's 32-bit loader nor a 32-bit program inside wine64 can
# start there; on such a machine the same sources are built as 64-bit programs, which is what
# the tests then run (the prefix follows the build: scripts/wine.sh).
set -euo pipefail
build=${1:?build dir}
source_dir=$(cd "$(dirname "$0")/.." && pwd)

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  toolchain=mingw-i686
else
  toolchain=mingw-x86_64
  echo "This machine cannot execute 32-bit x86 code: building and testing 64-bit programs."
fi
cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/$toolchain.cmake"
