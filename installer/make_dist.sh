#!/usr/bin/env bash
# Builds the release package: the setup program, a zip of the files it installs and SHA256SUMS
# over both, every name carrying the product version. Run by the `dist` target (`make dist`).
#
#   make_dist.sh VERSION NSIS_TARGET DIST_DIR PROGRAM LIBRARY SYSTEM_DATA GRAPHICS_DATA HELP LICENSE
#
# NSIS_TARGET follows the build's bitness (x86-unicode, or amd64-unicode for the 64-bit test
# build), so the setup installs exactly what the build made.
set -euo pipefail
version=$1 target=$2 dist=$3
shift 3
[ $# -eq 6 ] || { echo "make dist: expected six files to ship, got $#" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)

command -v makensis >/dev/null ||
  { echo "make dist: makensis is missing (Debian package nsis; \`make deps\` installs it)" >&2; exit 1; }
for file in "$@"; do
  [ -f "$file" ] || { echo "make dist: $file does not exist; build it first" >&2; exit 1; }
done

# The 64-bit twin must never be mistaken for the 32-bit deliverable.
suffix=
[ "$target" = amd64-unicode ] && suffix=-x64
name="Tallowick-$version$suffix"
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
stage="$dist/$name"
rm -rf "$stage" "$dist/$name-setup.exe" "$dist/$name.zip" "$dist/SHA256SUMS"
mkdir "$stage"

# The files under the names they carry on the user's disk; the license with Windows line ends so
# that Notepad and the license page show its paragraphs.
cp "$1" "$stage/Talowick.exe"
cp "$2" "$stage/Talospur.dll"
cp "$3" "$stage/System.dat"
cp "$4" "$stage/Graphics.dat"
cp "$5" "$stage/Talowick.hlp"
sed 's/\r*$/\r/' "$6" >"$stage/LICENSE.txt"

makensis -V2 -DVERSION="$version" -DTARGET="$target" -DSTAGE="$stage" \
  -DOUTFILE="$dist/$name-setup.exe" "$here/Tallowick.nsi"
(cd "$dist" && cmake -E tar cf "$name.zip" --format=zip "$name")
(cd "$dist" && sha256sum "$name-setup.exe" "$name.zip" >SHA256SUMS)
rm -rf "$stage"
echo "dist: $dist/$name-setup.exe ($(stat -c %s "$dist/$name-setup.exe") bytes), $name.zip, SHA256SUMS"
