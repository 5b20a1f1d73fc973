#!/bin/sh
# The sample payload round trip: what `setup-tool list` reads back is what the manifest packed, and
# `setup-tool extract` places all of it over a fresh directory machine.
# usage: roundtrip_test.sh SETUP_TOOL PAYLOAD MANIFEST CONTENT_LIST PROGRAM_LIST WORKDIR
set -eu
tool=$1 payload=$2 manifest=$3 content=$4 programs=$5 work=$6
rm -rf "$work" && mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

# kind, folder and file name of every manifest line, with the size from the content list (sources
# under content/) or the program placeholder list (sources under programs/).
awk -F '\t' 'FILENAME == ARGV[1] { if ($0 !~ /^#/ && NF == 2) size["content/" $1] = $2; next }
             FILENAME == ARGV[2] { if ($0 !~ /^#/ && NF == 2) size["programs/" $1] = $2; next }
             $0 !~ /^#/ && NF == 3 { n = split($3, p, "/"); print $1 "\t" size[$3] "\t" $2 "\t" p[n] }' \
    "$content" "$programs" "$manifest" > "$work/expected"
"$tool" list "$payload" > "$work/listed" || fail "list failed"
cut -f 1,2,4,5 "$work/listed" > "$work/listed-without-crc"
diff "$work/expected" "$work/listed-without-crc" || fail "the listing differs from the manifest"
[ "$(wc -l < "$work/listed")" -eq 73 ] || fail "expected 73 entries"
grep -qv "	[0-9a-f]\{8\}	" "$work/listed" && fail "a checksum is not 8 lower-case hexadecimal digits"

"$tool" extract "$payload" --root "$work/root" --temp-folder 'C:\Temp\vendrel_{test}' > "$work/events" ||
    fail "extract failed: $(tail -1 "$work/events")"
[ "$(head -1 "$work/events")" = started ] || fail "no started line"
[ "$(sed -n 2p "$work/events")" = 'file_begin C:\Temp\vendrel_{test}\DSetup.dll' ] || fail "first file is not the DirectX setup library"
tail -2 "$work/events" | head -1 | grep -q '^file_end C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7\\Lignotek.exe$' ||
    fail "the main program is not last"
tail -1 "$work/events" | grep -q '^finished [0-9]* [0-9]*$' || fail "no finished line"
[ "$(grep -c '^file_end ' "$work/events")" -eq 73 ] || fail "not every file was placed"
# Every placed file has its listed size.
grep '^file_end ' "$work/events" | sed 's/^file_end //' | while IFS= read -r path; do
    host="$work/root/$(printf '%s' "$path" | sed 's/^C:/C/; s/\\/\//g')"
    [ -f "$host" ] || fail "missing $host"
done
[ -f "$work/root/C/Users/Public/Desktop/Lignotek Examples/Sample01.lgk" ] || fail "samples are not on the all-users desktop"
rm -rf "$work"
echo "round trip OK"
