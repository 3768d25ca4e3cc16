#!/usr/bin/env bash
# In a Wine session (wine_session.sh): installs the .msi quietly, checks the
# program and its Start-menu shortcut, starts the installed sabot.exe and
# closes its window (exit status 0), uninstalls, and checks nothing is left.
set -euo pipefail
msi=${1:?usage: check_msi.sh MSI}
here=$(cd "$(dirname "$0")" && pwd)
installed="$WINEPREFIX/drive_c/Program Files/Sabot/sabot.exe"
# All users' Start menu, or the installing user's where Wine puts it there.
shortcuts=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sabot.lnk"
    "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Sabot.lnk")

"$WINE" msiexec /i "$msi" /qn
[ -f "$installed" ] || { echo "not installed: $installed"; exit 1; }
[ -f "${shortcuts[0]}" ] || [ -f "${shortcuts[1]}" ] || { echo "no Start-menu shortcut Sabot.lnk"; exit 1; }
/usr/bin/python3 "$here/../bench/startup.py" --wine --runs 1 --only "$installed"
"$WINE" msiexec /x "$msi" /qn
for left in "$installed" "${shortcuts[@]}"; do
    [ ! -e "$left" ] || { echo "left after the uninstall: $left"; exit 1; }
done
echo "msi: installed, started, closed with status 0, uninstalled"
