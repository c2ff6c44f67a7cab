#!/bin/bash
# Measures the share of a core the game's threads and the X server take, in a
# virtual 1920 x 1080 X server, and how often each thread wakes up.
#
# Usage: tools/cpu-share.sh KERBO DATA_DIR MODE SCALE [WINDOW_MANAGER [full]]
#   MODE replay: replays tests/replay/game.kerborec at the game's own pace (in a
#                copy of DATA_DIR with the recordings' Highscores.txt) and
#                measures the whole run;
#        menu:   measures 20 seconds (IDLE_SECONDS) on the start menu;
#        pause:  starts a game, pauses it and measures on the pause screen.
#   WINDOW_MANAGER: a program to run in the X server first (for instance a
#   small window manager, which full screen needs); "full" then presses F11
#   once the window is up.
# Figures come from /proc/<pid>/task/<tid>/stat (user + system time) and
# status (voluntary context switches); SDL_AUDIODRIVER=dummy.
set -u
kerbo=$1 data=$2 mode=$3 scale=$4 wm=${5:-none} full=${6:-}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
display=:$((50 + RANDOM % 40))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; [ -n "${work:-}" ] && rm -rf "$work"' EXIT
sleep 1
export DISPLAY=$display SDL_AUDIODRIVER=dummy
[ "$wm" != none ] && { $wm >/dev/null 2>&1 & sleep 1; }
work=$(mktemp -d)
for entry in "$data"/*; do ln -s "$entry" "$work/"; done
rm -f "$work/Highscores.txt"
cp "$source_dir/tests/replay/Highscores.txt" "$work/"
cd "$work" || exit 1

# One line per thread: id, name, clock ticks used, voluntary switches.
threads() {
    local task stat
    for task in /proc/"$1"/task/*; do
        stat=$(cat "$task/stat" 2>/dev/null) || continue
        set -- ${stat##*) }
        echo "${task##*/} $(cat "$task/comm") $((${12} + ${13})) $(awk '/^voluntary_ctxt/ {print $2}' "$task/status")"
    done
}
server_ticks() {
    local stat
    stat=$(cat /proc/$xvfb/stat)
    set -- ${stat##*) }
    echo $((${12} + ${13}))
}

if [ "$mode" = replay ]; then
    "$kerbo" --replay "$source_dir/tests/replay/game.kerborec" --paced --scale "$scale" >/dev/null 2>&1 &
    pid=$!
    if [ "$full" = full ]; then
        sleep 2
        xdotool key --window "$(xdotool search --name "KERBO anno 2011" | head -n 1)" F11
    fi
    first="" server0=$(server_ticks) start=$(date +%s.%N)
    while kill -0 $pid 2>/dev/null; do  # the last look before the program ends
        # A look while the program ends may find its threads gone already.
        now=$(threads $pid) && [ "$(echo "$now" | wc -l)" -ge "$(echo "${last:-}" | wc -l)" ] &&
            last=$now server1=$(server_ticks) end=$(date +%s.%N)
        sleep 0.25
    done
else
    "$kerbo" --scale "$scale" >/dev/null 2>&1 &
    pid=$!
    sleep 3
    window=$(xdotool search --name "KERBO anno 2011" | head -n 1)
    [ "$full" = full ] && { xdotool key --window "$window" F11; sleep 2; }
    if [ "$mode" = pause ]; then  # Play, past the story, a name (X ends it), then P in the game
        eval "$(xdotool getwindowgeometry --shell "$window")"
        xdotool mousemove --window "$window" $((WIDTH * 185 / 800)) $((HEIGHT * 95 / 500)) click 1
        sleep 1; xdotool key x; sleep 1; xdotool type abc; xdotool key x; sleep 4; xdotool key p
    fi
    sleep 2
    first=$(threads $pid) server0=$(server_ticks) start=$(date +%s.%N)
    sleep "${IDLE_SECONDS:-20}"
    last=$(threads $pid) server1=$(server_ticks) end=$(date +%s.%N)
    kill $pid
fi
seconds=$(echo "$end - $start" | bc -l)
echo "$mode, scale $scale, window manager $wm ${full:+(full screen)}, $seconds seconds"
# Ticks are hundredths of a second: ticks per second are percent of a core.
join -a 2 <(echo "$first" | sort) <(echo "$last" | sort) | awk -v s="$seconds" '
    NF == 7 { t = $6 - $3; w = $7 - $4; name = $5 }
    NF == 4 { t = $3; w = $4; name = $2 }
    { total += t; printf "  thread %-8s %-16s %6.2f%%  %5.0f wake-ups/s\n", $1, name, t / s, w / s }
    END { printf "  the game in all  %.2f%%\n", total / s }'
echo "  X server  $(echo "($server1 - $server0) / $seconds" | bc -l | cut -c1-5)%"
