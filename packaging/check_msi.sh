#!/usr/bin/env bash
# In a Wine session (wine_session.sh): checks the .msi's code page and
# language, and the version its File table gives sabot.exe; installs it
# quietly to Program Files, then NEWER_MSI over it to a folder named on the
# command line, which must win over the one remembered, and uninstalls;
# installs MSI again to that folder and checks the program, its icon,
# its Start-menu shortcut and its one entry in the list of programs; starts the
# installed sabot.exe and closes its window (exit status 0); installs
# NEWER_MSI, a higher version, over it with no folder named and checks that it
# replaced it in the same folder; runs the older .msi again, which must refuse
# with its message; uninstalls, and checks that no file and no registry key of
# Sabot is left.
set -euo pipefail
usage="usage: check_msi.sh MSI NEWER_MSI"
msi=${1:?$usage}
newer=${2:?$usage}
here=$(cd "$(dirname "$0")" && pwd)
folder='C:\Jeux\Sabot'
installed="$WINEPREFIX/drive_c/Jeux/Sabot/sabot.exe"
# All users' Start menu, or the installing user's where Wine puts it there.
shortcuts=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sabot.lnk"
    "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Sabot.lnk")
programs='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "$*" >&2
    exit 1
}

# A value of an installer's table, by the first column's value.
table_value() {
    msiinfo export "$1" "$2" | tr -d '\r' | awk -F'\t' -v key="$3" '$1 == key { print $2 }'
}

# The product codes of the Sabot entries in the list of programs, one a line.
entries() {
    "$WINE" uninstaller --list | tr -d '\r' | awk -F'[|][|][|]' '$2 == "Sabot" { print $1 }'
}

# Expects a single entry, showing the version of installer $1; prints its code.
single_entry() {
    local codes version
    codes=$(entries)
    [ "$(grep -c . <<<"$codes")" -eq 1 ] || fail "not one Sabot in the list of programs: ${codes:-none}"
    version=$("$WINE" reg query "$programs\\$codes" /v DisplayVersion | tr -d '\r' |
        awk '$1 == "DisplayVersion" { print $3 }')
    [ "$version" = "$(table_value "$1" Property ProductVersion)" ] ||
        fail "the list of programs shows Sabot $version for $(basename "$1")"
    echo "list of programs: one Sabot, version $version" >&2
    echo "$codes"
}

# The sizes in an icon file, smallest first.
icon_sizes() {
    icotool -l "$1" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | paste -s -d ' '
}

# The folders and files of the prefix, and the registry's lines naming Sabot.
snapshot() {
    (cd "$WINEPREFIX/drive_c" && find . | sort) >"$work/$1.files"
    local root
    for root in HKLM HKCU; do
        "$WINE" reg export "$root" "$work/$1.$root.reg" /y >/dev/null
        iconv -f UTF-16 -t UTF-8 "$work/$1.$root.reg"
    done | tr -d '\r' | { grep -i sabot || true; } | sort >"$work/$1.registry"
}

# The installer's French reads the same under any system language: its
# database has the code page of its text, and its summary names French.
[ "$(msiinfo export "$msi" _ForceCodepage | tr -d '\r' | awk -F'\t' 'NR == 3 { print $1 }')" = 1252 ] ||
    fail "$(basename "$msi") has no code page: its text reads in the system's"
msiinfo suminfo "$msi" | grep -q -x 'Template: x64;1036' || fail "$(basename "$msi") is not French"

# What an interrupted run may have left.
for code in $(entries); do
    "$WINE" msiexec /x "$code" /qn
done
# The folder chosen is in one of the user's own, which stays.
mkdir -p "$WINEPREFIX/drive_c/Jeux"
snapshot before

"$WINE" msiexec /i "$msi" /qn
[ -f "$WINEPREFIX/drive_c/Program Files/Sabot/sabot.exe" ] || fail "not installed to Program Files"
"$WINE" msiexec /i "$newer" /qn "INSTALLDIR=$folder"
[ -f "$installed" ] || fail "the upgrade went elsewhere than the folder named: $installed"
[ ! -e "$WINEPREFIX/drive_c/Program Files/Sabot" ] || fail "the upgrade left Program Files\\Sabot"
"$WINE" msiexec /x "$newer" /qn

