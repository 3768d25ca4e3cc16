#!/usr/bin/env bash
# Builds the artefacts a user downloads (the program, the Debian package,
# sabot.exe and its .msi) twice, each from its own copy of the checked-out
# commit at its own path, with the project's presets, and compares them byte
# for byte. The two builds differ in everything that must not matter: path,
# clock time, time zone, locale, umask, user name and home, and the way the
# tree was got (a git clone, or a `git archive` export without git). On a
# difference diffoscope shows where, and its full report is kept under
# build/reproducible/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
reports=$root/build/reproducible
work=$(mktemp -d "${TMPDIR:-/tmp}/sabot-reproducible.XXXXXX")
# The copies stay for a look when the check fails.
trap 'status=$?; [ $status -ne 0 ] && echo "the two builds are kept in $work"; [ $status -eq 0 ] && rm -rf "$work"' EXIT

# The two copies, at paths of different lengths. Uncommitted changes are not
# part of a commit, so neither copy has them.
a=$work/a/sabot
b=$work/second-builder/somewhere/else/sabot-src
mkdir -p "$a" "$b"
if [ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
    commit=$(git -C "$root" rev-parse HEAD)
    echo "checking commit $commit"
    [ -z "$(git -C "$root" status --porcelain --untracked-files=no)" ] ||
        echo "note: the uncommitted changes are not checked"
    (umask 022 && git clone --quiet --no-checkout "$root" "$a" && git -C "$a" checkout --quiet --detach "$commit")
    (umask 077 && git -C "$root" archive --format=tar "$commit" | tar -x --no-same-permissions -C "$b")
else
    echo "checking the tree as it is (no git)"
    (umask 022 && tar -C "$root" --exclude=./build -c . | tar -x --no-same-permissions -C "$a")
    (umask 077 && tar -C "$root" --exclude=./build -c . | tar -x --no-same-permissions -C "$b")
fi

# One build of one copy, in an environment of its own and nothing inherited
# (SOURCE_DATE_EPOCH included: the build must find the time itself). Time
# zones 26 hours apart give different local dates at any moment.
build() {
    local tree=$1 name=$2 tz=$3 locale=$4 mask=$5
    mkdir -p "$work/home-$name"
    echo "building in $tree (TZ=$tz LC_ALL=$locale umask $mask, at $(date -u +%T) UTC)"
    if ! (cd "$tree" && umask "$mask" && env -i PATH="$PATH" HOME="$work/home-$name" USER="$name" \
        LOGNAME="$name" TZ="$tz" LC_ALL="$locale" LANG="$locale" LANGUAGE=fr:en \
        bash -c 'cmake --workflow --preset package &&
                 cmake --preset windows && cmake --build --preset windows --target msi') \
        >"$work/$name.log" 2>&1; then
        tail -n 40 "$work/$name.log"
        echo "FAILED: the build in $tree"
        exit 1
    fi
}
other_locale=$(locale -a | grep -Eix 'fr_FR\.utf-?8' | head -n 1 || true)
build "$a" builder-one "AAA+12" C.UTF-8 022
build "$b" builder-two "BBB-14" "${other_locale:-POSIX}" 077

# The artefacts the two workflows produce, copied out of each build with
# the same modes and times (which the builds' umasks and clocks set apart),
# then compared as two folders: diffoscope's status is the verdict, and an
# artefact missing from a build fails the copy.
for tree in "$a" "$b"; do
    mkdir "$tree.artefacts"
    (cd "$tree" && cp build/app/window/sabot build/app/*.deb build/windows/window/*.exe \
        build/windows/*.msi "$tree.artefacts/")
    chmod -R u=rwX,go=rX "$tree.artefacts"
    find "$tree.artefacts" -exec touch -h -d @0 {} +
done
rm -rf "$reports" && mkdir -p "$reports"
cd "$work"
if ! diffoscope --no-progress --text "$reports/report.txt" "${a#"$work/"}.artefacts" \
    "${b#"$work/"}.artefacts"; then
    head -n 80 "$reports/report.txt"
    echo "(diffoscope's whole report: $reports/report.txt)"
    exit 1
fi
echo "reproducible: the artefacts are byte for byte the same:"
(cd "$a.artefacts" && sha256sum -- *)
