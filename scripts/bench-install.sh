#!/usr/bin/env bash
# Times one whole installation of the product payload under Wine, from pressing Install to the
# status "Click on 'Next' to continue.", and in the same run `bzip2 -dc` of the same payload; prints
# both and their ratio.  The installation runs in a fresh prefix made for the run and removed after.
#   scripts/bench-install.sh [BUILD_DIR]      (default: build/$LIGNOTEK_WINDOWS_TEST_PRESET)
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/wine-env.sh"
build=$(cd "${1:-$top/build/$LIGNOTEK_WINDOWS_TEST_PRESET}" && pwd) || exit 1
if [ -z "${DISPLAY:-}" ]; then exec "$top/scripts/with-display.sh" "$0" "$build"; fi
setup=$build/bin/LignotekSetup.exe driver=$build/bin/e2e-driver.exe
setup_tool=$build/host-tools/bin/setup-tool payload=$build/sample/payload.bz2
for f in "$setup" "$driver" "$setup_tool" "$payload"; do
  [ -f "$f" ] || { echo "missing $f: build the Windows preset first" >&2; exit 1; }
done
source "$top/tests/e2e/scenario_common.sh"
source "$top/tests/e2e/lifecycle_common.sh"

work=$(mktemp -d)
trap 'leave_prefix "$work/prefix"; rm -rf "$work"' EXIT
echo "making a fresh prefix..."
make_prefix "$work/prefix" || exit 1
use_prefix "$work/prefix"

out=$(drive --start "$setup" --wait-window 60 --expect-title "$title_english" --press 1 --expect-visible 1021 \
            --press 1 --expect 1 Install --clock --press 1 --patience 600 --expect 1003 "$continue_english" \
            --clock --patience 5 --press 1 --expect 1016 "Installation is complete." --press 2 --wait-exit 30)
if grep -q '^error ' <<<"$out" || ! grep -qxF 'exit 0' <<<"$out"; then
  echo "the installation did not finish:" >&2
  echo "$out" >&2
  exit 1
fi
mapfile -t clocks < <(sed -n 's/^clock //p' <<<"$out")
install_ms=$((clocks[1] - clocks[0]))

start=$(date +%s%N)
bzip2 -dc "$payload" >/dev/null
bzip2_ms=$((($(date +%s%N) - start) / 1000000))

echo "payload:       $(stat -c %s "$payload") bytes packed, $(bzip2 -dc "$payload" | wc -c) bytes unpacked"
echo "installation:  $install_ms ms (Install pressed to \"$continue_english\", the driver polls every 50 ms)"
echo "bzip2 -dc:     $bzip2_ms ms"
awk -v a="$install_ms" -v b="$bzip2_ms" 'BEGIN { printf "ratio:         %.1f\n", (b > 0 ? a / b : 0) }'
