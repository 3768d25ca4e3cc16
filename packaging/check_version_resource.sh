#!/usr/bin/env bash
# Compiles the Windows version resource with mingw-w64's windres, reads it back,
# and checks the version and the French string block it must carry.
set -euo pipefail
windres=${1:?usage: check_version_resource.sh WINDRES RC VERSION}
rc=${2:?}
version=${3:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$windres" --input "$rc" --output-format res --output "$work/sabot.res"
"$windres" --input "$work/sabot.res" --input-format res --output-format rc --output "$work/back.rc"

major=${version%%.*}
minor=$((10#${version#*.}))
fail=0
need() { grep -q -E "$1" "$work/back.rc" || { echo "not in the resource: $2"; fail=1; }; }
need "LANGUAGE 12, ?1" "the resource language French (France)"
need "FILEVERSION $major, ?$minor, ?0, ?0" "file version $major,$minor,0,0"
need "PRODUCTVERSION $major, ?$minor, ?0, ?0" "product version $major,$minor,0,0"
need 'BLOCK "040[cC]04[eE]4"' "a French string block for code page 1252"
need "\"FileVersion\", \"$version\"" "FileVersion \"$version\""
need "\"ProductVersion\", \"$version\"" "ProductVersion \"$version\""
need 'VALUE "Translation", 0x0?40[cC], ?(0x4e4|1252)' "the Translation entry 0x040C, 1252"
[ $fail -eq 0 ] || { cat "$work/back.rc"; exit 1; }
echo "version resource: $version, French, code page 1252"
