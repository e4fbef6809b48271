#!/usr/bin/env bash
# Owns the Wine prefix that builds, tests and `make run` share, and the X display they draw on.
#
#   wine.sh BUILD_DIR prepare          create the prefix once, write InstallDir, start the display
#   wine.sh BUILD_DIR run PROG ARGS    run a Windows program in the prefix (the CTest emulator)
#   wine.sh BUILD_DIR env              print the variables, for `eval`
#   wine.sh BUILD_DIR stop             end the wineserver and the virtual display we started
#
# The prefix lives in BUILD_DIR/wineprefix unless TALO_PREFIX names another; the install folder
# is BUILD_DIR/install. Without DISPLAY an Xvfb is started once and its number kept in the build.
set -euo pipefail

build=$(cd "${1:?build dir}" && pwd)
cmd=${2:?command}
shift 2

# The build says which Windows it targets (build/wine-arch, written by CMake): 32-bit programs
# run in a win32 prefix; the 64-bit test build, made on machines that cannot execute 32-bit x86
# code at all, runs in a win64 prefix through wine64 alone.
export WINEARCH=$(cat "$build/wine-arch" 2>/dev/null || echo win32)
if [ "$WINEARCH" = win64 ]; then
  # Debian's `wine` prefers the 32-bit loader whenever it is installed, even where it cannot run.
  shims=$build/winebin
  if [ ! -x "$shims/wine" ]; then
    mkdir -p "$shims"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shims/wine"
    chmod +x "$shims/wine"
    ln -sf wine "$shims/wine-stable"
  fi
  export PATH="$shims:$PATH" WINELOADER=/usr/lib/wine/wine64
fi
export WINEPREFIX=${TALO_PREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No sound device here: without its drivers a message box beep returns at once instead of
# timing out.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=d}
install_dir=$build/install
display_file=$build/xvfb.display

start_display() {
  if [ -n "${DISPLAY:-}" ] && [ ! -f "$display_file" ]; then return; fi
  if [ -f "$display_file" ]; then
    local n; n=$(cat "$display_file")
    if [ -e "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
      export DISPLAY=":$n"; return
    fi
  fi
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  echo "$n" >"$display_file"
  export DISPLAY=":$n"
}

keep_server() {
  # A lingering wineserver makes each later wine start cost a fraction of a second.
  setsid wineserver -p30 </dev/null >/dev/null 2>&1 || true
}

prepare() {
  start_display
  if [ ! -f "$WINEPREFIX/.talo-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # Xvfb has no window manager: Wine must not wait for one whenever a window hides.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # A crash must end the program, not wait for someone to close Wine's crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.talo-ready"
  fi
  keep_server
  local win_dir
  win_dir=$(winepath -w "$install_dir" 2>/dev/null)'\'
  if [ "$(cat "$WINEPREFIX/.talo-installdir" 2>/dev/null)" != "$win_dir" ]; then
    wine reg add 'HKLM\Software\Quintavel Software\Tallowick\CurrentVersion' \
      /v InstallDir /t REG_SZ /d "$win_dir" /f >/dev/null 2>&1
    echo "$win_dir" >"$WINEPREFIX/.talo-installdir"
  fi
}

case "$cmd" in
  prepare) prepare ;;
  run) prepare; exec wine "$@" ;;
  env)
    start_display
    printf 'export WINEARCH=%q WINEPREFIX=%q WINEDEBUG=%q DISPLAY=%q PATH=%q\n' \
      "$WINEARCH" "$WINEPREFIX" "$WINEDEBUG" "$DISPLAY" "$PATH" ;;
  stop)
    wineserver -k 2>/dev/null || true
    if [ -f "$display_file" ]; then
      pkill -f "Xvfb :$(cat "$display_file") " 2>/dev/null || true
      rm -f "$display_file"
    fi ;;
  *) echo "unknown command: $cmd" >&2; exit 2 ;;
esac
