#!/usr/bin/env bash
# Runs a command in a Wine session fit for a window on a machine with no
# display: a private Xvfb, and a prefix (made on first use) with Wine's own
# fonts, windows that Wine places itself (no window manager, and no two-second
# wait at each close), no entries made in the host's desktop menus for the
# Start menu's shortcuts, no debugger for a program that crashes (it ends at
# once, where Wine's would wait), and the system dpi and text size asked for. A
# COMMAND ending in .exe runs under wine64; any other sees DISPLAY, WINE and
# WINEPREFIX set.
# usage: wine_session.sh [--dpi N] [--text-size PERCENT] COMMAND [ARG...]
set -euo pipefail
dpi=96 text=100
while [ $# -ge 2 ]; do
    case $1 in
    --dpi) dpi=$2 ;;
    --text-size) text=$2 ;;
    *) break ;;
    esac
    shift 2
done
[ $# -ge 1 ] || { echo "usage: $0 [--dpi N] [--text-size PERCENT] COMMAND [ARG...]" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
export WINE=${WINE:-/usr/lib/wine/wine64}
export WINEPREFIX=${WINEPREFIX:-$here/../build/windows/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe,winedbg.exe=}
wineserver=$(dirname "$WINE")/wineserver

# Wine's desktop process holds on to the display it started on, so each
# session has a wineserver of its own (none left from a command run without
# a display), ended before its Xvfb goes.
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w 2>/dev/null || true
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
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

# The desktop's text size as Windows 10 and 11 set it, which Wine does not:
# the factor recorded, and the message font, 9 points (12 pixels at 96 dpi),
# made as much larger. Wine scales the font with the dpi itself.
if [ "$(cat "$WINEPREFIX/.sabot-text" 2>/dev/null)" != "$text" ]; then
    accessibility='HKCU\Software\Microsoft\Accessibility' metrics='HKCU\Control Panel\Desktop\WindowMetrics'
    if [ "$text" = 100 ]; then
        "$WINE" reg delete "$accessibility" /v TextScaleFactor /f >/dev/null 2>&1 || true
        "$WINE" reg delete "$metrics" /v MessageFont /f >/dev/null 2>&1 || true
    else
        font=$(/usr/bin/python3 -c 'import struct, sys
print((struct.pack("<5i8B", -int(sys.argv[1]), 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0)
       + "Tahoma".encode("utf-16-le").ljust(64, b"\0")).hex())' $((12 * text / 100)))
        "$WINE" reg add "$accessibility" /v TextScaleFactor /t REG_DWORD /d "$text" /f >/dev/null
        "$WINE" reg add "$metrics" /v MessageFont /t REG_BINARY /d "$font" /f >/dev/null
    fi
    echo "$text" >"$WINEPREFIX/.sabot-text"
fi

if [[ $1 == *.exe ]]; then
    set -- "$WINE" "$@"
fi
status=0
"$@" || status=$?
exit $status
