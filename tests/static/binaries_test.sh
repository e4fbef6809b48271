#!/usr/bin/env bash
# What the built files are, read from the files alone: the machine they run on, the hook
# procedure that the program asks the library for by its plain name, the DLLs they need on the
# user's machine, the library's size and the program's version resource, which the setup and
# the data files read.
#
#   binaries_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
program=$build/install/Talowick.exe
library=$build/install/Talospur.dll

fail() { echo "FAILED: $*" >&2; exit 1; }

case "$(cat "$build/wine-arch")" in
  win32) objdump=i686-w64-mingw32-objdump format=pei-i386 ;;
  win64) objdump=x86_64-w64-mingw32-objdump format=pei-x86-64 ;;
  *) fail "unknown build architecture in $build/wine-arch" ;;
esac

# Only DLLs that every Windows has; the C++ runtime is linked in, never beside the program.
system_dlls=" kernel32.dll user32.dll gdi32.dll shell32.dll comctl32.dll comdlg32.dll ole32.dll
  advapi32.dll version.dll msvcrt.dll "
imports() { "$objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'; }

for file in "$program" "$library"; do
  [ -f "$file" ] || fail "$file was not built"
  "$objdump" -f "$file" | grep -q "file format $format\$" ||
    fail "$(basename "$file") is not $format: $("$objdump" -f "$file" | grep 'file format')"
  for dll in $(imports "$file"); do
    case "$system_dlls" in *" $dll"[[:space:]]*) ;; *) fail "$(basename "$file") imports $dll" ;; esac
  done
done

# The library runs inside every process that reads keys: the four DLLs it needs at most, and
# a size that costs those processes little.
for dll in $(imports "$library"); do
  case " kernel32.dll user32.dll gdi32.dll shell32.dll " in *" $dll "*) ;;
    *) fail "Talospur.dll imports $dll" ;; esac
done
size=$(stat -c %s "$library")
[ "$size" -le 65536 ] || fail "Talospur.dll is $size bytes, more than 64 KiB"

# GetProcAddress(library, "KeyboardProc"): exported under its plain name, not _KeyboardProc@12.
exports=$("$objdump" -p "$library" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
grep -qE '\]\s+KeyboardProc$' <<<"$exports" || fail "Talospur.dll does not export KeyboardProc: $exports"
grep -q '@' <<<"$exports" && fail "Talospur.dll exports a decorated name: $exports"

# The program's version resource (UTF-16 texts) carries the product version.
texts=$(strings -el "$program")
for key in VS_VERSION_INFO FileVersion ProductVersion; do
  grep -qx "$key" <<<"$texts" || fail "Talowick.exe has no $key in its version resource"
done
grep -qx "$version" <<<"$texts" || fail "Talowick.exe does not carry the version $version"

# The program's manifest (read from the file: the only UTF-8 XML it holds): it runs with the
# rights of whoever starts it, names the Windows versions it was made for, and keeps the common
# controls of Windows XP and later.
manifest=$(strings -n 4 "$program" | sed -n '/<assembly /,/<\/assembly>/p')
[ -n "$manifest" ] || fail "Talowick.exe holds no manifest"
manifest_has() { grep -q "$1" <<<"$manifest" || fail "the manifest lacks $2: $manifest"; }
manifest_has '<requestedExecutionLevel level="asInvoker" uiAccess="false"/>' "asInvoker"
for os in e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a \
  4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 \
  8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  manifest_has "<supportedOS Id=\"{$os}\"/>" "the supported Windows $os"
done
manifest_has 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' "the common controls"
[ "$(grep -c '<requestedExecutionLevel' <<<"$manifest")" = 1 ] || fail "more than one execution level"

# What Wine does not enforce, seen in the calls the files make: a program that hands the front to
# another allows it first, the program adds its icon again when Explorer says the notification
# area is new, and the library lets a program that a shortcut opens come forward.
imported_functions() { "$objdump" -p "$1" | awk '/DLL Name:/ { dll = tolower($3) } NF == 3 && $1 ~ /^[0-9a-f]+$/ { print dll, $3 }'; }
program_calls=$(imported_functions "$program")
for call in "user32.dll AllowSetForegroundWindow" "user32.dll RegisterWindowMessageA" \
  "shell32.dll SHGetFolderPathA"; do
  grep -qx "$call" <<<"$program_calls" || fail "Talowick.exe does not import ${call#* }"
done
grep -qx "user32.dll AllowSetForegroundWindow" <<<"$(imported_functions "$library")" ||
  fail "Talospur.dll does not import AllowSetForegroundWindow"

echo "binaries test passed ($format, Talospur.dll $size bytes)"