"$WINE" msiexec /i "$msi" /qn "INSTALLDIR=$folder"
[ -f "$installed" ] || fail "not installed: $installed"
# Versioned for Windows Installer as the program's resource states it (the
# product's version, four parts), so that a repair or an upgrade follows the
# rules for versioned files, not dates and hashes.
version=$(msiinfo export "$msi" File | tr -d '\r' | awk -F'\t' '$3 == "sabot.exe" { print $5 }')
[ "$version" = "$(table_value "$msi" Property ProductVersion).0" ] || fail "sabot.exe has the version \"$version\""
[ -f "${shortcuts[0]}" ] || [ -f "${shortcuts[1]}" ] || fail "no Start-menu shortcut Sabot.lnk"
single_entry "$msi" >/dev/null
/usr/bin/python3 "$here/../bench/startup.py" --wine --runs 1 --only "$installed"

# The newer version replaces the older, in the folder the older was
# installed to: one entry, the newer's.
"$WINE" msiexec /i "$newer" /qn
[ -f "$installed" ] || fail "not installed after the upgrade: $installed"
[ ! -e "$WINEPREFIX/drive_c/Program Files/Sabot" ] || fail "the upgrade went to Program Files"
code=$(single_entry "$newer")

# The program's icon, with every size Windows asks for, is the executable's
# first icon group, and the list of programs shows it too. (The shortcut
# shows the executable's own.)
first=$(wrestool -l --type=14 "$installed" | sed -n '1s/.*--name=\([^ ]*\).*/\1/p')
[ -n "$first" ] || fail "sabot.exe carries no icon"
wrestool -x --type=14 --name="$first" -o "$work/sabot.ico" "$installed"
sizes=$(icon_sizes "$work/sabot.ico")
[ "$sizes" = "16 20 24 32 40 48 64 256" ] || fail "sabot.exe's icon has the sizes $sizes"
"$WINE" reg query 'HKLM\Software\Classes\Installer\Products' /s | tr -d '\r' |
    grep -q "ProductIcon.*$code" || fail "the list of programs has no icon for Sabot"
listed="$WINEPREFIX/drive_c/windows/Installer/$code/sabot.ico"
[ "$(icon_sizes "$listed")" = "$sizes" ] || fail "the list of programs shows another icon"
echo "icon: sabot.exe's first icon group, and the list of programs', at $sizes pixels"

# The older version refuses to install over the newer. Windows Installer shows
# its message in a box (a quiet install shows none): Wine's trace gives the
# box's text.
WINEDEBUG=+msgbox "$WINE" msiexec /i "$msi" /qb 2>"$work/refusal" &
installer=$!
for _ in $(seq 300); do
    grep -q MSGBOX_OnInit "$work/refusal" && break
    sleep 0.1
done
shown=$(sed -n 's/.*MSGBOX_OnInit L"\(.*\)"$/\1/p' "$work/refusal" | head -n 1)
# taskkill without /f asks the installer's windows to close, as a user would.
"$WINE" taskkill /im msiexec.exe >/dev/null
status=0
wait $installer || status=$?
# Wine's trace writes a character beyond ASCII as \XXXX.
shown=$(/usr/bin/python3 -c 'import re, sys
print(re.sub(r"\\([0-9a-f]{4})", lambda m: chr(int(m[1], 16)), sys.argv[1]))' "$shown")
expected=$(table_value "$msi" LaunchCondition "NOT WIX_DOWNGRADE_DETECTED")
[ "$shown" = "$expected" ] || fail "the older version showed \"$shown\", not \"$expected\""
# 1603, ERROR_INSTALL_FAILURE, of which a process's exit status keeps the low byte.
[ "$status" -eq $((1603 % 256)) ] || fail "the older version ended with status $status, not 1603"
[ "$(single_entry "$newer" 2>/dev/null)" = "$code" ] || fail "the older version changed the install"
echo "older version refused: \"$shown\""

"$WINE" msiexec /x "$newer" /qn
[ -z "$(entries)" ] || fail "Sabot is still in the list of programs"
for left in "$installed" "${shortcuts[@]}"; do
    [ ! -e "$left" ] || fail "left after the uninstall: $left"
done
snapshot after
# The first install makes Windows Installer's own folder.
added=$(comm -13 "$work/before.files" "$work/after.files" | grep -v -x './windows/Installer' || true)
[ -z "$added" ] || fail "left after the uninstall: $added"
added=$(comm -13 "$work/before.registry" "$work/after.registry")
[ -z "$added" ] || fail "left in the registry after the uninstall: $added"
echo "msi: installed, started, closed with status 0, upgraded, not downgraded, uninstalled, nothing left"
