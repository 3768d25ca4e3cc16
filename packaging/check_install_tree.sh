#!/usr/bin/env bash
# Installs a configured build into a scratch folder and checks what lands in
# it: the executable, its manual page, the desktop entry, the AppStream
# metadata and the icon, each where desktops look for them and each passing
# its validator.
set -euo pipefail
build=${1:?usage: check_install_tree.sh BUILD_DIR APP_ID}
id=${2:?usage: check_install_tree.sh BUILD_DIR APP_ID}
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

DESTDIR="$tree" cmake --install "$build" --prefix /usr >/dev/null

expected=(
    usr/bin/sabot
    usr/share/man/man6/sabot.6.gz
    "usr/share/applications/$id.desktop"
    "usr/share/metainfo/$id.metainfo.xml"
    "usr/share/icons/hicolor/scalable/apps/$id.svg"
)
for file in "${expected[@]}"; do
    [ -s "$tree/$file" ] || { echo "missing from the install tree: $file"; exit 1; }
done
[ -x "$tree/usr/bin/sabot" ] || { echo "usr/bin/sabot is not executable"; exit 1; }
unexpected=$(cd "$tree" && find . -type f | sed 's|^\./||' | sort | grep -v -x -F "$(printf '%s\n' "${expected[@]}")" || true)
[ -z "$unexpected" ] || { echo "unexpected files in the install tree:"; echo "$unexpected"; exit 1; }

desktop-file-validate "$tree/usr/share/applications/$id.desktop"
grep -q -x "Exec=/usr/bin/sabot" "$tree/usr/share/applications/$id.desktop" ||
    { echo "the desktop entry does not start /usr/bin/sabot"; exit 1; }
appstreamcli validate --no-net --explain "$tree/usr/share/metainfo/$id.metainfo.xml"
grep -q "<svg" "$tree/usr/share/icons/hicolor/scalable/apps/$id.svg"
echo "install tree: ${#expected[@]} files, all valid"
