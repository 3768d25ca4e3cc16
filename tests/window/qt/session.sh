#!/usr/bin/env bash
# Runs a command in a headless weston session of its own, started here so that
# no display is needed beforehand. Sounds go to ALSA's null device, and each
# one played appends a line to the file named by SABOT_BELLS.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 COMMAND..." >&2; exit 2; }
dir=$(mktemp -d)
chmod 700 "$dir"
trap 'kill $(jobs -p) 2>/dev/null || true; wait; rm -rf "$dir"' EXIT
unset DISPLAY WAYLAND_DISPLAY

# Under the sanitizers: the platform's libraries are not ours. xkbcommon reads
# keymap names through strndup past their end, and Qt's Wayland plugin and the
# sound modules leave allocations at exit; the offscreen suites check the
# program's own leaks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:intercept_strndup=0:detect_leaks=0

export XDG_RUNTIME_DIR=$dir SABOT_BELLS=$dir/bells
: >"$SABOT_BELLS"
sink="type file slave.pcm null format raw file \"|{ echo bell >> '$SABOT_BELLS'; cat >/dev/null; }\""
echo "pcm.!default { $sink }" >"$dir/asound.conf"
# SABOT_SOUND_CARD=missing: the default device on a card that is not there, as
# on a machine with no sound card; =failing: a device that fails as it opens.
[ "${SABOT_SOUND_CARD:-}" = missing ] && echo "defaults.pcm.card 9" >"$dir/asound.conf"
[ "${SABOT_SOUND_CARD:-}" = failing ] && echo "pcm.!default { type missing }" >"$dir/asound.conf"
export ALSA_CONFIG_PATH=/usr/share/alsa/alsa.conf:$dir/asound.conf CANBERRA_DRIVER=alsa
# GNOME's sound settings, as the desktop publishes them; SABOT_EVENT_SOUNDS=false
# switches its event sounds off.
mkdir -p "$dir/glib-2.0/settings"
printf '[org/gnome/desktop/sound]\nevent-sounds=%s\n' "${SABOT_EVENT_SOUNDS:-true}" \
    >"$dir/glib-2.0/settings/keyfile"
export GSETTINGS_BACKEND=keyfile XDG_CONFIG_HOME=$dir

weston --backend=headless-backend.so --socket=wayland-sabot --idle-time=0 \
    --log="$dir/weston.log" &
for _ in $(seq 100); do [ -S "$dir/wayland-sabot" ] && break; sleep 0.1; done
[ -S "$dir/wayland-sabot" ] || { echo "session: weston did not start" >&2; exit 1; }
export WAYLAND_DISPLAY=wayland-sabot QT_QPA_PLATFORM=wayland
"$@"
