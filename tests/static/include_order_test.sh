#!/usr/bin/env bash
# The layers include only downwards: base, then data and ui, then content and hook, then forms,
# then app; tests, bench and tools on top. A file that includes a header of a layer above its own
# fails the test, named with the line. The check is tried first on a planted upward include, which
# it must find.
#
#   include_order_test.sh SOURCE_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)

level() {
  case "$1" in
    base) echo 0 ;;
    data | ui) echo 1 ;;
    content | hook) echo 2 ;;
    forms) echo 3 ;;
    app) echo 4 ;;
    tests | bench | tools) echo 5 ;;
    *) echo -1 ;;
  esac
}

# Prints "file:line: includes folder/header" for each upward include under ROOT; true when none.
check() {
  local root=$1 found=0 file folder own line included
  while IFS= read -r file; do
    folder=${file#"$root"/}
    own=$(level "${folder%%/*}")
    while IFS=: read -r line included; do
      included=${included#*\"}
      if [ "$(level "${included%%/*}")" -gt "$own" ]; then
        echo "$folder:$line: includes ${included%\"*}"
        found=1
      fi
    done < <(grep -n '^#include "[a-z]*/' "$file" || true)
  done < <(find "$root" -path "$root/build*" -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
  return $found
}

planted=$(mktemp -d)
trap 'rm -rf "$planted"' EXIT
mkdir -p "$planted/forms"
printf '#include "forms/form_list.h"\n#include "app/globals.h"\n' >"$planted/forms/planted.cpp"
[ "$(check "$planted" || true)" = "forms/planted.cpp:2: includes app/globals.h" ] ||
  { echo "FAILED: the check does not find a planted upward include" >&2; exit 1; }

if ! upward=$(check "$source_dir"); then
  echo "FAILED: includes from a layer above:" >&2
  echo "$upward" >&2
  exit 1
fi
echo "every include goes downwards"
