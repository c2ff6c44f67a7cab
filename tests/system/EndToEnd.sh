#!/usr/bin/env bash
# Plays the real program in a virtual X server: the start menu, play, the
# story, a name, a little play with the arrow keys, then the window is
# closed. Checks screenshots of the start menu and of the game and that the
# program said goodbye and ended with status 0.
#
#   EndToEnd.sh <kerbo program> <data folder> <folder for screenshots and logs> <close-window tool>
#
# The close-window tool sends the window the close request a window
# manager's close button would send (there is no window manager here).
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
mkdir -p "$out/run"
# A copy of the data folder: the game may write Highscores.txt.
cp -r "$data/." "$out/run/"

# The session inside the X server; its own status is the test's.
session=$(cat <<'INNER'
kerbo=$1
out=$2
closer=$3
cd "$out/run"
SDL_AUDIODRIVER=dummy "$kerbo" >"$out/stdout.txt" 2>"$out/stderr.txt" &
pid=$!
find_window
play_as_abc "$out/startmenu.png"
# The level card stays 2 seconds; then a little play.
sleep 3
xdotool keydown Right; sleep 0.8; xdotool keyup Right
xdotool keydown Left; sleep 0.5; xdotool keyup Left
import -window root "$out/game.png" || fail "no screenshot of the game"
close_window "$closer"
exit 0
INNER
)

in_x_server "$session" "$kerbo" "$out" "$closer"
status=$?
echo "--- program output"; cat "$out/stdout.txt" 2>/dev/null
echo "--- program errors"; cat "$out/stderr.txt" 2>/dev/null
[ "$status" -eq 0 ] || exit 1

grep -qx "Thanks for playing the game." "$out/stdout.txt" || fail "no farewell line"
check_picture "$out/startmenu.png" "start menu"
check_picture "$out/game.png" "game screen"

# The start menu shows its five buttons and the game its house: sample a few
# pixels that must differ from black.
for p in "185 97" "185 417" "600 250"; do not_black "$out/startmenu.png" "start menu" $p; done
for p in "25 25" "400 250" "775 475"; do not_black "$out/game.png" "game screen" $p; done

# The game is on screen, not the menu any more.
differ=$(compare -metric AE "$out/startmenu.png" "$out/game.png" null: 2>&1 | cut -d' ' -f1)
echo "pixels that changed from the start menu to the game: $differ"
awk -v d="$differ" 'BEGIN { exit !(d > 40000) }' || { echo "FAILED: the game screen looks like the start menu"; exit 1; }
echo "PASSED"
