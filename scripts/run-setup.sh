#!/usr/bin/env bash
# Builds LignotekSetup.exe and runs it under Wine.  Without a display it runs under Xvfb and saves a
# screenshot of the screen to artifacts/setup.png after a few seconds.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
"$top/scripts/install-deps.sh"
source "$top/scripts/wine-env.sh"
preset=$LIGNOTEK_WINDOWS_TEST_PRESET
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target LignotekSetup
exe="$top/build/$preset/bin/LignotekSetup.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec "$top/scripts/wine-run.sh" "$exe"
fi
mkdir -p "$top/artifacts"
"$top/scripts/with-display.sh" bash -c '
  "$1" "$2" & pid=$!
  sleep "${LIGNOTEK_SCREENSHOT_DELAY:-6}"
  xwd -root -silent | convert xwd:- "$3" && echo "screenshot: $3"
  kill $pid 2>/dev/null; wait $pid 2>/dev/null; exit 0' _ "$top/scripts/wine-run.sh" "$exe" "$top/artifacts/setup.png"
