#!/bin/sh
# Benchmark of the payload decoding work: in one run it alternates `bzip2 -dc PAYLOAD > /dev/null`,
# the serial extraction (`setup-tool extract --decoder-threads 1`), the parallel extraction (the
# default) and `setup-tool extract --check-first` (an installation's check pass and extraction), on
# the sample product's payload and on a larger one packed from three copies of its files.  Prints
# the medians, their ratios to `bzip2 -dc` and the peak memory of the parallel runs.  Not a test:
# nothing here passes or fails on time, and figures taken on a shared machine are noisy.
#
# usage: scripts/bench-parallel-decode.sh [RUNS]   (default 3; builds the native-release preset in
#        build/pbz-release, or LIGNOTEK_BENCH_BUILD)
set -eu
runs=${1:-3}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${LIGNOTEK_BENCH_BUILD:-$here/build/pbz-release}

cmake --preset native-release -B "$build" > /dev/null
cmake --build "$build" -j2 --target setup-tool sample_payload > /dev/null
tool=$build/bin/setup-tool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The larger payload: every file of the sample three times, in folders of their own.
"$tool" extract "$build/sample/payload.bz2" --root "$work/files" > /dev/null
(cd "$work/files" && find . -type f | sed 's|^\./||' | sort) |
    awk '{ for (c = 1; c <= 3; c++) printf "0\t<InstallPath>\\Copy%d\\%d\t%s\n", c, NR, $0 }' > "$work/large.manifest"
"$tool" pack "$work/large.manifest" "$work/large.bz2" --base "$work/files" > /dev/null
rm -rf "$work/files"

now() { date +%s.%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
seconds() {  # file command...
    out=$1; shift
    rm -rf "$work/root"
    t0=$(now); "$@" > /dev/null; t1=$(now)
    awk "BEGIN { print $t1 - $t0 }" >> "$out"
}
peak_mb() {
    rm -rf "$work/root"
    kb=$( { /usr/bin/time -f '%M' "$@" > /dev/null; } 2>&1 | tail -1)
    awk "BEGIN { printf \"%.1f\", $kb / 1024 }"
}
ratio() { awk "BEGIN { printf \"%.2f\", $1 / $2 }"; }

echo "cores: $(nproc); runs: $runs, alternated; medians in seconds; ratios to bzip2 -dc"
for name in sample large; do
    if [ "$name" = sample ]; then payload=$build/sample/payload.bz2; else payload=$work/large.bz2; fi
    for f in decode serial parallel both; do : > "$work/$f"; done
    i=0
    while [ "$i" -lt "$runs" ]; do
        seconds "$work/decode" sh -c 'bzip2 -dc "$1" > /dev/null' sh "$payload"
        seconds "$work/serial" "$tool" extract "$payload" --root "$work/root" --decoder-threads 1
        seconds "$work/parallel" "$tool" extract "$payload" --root "$work/root"
        seconds "$work/both" "$tool" extract "$payload" --root "$work/root" --check-first
        i=$((i + 1))
    done
    decode=$(median < "$work/decode")
    serial=$(median < "$work/serial")
    parallel=$(median < "$work/parallel")
    both=$(median < "$work/both")
    echo "-- $name payload: $(wc -c < "$payload") bytes compressed, $(bzip2 -dc "$payload" | wc -c) decompressed"
    echo "   bzip2 -dc                        $decode"
    echo "   serial extraction                $serial  ratio $(ratio "$serial" "$decode")"
    echo "   parallel extraction              $parallel  ratio $(ratio "$parallel" "$decode")  (target at most 0.6)"
    echo "   check pass + parallel extraction $both  ratio $(ratio "$both" "$decode")  (target at most 0.9)"
    echo "   peak memory: parallel extraction $(peak_mb "$tool" extract "$payload" --root "$work/root") MB," \
         "check pass + extraction $(peak_mb "$tool" extract "$payload" --root "$work/root" --check-first) MB," \
         "serial extraction $(peak_mb "$tool" extract "$payload" --root "$work/root" --decoder-threads 1) MB" \
         "(target under 16 MB)"
done
