#!/usr/bin/env bash
# Checks the built Debian package with lintian, which must print nothing at
# its default level; then installs it, starts the installed sabot under Xvfb,
# waits for its window, closes it and expects exit status 0, and removes the
# package again.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "${1:?usage: check_deb.sh PACKAGE.deb}")
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

echo "lintian $deb"
# --allow-root only silences lintian's notice about running as root.
report=$(lintian --allow-root "$deb" 2>&1) || true
[ -z "$report" ] || { echo "$report"; echo "lintian reports the package"; exit 1; }

echo "installing $deb"
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "$deb"
trap 'DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -q sabot' EXIT

dpkg-query -W -f='${Package} ${Version} depends on: ${Depends}\n' sabot
# A package in the games section keeps its program in /usr/games (lintian
# has said its desktop entry's command is in the package; the release build's
# hardening test reads the same flags back), and the window's class is the
# one the entry names.
entry=/usr/share/applications/org.sabot.Sabot.desktop
/usr/bin/python3 bench/startup.py --only /usr/games/sabot --runs 1 --wm-class "$(sed -n 's/^StartupWMClass=//p' $entry)"
echo "package: lintian-clean, installed, started, closed and removed"
