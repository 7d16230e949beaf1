#!/bin/bash
# Fretlo on a real desktop, driven by the keyboard as a user would: an X server (Xvfb) with a
# window manager, keys typed with xdotool.
#  1. No sound server: typing notes and Ctrl+S saves them, although every note preview fails.
#  2. A full file system (a small tmpfs, when one can be mounted): Exit and "Yes" to saving
#     show the error and keep the window, the process and the old file.
#  3. A PulseAudio server with a null sink: Play (F5) sounds on the sink's monitor.
# Usage: desktop-check.sh FRETLO FRETLO_TOOL. Exits 77 (skipped) when a tool is missing.
set -u
fretlo=$1
tool=$2
for program in Xvfb openbox xdotool; do
    command -v "$program" >/dev/null || { echo "skipped: $program is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
mounted=""
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
    [ -n "$mounted" ] && umount -l "$mounted"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

failures=0
passes=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then
        passes=$((passes + 1))
    else
        echo "FAILED: $1"
        failures=$((failures + 1))
    fi
}
# Waits up to $1 tenths of a second for the command to succeed.
wait_for() {
    local tries=$1
    shift
    for ((i = 0; i < tries; i++)); do
        "$@" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}
finish() {
    echo "$passes passed, $failures failed"
    [ "$failures" -eq 0 ]
    exit
}

# A private home, settings, runtime folder (instance socket, sound server) and temp folder,
# so no other Fretlo or sound server on this machine takes part.
mkdir -p "$work/home" "$work/runtime" "$work/tmp" "$work/songs"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime TMPDIR=$work/tmp
# The sound server is started by this script only, never on demand by the sound library.
printf 'autospawn = no\n' >"$work/client.conf"
export PULSE_CLIENTCONFIG=$work/client.conf
unset PULSE_SERVER QT_QPA_PLATFORM

# The song goes to a small file system that can be filled, or to an ordinary folder.
disk=$work/songs
mkdir -p "$work/disk"
if mount -t tmpfs -o size=512k tmpfs "$work/disk" 2>/dev/null; then
    mounted=$work/disk
    disk=$work/disk
fi
song=$disk/song.frl

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
wait_for 50 test -s "$work/display" || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
# A window mapped before the window manager manages the screen may stay unseen.
wm_ready() { xdotool get_desktop >/dev/null; }
wait_for 50 wm_ready || { echo "openbox did not start"; cat "$work/openbox.log"; exit 1; }

"$fretlo" >"$work/fretlo.log" 2>&1 &
fretlo_pid=$!
pids+=("$fretlo_pid")
find_window() { window=$(xdotool search --onlyvisible --name "^Untitled - Fretlo" | head -n1); [ -n "$window" ]; }
wait_for 100 find_window || { echo "no Fretlo window"; xdotool search --name . getwindowname %@ 2>&1 | head; cat "$work/fretlo.log"; exit 1; }
focused() { timeout 5 xdotool windowactivate --sync "$window" && [ "$(xdotool getwindowfocus)" = "$window" ]; }
wait_for 50 focused
sleep 0.5
keys() { xdotool key --clearmodifiers --delay 120 "$@"; }
named_window() { xdotool search --onlyvisible --name "$1" >/dev/null; }

# 1. Notes typed while every preview fails, then Ctrl+S and a name in the Save As dialog.
keys 3 Right 5 Right 7 ctrl+s
check "the Save As dialog opens" wait_for 50 named_window "^Save As"
xdotool type --delay 40 "$song"
keys Return
check "the song is saved" wait_for 50 test -s "$song"
check "the window is titled after the song" wait_for 30 named_window "^song.frl - Fretlo"
staff=$("$tool" export-text "$song" - 2>&1 | grep -E '^[A-G][#b ]* *:' | tr -d '\r')
check "the typed notes are in the file" grep -q '3.*5.*7' <<<"$staff"
check "fretlo still runs after typing without sound" kill -0 "$fretlo_pid"

# 2. A full disk: Exit, "Yes" to saving, the error, and everything is kept.
if [ -n "$mounted" ]; then
    cp "$song" "$work/saved.frl"
    dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null
    dd if=/dev/zero of="$disk/filler2" bs=1 2>/dev/null
    keys Right 9 alt+f x
    check "the save question comes" wait_for 50 named_window "^Fretlo$"
    keys Return  # Yes
    sleep 0.5
    check "the write error is shown" wait_for 30 named_window "^Fretlo$"
    keys Return  # OK
    sleep 0.5
    check "fretlo still runs after the failed save" kill -0 "$fretlo_pid"
    check "the window stays" named_window "^song.frl - Fretlo"
    check "the old file keeps its bytes" cmp -s "$song" "$work/saved.frl"
    rm -f "$disk/filler" "$disk/filler2"
else
    echo "skipped the full-disk part: no tmpfs can be mounted here"
fi

# 3. Play with a sound server: the sink's monitor records non-silent samples.
if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null || ! command -v sox >/dev/null; then
    echo "skipped the sound part: pulseaudio, parec or sox is missing"
    finish
fi
pulseaudio --daemonize=no -n --exit-idle-time=-1 --load="module-null-sink sink_name=fretlo_check" \
    --load=module-native-protocol-unix >"$work/pulse.log" 2>&1 &
pids+=($!)
server_up() { pactl info >/dev/null; }
check "the sound server starts" wait_for 50 server_up
parec -d fretlo_check.monitor --format=s16le --rate=44100 --channels=2 >"$work/sound.raw" 2>"$work/parec.log" &
pids+=($!)
sleep 0.3
wait_for 50 focused
keys Home F5
sleep 2.5
keys F8
sleep 0.3
peak=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/sound.raw" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
echo "peak amplitude on the sink: ${peak:-none}"
check "Play sounds on the sink" awk -v p="${peak:-0}" 'BEGIN { exit !(p > 0.01) }'
check "fretlo still runs after playing" kill -0 "$fretlo_pid"
finish
