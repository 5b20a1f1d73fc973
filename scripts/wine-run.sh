#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix and returns its exit code.
# ctest uses it as the emulator of the Windows builds.
source "$(dirname "$0")/wine-env.sh"
[ -f "$WINEPREFIX/system.reg" ] || "$(dirname "$0")/wine-prefix.sh" || exit 1
exec "$LIGNOTEK_WINE" "$@"
