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
printf 'x' > "$work/files/com1.txt"
printf 'x' > "$work/files/readme."

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
0${tab}C:\\Windows\\System32${tab}files/a.txt|a destination folder without a token
0${tab}Lang${tab}files/a.txt|a destination folder without a token
0${tab}<InstallPath>\\NUL${tab}files/a.txt|a name is a reserved device name
0${tab}<InstallPath>\\Lang.${tab}files/a.txt|a name ends in a dot or a blank
0${tab}<InstallPath>${tab}files/com1.txt|a name is a reserved device name
0${tab}<InstallPath>${tab}files/readme.|a name ends in a dot or a blank
CASES

# A source that reads differently the second time is not packed; nor is a table the reader refuses.
if [ -r /proc/sys/kernel/random/uuid ]; then
    printf '0\t<InstallPath>\t/proc/sys/kernel/random/uuid\n' > "$work/changing.manifest"
    expect_status 1 "$tool" pack "$work/changing.manifest" "$work/bad.bz2"
    grep -q 'changed while it was packed' "$work/err" || fail "changing source: $(cat "$work/err")"
    [ ! -e "$work/bad.bz2" ] && [ ! -e "$work/bad.bz2.partial" ] || fail "a changing source wrote output"
fi
# 1100 entries whose folders are eight elements of 250 characters: a table of 4.4 MB.
awk 'BEGIN { e = sprintf("%250s", ""); gsub(/ /, "x", e); f = e
             for (k = 1; k < 8; k++) f = f "\\" e
             for (i = 0; i < 1100; i++) printf "0\t<InstallPath>\\%s%d\tfiles/a.txt\n", f, i }' > "$work/huge.manifest"
expect_status 1 "$tool" pack "$work/huge.manifest" "$work/bad.bz2"
grep -q 'table of contents would exceed' "$work/err" || fail "table limit: $(cat "$work/err")"
[ ! -e "$work/bad.bz2" ] && [ ! -e "$work/bad.bz2.partial" ] || fail "a table past the limit wrote output"

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
# A shared-data folder that is a symbolic link to another folder: refused, and nothing written through it.
mkdir -p "$work/root4/C/ProgramData" "$work/root4/C/Windows/Elsewhere"
ln -s "$work/root4/C/Windows/Elsewhere" "$work/root4/C/ProgramData/Vendrel & Vodoraru"
expect_status 1 "$tool" extract "$work/p.bz2" --root "$work/root4"
case "$(tail -1 "$work/out")" in "failed 7"*) ;; *) fail "planted link: $(cat "$work/out")" ;; esac
[ -z "$(ls -A "$work/root4/C/Windows/Elsewhere")" ] || fail "written through a link: $(ls -A "$work/root4/C/Windows/Elsewhere")"
[ -z "$(find "$work/root4" -name a.txt)" ] || fail "planted link: a file was written before the refusal"

# A payload that is not bzip2 fails with code 6; a read-only file in the way is replaced.
printf 'not a payload' > "$work/junk.bz2"
expect_status 1 "$tool" list "$work/junk.bz2"
expect_status 1 "$tool" extract "$work/junk.bz2" --root "$work/root2"
[ "$(tail -1 "$work/out")" = "failed 6 " ] || fail "junk extract: $(cat "$work/out")"
# The installation's two passes, and either decoder: the same lines.
expect_status 0 "$tool" extract "$work/p.bz2" --root "$work/root3" --temp-folder 'C:\T'
cp "$work/out" "$work/one-pass"
for options in "--check-first" "--decoder-threads 1" "--check-first --decoder-threads 2"; do
    rm -rf "$work/root3"
    # shellcheck disable=SC2086
    expect_status 0 "$tool" extract "$work/p.bz2" --root "$work/root3" --temp-folder 'C:\T' $options
    diff "$work/one-pass" "$work/out" || fail "extract $options"
done
expect_status 1 "$tool" extract "$work/junk.bz2" --root "$work/root2" --check-first
[ "$(cat "$work/out")" = "$(printf 'started\nfailed 6 ')" ] || fail "junk check pass: $(cat "$work/out")"
expect_status 2 "$tool" extract "$work/p.bz2" --root "$work/root3" --decoder-threads many
rm -rf "$work"
echo "setup-tool command line OK"
