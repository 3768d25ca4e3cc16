#!/usr/bin/env bash
# Reads an executable's ELF headers and fails unless it was built hardened:
# position independent, full RELRO with immediate binding, stack protector and
# fortified library calls; and with no run path, so that every library it
# loads comes from the system's folders.
set -uo pipefail
exe=${1:?usage: check_elf.sh EXECUTABLE}
failed=0

check() {
    if eval "$2"; then
        echo "ok:      $1"
    else
        echo "MISSING: $1"
        failed=1
    fi
}

header=$(readelf --file-header --wide "$exe") || exit 1
segments=$(readelf --program-headers --wide "$exe")
dynamic=$(readelf --dynamic --wide "$exe")
symbols=$(readelf --dyn-syms --wide "$exe")
# The compiler's switches, where the build recorded them (-frecord-gcc-switches).
switches=$(readelf --string-dump=.GCC.command.line "$exe" 2>/dev/null)
# Macros defined on the command line, where a unit kept them (-g3).
macros=$(readelf --debug-dump=macro "$exe" 2>/dev/null | grep -E "lineno : 0 macro" || true)

check "position independent executable (PIE)" \
    'grep -q "Type:[[:space:]]*DYN" <<<"$header" && grep -q "PIE" <<<"$dynamic"'
check "read-only relocations (RELRO)" 'grep -q "GNU_RELRO" <<<"$segments"'
check "immediate binding (BIND_NOW)" 'grep -Eq "BIND_NOW|FLAGS.*[[:space:]]NOW" <<<"$dynamic"'
check "stack protector" 'grep -q "__stack_chk_fail" <<<"$symbols"'
# A fortified build imports the checking variants (__memcpy_chk, ...) only where
# a buffer's size is known at a call; otherwise the kept macros tell, and
# fortification needs an optimised build.
check "fortified calls (_FORTIFY_SOURCE=2 or more, optimised)" \
    '{ grep -Eq "__[a-z_]+_chk(@|[[:space:]]|$)" <<<"$symbols" ||
       grep -Eq "macro : _FORTIFY_SOURCE [23]" <<<"$macros"; } &&
     grep -Eq -- "-O[123s]" <<<"$switches"'
check "no run path (RPATH or RUNPATH)" '! grep -Eq "\((RPATH|RUNPATH)\)" <<<"$dynamic"'
check "strong stack protector switch" 'grep -q -- "-fstack-protector-strong" <<<"$switches"'

exit $failed
