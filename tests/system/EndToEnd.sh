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

if [ ! -f "$data/level1.txt" ] || [ ! -d "$data/images" ]; then
    echo "SKIPPED: no data folder at $data (build with -DKERBO_DATA=ON)"
    exit 77
fi
for tool in xvfb-run xdotool import convert compare; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed"
        exit 77
    fi
done

rm -rf "$out"
mkdir -p "$out/run"
# A copy of the data folder: the game may write Highscores.txt.
cp -r "$data/." "$out/run/"

# The session inside the X server; its own status is the test's.
session=$(cat <<'INNER'
set -u
kerbo=$1
out=$2
closer=$3
cd "$out/run"
SDL_AUDIODRIVER=dummy "$kerbo" >"$out/stdout.txt" 2>"$out/stderr.txt" &
pid=$!

fail() {
    echo "FAILED: $*"
    kill "$pid" 2>/dev/null
    exit 1
}

wid=""
for _ in $(seq 1 100); do
    wid=$(xdotool search --name "KERBO anno 2011" 2>/dev/null | head -n 1)
    [ -n "$wid" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window opened"
    sleep 0.1
done
[ -n "$wid" ] || fail "no window titled KERBO anno 2011"
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
# Wait until the start menu is on the screen (more than a few colours).
for _ in $(seq 1 40); do
    sleep 0.5
    import -window root "$out/startmenu.png" || fail "no screenshot of the start menu"
    [ "$(convert "$out/startmenu.png" -format "%k" info:)" -gt 16 ] && break
done
sleep 0.5

# Play (the button's middle), the story ends with X, the name ABC ends with X.
xdotool mousemove --window "$wid" 185 97 click 1
sleep 1
xdotool key x
sleep 0.5
xdotool key a b c
sleep 0.3
xdotool key x
# The level card stays 2 seconds; then a little play.
sleep 3
xdotool keydown Right; sleep 0.8; xdotool keyup Right
xdotool keydown Left; sleep 0.5; xdotool keyup Left
import -window root "$out/game.png" || fail "no screenshot of the game"

"$closer" "$wid" || fail "could not ask the window to close"
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    fail "the program did not end after its window was closed"
fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
exit 0
INNER
)

xvfb-run -a -s "-screen 0 800x500x24" bash -c "$session" session "$kerbo" "$out" "$closer"
status=$?
echo "--- program output"; cat "$out/stdout.txt" 2>/dev/null
echo "--- program errors"; cat "$out/stderr.txt" 2>/dev/null
[ "$status" -eq 0 ] || exit 1

grep -qx "Thanks for playing the game." "$out/stdout.txt" || { echo "FAILED: no farewell line"; exit 1; }

# A screenshot passes when it is not all one colour and has some light pixels:
# the number of distinct colours and the brightest pixel.
check_picture() {
    local file=$1 what=$2
    local colours max
    colours=$(convert "$file" -format "%k" info:)
    max=$(convert "$file" -colorspace Gray -format "%[fx:maxima]" info:)
    echo "$what: $colours colours, brightest $max"
    if [ "$colours" -lt 4 ]; then echo "FAILED: the $what is nearly one colour"; return 1; fi
    awk -v m="$max" 'BEGIN { exit !(m > 0.2) }' || { echo "FAILED: the $what is black"; return 1; }
}
check_picture "$out/startmenu.png" "start menu" || exit 1
check_picture "$out/game.png" "game screen" || exit 1

# The start menu shows its five buttons and the game its house: sample a few
# pixels that must differ from black.
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
not_black() {
    local file=$1 what=$2 x=$3 y=$4 v
    v=$(pixel "$file" "$x" "$y")
    echo "$what at ($x, $y): $v"
    case "$v" in
        "black"|"srgb(0,0,0)"|"rgb(0,0,0)"|"gray(0)") echo "FAILED: the $what is black at ($x, $y)"; return 1 ;;
    esac
}
for p in "185 97" "185 417" "600 250"; do not_black "$out/startmenu.png" "start menu" $p || exit 1; done
for p in "25 25" "400 250" "775 475"; do not_black "$out/game.png" "game screen" $p || exit 1; done

# The game is on screen, not the menu any more.
differ=$(compare -metric AE "$out/startmenu.png" "$out/game.png" null: 2>&1 | cut -d' ' -f1)
echo "pixels that changed from the start menu to the game: $differ"
awk -v d="$differ" 'BEGIN { exit !(d > 40000) }' || { echo "FAILED: the game screen looks like the start menu"; exit 1; }
echo "PASSED"
