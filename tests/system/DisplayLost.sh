#!/usr/bin/env bash
# The X server goes away while the program runs (at the start menu, and while
# a recording plays): the program must say so in one line and end with status
# 1, never crash. Both of its threads talk to the X server, so each moment is
# tried a few times. Under the editor and its test play the unsaved level is
# kept; a recording ends on a whole line and its replay says it was cut short;
# the settings are saved.
#
#   DisplayLost.sh <kerbo program> <data folder> <folder for logs> <recording>
#
# Exit status 77 (skipped) when the data folder or Xvfb is missing.
set -u

kerbo=$1
data=$2
out=$3
recording=$4
. "$(dirname "$0")/XSession.sh"

need_data "$data"
need_tools Xvfb xdotool

rm -rf "$out"
mkdir -p "$out/run"
cp -r "$data/." "$out/run/"
cd "$out/run" || exit 1
export XDG_CONFIG_HOME="$out/config"  # not the settings of whoever runs the test

failures=0
# One round: start an X server and the program in it, wait until its window
# is up (a busy machine may take a while), wait some more, stop the server.
round() {
    local wait=$1
    shift
    exec 3< <(Xvfb -displayfd 1 -screen 0 800x500x24 -nolisten tcp 2>/dev/null)
    local server=$! display
    read -r -t 10 display <&3 || { echo "FAILED: Xvfb did not start"; failures=$((failures + 1)); return; }
    DISPLAY=":$display" SDL_AUDIODRIVER=dummy timeout 60 "$kerbo" "$@" >"$out/stdout.txt" 2>"$out/stderr.txt" &
    local pid=$! _ wid=""
    for _ in $(seq 1 100); do
        wid=$(DISPLAY=":$display" xdotool search --name "KERBO anno 2011" 2>/dev/null | head -n 1)
        [ -n "$wid" ] && break
        sleep 0.1
    done
    sleep "$wait"
    # In the editor: the palette's item, painted on one cell; then maybe a key.
    if [ "${1:-}" = "--edit" ] && [ -n "$wid" ]; then
        DISPLAY=":$display" xdotool mousemove --window "$wid" 475 25 click 1
        sleep 0.3
        DISPLAY=":$display" xdotool mousemove --window "$wid" 575 425 click 1
        sleep 0.3
        [ -n "${then_key:-}" ] && DISPLAY=":$display" xdotool key "$then_key" && sleep 1
    fi
    kill "$server"
    wait "$pid"
    local status=$?
    exec 3<&-
    if [ "$status" -ne 1 ] || ! grep -q "the display went away" "$out/stderr.txt"; then
        echo "FAILED: after ${wait}s with '$*': status $status"
        cat "$out/stderr.txt"
        failures=$((failures + 1))
    else
        echo "after ${wait}s with '$*': status 1, $(head -n 1 "$out/stderr.txt")"
    fi
}

for wait in 0.5 1 1.5; do round "$wait"; done
for wait in 2 3 4; do round "$wait" --replay "$recording" --paced; done

check() {
    if ! eval "$1"; then
        echo "FAILED: $2"
        cat "$out/stderr.txt"
        failures=$((failures + 1))
    fi
}

# The editor, then its test play, on a new pack: the level painted is kept.
for then_key in "" Return; do
    rm -rf "$out/pack"
    round 1 --edit "$out/pack"
    check '[ -f "$out/pack/level1.unsaved.txt" ] && grep -q "unsaved levels: kept in" "$out/stderr.txt"' \
        "the unsaved level was lost (${then_key:-editing})"
done
then_key=""

# A recording: cut on a whole line, and its replay says so; the settings saved.
rm -rf "$XDG_CONFIG_HOME"
round 2 --record "$out/cut.kerborec"
check '[ "$(tail -c 1 "$out/cut.kerborec" | od -An -c | tr -d " ")" = "\\n" ]' "the recording ends inside a line"
check '[ -f "$XDG_CONFIG_HOME/kerbo/settings" ]' "the settings were not saved"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 60 "$kerbo" --replay "$out/cut.kerborec" \
    >"$out/stdout.txt" 2>"$out/replay-stderr.txt"
check 'grep -q "has no end line" "$out/replay-stderr.txt"' "the replay of a cut recording did not say so"
[ "$failures" -eq 0 ]
