#!/usr/bin/env bash
# Runs a command with an X display for Wine's windows: the caller's display when there is one,
# otherwise a private Xvfb for the length of the command.  Keeps one wineserver alive meanwhile,
# so that the Windows programs of a test run do not each pay for starting it.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    break
  done
fi
"$here/wine-prefix.sh"
# A server that was already running belongs to someone else: leave it running afterwards.
server_was_running=
pgrep -x wineserver64 >/dev/null 2>&1 || pgrep -x wineserver >/dev/null 2>&1 && server_was_running=1
/usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
# Start Wine's background processes (services, devices, explorer) here, outside the command: they
# live as long as the server and would otherwise hold the command's output pipes open.
"$LIGNOTEK_WINE" cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
"$@"
status=$?
[ -z "$server_was_running" ] && { /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; }
[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
exit $status
