#!/usr/bin/env bash
# Creates (once) the Wine prefix the Windows tests run in; quiet and quick when it exists.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$LIGNOTEK_WINE" wineboot --init >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w || true
fi
[ -f "$WINEPREFIX/system.reg" ] || { echo "could not create the Wine prefix $WINEPREFIX" >&2; exit 1; }
# Under Xvfb there is no window manager: unmanaged windows get Wine's own frames and captions (so
# screenshots show the title bar) and close at once instead of waiting for a manager that never answers.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  "$LIGNOTEK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
fi
