#!/usr/bin/env bash
# Runs the tests of the 32-bit build: here when this machine executes 32-bit x86 code, otherwise
# inside an emulated x86 machine (scripts/x86vm.sh) that sees this machine's files.
#
#   test32.sh BUILD32_DIR [CTEST_ARGS...]   e.g. -L x86 for the set that `make test` runs
#   test32.sh BUILD32_DIR --run PROGRAM [ARGS...]   one program of the build, e.g. a benchmark
#   test32.sh --native                      exit 0 when 32-bit programs run on this machine
#
# TALO_EMULATE_X86=1 takes the emulated machine even where 32-bit code runs here (set it for the
# configuring of the 32-bit build as well), to try what a machine without IA-32 emulation does.
# A kernel booted without IA-32 emulation fails every 32-bit process with "Exec format error",
# Wine's 32-bit loader included; the emulated machine boots Debian's own kernel, which has it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

runs_natively() {
  [ "${TALO_EMULATE_X86:-0}" != 1 ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}
if [ "${1:-}" = --native ]; then runs_natively; exit; fi

build=$(cd "${1:?32-bit build dir}" && pwd)
shift
[ "$(cat "$build/wine-arch" 2>/dev/null)" = win32 ] || { echo "test32.sh: $build is not a 32-bit build" >&2; exit 2; }

# The run in one command line: the prefix and its server are the build's, and are ended with
# the run (a program left running would hold the names the next run creates).
if [ "${1:-}" = --run ]; then
  shift
  printf -v work ' %q' "$here/wine.sh" "$build" run "$@"
else
  printf -v work ' %q' ctest --output-on-failure "$@"
fi
suite="'$here/wine.sh' '$build' stop; '$here/wine.sh' '$build' prepare &&
  cd '$build' &&$work; status=\$?; '$here/wine.sh' '$build' stop; exit \$status"

if runs_natively; then
  exec bash -c "$suite"
fi
echo "This machine executes no 32-bit x86 code: the 32-bit tests run in an emulated x86 machine."
# The prefix and the temporary folders on the guest's own disk: quick to write, and it keeps the
# extended attributes in which Wine stores a file's hidden flag. The sources and the build are
# shared (the guest's own /tmp would hide a checkout below the host's).
exec "$here/x86vm.sh" run "$build/x86vm" "$(cd "$here/.." && pwd):$build" bash -c \
  "export TALO_PREFIX=/scratch/wineprefix TMPDIR=/scratch/tmp && mkdir -p \$TMPDIR && $suite"
