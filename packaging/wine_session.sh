#!/usr/bin/env bash
# Runs a command in a Wine session fit for a window on a machine with no
# display: a private Xvfb, and a prefix (made on first use) with Wine's own
# fonts, windows that Wine places itself (no window manager, and no two-second
# wait at each close), no entries made in the host's desktop menus for the
# Start menu's shortcuts, and the system dpi asked for. A COMMAND ending in .exe
# runs under wine64; any other sees DISPLAY, WINE and WINEPREFIX set.
# usage: wine_session.sh [--dpi N] COMMAND [ARG...]
set -euo pipefail
dpi=96
if [ "${1:-}" = --dpi ]; then
    dpi=$2
    shift 2
fi
[ $# -ge 1 ] || { echo "usage: $0 [--dpi N] COMMAND [ARG...]" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
export WINE=${WINE:-/usr/lib/wine/wine64}
export WINEPREFIX=${WINEPREFIX:-$here/../build/windows/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
wineserver=$(dirname "$WINE")/wineserver

# Wine's desktop process holds on to the display it started on, so each
# session has a wineserver of its own (none left from a command run without
# a display), ended before its Xvfb goes.
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w 2>/dev/null || true
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap '"$wineserver" -k 2>/dev/null; "$wineserver" -w 2>/dev/null; kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
export DISPLAY=:$(cat "$work/display")

# Made under the session's display, since the Wine desktop that the first
# command starts stays for the whole session.
if [ ! -e "$WINEPREFIX/.sabot-ready" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
    touch "$WINEPREFIX/.sabot-ready"
fi
if [ "$(cat "$WINEPREFIX/.sabot-dpi" 2>/dev/null)" != "$dpi" ]; then
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    echo "$dpi" >"$WINEPREFIX/.sabot-dpi"
fi

if [[ $1 == *.exe ]]; then
    set -- "$WINE" "$@"
fi
status=0
"$@" || status=$?
exit $status
