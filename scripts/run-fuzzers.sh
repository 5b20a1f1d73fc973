#!/usr/bin/env bash
# Runs every libFuzzer program in a folder for a bounded time, each from its seed corpus.
set -euo pipefail
bin=$1; seconds=$2
top=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
count=0
for fuzzer in "$bin"/*_fuzzer; do
  name=$(basename "$fuzzer")
  work=$(mktemp -d)
  seeds="$top/fuzz/corpus/${name%_fuzzer}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "-- $name for $seconds s"
  "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 "$work" 2>&1 | tail -n 4
  rm -rf "$work"
  count=$((count + 1))
done
echo "$count fuzzers ran without a finding"
