#!/bin/sh
# Benchmark of one payload extraction: runs `bzip2 -dc PAYLOAD > /dev/null` and `setup-tool extract`
# alternately on the same payload, and prints the ratio extract-time / decode-time (medians of the
# runs) and the extraction's peak memory.  Not a test: nothing here passes or fails on time.
#
# usage: scripts/bench-extract.sh [RUNS]   (default 5; builds the native-release preset in
#        build/payload-release and packs the sample payload there)
set -eu
runs=${1:-5}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${LIGNOTEK_BENCH_BUILD:-$here/build/payload-release}

cmake --preset native-release -B "$build" > /dev/null
cmake --build "$build" -j2 --target setup-tool sample_payload > /dev/null
tool=$build/bin/setup-tool
payload=$build/sample/payload.bz2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: > "$work/decode" && : > "$work/extract"
i=0
while [ "$i" -lt "$runs" ]; do
    t0=$(now); bzip2 -dc "$payload" > /dev/null; t1=$(now)
    awk "BEGIN { print $t1 - $t0 }" >> "$work/decode"
    rm -rf "$work/root"
    t0=$(now); "$tool" extract "$payload" --root "$work/root" > /dev/null; t1=$(now)
    awk "BEGIN { print $t1 - $t0 }" >> "$work/extract"
    i=$((i + 1))
done
rm -rf "$work/root"
peak_kb=$( { /usr/bin/time -f '%M' "$tool" extract "$payload" --root "$work/root" > /dev/null; } 2>&1 | tail -1)

decode=$(median < "$work/decode")
extract=$(median < "$work/extract")
echo "payload:          $payload ($(wc -c < "$payload") bytes compressed)"
echo "runs:             $runs, alternated"
echo "bzip2 -dc median: ${decode} s"
echo "extract median:   ${extract} s"
echo "ratio:            $(awk "BEGIN { printf \"%.3f\", $extract / $decode }")  (target at most 1.3)"
echo "peak memory:      $((peak_kb / 1024)) MB ($peak_kb KB; target under 16 MB)"
