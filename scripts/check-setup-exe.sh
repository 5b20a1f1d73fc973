#!/usr/bin/env bash
# Checks the shape of the release program: PE32 for i386, GUI subsystem, ASLR and DEP, and no
# C++ runtime DLLs among its imports.
set -euo pipefail
exe=$1
dump=$(i686-w64-mingw32-objdump -p "$exe")
fail() { echo "check-setup-exe: $*" >&2; exit 1; }
grep -q 'file format pei-i386' <<<"$dump" || fail "not a PE32 i386 program"
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$dump" || fail "not a GUI program"
grep -q 'DYNAMIC_BASE' <<<"$dump" || fail "ASLR (dynamic base) is off"
grep -q 'NX_COMPAT' <<<"$dump" || fail "DEP (NX compatible) is off"
if grep -iE 'DLL Name: (libstdc|libgcc|libwinpthread)' <<<"$dump"; then fail "links a runtime DLL"; fi
echo "check-setup-exe: $exe is PE32 i386, GUI, ASLR and DEP on, imports only system DLLs"
grep 'DLL Name' <<<"$dump" | sed 's/^[[:space:]]*/  /'
