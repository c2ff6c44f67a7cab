#!/usr/bin/env bash
# A level made and won by a player, in a virtual X server: the editor
# (kerbo --edit) paints three items beside Oska's start with the mouse and
# saves; kerbo --check-levels passes the pack; kerbo --levels plays it from
# the start menu, and a few seconds of the right arrow win it. Checks the
# win screen, the pack's own high-score table and the shipped one untouched.
#
#   LevelEditor.sh <kerbo program> <data folder> <folder for screenshots and logs> <close-window tool>
#
# Exit status 77 (skipped) when the data folder or the X tools are missing.
set -u

kerbo=$1
data=$2
out=$3
closer=$4
. "$(dirname "$0")/XSession.sh"

need_data "$data"
need_tools xvfb-run xdotool import convert compare

rm -rf "$out"
mkdir -p "$out/run" "$out/home"
cp -r "$data/." "$out/run/"
export XDG_DATA_HOME="$out/home"
pack="$out/pack"

# The editor: the palette's item (its tenth kind), then one stroke along row 9
# over columns 12 to 14, saved with Ctrl+S; Escape leaves.
edit=$(cat <<'INNER'
kerbo=$1 out=$2 pack=$3
cd "$out/run"
SDL_AUDIODRIVER=dummy "$kerbo" --edit "$pack" >"$out/edit-stdout.txt" 2>"$out/edit-stderr.txt" &
pid=$!
find_window
wait_for_picture "$out/editor-empty.png"
xdotool mousemove --window "$wid" 475 25 click 1
sleep 0.3
xdotool mousemove --window "$wid" 575 425 mousedown 1
for x in 600 625 650 675; do sleep 0.1; xdotool mousemove --window "$wid" $x 425; done
sleep 0.2
xdotool mouseup 1
sleep 0.3
xdotool key ctrl+s
sleep 0.5
import -window root "$out/editor.png" || fail "no screenshot of the editor"
xdotool key Escape
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the editor did not end at Escape"
wait "$pid" || fail "the editor ended with status $?"
INNER
)
in_x_server "$edit" "$kerbo" "$out" "$pack" || { cat "$out/edit-stderr.txt"; fail "the editor session"; }
echo "--- the level saved"
cat "$pack/level1.txt" || fail "the editor saved no level1.txt"
check_picture "$out/editor.png" "editor"

"$kerbo" --check-levels "$pack" >"$out/check.txt" 2>&1
status=$?
cat "$out/check.txt"
[ "$status" -eq 0 ] || fail "kerbo --check-levels refused the pack (status $status)"
grep -qx "level1.txt: ok, 3 items, 0 doors, 0 shock doors, farthest item 0 rides away" "$out/check.txt" ||
    fail "the checker's line is not the expected one"

# The pack from the start menu: play, the story, a name, then the right arrow
# until the three items are Oska's (the cats walk the storeys above him).
play=$(cat <<'INNER'
kerbo=$1 out=$2 pack=$3 closer=$4
cd "$out/run"
SDL_AUDIODRIVER=dummy "$kerbo" --levels "$pack" >"$out/play-stdout.txt" 2>"$out/play-stderr.txt" &
pid=$!
find_window
play_as_abc "$out/startmenu.png"
sleep 3
xdotool keydown Right; sleep 4; xdotool keyup Right
sleep 1.5
import -window root "$out/win.png" || fail "no screenshot after play"
close_window "$closer"
INNER
)
in_x_server "$play" "$kerbo" "$out" "$pack" "$closer" || { cat "$out/play-stderr.txt"; fail "the play session"; }

# The win screen (a pack's): its picture right of the buttons is the background's own.
convert "$out/win.png" -crop 400x500+400+0 +repage "$out/win-right.png"
convert "$data/images/youwinpackbackground.bmp" -crop 400x500+400+0 +repage "$out/background-right.png"
differ=$(compare -metric AE "$out/win-right.png" "$out/background-right.png" null: 2>&1 | cut -d' ' -f1)
echo "pixels of the win screen's right half unlike its background: $differ"
awk -v d="$differ" 'BEGIN { exit !(d < 2000) }' || fail "the game did not end on the win screen"

# Named after the folder and a hash of its full path.
table=$(ls "$XDG_DATA_HOME"/kerbo/Highscores-pack-????????????.txt 2>/dev/null | head -n 1)
echo "--- the pack's table"
cat "$table" || fail "the pack has no high-score table of its own"
echo
grep -q "600 ABC" "$table" || fail "the pack's table lacks the 600 points of ABC"
cmp -s "$data/Highscores.txt" "$out/run/Highscores.txt" || fail "the shipped table was changed"
echo "PASSED"
