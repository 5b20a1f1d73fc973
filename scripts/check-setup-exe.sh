#!/usr/bin/env bash
# Checks the shape of the release program: PE32 for i386, GUI subsystem, ASLR and DEP, and an
# import table of system DLLs only.  Every other module (DSetup.dll, the security functions bound at
# run time) is loaded by full path, so nothing the program imports is searched for beside it.
set -euo pipefail
exe=$1
dump=$(i686-w64-mingw32-objdump -p "$exe")
fail() { echo "check-setup-exe: $*" >&2; exit 1; }
grep -q 'file format pei-i386' <<<"$dump" || fail "not a PE32 i386 program"
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$dump" || fail "not a GUI program"
grep -q 'DYNAMIC_BASE' <<<"$dump" || fail "ASLR (dynamic base) is off"
grep -q 'NX_COMPAT' <<<"$dump" || fail "DEP (NX compatible) is off"
# The system DLLs the program may import; the loader takes them from System32 (KnownDLLs).
allowed='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|ole32|oleaut32|comctl32|msvcrt)\.dll$'
while read -r name; do
  grep -qiE "$allowed" <<<"$name" || fail "imports $name, which is not on the list of system DLLs"
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
echo "check-setup-exe: $exe is PE32 i386, GUI, ASLR and DEP on, imports only system DLLs"
grep 'DLL Name' <<<"$dump" | sed 's/^[[:space:]]*/  /'
