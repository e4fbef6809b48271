#!/usr/bin/env bash
# Installs the cross compiler, Wine and the X tools from Debian's archive when any is missing.
set -euo pipefail

# The 64-bit compiler and wine64 build and run the twin; qemu (with a scratch disk made by
# mkfs.ext4) runs the 32-bit programs on machines that cannot execute 32-bit code
# (scripts/test32.sh), whose kernel and busybox scripts/x86vm.sh fetches from the same archive.
packages=(cmake ninja-build g++ g++-mingw-w64-i686 mingw-w64-i686-dev googletest wine wine32:i386
          g++-mingw-w64-x86-64 mingw-w64-x86-64-dev wine64
          xvfb xdotool imagemagick x11-utils x11-xkb-utils
          nsis binutils qemu-system-x86 e2fsprogs)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then dpkg --add-architecture i386; fi
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
