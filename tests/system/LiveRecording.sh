#!/usr/bin/env bash
# A session recorded live in a real window (paced play, real waits, driven by
# xdotool as a player would: the menu, the story, a name, eight seconds of the
# right arrow, a walk back to the door, X, a pause and a resume, then the
# window closed) must replay headless to the same end: status 0, and the
# same frames, score, lives and level in both summaries.
#
#   LiveRecording.sh <kerbo program> <data folder> <folder for logs> <close-window tool>
#
# Exit status 77 (skipped) when the data folder or the X tools are missing.
set -u

kerbo=$1
data=$2
out=$3
closer=$4
. "$(dirname "$0")/XSession.sh"

need_data "$data"
need_tools xvfb-run xdotool

rm -rf "$out"
mkdir -p "$out/live" "$out/replay"
cp -r "$data/." "$out/live/"
cp -r "$data/." "$out/replay/"

session=$(cat <<'INNER'
kerbo=$1
out=$2
closer=$3
cd "$out/live"
SDL_AUDIODRIVER=dummy "$kerbo" --record "$out/live.kerborec" >"$out/live.txt" 2>"$out/live-errors.txt" &
pid=$!
find_window
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
sleep 1.5
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
xdotool mousemove --window "$wid" 185 97 click 1   # Play
sleep 1
hold x 0.1                                         # past the story
sleep 0.5
xdotool key a b c
sleep 0.3
hold x 0.1                                         # the name is ABC
sleep 3                                            # the level card
hold Right 8        # walk, drop down the shaft, bounce, step off, on to the wall
hold Left 5         # back down the shaft, a bounce, off to the left, up to the door
hold x 0.15         # the door
sleep 0.5
hold p 0.1          # pause ...
sleep 1
xdotool mousemove --window "$wid" 100 100 click 1  # ... and resume
sleep 1
close_window "$closer"
INNER
)

in_x_server "$session" "$kerbo" "$out" "$closer" || {
    cat "$out/live-errors.txt" 2>/dev/null
    exit 1
}

cd "$out/replay" || exit 1
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$kerbo" --replay "$out/live.kerborec" >"$out/replay.txt" 2>"$out/replay-errors.txt"
status=$?
echo "--- live run";   cat "$out/live.txt"
echo "--- replay";     cat "$out/replay.txt" "$out/replay-errors.txt"
[ "$status" -eq 0 ] || fail "the replay ended with status $status"
ending() { grep -E '^(frames|score|lives|level) ' "$1"; }
[ "$(ending "$out/live.txt" | wc -l)" -eq 4 ] || fail "the live run printed no summary"
diff <(ending "$out/live.txt") <(ending "$out/replay.txt") || fail "the replay ended elsewhere"
echo "PASSED: $(ending "$out/live.txt" | tr '\n' ' ')"
