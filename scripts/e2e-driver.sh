#!/usr/bin/env bash
# Runs the end-to-end driver inside the project's Wine prefix, under Xvfb when there is no display.
# Linux paths among the arguments are given to Windows as Z:\ paths; pictures the driver saves as
# .bmp are also converted to .png beside them.
#   scripts/e2e-driver.sh DRIVER.exe STEP...     (steps as e2e-driver.exe takes them)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then exec "$here/with-display.sh" "$0" "$@"; fi
driver=$1; shift
args=()
shots=()
for a in "$@"; do
  if [[ "$a" == /* ]]; then
    [[ "$a" == *.bmp ]] && shots+=("$a")
    a="Z:${a//\//\\}"
  fi
  args+=("$a")
done
"$here/wine-run.sh" "$driver" "${args[@]}" </dev/null
status=$?
for shot in "${shots[@]}"; do
  [ -f "$shot" ] && convert "$shot" "${shot%.bmp}.png" 2>/dev/null && rm -f "$shot"
done
exit $status
