#!/usr/bin/env bash
# Installs the built Debian package, starts the installed sabot under Xvfb,
# waits for its window, closes it and expects exit status 0, then removes the
# package again.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "${1:?usage: check_deb.sh PACKAGE.deb}")
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

echo "installing $deb"
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "$deb"
trap 'DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -q sabot' EXIT

dpkg-query -W -f='${Package} ${Version} depends on: ${Depends}\n' sabot
[ -x /usr/bin/sabot ] || { echo "/usr/bin/sabot is missing"; exit 1; }
/usr/bin/python3 bench/startup.py --only /usr/bin/sabot --runs 1
echo "package: installed, started, closed and removed"
