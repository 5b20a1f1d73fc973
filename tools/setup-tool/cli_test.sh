#!/bin/sh
# setup-tool's command line: usage errors, manifest faults reported with their line and nothing
# written, and a small pack/list/extract round trip including a failed extraction.
# usage: cli_test.sh SETUP_TOOL WORKDIR
set -u
tool=$1 work=$2
rm -rf "$work" && mkdir -p "$work/files"
fail() { echo "FAIL: $*" >&2; exit 1; }
printf 'alpha' > "$work/files/a.txt"
printf 'beta' > "$work/files/b.dat"

expect_status() {  # expected-status command...
    want=$1; shift
    "$@" > "$work/out" 2> "$work/err"
    got=$?
    [ "$got" -eq "$want" ] || fail "$* exited $got, expected $want: $(cat "$work/err")"
}

expect_status 0 "$tool" --help
grep -q 'pack MANIFEST OUTPUT' "$work/out" || fail "--help does not describe pack"
expect_status 2 "$tool"
expect_status 2 "$tool" frobnicate
expect_status 2 "$tool" pack only-one
expect_status 2 "$tool" list
expect_status 2 "$tool" extract "$work/p.bz2"

# Manifest faults: the line number, and no output file.
tab=$(printf '\t')
while IFS='|' read -r line expected; do
    printf '# header\n\n0\t<InstallPath>\tfiles/a.txt\n%s\n' "$line" > "$work/bad.manifest"
    expect_status 1 "$tool" pack "$work/bad.manifest" "$work/bad.bz2"
    grep -q "line 4: $expected" "$work/err" || fail "'$line': $(cat "$work/err")"
    [ ! -e "$work/bad.bz2" ] && [ ! -e "$work/bad.bz2.partial" ] || fail "'$line' wrote output"
done <<CASES
6${tab}<InstallPath>${tab}files/a.txt|kind must be 0 to 5
x${tab}<InstallPath>${tab}files/a.txt|kind must be 0 to 5
0${tab}<InstallPath>${tab}files/missing.txt|no such file
0${tab}<InstallPath>|expected kind
0${tab}<InstallPath>${tab}files/a.txt${tab}extra|expected kind
0${tab}<Nowhere>${tab}files/a.txt|unknown destination token
0${tab}<InstallPath>\\..\\..${tab}files/a.txt|a destination folder would leave its root
0${tab}${tab}files/a.txt|empty folder
CASES

printf '0\t<InstallPath>\\Lang\tfiles/a.txt\n3\t<CommonData>\\Vendrel & Vodoraru\\Materials\tfiles/b.dat\n' > "$work/good.manifest"
expect_status 0 "$tool" pack "$work/good.manifest" "$work/p.bz2"
[ "$(head -c 4 "$work/p.bz2")" = BZh9 ] || fail "not one bzip2 stream of block size 9"
expect_status 0 "$tool" list "$work/p.bz2"
printf '0\t5\t%s\t<InstallPath>\\Lang\ta.txt\n3\t4\t%s\t<CommonData>\\Vendrel & Vodoraru\\Materials\tb.dat\n' \
    "$(printf alpha | gzip -c | tail -c 8 | od -An -tx4 -N4 | tr -d ' \n')" \
    "$(printf beta | gzip -c | tail -c 8 | od -An -tx4 -N4 | tr -d ' \n')" > "$work/expected"
diff "$work/expected" "$work/out" || fail "list output"

expect_status 0 "$tool" extract "$work/p.bz2" --root "$work/root" --install-folder 'C:\Apps\L7'
grep -q '^file_end C:\\Apps\\L7\\Lang\\a.txt$' "$work/out" || fail "install folder option: $(cat "$work/out")"
[ "$(cat "$work/root/C/Apps/L7/Lang/a.txt")" = alpha ] || fail "content of a.txt"
[ "$(cat "$work/root/C/ProgramData/Vendrel & Vodoraru/Materials/b.dat")" = beta ] || fail "content of b.dat"
# The machine has no drive D:: the failure names its Windows code and the file.
expect_status 1 "$tool" extract "$work/p.bz2" --root "$work/root" --install-folder 'D:\Apps\L7'
[ "$(tail -1 "$work/out")" = 'failed 1:00000003 D:\Apps\L7\Lang\a.txt' ] || fail "no drive: $(cat "$work/out")"

# A payload that is not bzip2 fails with code 6; a read-only file in the way is replaced.
printf 'not a payload' > "$work/junk.bz2"
expect_status 1 "$tool" list "$work/junk.bz2"
expect_status 1 "$tool" extract "$work/junk.bz2" --root "$work/root2"
[ "$(tail -1 "$work/out")" = "failed 6 " ] || fail "junk extract: $(cat "$work/out")"
rm -rf "$work"
echo "setup-tool command line OK"
